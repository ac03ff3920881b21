#pragma once

#include "link/serial.h"
#include "trackersimulator.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>

#include <functional>
#include <memory>

namespace testsupport {

// Lists these ports through the link's port-lister seam while it lives.
class PortListing
{
public:
    explicit PortListing(QHash<QString, QString> ports = {});
    ~PortListing();
    void set(QHash<QString, QString> ports);

private:
    std::shared_ptr<QHash<QString, QString>> current;
};

// A simulated tracker, started, listed as "USB Serial Device".
struct ListedTracker
{
    explicit ListedTracker(const TrackerSimulator::Options &options = TrackerSimulator::Options());
    TrackerSimulator tracker;
    PortListing listing;
};

TrackerSimulator::Options options(bool silent, bool paced = true);

// Answers every modal widget that shows up, in turn, until destroyed: the handler
// gets it and must close it. Start it before the code that opens the dialogs.
class ModalAnswers : public QObject
{
public:
    explicit ModalAnswers(std::function<void(QWidget *)> handler);
    QStringList seen; // window titles

private:
    QTimer poll;
    std::function<void(QWidget *)> handler;
};

// Types the path into the file dialog and accepts it (an empty path cancels), as a user
// would; false: the modal is no file dialog.
bool chooseFile(QWidget *modal, const QString &path);

template<typename T> T *child(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// The parameter table as the user sees it: "name=shown" per row, the combo box's text,
// the protocol button's caption or the item's text, and " *" after a marked row.
QStringList shownRows(const QTableWidget *table);
int rowOf(const QTableWidget *table, const QString &name); // -1: no such row
// Edits as a user makes them: "Name|pick|entry", "Name|toggle|protocol" or "Name|type|text".
// Fails the test at the first step it cannot make.
void edit(QTableWidget *table, const QStringList &steps);

// The "$POGNS" sentences among the bytes the tracker received, without line feeds.
QStringList sentencesIn(const QByteArray &received);

} // namespace testsupport
