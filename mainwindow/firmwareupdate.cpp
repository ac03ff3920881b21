#include "mainwindow/mainwindow.h"

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    // Built by the firmware update work.
}
