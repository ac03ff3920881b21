// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "dialogs/progressdialog.h"
#include "firmware/firmwareupdate.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace {

// A critical box with one OK button. Plain text: what it quotes came from the tracker or
// the flasher and must never be taken for markup.
// A backup's whole path goes in its details, so that the box fits a small screen.
void showCritical(
    QWidget *parent, const QString &title, const QString &text, const QString &backup = QString())
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (!backup.isEmpty())
        box.setDetailedText(MainWindow::tr("Settings saved to: %1").arg(QDir::toNativeSeparators(backup)));
    box.exec();
}

QString whatNext(const QString &backup);

QString failureText(const FirmwareUpdate::Outcome &outcome, const QString &backup)
{
    QString text = outcome.crashed
        ? MainWindow::tr("The firmware loader crashed.")
        : MainWindow::tr("The firmware loader ended with exit code %1.").arg(outcome.exitCode);
    if (!outcome.lastErrors.isEmpty())
        text += QStringLiteral("\n\n") + outcome.lastErrors.join(QLatin1Char('\n'));
    return text + QStringLiteral("\n\n") + whatNext(backup);
}

QString whatNext(const QString &backup)
{
    return MainWindow::tr("What now: unplug the tracker, plug it in again and start the update once more. "
                          "Its settings from before are saved in %1 in the backups folder; once the update "
                          "has worked they are offered back.")
        .arg(QFileInfo(backup).fileName());
}

QString valueOf(const QList<tracktune::DumpLine> &list, const QString &name)
{
    for (const tracktune::DumpLine &line : list) {
        if (line.name == name)
            return line.value;
    }
    return QString();
}

// Where the image chooser opens: the folder of the last image chosen, else the Downloads folder.
const QLatin1String lastImageKey("firmware/lastImageFolder");

QString imageFolder()
{
    const QString last = QSettings().value(lastImageKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    // A folder that does not exist would be taken for a file name.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QFileInfo(downloads).isDir() ? downloads : QDir::homePath();
}

} // namespace

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    // A click queued while another device operation ran.
    if (session.isBusy() || !configurationLoaded)
        return;
    // The tracker the pilot chose the firmware for is the one flashed, or none.
    const HeldTracker held = holdTracker();
    // The window's once the flasher starts, until it has ended.
    auto update = std::make_unique<FirmwareUpdate>(
        applicationFolder, tracktune::firmwareFolderFor(held.identity.hardware), this);
    const QString problem = update->problem();
    if (!problem.isEmpty()) {
        showCritical(this, problem.section(QLatin1Char('\n'), 0, 0), problem);
        return;
    }
    const QString notFlashed = tr("Nothing was flashed.");
    const QString firmwareFile = QFileDialog::getOpenFileName(
        this, tr("Select firmware file"), imageFolder(), tr("Binary files (*.bin)"));
    if (firmwareFile.isEmpty() || !stillHeld(held, tr("while you chose the file"), notFlashed))
        return;
    const QFileInfo image(firmwareFile);
    QSettings().setValue(lastImageKey, image.absolutePath());
    const QString backup = backupPathBeforeUpdate(held);
    const QLocale locale;
    const QString reg = valueOf(held.list, QStringLiteral("Reg"));
    // Plain text: the file's name and the tracker's values are never markup. No is the default.
    // File names only, so that it fits a small screen; the whole paths are in its details.
    QMessageBox confirmation(QMessageBox::Warning, tr("Firmware update"),
        tr("Write the firmware image %1 (%2, %3) to the tracker %4 (Reg %5, hardware %6)?")
                .arg(image.fileName(), locale.formattedDataSize(image.size()),
                    locale.toString(image.lastModified(), QLocale::ShortFormat), held.identity.address,
                    reg.isEmpty() ? tr("none") : reg, held.identity.hardware)
            + QStringLiteral("\n\n")
            + tr("Its settings are saved first, to %1 in the backups folder.")
                  .arg(QFileInfo(backup).fileName())
            + QLatin1Char(' ') + tr("Keep the tracker plugged in until the update has finished.")
            + QStringLiteral("\n\n") + tr("Install only firmware from a trusted source."),
        QMessageBox::Yes | QMessageBox::No, this);
    confirmation.setDetailedText(
        tr("Image: %1\nSettings saved to: %2")
            .arg(QDir::toNativeSeparators(image.absoluteFilePath()), QDir::toNativeSeparators(backup)));
    confirmation.setTextFormat(Qt::PlainText);
    confirmation.setDefaultButton(QMessageBox::No);
    const int answer = confirmation.exec();
    // Escape or the window's close button: no consent either.
    if (answer != QMessageBox::Yes || !stillHeld(held, tr("while the question was open"), notFlashed))
        return;
    // The flasher may leave the tracker with its factory values: its settings are kept first.
    const QString notSaved = saveBackupBeforeUpdate(held, backup);
    if (!notSaved.isEmpty()) {
        showCritical(this, tr("Firmware update not possible"), notSaved);
        return;
    }

    if (!session.beginOperation(DeviceSession::Operation::FirmwareUpdate))
        return;
    session.link().closePort();
    // One progress dialog at a time: the last update's goes, whatever it said.
    qDeleteAll(findChildren<ProgressDialog *>());
    auto *dialog = new ProgressDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    FirmwareUpdate *flasher = update.release();
    connect(flasher, &FirmwareUpdate::outputLine, dialog, &ProgressDialog::appendOutput);
    connect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
    connect(flasher, &FirmwareUpdate::finished, this,
        [this, flasher, dialog = QPointer<ProgressDialog>(dialog), backup](
            const FirmwareUpdate::Outcome &outcome) {
            flasher->deleteLater();
            using Kind = FirmwareUpdate::Outcome::Kind;
            if (dialog) {
                disconnect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
                dialog->finish(outcome.kind == Kind::Finished ? ProgressDialog::Ending::Finished
                        : outcome.kind == Kind::Cancelled     ? ProgressDialog::Ending::Cancelled
                                                              : ProgressDialog::Ending::Failed);
            }
            session.endOperation();
            // Told once the port is free to be found again, while the user reads.
            if (outcome.kind == Kind::NotStarted) {
                QString text
                    = tr("The firmware loader could not be started, so the tracker was not changed.");
                if (!outcome.lastErrors.isEmpty())
                    text += QStringLiteral("\n\n") + outcome.lastErrors.join(QLatin1Char('\n'));
                showCritical(this, tr("An error has occurred during update process."),
                    text + QStringLiteral("\n\n")
                        + tr("What now: check that the firmware folder's loader may be run, then try again. "
                             "The tracker's settings are saved in %1 in the backups folder.")
                              .arg(QFileInfo(backup).fileName()),
                    backup);
            } else if (outcome.kind == Kind::Cancelled) {
                showCritical(this, tr("Firmware update cancelled"),
                    tr("The firmware update was cancelled before the loader had finished. The tracker may "
                       "not start until it is updated again. Its settings were saved before the update.")
                        + QStringLiteral("\n\n") + whatNext(backup),
                    backup);
            } else if (outcome.kind == Kind::Failed) {
                showCritical(this, tr("Firmware update failed"), failureText(outcome, backup), backup);
            }
        });
    dialog->show();
    // The flasher opens the port by the name the system gives it: the held tracker's.
    flasher->start(held.identity.port, firmwareFile);
}
