// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/devicesession.h"

#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/valueencoding.h"
#include "link/logging.h"

namespace {
const int pollIntervalMs = 500;
const int shortestDump = 10;
} // namespace

DeviceSession::DeviceSession(QObject *parent) : QObject(parent)
{
    connect(&pollTimer, &QTimer::timeout, this, &DeviceSession::onPollTimeout);
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
    if (serial.isOpen())
        return;
    if (updateInProgress()) {
        emit updating();
        return;
    }
    run(Operation::Search, [this] {
        emit searching();
        serial.findDevice();
    });
}

void DeviceSession::connectTo(const QString &portName)
{
    serial.closePort();
    serial.openPort(portName);
}

QString DeviceSession::firmwareArch() const
{
    const tracktune::DumpLine *hardware = tracktune::findSetting(lastList, QStringLiteral("Hard"));
    return hardware ? tracktune::firmwareFolderFor(hardware->value) : QString();
}

std::optional<QList<tracktune::DumpLine>> DeviceSession::readConfiguration()
{
    // A tracker plugged in after another must never be flashed with the other's firmware.
    lastList.clear();
    emit readStarted();
    const QByteArray *dump = serial.readConfiguration();
    if (!dump || dump->size() < shortestDump) {
        serial.closePort();
        return std::nullopt;
    }
    lastList = tracktune::parseDump(*dump);
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
