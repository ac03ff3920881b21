// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/devicesession.h"

#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/valueencoding.h"
#include "link/logging.h"

namespace {
const int pollIntervalMs = 500;
} // namespace

DeviceSession::DeviceSession(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<tracktune::ReadFailure>();
    qRegisterMetaType<QList<tracktune::DumpLine>>();
    connect(&pollTimer, &QTimer::timeout, this, &DeviceSession::onPollTimeout);
    connect(&serial, &Serial::connected, this, &DeviceSession::onConnected);
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
            if (!serial.isOpen())
                return;
            run(Operation::Read, [&] {
                const bool read = readConfiguration().has_value();
                // Not a tracker, or not one that answers: the search tries the next port.
                if (!read && searched && lastFailure != tracktune::ReadFailure::PortClosed) {
                    qCDebug(lcLink) << "set aside:" << portName;
                    setAside.insert(portName);
                }
            });
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
    // A port set aside that left the list is a candidate again when it comes back.
    if (!setAside.isEmpty()) {
        const QHash<QString, QString> ports = Serial::scanPorts();
        for (auto port = setAside.begin(); port != setAside.end();)
            port = ports.contains(*port) ? std::next(port) : setAside.erase(port);
    }
    if (serial.isOpen())
        return;
    if (updateInProgress()) {
        emit updating();
        return;
    }
    run(Operation::Search, [this] {
        emit searching();
        serial.findDevice(setAside);
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

std::optional<QList<tracktune::DumpLine>> DeviceSession::readConfiguration()
{
    // A tracker plugged in after another must never be flashed with the other's firmware.
    lastList.clear();
    lastStatus.clear();
    lastFailure.reset();
    emit readStarted();
    const Serial::ListRead read = serial.readConfiguration();
    if (read.failure) {
        lastFailure = read.failure;
        serial.closePort();
        emit readFailed(*read.failure);
        return std::nullopt;
    }
    lastList = tracktune::parseDump(read.list);
    lastStatus = read.statusLine;
    emit listRead(lastList);
    return lastList;
}

DeviceSession::WriteReport DeviceSession::writeAndConfirm(
    const QList<tracktune::DumpLine> &settings, const std::function<bool()> &shouldStop)
{
    const QList<tracktune::DumpLine> before = lastList;
    WriteReport report;
    for (const tracktune::DumpLine &setting : tracktune::writeOrder(settings)) {
        if (!report.linkLost && !report.stopped && shouldStop && shouldStop())
            report.stopped = true;
        if (!report.linkLost && !report.stopped && !serial.isOpen())
            report.linkLost = true;
        const QByteArray sentence = tracktune::configurationSentence(setting.name, setting.value);
        if (report.linkLost || report.stopped || sentence.isEmpty()) {
            report.notSent << setting;
            continue;
        }
        if (serial.sendCommand(sentence))
            report.sent << setting;
        else {
            report.linkLost = true;
            report.notSent << setting;
        }
    }
    serial.resumeWatchdog();

    report.readBack = readConfiguration();
    if (!report.readBack)
        return report;
    report.changes = tracktune::settingChanges(report.sent, before, *report.readBack);
    report.changedByTracker = tracktune::unwrittenChanges(report.sent, before, *report.readBack);
    for (const tracktune::SettingChange &change : std::as_const(report.changes)) {
        if (!change.taken)
            report.notTaken << change.name;
    }
    return report;
}
