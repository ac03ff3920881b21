// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file shown without a tracker's list: a club template or a backup, edited at home
// with the tracker's own editors and checks, saved as a file, and compared with the tracker
// whose list is read next, its differing rows marked for Apply.
#include "mainwindow/mainwindow.h"

#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/pilotwords.h"
#include "mainwindow/busycontrols.h"
#include "mainwindow/elidedlabel.h"
#include "ui_mainwindow.h"
#include "workflows/settingsworkflows.h"
#include "workflows/workflow.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

using tracktune::Box;

void MainWindow::openFileWithoutTracker()
{
    const int pending = int(pendingChanges().size());
    if (pending > 0
        && ask({Box::Question, tr("Load settings"),
               tr("Discard the %n change(s) not yet saved or applied and open another file?", nullptr,
                   pending),
               Box::Yes | Box::No, Box::No})
            != Box::Yes)
        return;
    const std::optional<tracktune::LoadSettings::Chosen> chosen = tracktune::LoadSettings::chooseFile(*this);
    if (!chosen)
        return;
    const QString shownPath = QDir::toNativeSeparators(chosen->path);
    // A tracker read while the file was chosen: a load with it plans the file on its list, so the
    // pilot loads it again rather than have it shown as if no tracker were there.
    if (configurationLoaded || session.isBusy()) {
        messageBar->showMessage(MessageBar::Kind::Warning,
            tr("A tracker was connected while you chose the file, and nothing was loaded. Load the file "
               "again to compare it with the tracker:"),
            shownPath);
        return;
    }
    const tracktune::SettingsFile &file = chosen->file;
    pendingEdits.clear();
    shownFile = ShownFile {chosen->path, file, {}};
    // A file of parameters only expert mode shows is shown there.
    const bool expertOnly = std::any_of(file.settings.cbegin(), file.settings.cend(), [](const auto &entry) {
        const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name);
        return !known || !known->everyday;
    });
    if (expertOnly && !expertMode)
        ui->buttonAdvanced->setChecked(true); // shows the file, in expert mode
    else
        showFile();
    messageBar->showMessage(MessageBar::Kind::Information,
        tr("No tracker is connected: the table shows the file. Edit it and save it with Save settings; "
           "once a tracker is connected, the rows where it differs are marked and Apply writes them. File:"),
        shownPath);
    updateControls();
}

void MainWindow::showFile()
{
    ui->table->setReading(false);
    ui->table->clearForLoad();
    ui->table->fill(shownFile->file.settings, expertMode, tracktune::lineOfFile(shownFile->file));
    tracktune::setUsable(ui->table, true, false);
    ui->table->restoreEdits(shownFile->edits);
    trackerField->setText(tr("File: %1").arg(QFileInfo(shownFile->path).fileName()));
}

void MainWindow::saveShownFile()
{
    ui->table->commitOpenEditor();
    const QList<tracktune::DumpLine> settings
        = tracktune::withEdits(shownFile->file.settings, pendingChanges());
    const QString path
        = chooseFile(FileChoice::Save, tr("Save settings"), shownFile->path, tr("Settings files (*.txt)"));
    if (path.isEmpty())
        return;
    // A tracker read meanwhile has taken the file's place, its differing rows marked: the pilot
    // is told that nothing was written, and the comparison's outcome stays after that.
    if (!shownFile) {
        showStatus(tr("Settings not saved"));
        messageBar->showMessage(MessageBar::Kind::Warning,
            tr("Nothing was saved to %1: a tracker was connected while you chose the file.")
                    .arg(QDir::toNativeSeparators(path))
                + QLatin1Char(' ') + messageBar->text());
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString error = tracktune::writeSettingsFile(path, settings, QDateTime::currentDateTime(),
        shownFile->file.cpuId, tracktune::lineOfFile(shownFile->file));
    if (!error.isEmpty()) {
        showStatus(tr("Settings not saved"));
        ask({Box::Critical, tr("Settings not saved"), tr("%1 could not be written: %2").arg(shownPath, error),
            Box::Ok, Box::Ok});
        return;
    }
    // The table shows the file as it now is, nothing marked.
    shownFile->path = path;
    shownFile->file.settings = settings;
    shownFile->edits.clear();
    showFile();
    showStatus(tr("Settings saved"));
    messageBar->showMessage(MessageBar::Kind::Information, tr("Settings saved to:"), shownPath);
}

void MainWindow::compareShownFileWithTracker()
{
    const ShownFile shown = *shownFile;
    shownFile.reset();
    const tracktune::HeldTracker held = tracktune::holdTracker(session, configurationLoaded);
    const QList<tracktune::DumpLine> settings = tracktune::withEdits(shown.file.settings, shown.edits);
    // The tracker's own backup brings its identity back; another aircraft's file or a template
    // leaves the tracker's as it is, and says so: that is asked only on a load of its own.
    const tracktune::ChangePlan plan = tracktune::planFile(
        settings, held.list, tracktune::isBackupOf(shown.file, held.identity.cpuId), shown.file.lineOf);
    markChanges(plan.writes);
    QStringList told;
    if (!plan.identityKept.isEmpty()) {
        told << tr("Left as the tracker has them, as the file is another aircraft's or a template: %1. Load "
                   "the file again to be asked about them.")
                    .arg(tracktune::labelsInWords(plan.identityKept));
    }
    QStringList notTaken;
    for (const tracktune::MissingName &name : std::as_const(plan.missing))
        notTaken << name.name;
    notTaken << plan.problems << shown.file.notRestorable;
    if (!notTaken.isEmpty())
        told << tr("Not taken: %1.").arg(notTaken.join(QStringLiteral("; ")));
    const QString first = plan.writes.isEmpty()
        ? tr("The tracker already holds the settings of this file.")
        : tr("The file was compared with the tracker: %n row(s) differ and are marked; Apply writes them.",
            nullptr, int(plan.writes.size()));
    messageBar->showMessage(told.isEmpty() ? MessageBar::Kind::Information : MessageBar::Kind::Warning,
        (QStringList {first} + told + QStringList {tr("File:")}).join(QLatin1Char(' ')),
        QDir::toNativeSeparators(shown.path));
}
