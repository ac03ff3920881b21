// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's fixture, in a library of its own so that the link's and the command line's
// tests stay without widgets.
#include "testsupport.h"

#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>

#include <functional>

class MainWindow;
class QPushButton;

namespace testsupport {

// Answers every modal, in turn, while it lives: a file dialog with the path (empty: cancel), a
// message box with the answer or else its Ok; any other modal is closed. Start it before the
// code that opens them.
class BoxAnswers : public QObject
{
public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::StandardButton byDefault;
    };
    explicit BoxAnswers(QMessageBox::StandardButton answer, const QString &path = QString());
    // Runs the action once the modal with this index (0: the first) shows, before answering it:
    // what happens while the pilot reads it.
    void meanwhile(int modal, std::function<void()> action);
    QStringList seen; // the titles of every modal
    QList<Box> boxes;

private:
    QTimer poll;
    QHash<int, std::function<void()>> actions;
    bool acting = false;
};

// The main window, shown, on whatever ports are listed.
struct WindowUnderTest
{
    WindowUnderTest();
    ~WindowUnderTest();
    WindowUnderTest(const WindowUnderTest &) = delete;
    WindowUnderTest &operator=(const WindowUnderTest &) = delete;
    // A list read from an open link: what the pilot waits for.
    bool loaded() const;
    QPushButton *button(const char *name) const;

    std::unique_ptr<MainWindow> window;
    QTableWidget *table;
    QStringList messages; // the status bar's and the message bar's, in order, each once in a row
};

template<typename T> T *child(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// The parameter table as the user sees it: "name=shown" per row, the combo box's text,
// the protocol button's caption or the item's text, and " *" after a marked row.
QStringList shownRows(const QTableWidget *table);
int rowOf(const QTableWidget *table, const QString &name); // -1: no such row
// Edits a row as a user would with its editor: picks the entry of a list, toggles the protocol
// of a mask, types into a text cell. Fails the test when it cannot.
void edit(QTableWidget *table, const QString &name, const QString &value);
struct Edit
{
    QString name;
    QString value;
};
using Edits = QList<Edit>;
void edit(QTableWidget *table, const Edits &edits); // in order, up to the first it cannot make

} // namespace testsupport

Q_DECLARE_METATYPE(testsupport::Edits)
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) // Qt 6 declares it itself
Q_DECLARE_METATYPE(QMessageBox::StandardButton)
#endif
