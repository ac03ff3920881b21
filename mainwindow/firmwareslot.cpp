#include "mainwindow/mainwindow.h"

#include "dialogs/progressdialog.h"
#include "firmware/firmwareupdate.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    // A click queued while another device operation ran.
    if (session.isBusy())
        return;
    FirmwareUpdate update(QCoreApplication::applicationDirPath(), session.firmwareArch());
    const QString problem = update.missingComponents();
    if (!problem.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("Firmware update not possible: Missing components."),
            problem, QMessageBox::Ok);
        return;
    }
    const QString firmwareFile = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select firmware file"), QString(), QStringLiteral("Binary files (*.bin)"));
    if (firmwareFile.isEmpty())
        return;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, QStringLiteral("Firmware update"),
        QStringLiteral(
            "Warning! Make sure to only install firmware from the trusted source. Installing wrong "
            "firmware may cause irreversible damage to the device. Are you sure you want to "
            "continue?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No)
        return;

    session.run(DeviceSession::Operation::FirmwareUpdate, [&] {
        // The flasher opens the port by the name the system gives it.
        const QString port = Serial::systemLocation(session.link().portName());
        session.link().closePort();
        session.setUpdateInProgress(true);

        auto *dialog = new ProgressDialog(this);
        connect(&update, &FirmwareUpdate::outputLine, dialog, &ProgressDialog::appendOutput);
        connect(&update, &FirmwareUpdate::finished, this, [this] { session.setUpdateInProgress(false); });
        connect(&update, &FirmwareUpdate::failed, this, [this] {
            session.setUpdateInProgress(false);
            QMessageBox::critical(this, QStringLiteral("An error has occurred during update process."),
                QStringLiteral("An error has occurred during update process. The device might be "
                               "in inconsistent state. If that is the case, please try again or "
                               "contact technical support."),
                QMessageBox::Ok);
        });
        dialog->show();
        update.run(port, firmwareFile);
        dialog->showPendingOutput();
    });
}
