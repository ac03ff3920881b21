#pragma once

#include <QDialog>
#include <QString>

QT_BEGIN_NAMESPACE
class Ui_ProgressDialog;
QT_END_NAMESPACE

// Shows the flasher's output while it writes the firmware, with its progress.
class ProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ProgressDialog(QWidget *parent = nullptr);
    ~ProgressDialog() override;

    // One line of the flasher's standard output, line feed included.
    void appendOutput(const QString &line);

private:
    Ui_ProgressDialog *ui = nullptr;
};
