// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Makes a screen reader speak what appears away from the keyboard focus: the outcome of Apply,
// a refused value, where a file went. Qt 5 has no announcement event, but screen readers on
// Linux speak a notification that shows itself, and this widget is one: drawn nowhere, shown
// again for each text. Texts said together are spoken together, a moment later, so that the
// focus that returns to the table after an operation is read first, not over them.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void say(const QString &text);
    QString spokenText() const { return spoken; } // what the notification reads now

private:
    void speak();

    QStringList waiting;
    QString spoken;
    QTimer delay;
};
