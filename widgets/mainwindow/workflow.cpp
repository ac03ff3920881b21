// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"
#include "workflows/firmwareworkflow.h"
#include "workflows/settingsworkflows.h"

void MainWindow::on_buttonSaveSettings_clicked()
{
    if (!session.isBusy() && configurationLoaded)
        tracktune::SaveSettings(session, *this).run();
}

void MainWindow::on_buttonLoadSettings_clicked()
{
    if (!session.isBusy() && configurationLoaded)
        tracktune::LoadSettings(session, *this).run();
}

void MainWindow::on_buttonFirmwareUpdate_clicked()
{
    // A click queued while another device operation ran.
    if (session.isBusy() || !configurationLoaded)
        return;
    if (auto offer = tracktune::FirmwareUpdateWorkflow(session, *this, applicationFolder, this).run())
        restoreOffer = offer;
}

void MainWindow::offerRestore()
{
    if (restoreOffer && configurationLoaded && !session.isBusy())
        tracktune::RestoreSettings(session, *this).run(restoreOffer);
}

void MainWindow::showStatus(const QString &text)
{
    ui->statusBar->showMessage(text);
}

void MainWindow::note(Note kind, const QString &text, const QString &file)
{
    messageBar->showMessage(MessageBar::Kind(kind), text, file);
}

void MainWindow::clearNote()
{
    messageBar->clear();
}
