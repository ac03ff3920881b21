// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "dialogs/progressdialog.h"
#include "firmware/firmwareupdate.h"
#include "ui_mainwindow.h"
#include "workflows/firmwareworkflow.h"
#include "workflows/settingsworkflows.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

static_assert(int(tracktune::Box::Critical) == int(QMessageBox::Critical)
        && int(tracktune::Box::Question) == int(QMessageBox::Question),
    "a workflow's icons are the boxes'");
constexpr bool sameButton(tracktune::Box::Button button, QMessageBox::StandardButton standard)
{
    return int(button) == int(standard);
}
static_assert(sameButton(tracktune::Box::Yes, QMessageBox::Yes) && sameButton(tracktune::Box::No, QMessageBox::No)
        && sameButton(tracktune::Box::Apply, QMessageBox::Apply)
        && sameButton(tracktune::Box::Discard, QMessageBox::Discard)
        && sameButton(tracktune::Box::Cancel, QMessageBox::Cancel) && sameButton(tracktune::Box::Ok, QMessageBox::Ok),
    "a workflow's buttons are the boxes'");

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

tracktune::Box::Button MainWindow::ask(const tracktune::Box &question)
{
    QMessageBox box(QMessageBox::Icon(question.icon), question.title, question.text,
        QMessageBox::StandardButtons(QFlag(int(question.buttons))), this);
    if (question.plainText)
        box.setTextFormat(Qt::PlainText);
    if (question.byDefault != tracktune::Box::NoButton)
        box.setDefaultButton(QMessageBox::StandardButton(question.byDefault));
    if (!question.details.isEmpty())
        box.setDetailedText(question.details);
    return tracktune::Box::Button(box.exec());
}

QString MainWindow::chooseFile(FileChoice choice, const QString &title, const QString &start, const QString &filter)
{
    return choice == FileChoice::Save ? QFileDialog::getSaveFileName(this, title, start, filter)
                                      : QFileDialog::getOpenFileName(this, title, start, filter);
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

void MainWindow::showProgress(FirmwareUpdate *flasher)
{
    // One progress dialog at a time: the last update's goes, whatever it said.
    qDeleteAll(findChildren<ProgressDialog *>());
    auto *dialog = new ProgressDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(flasher, &FirmwareUpdate::outputLine, dialog, &ProgressDialog::appendOutput);
    connect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
    connect(flasher, &FirmwareUpdate::finished, dialog, [flasher, dialog](const FirmwareUpdate::Outcome &outcome) {
        using Kind = FirmwareUpdate::Outcome::Kind;
        disconnect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
        dialog->finish(outcome.kind == Kind::Finished ? ProgressDialog::Ending::Finished
                : outcome.kind == Kind::Cancelled     ? ProgressDialog::Ending::Cancelled
                                                      : ProgressDialog::Ending::Failed);
    });
    dialog->show();
}
