// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class QTableWidget;
class QWidget;

namespace tracktune {

// Makes a control usable or not. A control that holds the keyboard focus while a device
// operation runs is not greyed out, since Qt would move the focus on to the next control (and
// a screen reader would announce each): it keeps the focus and takes no input but Tab until it
// is usable again. Any other control is enabled or disabled.
void setUsable(QWidget *control, bool usable, bool operationRuns);

// The busy cursor while a device operation runs, and the keyboard focus given back once it has
// ended: the controls go grey and the focus with them. In the table, filled again meanwhile, the
// pilot's row (by its parameter) and column come back, not its first cell.
class BusyState
{
public:
    BusyState() = default;
    BusyState(const BusyState &) = delete;
    BusyState &operator=(const BusyState &) = delete;
    ~BusyState();
    // Told on every change of the operation; the focus goes back to the table, or else to the
    // fallback, where the control that had it cannot take it.
    void setBusy(bool busy, QWidget *window, QTableWidget *table, QWidget *fallback);

private:
    void restoreFocus(QWidget *window, QTableWidget *table, QWidget *fallback);

    bool busy = false;
    QPointer<QWidget> focusBefore;
    QString parameter;
    int column = 0;
};

} // namespace tracktune
