#include "dialogs/serialmonitor.h"

#include "ui_serialmonitor.h"

#include <QScrollBar>

SerialMonitor::SerialMonitor(QWidget *parent) : QDialog(parent), ui(new Ui_SerialMonitor)
{
    ui->setupUi(this);
}

SerialMonitor::~SerialMonitor()
{
    delete ui;
}

void SerialMonitor::updateConnection(const QString &device)
{
    ui->labelDevice->setText(device);
    ui->textSerialOutput->clear();
}

void SerialMonitor::append(const QString &data)
{
    if (!capturing)
        return;
    ui->textSerialOutput->setPlainText(ui->textSerialOutput->document()->toPlainText() + data);
    QScrollBar *bar = ui->textSerialOutput->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void SerialMonitor::on_buttonClean_clicked()
{
    ui->textSerialOutput->clear();
}

void SerialMonitor::on_buttonStartStop_clicked()
{
    const bool wasCapturing = capturing;
    capturing = !capturing;
    ui->buttonStartStop->setText(wasCapturing ? QStringLiteral("Start") : QStringLiteral("Stop"));
}
