// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/verification.h"
#include "link/serial.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// One owner of the device session: the link, the 500 ms poll that searches while
// no link is open, and the one piece of state that says which device operation
// runs. The configuration read pumps events, so a tick or a click can arrive inside
// it, and the firmware update runs on from its slot until the flasher has ended:
// every path that starts a search, a read or a write goes through run(), the update
// through beginOperation() and endOperation(); both refuse while another runs.
class DeviceSession : public QObject
{
    Q_OBJECT

public:
    enum class Operation { None, Search, Read, Write, FirmwareUpdate };
    Q_ENUM(Operation)

    explicit DeviceSession(QObject *parent = nullptr);

    Serial &link() { return serial; }
    const Serial &link() const { return serial; }

    // Starts the poll; the first search is one interval away. While it runs, the session reads
    // the list after every connect, as a Read of its own once the connect has been told. A port
    // the search opened whose list could not be read is set aside: the search passes it over
    // until it leaves the port list and comes back, or connectTo() names it.
    void start();
    void stop();

    Operation operation() const { return current; }
    bool isBusy() const { return current != Operation::None; }

    // Runs work as the given operation, unless one already runs: then nothing
    // happens and the result is false.
    template<typename Work> bool run(Operation operation, Work &&work)
    {
        if (!begin(operation))
            return false;
        work();
        end();
        return true;
    }
    // For an operation that ends after the slot that began it has returned: begins it unless
    // another runs, else false; endOperation() ends it.
    bool beginOperation(Operation operation) { return begin(operation); }
    void endOperation() { end(); }

    // While the flasher owns the port the poll neither searches nor opens.
    bool updateInProgress() const { return current == Operation::FirmwareUpdate; }

    // The list of the last read, the one after a write included; empty while a read runs and
    // after a failed one.
    const QList<tracktune::DumpLine> &lastReadList() const { return lastList; }
    // The status line printed before the last list read; empty while a read runs, after a failed
    // one and when the tracker printed none.
    QString lastStatusLine() const { return lastStatus; }
    // Why the last read failed; nothing while a read runs and after a list.
    std::optional<tracktune::ReadFailure> lastReadFailure() const { return lastFailure; }

    // Closes the link and opens the named port as the device port, whatever is
    // behind it; the configuration read that follows tells.
    void connectTo(const QString &portName);

    // Asks the tracker for its dump and says what came by listRead() or readFailed(). On failure
    // (port closed, device silent, a dump of under 10 bytes, no list in time) the link is closed
    // and the result is empty.
    std::optional<QList<tracktune::DumpLine>> readConfiguration();

    // What a write did, and what the list read after it shows.
    struct WriteReport
    {
        QList<tracktune::DumpLine> sent; // whole sentences out, in order
        QList<tracktune::DumpLine> notSent; // refused by the sentence rules, after a stop or a loss
        bool linkLost = false; // the port closed or refused a sentence
        bool stopped = false; // shouldStop said so before every setting was sent
        std::optional<QList<tracktune::DumpLine>> readBack; // empty: the read after the write failed
        // The sent settings, before (the last list read) and after; only with a read-back.
        QList<tracktune::SettingChange> changes;
        QStringList notTaken; // sent, but the read-back does not show the value written
        // Parameters not written whose value the read-back shows changed: the tracker's own
        // doing (writing AddrType resets the Address on newer firmware); only with a read-back.
        QList<tracktune::SettingChange> changedByTracker;
    };

    // Writes one sentence per setting, in tracktune::writeOrder, then reads the list back: the tracker drops
    // a sentence it does not take without a word. Each sentence waits up to a second for an
    // answer while events go on (the run() guard keeps other operations out). A setting that
    // no sentence can carry (tracktune::sentenceRefusal) is never sent. shouldStop is asked
    // before each sentence: the one in flight is finished, no more are sent, the list is still
    // read back.
    WriteReport writeAndConfirm(
        const QList<tracktune::DumpLine> &settings, const std::function<bool()> &shouldStop = {});

signals:
    void operationChanged(DeviceSession::Operation operation);
    // A read of the list begins, the one after a write included.
    void readStarted();
    // Every read ends with one of these two; the link is closed before a failure is told.
    void listRead(const QList<tracktune::DumpLine> &list);
    void readFailed(tracktune::ReadFailure failure);
    // A poll tick is about to search for the device.
    void searching();
    // A poll tick found the flasher at work.
    void updating();

private:
    bool begin(Operation operation);
    void end();
    void onPollTimeout();
    void onConnected(const QString &portName);

    Serial serial;
    QTimer pollTimer;
    Operation current = Operation::None;
    QList<tracktune::DumpLine> lastList; // the last read's; empty after a failed one
    QString lastStatus;
    std::optional<tracktune::ReadFailure> lastFailure;
    QSet<QString> setAside; // ports the search opened that gave no list, by their listed names
    bool connectingByHand = false;
};
