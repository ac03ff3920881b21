// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

// What the program is, its licence, the Qt it runs on, where it keeps its files and which keys
// it takes: F1 and the window's About button show it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // applicationFolder: where the firmware folder is looked for first; hardware: the connected
    // tracker's Hard (empty for the older firmware), none when no tracker is connected.
    AboutDialog(
        const QString &applicationFolder, const std::optional<QString> &hardware, QWidget *parent = nullptr);

    // The text shown, as plain text: for tests and for copying.
    QString plainText() const;

private:
    static QString firmwareText(const QString &applicationFolder, const std::optional<QString> &hardware);

    QString text;
};
