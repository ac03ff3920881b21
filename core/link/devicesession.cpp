// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/devicesession.h"

#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/valueencoding.h"
#include "link/logging.h"

#include <QSet>

namespace {
const int pollIntervalMs = 500;
} // namespace

DeviceSession::DeviceSession(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<tracktune::ReadFailure>();
    qRegisterMetaType<QList<tracktune::DumpLine>>();
    qRegisterMetaType<DeviceSession::WriteReport>();
    clock.start();
    connect(&pollTimer, &QTimer::timeout, this, &DeviceSession::onPollTimeout);
    connect(&serial, &Serial::connected, this, &DeviceSession::onConnected);
    connect(&reader, &ListReader::finished, this, &DeviceSession::onListRead);
    connect(&writer, &SentenceWriter::finished, this, &DeviceSession::onSentencesWritten);
    connect(&serial, &Serial::connected, this, &DeviceSession::connected);
    connect(&serial, &Serial::disconnected, this, &DeviceSession::disconnected);
    connect(&serial, &Serial::openFailed, this, &DeviceSession::openFailed);
    connect(&serial, &Serial::portRefused, this, &DeviceSession::portRefused);
    connect(&serial, &Serial::lineReceived, this, &DeviceSession::lineReceived);
    connect(&serial, &Serial::dataRead, this, &DeviceSession::dataRead);
}

void DeviceSession::onConnected(const QString &portName)
{
    if (!pollTimer.isActive())
        return;
    const bool searched = !connectingByHand;
    // Not inside the connect's emission: whoever listens to it is told first, and the operation
    // that connected has ended.
    QMetaObject::invokeMethod(
        this,
        [this, portName, searched] {
            if (!serial.isOpen() || !startRead())
                return;
            if (searched)
                searchedPort = portName;
        },
        Qt::QueuedConnection);
}

void DeviceSession::start()
{
    pollTimer.start(pollIntervalMs);
}

void DeviceSession::stop()
{
    pollTimer.stop();
}

bool DeviceSession::begin(Operation operation)
{
    if (current != Operation::None) {
        qCDebug(lcLink) << "ignored:" << operation << "while" << current << "runs";
        return false;
    }
    current = operation;
    emit operationChanged(current);
    return true;
}

void DeviceSession::end()
{
    current = Operation::None;
    emit operationChanged(current);
}

void DeviceSession::onPollTimeout()
{
    // A port set aside that left the list is a candidate again when it comes back; one that
    // stayed, once its minute is over.
    if (!setAside.isEmpty()) {
        const QHash<QString, QString> ports = Serial::scanPorts();
        const qint64 now = clock.elapsed();
        for (auto port = setAside.begin(); port != setAside.end();) {
            if (tracktune::staysSetAside(ports.contains(port.key()), now - port.value(), setAsideMs)) {
                ++port;
                continue;
            }
            qCDebug(lcLink) << "a candidate again:" << port.key();
            port = setAside.erase(port);
        }
    }
    if (serial.isOpen())
        return;
    if (updateInProgress()) {
        emit updating();
        return;
    }
    run(Operation::Search, [this] {
        emit searching();
        QSet<QString> passedOver;
        for (auto port = setAside.cbegin(); port != setAside.cend(); ++port)
            passedOver.insert(port.key());
        serial.findDevice(passedOver);
    });
}

void DeviceSession::connectTo(const QString &portName)
{
    setAside.remove(portName);
    serial.closePort();
    connectingByHand = true;
    serial.openPort(portName);
    connectingByHand = false;
}

bool DeviceSession::startRead()
{
    if (!begin(Operation::Read))
        return false;
    // A tracker plugged in after another must never be flashed with the other's firmware.
    lastList.clear();
    lastStatus.clear();
    lastFailure.reset();
    searchedPort.clear();
    emit readStarted();
    reader.start();
    return true;
}

void DeviceSession::onListRead(const ListReader::Result &read)
{
    if (read.failure) {
        lastFailure = read.failure;
        // Not a tracker, or not one that answers: the search tries the next port.
        if (!searchedPort.isEmpty() && *read.failure != tracktune::ReadFailure::PortClosed) {
            qCDebug(lcLink) << "set aside:" << searchedPort;
            setAside.insert(searchedPort, clock.elapsed());
        }
        serial.closePort();
    } else {
        lastList = tracktune::parseDump(read.list);
        lastStatus = read.statusLine;
    }
    searchedPort.clear();
    if (lastFailure)
        emit readFailed(*lastFailure);
    else
        emit listRead(lastList);
    if (!writing) {
        end();
        return;
    }
    WriteReport report = *writing;
    writing.reset();
    if (!lastFailure) {
        report.readBack = lastList;
        report.changes = tracktune::settingChanges(report.sent, beforeWrite, lastList);
        report.changedByTracker = tracktune::unwrittenChanges(report.sent, beforeWrite, lastList);
        for (const tracktune::SettingChange &change : std::as_const(report.changes)) {
            if (!change.taken)
                report.notTaken << change.name;
        }
    }
    emit writeFinished(report);
    end();
}

bool DeviceSession::startWrite(const QList<tracktune::DumpLine> &settings, std::function<bool()> shouldStop)
{
    if (!begin(Operation::Write))
        return false;
    beforeWrite = lastList;
    writing = WriteReport();
    // Only what the gate gives back for the list the tracker printed goes on the wire.
    const tracktune::GatedWrites gated = tracktune::gateWrites(settings, lastList);
    writing->refused = gated.reasons;
    refusedByGate = gated.refused;
    writer.start(gated.writes, std::move(shouldStop));
    return true;
}

void DeviceSession::cancel()
{
    if (writer.isRunning())
        writer.stop();
}

void DeviceSession::onSentencesWritten(const SentenceWriter::Result &written)
{
    if (!writing)
        return;
    writing->sent = written.sent;
    writing->notSent = refusedByGate + written.notSent;
    writing->linkLost = written.linkLost;
    writing->stopped = written.stopped;
    // The read-back is part of the write: its operation stays Write.
    lastList.clear();
    lastStatus.clear();
    lastFailure.reset();
    emit readStarted();
    reader.start();
}

bool tracktune::staysSetAside(bool listed, qint64 sinceMs, qint64 setAsideMs)
{
    return listed && sinceMs < setAsideMs;
}
