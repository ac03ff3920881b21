#pragma once

#include "link/serial.h"
#include "mainwindow/mainwindow.h"
#include "trackersimulator.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace testsupport {

// Lists these ports through the link's port-lister seam while it lives.
class PortListing
{
public:
    explicit PortListing(QHash<QString, QString> ports);
    ~PortListing();
    void set(QHash<QString, QString> ports);

private:
    std::shared_ptr<QHash<QString, QString>> current;
};

// A simulated tracker, started, listed as "USB Serial Device".
struct ListedTracker
{
    explicit ListedTracker(const TrackerSimulator::Options &options = TrackerSimulator::Options(),
        const QString &description = QStringLiteral("USB Serial Device"));
    TrackerSimulator tracker;
    PortListing listing;
};

// Answers the next modal widget that shows up: the handler gets it and
// closes it (accept, reject, click a button). Polls every 50 ms, until
// answered or the time is up. Call before the code that opens the dialog.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget *)> handler, int timeoutMs = 15000);
    bool answered() const { return done; }
    QString seenTitle() const { return title; }
    QString seenText() const { return text; }

private:
    QTimer poll;
    std::function<void(QWidget *)> handler;
    bool done = false;
    QString title;
    QString text;
    int remainingMs;
};

template<typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// The parameter table as the user sees it.
int rowOf(QTableWidget *table, const QString &name); // -1: no such row
// The combo box's text, the protocol button's caption or the value item's text.
QString shownValue(QTableWidget *table, int row);
QStringList shownRows(QTableWidget *table); // "name=shown", in table order
bool isBold(const QTableWidgetItem *item);
QStringList markedRows(QTableWidget *table); // the rows Apply writes
// Edits as a user makes them: "Name|pick|entry", "Name|toggle|protocol" or "Name|type|text".
// Stops at the first step it cannot make, with the test failed.
void edit(QTableWidget *table, const QStringList &steps);

// When the tracker received the byte, on the clock of TrackerSimulator::received().
QList<qint64> timesOf(const TrackerSimulator &tracker, char byte);

// A window on a simulated tracker, loaded again for every case. The tracker is
// unpaced, so a dump lands whole before the next Refresh discards it.
struct LoadedWindow
{
    explicit LoadedWindow(TrackerSimulator::Options options);
    bool loaded() const { return table->isEnabled() && table->rowCount() > 0; }
    // The tracker back as it started, these values set, and Refresh clicked.
    void reload(const QHash<QString, QString> &values = {});

    ListedTracker listed;
    const QList<TrackerSimulator::Parameter> factory;
    MainWindow window;
    QTableWidget *const table;
};

} // namespace testsupport
