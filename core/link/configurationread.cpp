// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial.h"

#include "link/logging.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
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
// The list ends at a "$" line unless a parameter line follows it at once; the device prints
// its list as one burst, so a pause this long after such lines, or a run this long, ends it.
const int sentenceGapMs = 100;
const int longestSentenceRun = 8;
const int sentenceAnswerMs = 1000;
const int waitSliceMs = 20;

// "Name = Value": a name of letters, digits and "_", then "=".
bool isParameterLine(const QByteArray &line)
{
    static const QRegularExpression parameter(QStringLiteral("^ *[A-Za-z][A-Za-z0-9_]* *="));
    return parameter.match(QString::fromLatin1(line)).hasMatch();
}

} // namespace

void Serial::drainBurst()
{
    QElapsedTimer draining;
    draining.start();
    while (draining.elapsed() < burstDrainLimitMs && (port.canReadLine() || waitForData(burstGapMs))) {
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
    const bool deviceTalking = waitForData(firstWaitMs);

    // Let the device finish whatever it is printing before asking.
    for (int drained = 0; drained < drainLines && port.canReadLine(); ++drained) {
        const QByteArray line = port.readLine();
        qCDebug(lcLink).noquote() << drained << "--" << line;
        // Waiting for more only when no line is waiting already: lines that have
        // arrived would otherwise cost a second each.
        if (!port.canReadLine())
            waitForData(drainWaitMs);
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
    bool ended = false;
    int linesSinceRequest = 0;
    int idlePasses = 0;
    int heldSentences = 0; // "$" lines since the last parameter line
    QElapsedTimer sinceSentence;
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    while (!ended) {
        waitForData(passWaitMs);
        if (!port.isOpen()) // unplugged while reading
            return nullptr;
        if (sinceRequest.elapsed() > readDeadlineMs) {
            qCDebug(lcLink) << "no list within" << readDeadlineMs << "ms";
            return nullptr;
        }
        if (!port.canReadLine()) {
            // Sentences after the last parameter and then a pause: the list is whole.
            if (heldSentences > 0 && sinceSentence.elapsed() >= sentenceGapMs)
                break;
            // Keep the window alive while the device is slow to answer.
            QCoreApplication::processEvents();
            if (++idlePasses > lastIdlePass)
                return nullptr;
        }
        while (!ended && port.canReadLine()) {
            QByteArray line = port.readLine();
            ++linesSinceRequest;
            silentTicks = 0;
            qCDebug(lcLink) << line;
            // A NUL byte is line noise: it neither cuts a line nor makes one.
            if (line.contains('\0')) {
                line.replace('\0', QByteArray());
                if (line.trimmed().isEmpty())
                    continue;
            }
            if (!started) {
                if (linesSinceRequest > linesBeforeResend) {
                    qCDebug(lcLink) << "resending 0x03...";
                    port.write(&dumpRequest, 1);
                    port.flush();
                    linesSinceRequest = 0;
                }
                if (line.startsWith("Address ")) {
                    receiveBuffer.append(line);
                    started = true;
                }
                continue;
            }
            if (line.startsWith('$')) {
                // Another task's sentence may land inside the list: held until the next line
                // tells whether the list goes on.
                sinceSentence.start();
                ended = ++heldSentences > longestSentenceRun;
                continue;
            }
            if (heldSentences > 0 ? !isParameterLine(line) : !line.contains('=')) {
                ended = true;
                continue;
            }
            heldSentences = 0;
            receiveBuffer.append(line);
        }
        QThread::msleep(passSleepMs);
    }

    qCDebug(lcLink) << "reading end";
    dataSeen = true;
    watchdogTimer.start(watchdogIntervalMs);
    return &receiveBuffer;
}

bool Serial::waitForData(int msecs)
{
    // Qt may read the bytes into the port's buffer while the events go on: count them there.
    const qint64 before = port.bytesAvailable();
    QElapsedTimer waiting;
    waiting.start();
    while (port.isOpen()) {
        const qint64 left = msecs - waiting.elapsed();
        if (left <= 0)
            return false;
        if (port.waitForReadyRead(int(qMin<qint64>(left, waitSliceMs))) || port.bytesAvailable() > before)
            return true;
        QCoreApplication::processEvents();
        if (port.bytesAvailable() > before)
            return true;
    }
    return false;
}

bool Serial::sendCommand(const QByteArray &command)
{
    if (!port.isOpen())
        return false;
    // The watchdog's poll byte must not land between two sentences' answers.
    watchdogTimer.stop();
    qCDebug(lcLink) << command;
    // A port whose adapter is gone may take the bytes into its buffer and drop them when the
    // write fails: only a flush without an error counts as sent.
    port.clearError();
    if (port.write(command) != command.size() || (!port.flush() && port.bytesToWrite() > 0)
        || port.error() != QSerialPort::NoError || !port.isOpen())
        return false;
    // Sent, even when the link drops while waiting for the answer: the next sentence tells.
    waitForData(sentenceAnswerMs);
    return true;
}

void Serial::resumeWatchdog()
{
    if (port.isOpen() && !watchdogTimer.isActive())
        watchdogTimer.start(watchdogIntervalMs);
}
