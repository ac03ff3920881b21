// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

QT_BEGIN_NAMESPACE
class Ui_ProgressDialog;
QT_END_NAMESPACE

// Shows the flasher's output while it writes the firmware, with its progress.
class ProgressDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int scrollbackLines = 20000;

    explicit ProgressDialog(QWidget *parent = nullptr);
    ~ProgressDialog() override;

    // One line of the flasher's standard output, line feed included, or a piece of one.
    // A line longer than tracktune::maxOutputLineLength is shown broken into lines of that
    // length. The bar follows at once; the text is shown within a twentieth of a second,
    // or by showPendingOutput().
    void appendOutput(const QString &line);
    void showPendingOutput();

    enum class Ending { Finished, Failed, Cancelled };
    // The flasher has ended: says how, and offers the Close button.
    void finish(Ending ending);

    // While the flasher runs, Escape and the window's close button do nothing: hiding the dialog
    // would hide how the update ends.
    void reject() override;

signals:
    // The pilot confirmed that the flasher is to be stopped.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Ui_ProgressDialog *ui = nullptr;
    // Laying the text out costs the same for a line as for a screenful: a flasher that
    // prints fast is shown in batches.
    QString pendingOutput;
    int openLineLength = 0; // characters since the last line feed
    QTimer pendingTimer;
    QElapsedTimer sinceShown;
    bool running = true;
};
