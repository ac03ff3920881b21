// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/progressdialog.h"

#include "firmware/flasherprogress.h"
#include "ui_progressdialog.h"

#include <QDialogButtonBox>
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
    // Offered once the flasher has ended: closing earlier would only hide a running update.
    ui->buttonBox->hide();
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
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

void ProgressDialog::finish(bool succeeded)
{
    showPendingOutput();
    if (succeeded) {
        ui->label->setText(tr("Firmware update finished"));
        ui->progress->setMaximum(100);
        ui->progress->setValue(100);
    } else {
        ui->label->setText(tr("Firmware update failed"));
        // A busy bar would say it still works.
        ui->progress->setMaximum(100);
    }
    ui->buttonBox->show();
    ui->buttonBox->button(QDialogButtonBox::Close)->setFocus();
}
