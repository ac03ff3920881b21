#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

void MainWindow::createValueEditor()
{
    qDeleteAll(parameterCatalogue);
    parameterCatalogue.clear();
    parameterCatalogue.insert(
        QStringLiteral("Reg"), new ParameterDescriptor(QStringLiteral("String"), nullptr, nullptr));
    parameterCatalogue.insert(
        QStringLiteral("Address"), new ParameterDescriptor(QStringLiteral("String"), nullptr, nullptr));
    parameterCatalogue.insert(
        QStringLiteral("APN"), new ParameterDescriptor(QStringLiteral("String"), nullptr, nullptr));
}

void MainWindow::fillValueCell(int row, ParameterDescriptor &, const QString &value)
{
    ui->table->setItem(row, 1, new QTableWidgetItem(value));
}

void MainWindow::markRowChanged(int row)
{
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    if (QTableWidgetItem *item = ui->table->item(row, 0))
        item->setFont(bold);
}

void MainWindow::tableCellChanged(int row, int column)
{
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    if (QTableWidgetItem *item = ui->table->item(row, column))
        item->setFont(bold);
    markRowChanged(row);
}
