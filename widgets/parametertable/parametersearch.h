// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QTableWidget;

// Narrows a parameter table to the rows whose name or description holds every word of a
// search field, or to the marked rows, by hiding the others: a hidden row keeps its value
// and its mark, so what Apply writes never depends on what is shown. A line under the table
// says what the current row is. Ctrl+F goes to the field while it is shown.
class ParameterSearch : public QObject
{
    Q_OBJECT

public:
    ParameterSearch(QTableWidget *table, QLineEdit *field, QAbstractButton *changedOnly, QLabel *rowLine);

    // True when every word of the search is in the name or the description, in any case.
    static bool matches(const QString &search, const QString &name, const QString &description);

    // Shows every row again: an empty field, the toggle off.
    void reset();

signals:
    // How many rows a narrowed table shows, each time that changes, so that it can be heard.
    void matchesChanged(int shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();
    void describeCurrentRow();

    QTableWidget *table;
    QLineEdit *field;
    QAbstractButton *changedOnly;
    QLabel *rowLine;
    QTimer refilter; // the rows are filtered again once a fill or a mark is over
    int lastShown = -1; // the rows a narrowed table showed last; -1 while every row is shown
};
