// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

// What the program is, its licence, the Qt it runs on, where it keeps its files and which keys
// it takes: F1 and the window's About button show it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // applicationFolder: where the firmware folder is looked for first.
    explicit AboutDialog(const QString &applicationFolder, QWidget *parent = nullptr);

    // The text shown, as plain text: for tests and for copying.
    QString plainText() const;

private:
    QString text;
};
