#include "link/devicesession.h"

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
    qCDebug(lcLink) << portName;
    emit serial.connected(portName);
}

std::optional<QList<tracktune::DumpLine>> DeviceSession::readConfiguration()
{
    // A tracker plugged in after another must never be flashed with the other's firmware.
    architecture.clear();
    const QByteArray *dump = serial.readConfiguration();
    if (!dump || dump->size() < shortestDump) {
        serial.closePort();
        return std::nullopt;
    }
    QList<tracktune::DumpLine> entries = tracktune::parseDump(*dump);
    for (const tracktune::DumpLine &entry : qAsConst(entries)) {
        if (entry.name == QLatin1String("Hard"))
            architecture = tracktune::firmwareFolderFor(entry.value);
    }
    return entries;
}

DeviceSession::WriteOutcome DeviceSession::write(
    const QList<tracktune::DumpLine> &settings, const std::function<bool()> &shouldStop)
{
    WriteOutcome outcome;
    for (const tracktune::DumpLine &setting : settings) {
        if (!outcome.linkLost && !outcome.stopped && shouldStop && shouldStop())
            outcome.stopped = true;
        if (!outcome.linkLost && !outcome.stopped && !serial.isOpen())
            outcome.linkLost = true;
        const QByteArray sentence = tracktune::configurationSentence(setting.name, setting.value);
        if (outcome.linkLost || outcome.stopped || sentence.isEmpty()) {
            outcome.notSent << setting;
            continue;
        }
        if (serial.sendCommand(sentence))
            outcome.sent << setting;
        else {
            outcome.linkLost = true;
            outcome.notSent << setting;
        }
    }
    serial.resumeWatchdog();
    return outcome;
}
