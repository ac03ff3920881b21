// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsupport.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/messagebar.h"
#include "parametertable/valueeditors.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

namespace testsupport {

namespace {

// Types the path into the file dialog and accepts it (an empty path cancels), as a user
// would; false: the modal is no file dialog.
bool chooseFile(QWidget *modal, const QString &path)
{
    auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!name)
        return false;
    // Typed in: selectFile() races the dialog's file system model.
    name->setText(path);
    QMetaObject::invokeMethod(modal, path.isEmpty() ? "reject" : "accept", Qt::QueuedConnection);
    return true;
}

} // namespace

BoxAnswers::BoxAnswers(QMessageBox::StandardButton answer, const QString &path)
{
    QObject::connect(&poll, &QTimer::timeout, this, [this, answer, path] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || acting)
            return;
        if (const auto action = actions.take(int(seen.size()))) {
            acting = true;
            action();
            acting = false;
            if (QApplication::activeModalWidget() != modal)
                return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        seen << modal->windowTitle();
        if (chooseFile(modal, path))
            return;
        if (!box) {
            modal->close();
            return;
        }
        boxes.append({box->windowTitle(), box->text(), box->standardButton(box->defaultButton())});
        QAbstractButton *button = box->button(answer) ? box->button(answer) : box->button(QMessageBox::Ok);
        if (button)
            button->click();
        else
            box->close();
    });
    poll.start(50);
}

void BoxAnswers::meanwhile(int modal, std::function<void()> action)
{
    actions.insert(modal, std::move(action));
}

WindowUnderTest::WindowUnderTest() : window(std::make_unique<MainWindow>())
{
    table = window->findChild<QTableWidget *>(QStringLiteral("table"));
    const auto note = [this](const QString &text) {
        if (!text.isEmpty() && (messages.isEmpty() || messages.last() != text))
            messages << text;
    };
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, window.get(), note);
    // The outcomes above the table count as messages too.
    QObject::connect(window->findChild<MessageBar *>(), &MessageBar::messageChanged, window.get(), note);
    window->show();
}

WindowUnderTest::~WindowUnderTest() = default;

bool WindowUnderTest::loaded() const
{
    return window->link().isOpen() && !window->isBusy() && table->isEnabled() && table->rowCount() > 0;
}

QPushButton *WindowUnderTest::button(const char *name) const
{
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

// What the Value column's delegate paints of a cell.
struct PaintedText : CheckedValueDelegate
{
    using CheckedValueDelegate::initStyleOption;
};

QStringList shownRows(const QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStyleOptionViewItem painted;
        PaintedText().initStyleOption(&painted, table->model()->index(row, 1));
        QString shown = painted.text;
        if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
            shown = box->currentText();
        if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1)))
            shown = button->text();
        const QTableWidgetItem *name = table->item(row, 0);
        rows << name->text() + QLatin1Char('=') + shown
                + (name->font().weight() > QFont::Medium ? QStringLiteral(" *") : QString());
    }
    return rows;
}

int rowOf(const QTableWidget *table, const QString &name)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == name)
            return row;
    }
    return -1;
}

void edit(QTableWidget *table, const QString &name, const QString &value)
{
    const int row = rowOf(table, name);
    const QString step = name + QLatin1Char('=') + value;
    QVERIFY2(row >= 0, qPrintable(step));
    if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1))) {
        QVERIFY2(box->findText(value) >= 0, qPrintable(step));
        box->setCurrentIndex(box->findText(value));
    } else if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1))) {
        const QList<QAction *> protocols = button->menu()->actions();
        const auto toggled = std::find_if(protocols.begin(), protocols.end(),
            [&value](const QAction *action) { return action->text() == value; });
        QVERIFY2(toggled != protocols.end(), qPrintable(step));
        (*toggled)->trigger();
    } else {
        QVERIFY2(table->item(row, 1), qPrintable(step));
        table->item(row, 1)->setText(value);
    }
}

void edit(QTableWidget *table, const Edits &edits)
{
    for (const Edit &one : edits) {
        edit(table, one.name, one.value);
        if (QTest::currentTestFailed())
            return;
    }
}

} // namespace testsupport
