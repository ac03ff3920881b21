#include "mainwindow/mainwindow.h"

#include "config/dumpline.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScopedValueRollback>

namespace {
const int rowHeight = 20;
const int shortestDump = 10;

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
    // Filling the table must mark nothing.
    disconnect(ui->table, &QTableWidget::cellChanged, nullptr, nullptr);
    ui->table->setEnabled(false);
    ui->applyButton->setEnabled(false);
    ui->refreshButton->setEnabled(false);
    ui->table->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Value")});
    // The style's minimum section size would make the rows taller than asked.
    ui->table->verticalHeader()->setMinimumSectionSize(rowHeight);

    createValueEditor();
    // Show the emptied table before the read blocks.
    QCoreApplication::processEvents();

    const QByteArray *dump = serial.readConfiguration();
    if (!dump || dump->size() < shortestDump) {
        serial.closePort();
        return false;
    }

    int row = 0;
    const QStringList lines = tracktune::dumpLines(*dump);
    for (const QString &line : lines) {
        const std::optional<tracktune::DumpLine> entry = tracktune::parseDumpLine(line);
        if (!entry)
            continue;
        if (entry->name == QLatin1String("Hard"))
            firmwareArch = tracktune::firmwareFolderFor(entry->value);

        if (expertMode) {
            QTableWidgetItem *name = nameItem(entry->name);
            auto *value = new QTableWidgetItem(entry->value);
            ui->table->setRowCount(row + 1);
            ui->table->setRowHeight(row, rowHeight);
            ui->table->setItem(row, 1, value);
            ui->table->setItem(row, 0, name);
            ++row;
            continue;
        }
        ParameterDescriptor *descriptor = parameterCatalogue.value(entry->name);
        if (!descriptor)
            continue;
        // The device has started its list again.
        if (row > 0 && entry->name == ui->table->item(0, 0)->text())
            break;
        ui->table->setRowCount(row + 1);
        ui->table->setRowHeight(row, rowHeight);
        ui->table->setItem(row, 0, nameItem(entry->name));
        fillValueCell(row, *descriptor, entry->value);
        ++row;
    }

    connect(ui->table, &QTableWidget::cellChanged, this, &MainWindow::tableCellChanged);
    ui->table->setEnabled(true);
    ui->applyButton->setEnabled(true);
    ui->refreshButton->setEnabled(true);
    return true;
}
