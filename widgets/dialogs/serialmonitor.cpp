// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/serialmonitor.h"

#include "link/monitortext.h"
#include "ui_serialmonitor.h"

#include <QScrollBar>
#include <QTextCursor>

SerialMonitor::SerialMonitor(QWidget *parent) : QDialog(parent), ui(new Ui_SerialMonitor)
{
    ui->setupUi(this);
    ui->textSerialOutput->setMaximumBlockCount(scrollbackLines);
}

SerialMonitor::~SerialMonitor()
{
    delete ui;
}

void SerialMonitor::updateConnection(const QString &device)
{
    ui->labelDevice->setText(device);
    ui->textSerialOutput->clear();
    openLine = 0;
}

void SerialMonitor::append(const QString &data)
{
    if (!capturing)
        return;
    // Appended at the end rather than the whole text set anew: a rewrite costs
    // more on every tick as the text grows.
    if (!data.isEmpty()) {
        QTextCursor end(ui->textSerialOutput->document());
        end.movePosition(QTextCursor::End);
        end.insertText(tracktune::withLinesCapped(data, openLine));
    }
    QScrollBar *bar = ui->textSerialOutput->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void SerialMonitor::on_buttonClean_clicked()
{
    ui->textSerialOutput->clear();
    openLine = 0;
}

void SerialMonitor::on_buttonStartStop_clicked()
{
    const bool wasCapturing = capturing;
    capturing = !capturing;
    ui->buttonStartStop->setText(wasCapturing ? tr("Start") : tr("Stop"));
}
