// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/busycontrols.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTableWidget>
#include <QWidget>

#include <algorithm>

namespace {

// Eats what would use the control: keys (Tab and Backtab still move on) and the mouse.
class InputBlocker : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return key != Qt::Key_Tab && key != Qt::Key_Backtab;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

// Found by its name: a class of its own would need a meta-object for findChildren to tell it.
const QString blockerName = QStringLiteral("tracktuneInputBlocker");

} // namespace

void tracktune::setUsable(QWidget *control, bool usable, bool operationRuns)
{
    QWidget *focus = QApplication::focusWidget();
    const bool focused = focus && (focus == control || control->isAncestorOf(focus));
    if (!usable && operationRuns && focused && control->isEnabled()) {
        if (!focus->findChild<QObject *>(blockerName, Qt::FindDirectChildrenOnly)) {
            auto *blocker = new InputBlocker(focus);
            blocker->setObjectName(blockerName);
            focus->installEventFilter(blocker);
        }
        return;
    }
    const QList<QObject *> blockers = control->findChildren<QObject *>(blockerName);
    qDeleteAll(blockers);
    control->setEnabled(usable);
}

tracktune::BusyState::~BusyState()
{
    if (busy)
        QGuiApplication::restoreOverrideCursor();
}

void tracktune::BusyState::setBusy(bool nowBusy, QWidget *window, QTableWidget *table, QWidget *fallback)
{
    if (nowBusy == busy)
        return;
    busy = nowBusy;
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        focusBefore = QApplication::focusWidget();
        const QTableWidgetItem *current = table->item(table->currentRow(), 0);
        parameter = current ? current->text() : QString();
        column = std::max(table->currentColumn(), 0);
    } else {
        QGuiApplication::restoreOverrideCursor();
        restoreFocus(window, table, fallback);
    }
}

void tracktune::BusyState::restoreFocus(QWidget *window, QTableWidget *table, QWidget *fallback)
{
    const QList<QTableWidgetItem *> found = table->findItems(parameter, Qt::MatchExactly);
    if (!parameter.isEmpty() && !found.isEmpty() && found.first()->column() == 0)
        table->setCurrentCell(found.first()->row(), column);
    const QWidget *focus = QApplication::focusWidget();
    if ((focus && focus->isEnabled())
        || (QApplication::activeWindow() && QApplication::activeWindow() != window))
        return;
    QWidget *target = focusBefore;
    if (!target || !target->isEnabled() || !target->isVisible() || target->window() != window)
        target = table->isEnabled() ? static_cast<QWidget *>(table) : fallback;
    target->setFocus(Qt::OtherFocusReason);
}
