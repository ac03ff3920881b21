// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
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

    // A text of a topic replaces the one of the same topic still waiting: the last count of a
    // search is heard, not each one typed past.
    void say(const QString &text, const QString &topic = QString());
    QString spokenText() const { return spoken; } // what the notification reads now

private:
    void speak();

    QList<QPair<QString, QString>> waiting; // topic and text, in the order said
    QString spoken;
    QTimer delay;
};
