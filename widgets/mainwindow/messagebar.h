// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QToolButton;

// The outcome of the pilot's last action, above the table, where it can be read whole: what was
// not sent or not taken, what the tracker changed, which file was saved. The status bar keeps
// the short state beside the tracker's field. Closable; the window clears it at the next action.
class MessageBar : public QFrame
{
    Q_OBJECT

public:
    enum class Kind { Information, Warning, Error };

    explicit MessageBar(QWidget *parent = nullptr);

    // The text is plain: it may quote the tracker. A file is shown after it, elided in the middle
    // where the window is too narrow, and whole in its tooltip.
    void showMessage(Kind kind, const QString &text, const QString &file = QString());
    void clear();
    QString text() const; // the message and its file, as shown when wide enough; empty when none

signals:
    void messageChanged(const QString &text);

private:
    QLabel *icon;
    QLabel *message;
    QLabel *fileLabel;
    QToolButton *closeButton;
    QString file;
};
