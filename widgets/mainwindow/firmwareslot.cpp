// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "dialogs/progressdialog.h"
#include "firmware/firmwareupdate.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// A critical box with one OK button. Plain text: what it quotes came from the tracker or
// the flasher and must never be taken for markup.
void showCritical(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString failureText(const FirmwareUpdate::Outcome &outcome)
{
    QString text = outcome.crashed
        ? MainWindow::tr("The firmware loader crashed.")
        : MainWindow::tr("The firmware loader ended with exit code %1.").arg(outcome.exitCode);
    text += QLatin1Char(' ')
        + MainWindow::tr("The device might be in inconsistent state. If that is the case, please "
                         "try again or contact technical support.");
    if (!outcome.lastErrors.isEmpty())
        text += QStringLiteral("\n\n") + outcome.lastErrors.join(QLatin1Char('\n'));
    return text;
}

} // namespace

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    // A click queued while another device operation ran.
    if (session.isBusy() || !configurationLoaded)
        return;
    // The tracker the pilot chose the firmware for is the one flashed, or none.
    const HeldTracker held = holdTracker();
    FirmwareUpdate update(applicationFolder, tracktune::firmwareFolderFor(held.identity.hardware));
    const QString problem = update.problem();
    if (!problem.isEmpty()) {
        showCritical(this, problem.section(QLatin1Char('\n'), 0, 0), problem);
        return;
    }
    const QString notFlashed = tr("Nothing was flashed.");
    const QString firmwareFile = QFileDialog::getOpenFileName(
        this, tr("Select firmware file"), QString(), tr("Binary files (*.bin)"));
    if (firmwareFile.isEmpty() || !stillHeld(held, tr("while you chose the file"), notFlashed))
        return;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Firmware update"),
        tr("Warning! Make sure to only install firmware from the trusted source. Installing wrong "
           "firmware may cause irreversible damage to the device. Are you sure you want to "
           "continue?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    // Escape or the window's close button: no consent either.
    if (answer != QMessageBox::Yes || !stillHeld(held, tr("while the question was open"), notFlashed))
        return;
    // The flasher may leave the tracker with its factory values: its settings are kept first.
    const QString notSaved = saveBackupBeforeUpdate(held);
    if (!notSaved.isEmpty()) {
        showCritical(this, tr("Firmware update not possible"), notSaved);
        return;
    }

    FirmwareUpdate::Outcome outcome;
    const bool ran = session.run(DeviceSession::Operation::FirmwareUpdate, [&] {
        session.link().closePort();
        auto *dialog = new ProgressDialog(this);
        connect(&update, &FirmwareUpdate::outputLine, dialog, &ProgressDialog::appendOutput);
        connect(dialog, &ProgressDialog::cancelRequested, &update, &FirmwareUpdate::cancel);
        dialog->show();
        // The flasher opens the port by the name the system gives it: the held tracker's.
        outcome = update.run(held.identity.port, firmwareFile);
        disconnect(dialog, &ProgressDialog::cancelRequested, &update, &FirmwareUpdate::cancel);
        using Kind = FirmwareUpdate::Outcome::Kind;
        dialog->finish(outcome.kind == Kind::Finished ? ProgressDialog::Ending::Finished
                : outcome.kind == Kind::Cancelled     ? ProgressDialog::Ending::Cancelled
                                                      : ProgressDialog::Ending::Failed);
    });
    if (!ran)
        return;
    // Told once the port is free to be found again, while the user reads.
    if (outcome.kind == FirmwareUpdate::Outcome::Kind::NotStarted) {
        showCritical(this, tr("An error has occurred during update process."),
            tr("An error has occurred during update process. The device might be "
               "in inconsistent state. If that is the case, please try again or "
               "contact technical support."));
    } else if (outcome.kind == FirmwareUpdate::Outcome::Kind::Cancelled) {
        showCritical(this, tr("Firmware update cancelled"),
            tr("The firmware update was cancelled before the loader had finished. The tracker may not "
               "start until it is updated again. Its settings were saved before the update."));
    } else if (outcome.kind == FirmwareUpdate::Outcome::Kind::Failed) {
        showCritical(this, tr("Firmware update failed"), failureText(outcome));
    }
}
