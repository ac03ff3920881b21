#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QScopedValueRollback>

namespace {
const int rowHeight = 20;
const int shortestDump = 10;

QString firmwareFolderFor(const QString &hardware)
{
    if (hardware.isEmpty())
        return QStringLiteral("esp32-tracker");
    if (hardware == QLatin1String("ZRN-S3") || hardware == QLatin1String("ZRN-LTE"))
        return QStringLiteral("esp32s3-tracker");
    if (hardware == QLatin1String("ZRN-C3"))
        return QStringLiteral("esp32c3-tracker");
    return hardware;
}

QTableWidgetItem *nameItem(const QString &name)
{
    auto *item = new QTableWidgetItem(name);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
} // namespace

void MainWindow::on_refreshButton_clicked()
{
    loadConfiguration();
}

bool MainWindow::loadConfiguration()
{
    // The read pumps events; a poll tick inside it must not search again.
    QScopedValueRollback<bool> busy(sessionBusy, true);

    ui->table->clear();
    ui->table->setRowCount(0);
    disconnect(ui->table, &QTableWidget::cellChanged, nullptr, nullptr);
    ui->table->setEnabled(false);
    ui->applyButton->setEnabled(false);
    ui->refreshButton->setEnabled(false);
    ui->table->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Value")});

    createValueEditor();
    QCoreApplication::processEvents();

    const QByteArray *dump = serial.readConfiguration();
    if (!dump || dump->size() < shortestDump) {
        serial.closePort();
        return false;
    }

    const QStringList lines = QString::fromUtf8(dump->constData()).split(QLatin1Char('\n'));
    int row = 0;
    for (QString line : lines) {
        line.remove(QLatin1Char(' '));
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() < 2)
            continue;
        const QString name = parts.at(0);
        const QString value = parts.at(1).split(QLatin1Char(';')).first();
        if (name == QLatin1String("Hard"))
            firmwareArch = firmwareFolderFor(value);

        if (expertMode) {
            ui->table->setRowCount(row + 1);
            ui->table->setRowHeight(row, rowHeight);
            ui->table->setItem(row, 1, new QTableWidgetItem(value));
            ui->table->setItem(row, 0, nameItem(name));
            ++row;
            continue;
        }
        ParameterDescriptor *descriptor = parameterCatalogue.value(name);
        if (!descriptor)
            continue;
        // The device has started its list again.
        if (row > 0 && name == ui->table->item(0, 0)->text())
            break;
        ui->table->setRowCount(row + 1);
        ui->table->setRowHeight(row, rowHeight);
        ui->table->setItem(row, 0, nameItem(name));
        fillValueCell(row, *descriptor, value);
        ++row;
    }

    connect(ui->table, &QTableWidget::cellChanged, this, &MainWindow::tableCellChanged);
    ui->table->setEnabled(true);
    ui->applyButton->setEnabled(true);
    ui->refreshButton->setEnabled(true);
    return true;
}
