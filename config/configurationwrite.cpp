#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

void MainWindow::on_applyButton_clicked()
{
    writeChanges();
}

void MainWindow::writeChanges()
{
    loadConfiguration();
    ui->statusBar->showMessage(QStringLiteral("Changes saved"));
}
