// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial.h"

#include "link/logging.h"
#include "link/sentenceanswer.h"
#include <QCoreApplication>

namespace {

const char dumpRequest = 0x03;
const int firstWaitMs = 1000;
const int drainLines = 7;
const int drainWaitMs = 1000;
const int burstGapMs = 50;
const int burstDrainLimitMs = 1500;
// Whatever the device prints before the request, half of the read is left for the list.
const int drainLimitMs = 5000;
// One deadline from the start of the read, whether the device is silent or talks on and on
// without ever starting its list.
const int readDeadlineMs = 10000;
const int passWaitMs = 100;
// Held lines and then a pause this long: the list is whole (the device prints it as one burst).
const int quietMs = 100;
const int sentenceAnswerMs = 1000;
// The newer firmware prints nothing for a 0x03 that finds its console busy: no status line this
// long after the request, and it is asked again.
const int unansweredRequestMs = 1000;
const int waitSliceMs = 20;

} // namespace

void Serial::drainBurst(const QElapsedTimer &reading)
{
    QElapsedTimer draining;
    draining.start();
    while (draining.elapsed() < burstDrainLimitMs && reading.elapsed() < drainLimitMs
        && (port.canReadLine() || waitForData(burstGapMs))) {
        while (port.canReadLine()) {
            // Read outside the log line: a disabled category skips its arguments.
            const QByteArray line = port.readLine();
            qCDebug(lcLink).noquote() << "--" << line;
        }
    }
}

Serial::ListRead Serial::readConfiguration()
{
    using tracktune::ListCollector;
    ListRead result;
    const auto failed = [&result](tracktune::ReadFailure failure) {
        qCDebug(lcLink) << "no list:" << tracktune::readFailureText(failure);
        result.failure = failure;
        return result;
    };
    if (!port.isOpen())
        return failed(tracktune::ReadFailure::PortClosed);

    // The watchdog's own polls must not mix with the dump.
    watchdogTimer.stop();
    QElapsedTimer reading;
    reading.start();
    dropBytes(QSerialPort::Input);
    const bool deviceTalking = waitForData(firstWaitMs);

    // Let the device finish whatever it is printing before asking.
    for (int drained = 0; drained < drainLines && port.canReadLine() && reading.elapsed() < drainLimitMs;
         ++drained) {
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
        drainBurst(reading);

    dropBytes(QSerialPort::AllDirections);
    qCDebug(lcLink) << "sending 0x03...";
    send(QByteArray(1, dumpRequest));

    ListCollector collector;
    QElapsedTimer sinceRequest;
    sinceRequest.start();
    bool answered = false;
    QElapsedTimer sinceLine;
    sinceLine.start();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (;;) {
        if (!port.isOpen()) // unplugged while reading
            return failed(tracktune::ReadFailure::PortClosed);
        ListCollector::Step step = ListCollector::Step::GoOn;
        while (
            step != ListCollector::Step::Done && step != ListCollector::Step::Failed && port.canReadLine()) {
            const QByteArray line = port.readLine();
            qCDebug(lcLink) << line;
            answered = true;
            silentTicks = 0;
            sinceLine.restart();
            step = collector.feed(line);
            if (step == ListCollector::Step::Resend) {
                qCDebug(lcLink) << "resending 0x03...";
                send(QByteArray(1, dumpRequest));
                sinceRequest.restart();
            }
        }
        if (!collector.started() && collector.statusLine().isEmpty()
            && sinceRequest.elapsed() >= unansweredRequestMs) {
            qCDebug(lcLink) << "no answer, resending 0x03...";
            send(QByteArray(1, dumpRequest));
            sinceRequest.restart();
        }
        if (step != ListCollector::Step::Done && step != ListCollector::Step::Failed && collector.holding()
            && sinceLine.elapsed() >= quietMs)
            step = collector.quiet();
        if (step == ListCollector::Step::Failed)
            return failed(collector.failure());
        if (step == ListCollector::Step::Done)
            break;
        const qint64 left = readDeadlineMs - reading.elapsed();
        if (left <= 0) {
            const bool talked = answered || port.bytesAvailable() > 0;
            return failed(talked ? tracktune::ReadFailure::Deadline : tracktune::ReadFailure::Silent);
        }
        const qint64 untilQuiet = collector.holding() ? quietMs - sinceLine.elapsed() : passWaitMs;
        waitForData(int(qBound(qint64(1), qMin(untilQuiet, left), qint64(passWaitMs))));
        // A device that never pauses must not hold the window either.
        if (sinceEvents.elapsed() >= waitSliceMs) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }

    qCDebug(lcLink) << "reading end";
    result.list = collector.list();
    result.statusLine = collector.statusLine();
    dataSeen = true;
    watchdogTimer.start(watchdogIntervalMs);
    return result;
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
    // What came before the sentence (the tail of a list or of an earlier answer) is no answer to it.
    if (port.bytesAvailable() > 0)
        qCDebug(lcLink) << "dropped before writing:" << port.readAll();
    dropBytes(QSerialPort::Input);
    if (!send(command))
        return false;
    // Sent, even when the link drops while waiting for the answer: the next sentence tells.
    tracktune::SentenceAnswer answer(command);
    QElapsedTimer waiting;
    waiting.start();
    for (;;) {
        if (port.bytesAvailable() > 0 && answer.feed(port.readAll()))
            break;
        const qint64 left = sentenceAnswerMs - waiting.elapsed();
        if (left <= 0 || !waitForData(int(left)))
            break;
    }
    return true;
}

void Serial::resumeWatchdog()
{
    if (port.isOpen() && !watchdogTimer.isActive())
        watchdogTimer.start(watchdogIntervalMs);
}
