// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametertable/editorguard.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

namespace {

const char watchedProperty[] = "editorGuarded";

// The keys a table moves its current row with.
bool movesInTable(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

} // namespace

EditorGuard::EditorGuard(QAbstractItemView *table) : QObject(table), table(table) { }

void EditorGuard::watch(QWidget *editor)
{
    if (!editor || editor->property(watchedProperty).toBool())
        return;
    editor->setProperty(watchedProperty, true);
    editor->installEventFilter(this);
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        // The list's popup is a window of its own, made with the view; its hiding ends a choice.
        box->view()->window()->installEventFilter(this);
    } else if (auto *button = qobject_cast<QToolButton *>(editor); button && button->menu()) {
        connect(button->menu(), &QMenu::aboutToHide, this,
            [this, guarded = QPointer<QWidget>(editor)] { afterPopup(guarded); });
        button->menu()->installEventFilter(this);
    }
}

bool EditorGuard::opensEditor(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F2:
    case Qt::Key_F4:
        // Ctrl+Return belongs to Apply.
        return modifiers == Qt::NoModifier;
    case Qt::Key_Down:
    case Qt::Key_Up:
        return modifiers == Qt::AltModifier;
    default:
        return false;
    }
}

void EditorGuard::open(QWidget *editor)
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        box->showPopup();
    } else if (auto *button = qobject_cast<QToolButton *>(editor); button && button->menu()) {
        // Not the button's own showMenu(): it waits until the menu closes.
        button->menu()->popup(button->mapToGlobal(QPoint(0, button->height())));
    }
}

bool EditorGuard::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (auto *menu = qobject_cast<QMenu *>(widget); menu && event->type() == QEvent::KeyPress)
        return toggleInMenu(menu, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::Hide && widget->isWindow()) {
        // A list's popup closed, by a choice or by Escape.
        afterPopup(qobject_cast<QComboBox *>(widget->parentWidget()));
        return false;
    }
    if (!widget->property(watchedProperty).toBool())
        return false;
    switch (event->type()) {
    case QEvent::Wheel:
        // Over a closed editor the wheel is the table's.
        QCoreApplication::sendEvent(table->viewport(), event);
        return true;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (opensEditor(key)) {
            open(widget);
        } else if (key->key() == Qt::Key_Escape) {
            backToTable(widget);
        } else if (movesInTable(key->key()) && !(key->modifiers() & Qt::AltModifier)) {
            backToTable(widget);
            QCoreApplication::sendEvent(table, event);
        } else if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            return false;
        }
        // Nothing else reaches a closed editor: a typed letter would pick an entry.
        return true;
    }
    default:
        return false;
    }
}

bool EditorGuard::toggleInMenu(QMenu *menu, const QKeyEvent *key)
{
    // Several protocols are ticked in one visit: Space, Enter and Return tick or untick the
    // entry and leave the menu open; Escape closes it.
    QAction *action = menu->activeAction();
    const bool tick
        = key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!tick || !action || !action->isCheckable() || !action->isEnabled())
        return false;
    action->toggle();
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent ticked(action, changed);
        QAccessible::updateAccessibility(&ticked);
    }
    return true;
}

QModelIndex EditorGuard::cellOf(const QWidget *editor) const
{
    const QAbstractItemModel *model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex cell = model->index(row, column);
            if (table->indexWidget(cell) == editor)
                return cell;
        }
    }
    return QModelIndex();
}

void EditorGuard::backToTable(QWidget *editor)
{
    // Making the cell current gives its editor the focus: the table takes it back after.
    const QModelIndex cell = cellOf(editor);
    if (cell.isValid() && table->currentIndex() != cell)
        table->setCurrentIndex(cell);
    table->setFocus(Qt::OtherFocusReason);
}

void EditorGuard::afterPopup(QWidget *editor)
{
    // After the popup has given the focus back to the editor.
    QTimer::singleShot(0, this, [this, guarded = QPointer<QWidget>(editor)] {
        if (guarded && guarded->isVisible() && guarded->window()->focusWidget() == guarded)
            backToTable(guarded);
    });
}
