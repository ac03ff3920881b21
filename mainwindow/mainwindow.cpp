#include "mainwindow/mainwindow.h"

#include "config/valueencoding.h"
#include "config/verification.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>

namespace {
const int parameterColumnWidth = 150;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    ui->table->setColumnWidth(0, parameterColumnWidth);

    ui->table->setEnabled(false);
    updateControls();
    ui->frameExpertTools->hide();

    refreshPortList();

    connect(&session, &DeviceSession::searching, this, [this] {
        refreshPortList();
        ui->statusBar->showMessage(QStringLiteral("Waiting for device..."));
    });
    connect(&session, &DeviceSession::updating, this,
        [this] { ui->statusBar->showMessage(QStringLiteral("Software update in progress...")); });
    connect(&session, &DeviceSession::operationChanged, this, &MainWindow::updateControls);
    session.start();

    Serial &serial = session.link();
    connect(&serial, &Serial::disconnected, this, &MainWindow::onDisconnected, Qt::DirectConnection);
    connect(&serial, &Serial::connected, this, &MainWindow::onConnected, Qt::DirectConnection);
    connect(&serial, &Serial::dataRead, &serialMonitor, &SerialMonitor::append);
    // Shown after "Waiting for device..." on every search, for as long as it lasts.
    connect(&serial, &Serial::portRefused, this,
        [this](const QString &port, QSerialPort::SerialPortError error, bool permitted) {
            const QString message = tracktune::portRefusalMessage(port, error, permitted);
            if (!message.isEmpty())
                ui->statusBar->showMessage(message);
        });
}

MainWindow::~MainWindow()
{
    // Closing the port while the members go would report to a form that is gone.
    session.stop();
    session.disconnect(this);
    session.link().disconnect(this);
    delete ui;
}

void MainWindow::updateControls()
{
    // Nothing that starts a device operation is usable while one runs; what needs the
    // tracker's list needs a list read from an open link.
    const bool idle = !session.isBusy();
    const bool ready = idle && configurationLoaded && session.link().isOpen();
    ui->serialPortList->setEnabled(idle);
    ui->buttonAdvanced->setEnabled(idle);
    ui->refreshButton->setEnabled(ready);
    ui->applyButton->setEnabled(ready);
    ui->buttonFirmwareUpdate->setEnabled(ready);
}

void MainWindow::on_buttonAdvanced_clicked(bool checked)
{
    // A click queued while a device operation ran changes nothing.
    if (session.isBusy()) {
        ui->buttonAdvanced->setChecked(expertMode);
        return;
    }
    expertMode = checked;
    ui->buttonAdvanced->setText(checked ? QStringLiteral("Standard mode") : QStringLiteral("Expert mode"));
    ui->frameExpertTools->setVisible(checked);
    session.run(DeviceSession::Operation::Read, [this] { loadConfiguration(); });
}

void MainWindow::on_buttonSerialMonitor_clicked()
{
    serialMonitor.show();
}

void MainWindow::on_refreshButton_clicked()
{
    session.run(DeviceSession::Operation::Read, [this] { loadConfiguration(); });
}

void MainWindow::on_applyButton_clicked()
{
    session.run(DeviceSession::Operation::Write, [this] { writeChanges(); });
}

bool MainWindow::loadConfiguration(QList<tracktune::DumpLine> *read)
{
    configurationLoaded = false;
    ui->table->clearForLoad();
    // Show the emptied table before the read blocks.
    QCoreApplication::processEvents();

    const std::optional<QList<tracktune::DumpLine>> entries = session.readConfiguration();
    if (!entries)
        return false;
    ui->table->fill(*entries, expertMode);
    configurationLoaded = true;
    if (read)
        *read = *entries;
    return true;
}

void MainWindow::writeChanges()
{
    ui->table->setEnabled(false);
    ui->statusBar->showMessage(QStringLiteral("Writing to device..."));
    // A value no sentence can carry is never sent: it would set another parameter or none.
    QList<tracktune::DumpLine> writes;
    QList<tracktune::DumpLine> refused;
    QStringList refusals;
    const QList<tracktune::DumpLine> changes = ui->table->changes();
    for (const tracktune::DumpLine &change : changes) {
        const QString refusal = tracktune::sentenceRefusal(change.name, change.value);
        if (refusal.isEmpty()) {
            writes << change;
        } else {
            refused << change;
            refusals << change.name + QStringLiteral(" (") + refusal + QLatin1Char(')');
        }
    }
    const DeviceSession::WriteOutcome outcome = session.write(writes);

    // The tracker drops a sentence it does not take without a word: only its list tells.
    QList<tracktune::DumpLine> reported;
    if (!loadConfiguration(&reported)) {
        QStringList notSent;
        for (const tracktune::DumpLine &setting : outcome.notSent)
            notSent << setting.name;
        ui->statusBar->showMessage(QStringLiteral("Changes not confirmed: the connection was lost")
            + (notSent.isEmpty() ? QString()
                                 : QStringLiteral("; not sent: ") + notSent.join(QStringLiteral(", "))));
        return;
    }
    ui->table->restoreEdits(refused);
    QStringList problems;
    const QStringList untaken = tracktune::untakenParameters(outcome.sent, reported);
    if (!untaken.isEmpty())
        problems << QStringLiteral("Not saved: ") + untaken.join(QStringLiteral(", "));
    if (!refusals.isEmpty())
        problems << QStringLiteral("Not sent: ") + refusals.join(QStringLiteral(", "));
    ui->statusBar->showMessage(
        problems.isEmpty() ? QStringLiteral("Changes saved") : problems.join(QStringLiteral("; ")));
}
