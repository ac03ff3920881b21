#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

namespace {
const int pollIntervalMs = 500;
const int parameterColumnWidth = 150;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    initParameterCatalogue();
    ui->table->setColumnWidth(0, parameterColumnWidth);

    ui->table->setEnabled(false);
    ui->refreshButton->setEnabled(false);
    ui->applyButton->setEnabled(false);
    ui->buttonFirmwareUpdate->setEnabled(false);
    ui->frameExpertTools->hide();

    refreshPortList();

    connect(&pollTimer, &QTimer::timeout, this, &MainWindow::onPollTimeout, Qt::DirectConnection);
    pollTimer.start(pollIntervalMs);

    connect(&serial, &Serial::disconnected, this, &MainWindow::onDisconnected, Qt::DirectConnection);
    connect(&serial, &Serial::connected, this, &MainWindow::onConnected, Qt::DirectConnection);
    connect(&serial, &Serial::dataRead, &serialMonitor, &SerialMonitor::append);
}

MainWindow::~MainWindow()
{
    // Closing the port while the members go would report to a form that is gone.
    pollTimer.stop();
    serial.disconnect(this);
    releaseCatalogue();
    delete ui;
}

void MainWindow::on_buttonAdvanced_clicked(bool checked)
{
    expertMode = checked;
    ui->buttonAdvanced->setText(checked ? QStringLiteral("Standard mode") : QStringLiteral("Expert mode"));
    ui->frameExpertTools->setVisible(checked);
    loadConfiguration();
}

void MainWindow::on_buttonSerialMonitor_clicked()
{
    serialMonitor.show();
}
