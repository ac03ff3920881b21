#include "dialogs/progressdialog.h"

#include "firmware/flasherprogress.h"
#include "ui_progressdialog.h"

#include <QScrollBar>
#include <QTextCursor>

ProgressDialog::ProgressDialog(QWidget *parent) : QDialog(parent), ui(new Ui_ProgressDialog)
{
    ui->setupUi(this);
}

ProgressDialog::~ProgressDialog()
{
    delete ui;
}

void ProgressDialog::appendOutput(const QString &line)
{
    const QString text = tracktune::withoutTerminalCodes(line);
    // Inserted as plain text at the end: the flasher's output is never markup.
    QTextCursor end(ui->textEdit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    QScrollBar *bar = ui->textEdit->verticalScrollBar();
    bar->setValue(bar->maximum());

    if (!tracktune::isProgressLine(text))
        return;
    ui->label->setText(QStringLiteral("Writing to the device. Please wait..."));
    ui->progress->setMaximum(100);
    // A bar that shows no number yet leaves the value as it was.
    if (const std::optional<int> percent = tracktune::progressPercent(text))
        ui->progress->setValue(*percent);
}
