// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/verification.h"
#include "link/listreader.h"
#include "link/sentencewriter.h"
#include "link/serial.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// One owner of the device session: the link, the 500 ms poll that searches while no link is
// open, and the one piece of state that says which device operation runs. A read and a write
// are state machines driven by the link's lines and by timers: they go on inside any event
// loop (a modal box, a file chooser) and tell their end by signals. Every path that starts a
// search, a read, a write or a firmware update goes through begin(), which refuses while
// another runs:
//
//   None --startRead()--> Read --listRead()/readFailed()--> None
//   None --startWrite()--> Write --(sentences, then the read-back)--> writeFinished() --> None
//   None --run(Search)/beginOperation(FirmwareUpdate)-- ... --endOperation()--> None
//
// The window and the command line listen to the session only: the link's signals come through
// it.
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
    // until it leaves the port list and comes back, connectTo() names it, or a minute has gone
    // by (a tracker that was rebooting or busy answers again; one that still does not is set
    // aside for another minute).
    void start();
    void stop();
    // How long a port stays set aside while it is listed; tests shorten it.
    void setSetAsideMs(int msecs) { setAsideMs = msecs; }

    Operation operation() const { return current; }
    bool isBusy() const { return current != Operation::None; }

    // Runs work as the given operation, unless one already runs: then nothing
    // happens and the result is false. For work that does not wait (a search, a connect).
    template<typename Work> bool run(Operation operation, Work &&work)
    {
        if (!begin(operation))
            return false;
        work();
        end();
        return true;
    }
    // For an operation its caller drives (the firmware update): false while another runs.
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

    // Asks the tracker for its list, unless another operation runs (then false): tells
    // readStarted() at once and listRead() or readFailed() at the end, then the operation ends.
    // On failure (port closed, device silent, a dump of under 10 bytes, no list in time) the
    // link is closed first.
    bool startRead();

    // What a write did, and what the list read after it shows.
    struct WriteReport
    {
        QList<tracktune::DumpLine> sent; // whole sentences out, in order
        QList<tracktune::DumpLine> notSent; // refused by the gate, after a stop or a loss
        QStringList refused; // "Name: why" for each setting the gate refused
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

    // Writes one sentence per setting, in tracktune::writeOrder, then reads the list back (the
    // tracker drops a sentence it does not take without a word), unless another operation runs
    // (then false). Each sentence waits up to a second for the tracker's answer. A setting that
    // no sentence can carry (tracktune::sentenceRefusal) is never sent. shouldStop is asked
    // before each sentence, as cancel() is: the one in flight is finished, no more are sent, the
    // list is still read back. Tells writeFinished() (after the read-back's own signals), then
    // the operation ends.
    bool startWrite(const QList<tracktune::DumpLine> &settings, std::function<bool()> shouldStop = {});
    // A write sends no more sentences after the one in flight; a read goes on to its end.
    void cancel();

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
    // Every write ends with this, after the read-back's listRead() or readFailed().
    void writeFinished(const DeviceSession::WriteReport &report);

    // The link's, told on.
    void connected(const QString &portName);
    void disconnected();
    void openFailed(const QString &portName, QSerialPort::SerialPortError error, const QString &errorText);
    void portRefused(const QString &portName, QSerialPort::SerialPortError error, bool permitted);
    // Every byte the tracker sends, as lines and as the serial monitor's text.
    void lineReceived(const QByteArray &line);
    void dataRead(const QString &text);

private:
    bool begin(Operation operation);
    void end();
    void onPollTimeout();
    void onConnected(const QString &portName);
    void onListRead(const ListReader::Result &read);
    void onSentencesWritten(const SentenceWriter::Result &written);

    Serial serial;
    ListReader reader {serial};
    SentenceWriter writer {serial};
    QTimer pollTimer;
    Operation current = Operation::None;
    QList<tracktune::DumpLine> lastList; // the last read's; empty after a failed one
    QString lastStatus;
    std::optional<tracktune::ReadFailure> lastFailure;
    QList<tracktune::DumpLine> refusedByGate; // of the write that runs

    // Ports the search opened that gave no list, by their listed names, with when (on clock).
    QHash<QString, qint64> setAside;
    QElapsedTimer clock;
    int setAsideMs = 60000;
    QString searchedPort; // the port whose read follows the search that opened it
    bool connectingByHand = false;
    // The write that runs: what it sent, and the list it planned from.
    std::optional<WriteReport> writing;
    QList<tracktune::DumpLine> beforeWrite;
};

Q_DECLARE_METATYPE(DeviceSession::WriteReport)

namespace tracktune {

// Whether the search still passes over a port set aside sinceMs ago: while it is listed, for
// setAsideMs. A port that left the list is a candidate again when it comes back (a replug).
bool staysSetAside(bool listed, qint64 sinceMs, qint64 setAsideMs);

} // namespace tracktune
