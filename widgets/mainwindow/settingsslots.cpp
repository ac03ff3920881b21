// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "config/backups.h"
#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/verification.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Where the program keeps settings files, made when needed.
QString backupsFolder()
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
    QDir().mkpath(folder);
    return folder;
}

QString valueOf(const QList<tracktune::DumpLine> &entries, const QString &name)
{
    const tracktune::DumpLine *entry = tracktune::findSetting(entries, name);
    return entry ? entry->value : QString();
}

// Written whole or not at all; why not, when it could not be.
QString writeSettingsFile(const QString &path, const QList<tracktune::DumpLine> &entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    file.write(tracktune::formatSettingsFile(entries, QDateTime::currentDateTime()).toUtf8());
    return file.commit() ? QString() : file.errorString();
}

// Plain text: what the box quotes came from a file or the tracker and is never markup.
QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MainWindow::on_buttonSaveSettings_clicked()
{
    if (session.isBusy() || !configurationLoaded)
        return;
    const HeldTracker held = holdTracker();
    messageBar->clear();
    // What the tracker holds is saved, not what the pilot has yet to apply.
    // Said above the table, where it is read whole while the file is chosen; a dialog's title
    // would be cut.
    const int pending = int(pendingChanges().size());
    if (pending > 0) {
        messageBar->showMessage(MessageBar::Kind::Warning,
            tr("The %n change(s) not yet applied are not saved: the file gets what the tracker holds.",
                nullptr, pending));
    }
    const QString suggested = backupsFolder() + QLatin1Char('/')
        + tracktune::settingsFileName(held.identity.address, QDate::currentDate());
    const QString path
        = QFileDialog::getSaveFileName(this, tr("Save settings"), suggested, tr("Settings files (*.txt)"));
    if (path.isEmpty() || !stillHeld(held, tr("while you chose the file"), tr("Nothing was saved.")))
        return;
    const QString error = writeSettingsFile(path, held.list);
    if (!error.isEmpty()) {
        ui->statusBar->showMessage(tr("Settings not saved"));
        ask(this, QMessageBox::Critical, tr("Settings not saved"),
            tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error), QMessageBox::Ok,
            QMessageBox::Ok);
        return;
    }
    ui->statusBar->showMessage(tr("Settings saved"));
    messageBar->showMessage(
        MessageBar::Kind::Information, tr("Settings saved to:"), QDir::toNativeSeparators(path));
}

void MainWindow::on_buttonLoadSettings_clicked()
{
    if (session.isBusy() || !configurationLoaded)
        return;
    const HeldTracker held = holdTracker();
    messageBar->clear();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Load settings"), backupsFolder(), tr("Settings files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    tracktune::SettingsFile settings;
    if (file.open(QIODevice::ReadOnly))
        settings = tracktune::readSettingsFile(file);
    else
        settings.problem = file.errorString();
    if (!settings.problem.isEmpty()) {
        ask(this, QMessageBox::Critical, tr("Load settings"),
            tr("%1 cannot be loaded: %2").arg(QDir::toNativeSeparators(path), settings.problem),
            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const QString nothingMarked = tr("Nothing was loaded.");
    if (!stillHeld(held, tr("while you chose the file"), nothingMarked))
        return;
    // Another aircraft's identity only when the pilot says so: two trackers with one address
    // are a hazard in the air. A template names no aircraft, and its identity lines are asked too.
    tracktune::ChangePlan plan = tracktune::planFile(settings.settings, held.list, false, settings.lineOf);
    if (!plan.identityKept.isEmpty()) {
        const QString names = plan.identityKept.join(QStringLiteral(", "));
        const QString question = plan.isTemplate
            ? tr("This file is a template: it names no Address. Take its identity settings too (%1)?")
                  .arg(names)
            : tr("This file is from another aircraft (address %1). Take its identity too (%2)?")
                  .arg(valueOf(settings.settings, QStringLiteral("Address")), names);
        const bool takeIdentity = ask(this, QMessageBox::Question, tr("Load settings"), question,
                                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
        if (!stillHeld(held, tr("while the question was open"), nothingMarked))
            return;
        if (takeIdentity)
            plan = tracktune::planFile(settings.settings, held.list, true, settings.lineOf);
    }
    // A misspelled name is told with its line and the name the tracker has.
    QStringList missing;
    for (const tracktune::MissingName &name : std::as_const(plan.missing)) {
        const QString line = name.line > 0 ? tr("line %1: ").arg(name.line) : QString();
        missing << line
                + (name.catalogued
                        ? tr("%1 (a parameter this tracker's firmware does not have)").arg(name.name)
                        : name.nearest.isEmpty() ? name.name
                                                 : tr("%1 (did you mean %2?)").arg(name.name, name.nearest));
    }
    const QStringList refused = plan.problems + settings.notRestorable;
    QStringList told;
    if (!missing.isEmpty())
        told << tr("The tracker has no parameter of these names; they are skipped:\n%1")
                    .arg(missing.join(QLatin1Char('\n')));
    if (!refused.isEmpty())
        told << tr("These values are not taken:\n%1").arg(refused.join(QLatin1Char('\n')));
    if (!told.isEmpty()) {
        ask(this, QMessageBox::Warning, tr("Load settings"), told.join(QStringLiteral("\n\n")),
            QMessageBox::Ok, QMessageBox::Ok);
        if (!stillHeld(held, tr("while the message was open"), nothingMarked))
            return;
    }
    markChanges(plan.writes);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!plan.writes.isEmpty())
        messageBar->showMessage(MessageBar::Kind::Information,
            tr("%n setting(s) loaded: Apply writes them to the tracker. From:", nullptr,
                int(plan.writes.size())),
            shownPath);
    else if (missing.isEmpty() && refused.isEmpty() && plan.identityKept.isEmpty())
        messageBar->showMessage(MessageBar::Kind::Information,
            tr("The tracker already holds the settings of this file:"), shownPath);
    else
        messageBar->showMessage(MessageBar::Kind::Warning, tr("Nothing loaded from:"), shownPath);
}

QString MainWindow::backupPathBeforeUpdate(const HeldTracker &held) const
{
    return backupsFolder() + QLatin1Char('/')
        + tracktune::automaticBackupName(held.identity.address, QDateTime::currentDateTime());
}

QString MainWindow::saveBackupBeforeUpdate(const HeldTracker &held, const QString &path)
{
    // Nothing to restore from a list that was never read whole.
    if (held.list.isEmpty() || held.identity.address.isEmpty())
        return tr("The tracker's settings have not been read, so the update does not start.");
    const QString folder = QFileInfo(path).path();
    const QString written = QFileInfo(path).fileName();
    const QString error = writeSettingsFile(path, held.list);
    if (!error.isEmpty()) {
        return tr(
            "The tracker's settings could not be saved before the update, so it does not start.\n%1: %2")
            .arg(QDir::toNativeSeparators(path), error);
    }
    const QFileInfoList listed = QDir(folder).entryInfoList(QDir::Files);
    QList<tracktune::BackupFile> files;
    for (const QFileInfo &file : listed)
        files << tracktune::BackupFile {file.fileName(), file.lastModified()};
    const QStringList old = tracktune::backupsToPrune(files, held.identity.address, written);
    for (const QString &name : old)
        QFile::remove(folder + QLatin1Char('/') + name);
    restoreOffer = RestoreOffer {held.identity, held.list};
    return QString();
}

void MainWindow::offerRestore()
{
    if (!restoreOffer || !configurationLoaded || session.isBusy())
        return;
    const HeldTracker held = holdTracker();
    // Only the same device: another aircraft would get this one's identity. An update that puts
    // the settings back to their defaults changes the Address too, not the CPU id.
    if (!tracktune::isSameDevice(restoreOffer->tracker, held.identity))
        return;
    const tracktune::ChangePlan plan = tracktune::planFile(restoreOffer->settings, held.list, true);
    restoreOffer.reset();
    if (plan.writes.isEmpty())
        return;
    QStringList changes;
    for (const tracktune::DumpLine &write : plan.writes)
        changes << tr("%1: %2 -> %3").arg(write.name, valueOf(held.list, write.name), write.value);
    const QString reg = valueOf(held.list, QStringLiteral("Reg"));
    const QString tracker
        = reg.isEmpty() ? held.identity.address : tr("%1, %2").arg(held.identity.address, reg);
    if (ask(this, QMessageBox::Question, tr("Restore settings"),
            tr("Restore these settings of the tracker %1 from before the firmware update?\n\n%2")
                .arg(tracker, changes.join(QLatin1Char('\n'))),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            != QMessageBox::Yes
        || !stillHeld(held, tr("while the question was open"), tr("Nothing was written.")))
        return;
    markChanges(plan.writes);
    writeChanges([this](bool saved) {
        if (saved)
            ui->statusBar->showMessage(tr("Settings restored"));
    });
}
