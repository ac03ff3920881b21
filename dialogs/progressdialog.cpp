#include "dialogs/progressdialog.h"

#include "firmware/flasherprogress.h"
#include "ui_progressdialog.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace {
const int batchMs = 50;
} // namespace

ProgressDialog::ProgressDialog(QWidget *parent) : QDialog(parent), ui(new Ui_ProgressDialog)
{
    ui->setupUi(this);
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
    pendingOutput += text;
    if (sinceShown.elapsed() >= batchMs)
        showPendingOutput();
    else if (!pendingTimer.isActive())
        pendingTimer.start(batchMs);

    if (!tracktune::isProgressLine(text))
        return;
    ui->label->setText(QStringLiteral("Writing to the device. Please wait..."));
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
