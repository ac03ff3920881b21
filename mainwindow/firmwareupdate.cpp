#include "mainwindow/mainwindow.h"

#include "dialogs/progressdialog.h"
#include "mainwindow/flasherarguments.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScopedValueRollback>

namespace {

const QString missingComponentsTitle = QStringLiteral("Firmware update not possible: Missing components.");

QString installHint(const QString &architecture)
{
    return QStringLiteral(" Make sure the firmware loader is installed in firmware/") + architecture
        + QStringLiteral(" directory.");
}

// The flasher runs inside the button's slot: pump events so that the windows,
// the poll and the process's own notifications go on until it is done.
void relayOutput(QProcess &process, ProgressDialog &dialog)
{
    for (;;) {
        const QByteArray line = process.readLine();
        const QString text = flasher::textUpToNul(line);
        if (!text.isEmpty())
            dialog.appendOutput(text);
        if (!line.isEmpty()) {
            QCoreApplication::processEvents();
            continue;
        }
        if (process.state() == QProcess::NotRunning && process.bytesAvailable() == 0)
            return;
        // Nothing to relay yet: sleep until the process or a timer has news.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

} // namespace

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    if (flasherRunning)
        return;
    qDebug() << "Hardware: " << firmwareArch;
    const QString folder = flasher::firmwareFolder(QCoreApplication::applicationDirPath(), firmwareArch);
    if (!QDir(folder).exists()) {
        QMessageBox::critical(this, missingComponentsTitle,
            missingComponentsTitle + QStringLiteral("\nNo firmware loader found for ") + firmwareArch
                + QStringLiteral(" architecture.") + installHint(firmwareArch),
            QMessageBox::Ok);
        return;
    }
    const QStringList components = flasher::requiredComponents();
    for (const QString &name : components) {
        if (QFile::exists(folder + QLatin1Char('/') + name))
            continue;
        QMessageBox::critical(this, missingComponentsTitle,
            missingComponentsTitle + QStringLiteral("\nFile ") + name + QStringLiteral(" not found.")
                + installHint(firmwareArch),
            QMessageBox::Ok);
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

    // The flasher opens the port by the name the system gives it.
    const QString port = Serial::systemLocation(serial.portName());
    serial.closePort();
    updateInProgress = true;

    QFile templateFile(folder + QStringLiteral("/config.txt"));
    templateFile.open(QIODevice::ReadOnly);
    const QStringList arguments = flasher::flasherArguments(flasher::textUpToNul(templateFile.readAll()),
        flasher::chipFromArchitecture(firmwareArch), port, folder, firmwareFile);
    qDebug() << arguments;

    auto *process = new QProcess;
    auto *dialog = new ProgressDialog(this);
    // Connected before the start: a flasher that cannot be started may report so at once.
    connect(process, &QProcess::readChannelFinished, this, [this, process] {
        qDebug() << "update done" << process->readAllStandardError();
        updateInProgress = false;
    });
    connect(process, &QProcess::errorOccurred, this, [this] {
        updateInProgress = false;
        QMessageBox::critical(this, QStringLiteral("An error has occurred during update process."),
            QStringLiteral("An error has occurred during update process. The device might be "
                           "in inconsistent state. If that is the case, please try again or "
                           "contact technical support."),
            QMessageBox::Ok);
    });
    process->start(folder + QStringLiteral("/esptool.exe"), arguments, QIODevice::ReadWrite);
    dialog->show();

    QScopedValueRollback<bool> running(flasherRunning, true);
    relayOutput(*process, *dialog);
    process->deleteLater();
}
