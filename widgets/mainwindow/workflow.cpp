// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "mainwindow/busycontrols.h"
#include "ui_mainwindow.h"
#include "workflows/firmwareworkflow.h"
#include "workflows/settingsworkflows.h"
#include "workflows/workflow.h"

void MainWindow::on_buttonSaveSettings_clicked()
{
    if (session.isBusy())
        return;
    if (configurationLoaded)
        tracktune::SaveSettings(session, *this).run();
    else if (shownFile)
        saveShownFile();
}

void MainWindow::on_buttonLoadSettings_clicked()
{
    if (session.isBusy())
        return;
    // Without a tracker's list the file is shown in the table itself.
    if (configurationLoaded)
        tracktune::LoadSettings(session, *this).run();
    else
        openFileWithoutTracker();
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
    announcer->say(text); // an outcome: "Changes saved", "Settings saved"
}

void MainWindow::note(Note kind, const QString &text, const QString &file)
{
    messageBar->showMessage(MessageBar::Kind(kind), text, file);
}

void MainWindow::clearNote()
{
    messageBar->clear();
}

void MainWindow::switchStatusOutputOn()
{
    if (session.isBusy() || !configurationLoaded)
        return;
    const QList<tracktune::DumpLine> list = session.lastReadList();
    const tracktune::DumpLine *verbose = tracktune::findSetting(list, QStringLiteral("Verbose"));
    if (!verbose)
        return;
    // The same gate as every write: the tracker's own form of 1.
    const tracktune::SettingValue on = tracktune::writableValue(
        {QStringLiteral("Verbose"), QStringLiteral("1")}, verbose->value, tracktune::firmwareLineOf(list));
    if (!on.problem.isEmpty()) {
        messageBar->showMessage(MessageBar::Kind::Warning, on.problem);
        return;
    }
    tracktune::Workflow workflow(session, *this);
    using Box = tracktune::Box;
    if (ask({Box::Question, tr("Status output"),
            tr("The tracker prints its status only while Verbose is on. Write Verbose = %1 to the tracker?")
                .arg(on.value),
            Box::Yes | Box::No, Box::No})
            != Box::Yes
        || !workflow.stillHeld(tr("while the question was open"), tr("Nothing was written.")))
        return;
    // Only Verbose goes out; the pilot's other edits stay pending, as they were.
    const QList<tracktune::DumpLine> kept = pendingChanges();
    messageBar->clear();
    if (!session.startWrite({{QStringLiteral("Verbose"), on.value}}))
        return;
    afterWrite = [this, kept](bool) {
        pendingEdits = kept;
        ui->table->restoreEdits(kept);
    };
    tracktune::setUsable(ui->table, false, true);
    ui->statusBar->showMessage(tr("Writing to device..."));
}
