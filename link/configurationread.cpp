#include "link/serial.h"

#include "link/logging.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

const char dumpRequest = 0x03;
const int firstWaitMs = 1000;
const int drainLines = 7;
const int drainWaitMs = 1000;
const int passWaitMs = 100;
const int passSleepMs = 10;
const int lastIdlePass = 89;
const int linesBeforeResend = 10;

// A device that talks on and on without ever starting its list never leaves a pass
// idle; the read ends all the same, no later than a silent device's would.
const int readDeadlineMs = 12000;
const int burstGapMs = 50;
const int burstDrainLimitMs = 1500;

bool endsDump(const QByteArray &line)
{
    return line.startsWith('$') || !line.contains('=');
}

} // namespace

void Serial::drainBurst()
{
    QElapsedTimer draining;
    draining.start();
    while (
        draining.elapsed() < burstDrainLimitMs && (port.canReadLine() || port.waitForReadyRead(burstGapMs))) {
        while (port.canReadLine()) {
            // Read outside the log line: a disabled category skips its arguments.
            const QByteArray line = port.readLine();
            qCDebug(lcLink).noquote() << "--" << line;
        }
    }
}

QByteArray *Serial::readConfiguration()
{
    if (!port.isOpen())
        return nullptr;

    // The watchdog's own polls must not mix with the dump.
    watchdogTimer.stop();
    receiveBuffer.clear();
    port.clear(QSerialPort::Input);
    const bool deviceTalking = port.waitForReadyRead(firstWaitMs);

    // Let the device finish whatever it is printing before asking.
    for (int drained = 0; drained < drainLines && port.canReadLine(); ++drained) {
        const QByteArray line = port.readLine();
        qCDebug(lcLink).noquote() << drained << "--" << line;
        // Waiting for more only when no line is waiting already: lines that have
        // arrived would otherwise cost a second each.
        if (!port.canReadLine())
            port.waitForReadyRead(drainWaitMs);
    }
    // A list already on its way (the answer to an earlier poll) would be taken
    // for the answer to this request, with the values from before a write: let
    // the burst run out first.
    if (deviceTalking)
        drainBurst();

    receiveBuffer.clear();
    port.clear(QSerialPort::AllDirections);
    qCDebug(lcLink) << "sending 0x03...";
    port.write(&dumpRequest, 1);
    port.flush();

    bool started = false;
    int linesSinceRequest = 0;
    int idlePasses = 0;
    QByteArray lastLine;
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    for (;;) {
        port.waitForReadyRead(passWaitMs);
        if (!port.isOpen()) // unplugged while reading
            return nullptr;
        if (sinceRequest.elapsed() > readDeadlineMs) {
            qCDebug(lcLink) << "no list within" << readDeadlineMs << "ms";
            return nullptr;
        }
        if (!port.canReadLine()) {
            // Keep the window alive while the device is slow to answer.
            QCoreApplication::processEvents();
            if (++idlePasses > lastIdlePass)
                return nullptr;
        }
        while (port.canReadLine()) {
            lastLine = port.readLine();
            ++linesSinceRequest;
            silentTicks = 0;
            if (!started && linesSinceRequest > linesBeforeResend) {
                qCDebug(lcLink) << "resending 0x03...";
                port.write(&dumpRequest, 1);
                port.flush();
                linesSinceRequest = 0;
            }
            qCDebug(lcLink) << lastLine;
            if (lastLine.startsWith('$'))
                break;
            if (started) {
                if (!lastLine.contains('='))
                    break;
                receiveBuffer.append(lastLine);
            } else if (lastLine.startsWith("Address ")) {
                receiveBuffer.append(lastLine);
                started = true;
            }
        }
        QThread::msleep(passSleepMs);
        if (started && endsDump(lastLine))
            break;
    }

    qCDebug(lcLink) << "reading end";
    dataSeen = true;
    watchdogTimer.start(watchdogIntervalMs);
    return &receiveBuffer;
}

void Serial::sendCommand(const QByteArray &command)
{
    port.write(command);
    port.flush();
    port.waitForReadyRead(1000);
    qCDebug(lcLink) << command;
}
