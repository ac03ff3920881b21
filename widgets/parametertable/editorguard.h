// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QObject>

class QAbstractItemView;
class QKeyEvent;
class QMenu;
class QWidget;

// Keeps the value editors placed in a table's cells (lists, the protocol button) from changing
// by accident. A wheel over a closed editor scrolls the table; the keys that move between rows
// move between rows even while an editor holds the focus; a list or menu opens only with
// Enter, Space, F2, F4 or Alt+Down and changes only by a choice in it; once it closes, or on
// Escape, the keyboard focus is back on the table, on the editor's row.
class EditorGuard : public QObject
{
    Q_OBJECT

public:
    explicit EditorGuard(QAbstractItemView *table);

    // Guards an editor placed in the table; watching it again changes nothing.
    void watch(QWidget *editor);

    // The keys that open an editor: Enter, Space, F2, F4 and Alt+Down (Alt+Up too).
    static bool opensEditor(const QKeyEvent *event);
    // Opens the editor's list or menu without waiting for it to close.
    static void open(QWidget *editor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A key in the protocols' menu; true when it ticked or unticked an entry.
    bool toggleInMenu(QMenu *menu, const QKeyEvent *key);
    QModelIndex cellOf(const QWidget *editor) const;
    // The focus to the table, with the editor's cell current.
    void backToTable(QWidget *editor);
    // Once a list or menu has closed: back to the table, unless the pilot went elsewhere.
    void afterPopup(QWidget *editor);

    QAbstractItemView *table;
};
