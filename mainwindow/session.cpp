#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

namespace {
const int connectMessageMs = 5000;

QString portEntryText(const QString &name, const QString &description)
{
    return name + QStringLiteral(" (") + description + QLatin1Char(')');
}
} // namespace

void MainWindow::refreshPortList()
{
    // Filling the list must not count as the user's choice.
    disconnect(ui->serialPortList, &QComboBox::currentTextChanged, nullptr, nullptr);
    ui->serialPortList->clear();
    const QHash<QString, QString> ports = Serial::scanPorts();
    const QStringList names = ports.keys();
    for (const QString &name : names)
        ui->serialPortList->addItem(portEntryText(name, ports.value(name)));
    connect(
        ui->serialPortList, &QComboBox::currentTextChanged, this, &MainWindow::on_serialPortList_selected);
}

void MainWindow::on_serialPortList_selected(const QString &arg1)
{
    const QString name = arg1.split(QStringLiteral(" (")).first();
    session.run(DeviceSession::Operation::Search, [this, &name] { session.connectTo(name); });
}

void MainWindow::onConnected(const QString &deviceName)
{
    ui->statusBar->showMessage(
        QStringLiteral("Connected to OGN device found on ") + deviceName, connectMessageMs);
    serialMonitor.updateConnection(deviceName);

    disconnect(ui->serialPortList, &QComboBox::currentTextChanged, nullptr, nullptr);
    for (int i = 0; i < ui->serialPortList->count(); ++i) {
        // The entry of this port: "COM1" must not pick "COM10 (...)".
        if (ui->serialPortList->itemText(i).startsWith(deviceName + QStringLiteral(" ("))) {
            ui->serialPortList->setCurrentIndex(i);
            break;
        }
    }
    connect(
        ui->serialPortList, &QComboBox::currentTextChanged, this, &MainWindow::on_serialPortList_selected);

    loadConfiguration();
}

void MainWindow::onDisconnected()
{
    ui->statusBar->showMessage(QStringLiteral("Connection closed"));
    configurationLoaded = false;
    ui->table->setEnabled(false);
    updateControls();
}
