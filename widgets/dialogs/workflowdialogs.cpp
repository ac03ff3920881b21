// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/workflowdialogs.h"

#include "dialogs/progressdialog.h"
#include "firmware/firmwareupdate.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

constexpr bool sameButton(tracktune::Box::Button button, QMessageBox::StandardButton standard)
{
    return int(button) == int(standard);
}
static_assert(sameButton(tracktune::Box::Yes, QMessageBox::Yes)
        && sameButton(tracktune::Box::No, QMessageBox::No)
        && sameButton(tracktune::Box::Apply, QMessageBox::Apply)
        && sameButton(tracktune::Box::Discard, QMessageBox::Discard)
        && sameButton(tracktune::Box::Cancel, QMessageBox::Cancel)
        && sameButton(tracktune::Box::Ok, QMessageBox::Ok),
    "a workflow's buttons are the boxes'");

static_assert(int(tracktune::Box::Critical) == int(QMessageBox::Critical)
        && int(tracktune::Box::Question) == int(QMessageBox::Question),
    "a workflow's icons are the boxes'");

} // namespace

tracktune::Box::Button WorkflowDialogs::ask(const tracktune::Box &question)
{
    QMessageBox box(QMessageBox::Icon(question.icon), question.title, question.text,
        QMessageBox::StandardButtons(QFlag(int(question.buttons))), window);
    if (question.plainText)
        box.setTextFormat(Qt::PlainText);
    if (question.byDefault != tracktune::Box::NoButton)
        box.setDefaultButton(QMessageBox::StandardButton(question.byDefault));
    if (!question.details.isEmpty())
        box.setDetailedText(question.details);
    box.exec();
    // Escape and the window's close button click the box's escape button.
    return tracktune::Box::Button(box.standardButton(box.clickedButton()));
}

QString WorkflowDialogs::chooseFile(
    FileChoice choice, const QString &title, const QString &start, const QString &filter)
{
    return choice == FileChoice::Save ? QFileDialog::getSaveFileName(window, title, start, filter)
                                      : QFileDialog::getOpenFileName(window, title, start, filter);
}

void WorkflowDialogs::showProgress(FirmwareUpdate *flasher)
{
    qDeleteAll(window->findChildren<ProgressDialog *>());
    auto *dialog = new ProgressDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(flasher, &FirmwareUpdate::outputLine, dialog, &ProgressDialog::appendOutput);
    QObject::connect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
    QObject::connect(flasher, &FirmwareUpdate::finished, dialog,
        [flasher, dialog](const FirmwareUpdate::Outcome &outcome) {
            using Kind = FirmwareUpdate::Outcome::Kind;
            QObject::disconnect(dialog, &ProgressDialog::cancelRequested, flasher, &FirmwareUpdate::cancel);
            dialog->finish(outcome.kind == Kind::Finished ? ProgressDialog::Ending::Finished
                    : outcome.kind == Kind::Cancelled     ? ProgressDialog::Ending::Cancelled
                                                          : ProgressDialog::Ending::Failed);
        });
    dialog->show();
}
