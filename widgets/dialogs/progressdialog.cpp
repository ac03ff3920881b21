// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/progressdialog.h"

#include "firmware/flasherprogress.h"
#include "ui_progressdialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace {
const int batchMs = 50;
} // namespace

ProgressDialog::ProgressDialog(QWidget *parent) : QDialog(parent), ui(new Ui_ProgressDialog)
{
    ui->setupUi(this);
    // Close is offered once the flasher has ended: closing earlier would only hide a running
    // update. Until then the one button stops the flasher, after a question.
    ui->buttonBox->setStandardButtons(QDialogButtonBox::Cancel);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, [this] {
        if (!running) {
            reject();
            return;
        }
        QMessageBox box(QMessageBox::Warning, tr("Stop the firmware update"),
            tr("Stop the firmware loader now? The tracker may not start until it is updated again."),
            QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() == QMessageBox::Yes && running)
            emit cancelRequested();
    });
    pendingTimer.setSingleShot(true);
    connect(&pendingTimer, &QTimer::timeout, this, &ProgressDialog::showPendingOutput);
    sinceShown.start();
}

ProgressDialog::~ProgressDialog()
{
    delete ui;
}

void ProgressDialog::appendOutput(const QString &line)
{
    const QString text = tracktune::withoutTerminalCodes(line);
    // Laying out one line costs more the longer it is: a flasher that prints without line
    // feeds would stall the window.
    const int room = tracktune::maxOutputLineLength;
    for (int start = 0; start < text.size();) {
        const int lineFeed = text.indexOf(QLatin1Char('\n'), start);
        const int end = lineFeed < 0 ? text.size() : lineFeed;
        while (end - start > room - openLineLength) {
            pendingOutput += QStringView(text).mid(start, room - openLineLength);
            pendingOutput += QLatin1Char('\n');
            start += room - openLineLength;
            openLineLength = 0;
        }
        pendingOutput += QStringView(text).mid(start, end - start);
        openLineLength += end - start;
        if (lineFeed < 0)
            break;
        pendingOutput += QLatin1Char('\n');
        openLineLength = 0;
        start = lineFeed + 1;
    }
    if (sinceShown.elapsed() >= batchMs)
        showPendingOutput();
    else if (!pendingTimer.isActive())
        pendingTimer.start(batchMs);

    if (!tracktune::isProgressLine(text))
        return;
    ui->label->setText(tr("Writing to the device. Please wait..."));
    ui->progress->setMaximum(100);
    // A bar that shows no number yet leaves the value as it was.
    if (const std::optional<int> percent = tracktune::progressPercent(text))
        ui->progress->setValue(*percent);
}

void ProgressDialog::showPendingOutput()
{
    pendingTimer.stop();
    sinceShown.restart();
    // Inserted as plain text at the end: the flasher's output is never markup.
    QTextCursor end(ui->textEdit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(pendingOutput);
    pendingOutput.clear();
    // A flasher that prints without end must not fill the memory: the newest lines stay,
    // trimmed a whole scrollback at a time, since every trim lays the text out anew.
    QTextDocument *document = ui->textEdit->document();
    if (document->blockCount() > 2 * scrollbackLines) {
        QTextCursor oldest(document);
        oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, scrollbackLines);
        oldest.removeSelectedText();
    }
    QScrollBar *bar = ui->textEdit->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ProgressDialog::finish(Ending ending)
{
    showPendingOutput();
    ui->progress->setMaximum(100); // a busy bar would say it still works
    if (ending == Ending::Finished) {
        ui->label->setText(tr("Firmware update finished"));
        ui->progress->setValue(100);
    } else {
        ui->label->setText(
            ending == Ending::Cancelled ? tr("Firmware update cancelled") : tr("Firmware update failed"));
    }
    running = false;
    ui->buttonBox->setStandardButtons(QDialogButtonBox::Close);
    // Enter closes it as Escape does, wherever the focus is.
    QPushButton *close = ui->buttonBox->button(QDialogButtonBox::Close);
    close->setDefault(true);
    close->setFocus();
}

void ProgressDialog::reject()
{
    if (!running)
        QDialog::reject();
}

void ProgressDialog::closeEvent(QCloseEvent *event)
{
    if (running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
