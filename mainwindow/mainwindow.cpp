#include "mainwindow/mainwindow.h"

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
    ui->refreshButton->setEnabled(false);
    ui->applyButton->setEnabled(false);
    ui->buttonFirmwareUpdate->setEnabled(false);
    ui->frameExpertTools->hide();

    refreshPortList();

    connect(&session, &DeviceSession::searching, this, [this] {
        refreshPortList();
        ui->statusBar->showMessage(QStringLiteral("Waiting for device..."));
    });
    connect(&session, &DeviceSession::updating, this,
        [this] { ui->statusBar->showMessage(QStringLiteral("Software update in progress...")); });
    session.start();

    Serial &serial = session.link();
    connect(&serial, &Serial::disconnected, this, &MainWindow::onDisconnected, Qt::DirectConnection);
    connect(&serial, &Serial::connected, this, &MainWindow::onConnected, Qt::DirectConnection);
    connect(&serial, &Serial::dataRead, &serialMonitor, &SerialMonitor::append);
}

MainWindow::~MainWindow()
{
    // Closing the port while the members go would report to a form that is gone.
    session.stop();
    session.disconnect(this);
    session.link().disconnect(this);
    delete ui;
}

void MainWindow::on_buttonAdvanced_clicked(bool checked)
{
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

bool MainWindow::loadConfiguration()
{
    ui->table->clearForLoad();
    ui->applyButton->setEnabled(false);
    ui->refreshButton->setEnabled(false);
    // Show the emptied table before the read blocks.
    QCoreApplication::processEvents();

    const std::optional<QList<tracktune::DumpLine>> entries = session.readConfiguration();
    if (!entries)
        return false;
    ui->table->fill(*entries, expertMode);
    ui->applyButton->setEnabled(true);
    ui->refreshButton->setEnabled(true);
    return true;
}

void MainWindow::writeChanges()
{
    ui->table->setEnabled(false);
    ui->statusBar->showMessage(QStringLiteral("Writing to device..."));
    session.write(ui->table->changes());
    loadConfiguration();
    // Shown whatever the reload gave; a failed reload has already closed the link.
    ui->statusBar->showMessage(QStringLiteral("Changes saved"));
}
