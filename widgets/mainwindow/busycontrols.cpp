// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/busycontrols.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

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
