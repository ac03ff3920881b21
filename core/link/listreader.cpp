// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/listreader.h"

#include "config/dumpline.h"
#include "link/logging.h"
#include "link/serial.h"

namespace {

const char dumpRequest = 0x03;
// One deadline from the start of the read, whether the device is silent or talks on and on
// without ever starting its list.
const int readDeadlineMs = 10000;
// The newer firmware prints nothing for a 0x03 that finds its console busy: no status line this
// long after the request, and it is asked again.
const int unansweredRequestMs = 1000;
// Held lines and then a pause this long: the list is whole (the device prints it as one burst).
const int quietMs = 100;
// After a list that was asked for more than once: the answers to the other requests are waited
// for, up to this long without a line (a busy tracker drops a request without a word) ...
const int lateAnswerMs = 1000;
// ... or until each has come and the line has been quiet this long.
const int answeredQuietMs = 200;

} // namespace

ListReader::ListReader(Serial &serial, QObject *parent) : QObject(parent), serial(serial)
{
    qRegisterMetaType<ListReader::Result>();
    deadline.setSingleShot(true);
    quiet.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    quiet.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, this,
        [this] { fail(talked ? tracktune::ReadFailure::Deadline : tracktune::ReadFailure::Silent); });
    connect(&unanswered, &QTimer::timeout, this, [this] {
        if (!collector.started() && collector.statusLine().isEmpty()) {
            qCDebug(lcLink) << "no answer, asking again";
            ask();
        }
    });
    connect(&quiet, &QTimer::timeout, this, [this] { onStep(collector.quiet()); });
    settling.setSingleShot(true);
    connect(&settling, &QTimer::timeout, this, [this] { finishRead(); });
}

void ListReader::start()
{
    if (running)
        return;
    running = true;
    talked = false;
    requests = 0;
    lateAnswers = 0;
    read.reset();
    collector = tracktune::ListCollector();
    // The watchdog's own polls must not mix with the list.
    serial.pauseWatchdog();
    deadline.start(readDeadlineMs);
    if (!serial.isOpen()) {
        fail(tracktune::ReadFailure::PortClosed);
        return;
    }
    // Whatever the port holds from before is handed on first, to nobody of this read: the list
    // it asks for starts at the tracker's status line after the request.
    ask();
    listening << connect(&serial, &Serial::lineReceived, this, &ListReader::onLine);
    listening << connect(&serial, &Serial::bytesReceived, this, [this] { talked = true; });
    listening << connect(&serial, &Serial::disconnected, this, [this] {
        // Unplugged while reading.
        fail(tracktune::ReadFailure::PortClosed);
    });
}

void ListReader::ask()
{
    serial.write(QByteArray(1, dumpRequest));
    ++requests;
    collector.requested();
    unanswered.start(unansweredRequestMs);
}

void ListReader::onLine(const QByteArray &line)
{
    qCDebug(lcLink) << line;
    if (read) {
        // An answer to another request of this read: taken by nobody, waited for, so that the
        // next read or write does not take it for its own.
        if (tracktune::parseStatusLine(QString::fromLatin1(line)))
            ++lateAnswers;
        settling.start(lateAnswers >= requests - 1 ? answeredQuietMs : lateAnswerMs);
        return;
    }
    const tracktune::ListCollector::Step step = collector.feed(line);
    if (step == tracktune::ListCollector::Step::Resend) {
        qCDebug(lcLink) << "asking again";
        ask();
    }
    onStep(step);
}

void ListReader::onStep(tracktune::ListCollector::Step step)
{
    if (!running)
        return;
    if (step == tracktune::ListCollector::Step::Failed) {
        fail(collector.failure());
        return;
    }
    if (step == tracktune::ListCollector::Step::Done) {
        qCDebug(lcLink) << "reading end";
        read = Result {collector.list(), collector.statusLine(), std::nullopt};
        if (requests <= 1) {
            finishRead();
            return;
        }
        unanswered.stop();
        quiet.stop();
        settling.start(lateAnswerMs);
        return;
    }
    if (collector.holding())
        quiet.start(quietMs);
    else
        quiet.stop();
}

void ListReader::finishRead()
{
    if (!running || !read)
        return;
    serial.resumeWatchdog();
    finish(*read);
}

void ListReader::fail(tracktune::ReadFailure failure)
{
    if (!running)
        return;
    // The deadline while the late answers are waited for: the list read stands.
    if (read) {
        finishRead();
        return;
    }
    qCDebug(lcLink) << "no list:" << tracktune::readFailureText(failure);
    finish({QByteArray(), QString(), failure});
}

void ListReader::stopListening()
{
    if (!running)
        return;
    running = false;
    deadline.stop();
    unanswered.stop();
    quiet.stop();
    settling.stop();
    for (const QMetaObject::Connection &connection : std::as_const(listening))
        disconnect(connection);
    listening.clear();
}

void ListReader::finish(const Result &result)
{
    stopListening();
    // From the event loop: the end is told outside the link's own signal that brought it.
    QMetaObject::invokeMethod(
        this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}
