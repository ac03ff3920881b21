// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackersimulator.h"

#include "trackerconsole.h"
#include "trackerdump.h"

#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <util.h>
#else
#include <pty.h>
#endif

namespace {

const qint64 nsPerMs = 1000000;
const qint64 byteNs = Q_INT64_C(1000000000) * 10 / 115200; // start, 8 data and stop bit
const qint64 chunkBytes = 16;
// An idle line builds up no more credit than this, so a late wake-up never bursts ahead of
// the wire.
const qint64 paceSlackNs = 2 * nsPerMs;
// While nobody holds the port, poll() reports a hang-up at once; look again after this.
const int closedRecheckMs = 5;
const qint64 tickNs = trackersim::tickMsecs * nsPerMs;
// Past this the firmware has dropped the sentence anyway; the bound keeps a stream without line
// ends from growing the buffer.
const int maxSentenceLength = 200;
// The newer line restarts only for a second 0x18 within this; the older one a second after the first.
const qint64 restartWindowNs = 1000 * nsPerMs;

void setFlags(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

} // namespace

struct TrackerSimulator::Private
{
    enum class Answer { Dump, Bytes, Boot };
    struct Pending
    {
        qint64 dueNs;
        Answer answer;
        QByteArray bytes = QByteArray(); // Answer::Bytes
    };

    explicit Private(const Options &options) : options(options) { }

    void run();
    void takeRequests();
    void schedule(Answer answer, qint64 nowNs, const QByteArray &bytes = QByteArray(), qint64 laterNs = 0);
    void restartRequest(qint64 nowNs);
    void releaseAnswers(qint64 nowNs);
    void queueRunningOutput(qint64 nowNs);
    void writeSome(qint64 nowNs);
    int pollTimeoutMs(qint64 nowNs) const;
    void readInput();
    void feed(char byte, qint64 nowNs);
    void endSentence(qint64 nowNs);
    void dropSentence();
    void setPeerOpen(bool open, qint64 nowNs);
    void flushUnread() const;
    void pullOut();
    void wakeLoop() const;

    // Fixed while serving.
    int master = -1;
    int wakePipe[2] = {-1, -1};
    QString path;
    QElapsedTimer clock;
    std::thread thread;
    std::atomic<bool> stopping {false};
    std::atomic<bool> unplugged {false}; // read by portPluggedIn() from any thread

    mutable std::mutex mutex; // guards the members down to the loop's own
    Options options;
    QList<Parameter> parameters;
    QVector<ReceivedByte> received;
    QStringList sentences;
    QList<qint64> hangups;
    bool peerOpen = false;
    QByteArray injected;
    QByteArray dumpPrefix;
    bool dropOutput = false;

    // The loop's own.
    QByteArray out;
    std::deque<Pending> pending;
    QByteArray sentence;
    bool inSentence = false;
    int sentencesEnded = 0;
    qint64 lastRestartByteNs = -1;
    int missed = 0; // requests answered with nothing
    bool loopPeerOpen = false;
    bool ptyFull = false;
    qint64 wireFreeNs = 0;
    qint64 nextTickNs = tickNs; // the next half-second tick of a running tracker
    qint64 bootNs = 0; // when it last booted
};

void TrackerSimulator::Private::wakeLoop() const
{
    if (wakePipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    }
}

void TrackerSimulator::Private::run()
{
    while (!stopping.load()) {
        const qint64 now = clock.nsecsElapsed();
        takeRequests();
        releaseAnswers(now);
        queueRunningOutput(now);
        if (loopPeerOpen)
            writeSome(now);

        pollfd fds[2] = {{wakePipe[0], POLLIN, 0}, {master, POLLIN, 0}};
        if (loopPeerOpen && ptyFull)
            fds[1].events |= POLLOUT;
        const int timeout = pollTimeoutMs(clock.nsecsElapsed());
        if (loopPeerOpen) {
            if (::poll(fds, 2, timeout) < 0)
                continue;
        } else {
            if (::poll(fds, 1, std::min(timeout, closedRecheckMs)) < 0 || ::poll(&fds[1], 1, 0) < 0)
                continue;
        }
        if (fds[0].revents & POLLIN) {
            char buffer[64];
            while (::read(wakePipe[0], buffer, sizeof buffer) > 0) { }
        }
        if (fds[1].revents & POLLOUT)
            ptyFull = false;
        if (fds[1].revents & POLLIN)
            readInput();
        // The hang-up is reported for as long as nobody holds the port.
        setPeerOpen(!(fds[1].revents & (POLLHUP | POLLERR)), clock.nsecsElapsed());
    }
}

void TrackerSimulator::Private::takeRequests()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (dropOutput) {
        out.clear();
        pending.clear();
        dropOutput = false;
    }
    if (loopPeerOpen)
        out += injected;
    injected.clear();
}

void TrackerSimulator::Private::schedule(Answer answer, qint64 nowNs, const QByteArray &bytes, qint64 laterNs)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!options.silent)
        pending.push_back({nowNs + laterNs + options.answerDelayMs * nsPerMs, answer, bytes});
}

void TrackerSimulator::Private::restartRequest(qint64 nowNs)
{
    bool older = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        older = options.olderFirmware;
    }
    if (older) {
        schedule(Answer::Boot, nowNs, QByteArray(), restartWindowNs);
    } else if (lastRestartByteNs >= 0 && nowNs - lastRestartByteNs <= restartWindowNs) {
        lastRestartByteNs = -1;
        schedule(Answer::Boot, nowNs);
    } else {
        lastRestartByteNs = nowNs;
    }
}

void TrackerSimulator::Private::releaseAnswers(qint64 nowNs)
{
    std::lock_guard<std::mutex> lock(mutex);
    while (!pending.empty() && pending.front().dueNs <= nowNs) {
        const Pending answer = pending.front();
        pending.pop_front();
        if (answer.answer == Answer::Boot) {
            trackersim::restart(parameters, options);
            bootNs = answer.dueNs;
        }
        // Printed into the void when nobody listens.
        if (!loopPeerOpen || options.silent)
            continue;
        switch (answer.answer) {
        case Answer::Dump:
            out += dumpPrefix;
            dumpPrefix.clear();
            out += trackersim::composeDump(parameters, options);
            break;
        case Answer::Bytes:
            out += answer.bytes;
            break;
        case Answer::Boot:
            out += trackersim::bootBanner(parameters, options);
            if (options.chatty)
                out += trackersim::bootStatusLines(options);
            break;
        }
    }
}

void TrackerSimulator::Private::queueRunningOutput(qint64 nowNs)
{
    if (nowNs < nextTickNs)
        return;
    const qint64 tick = nextTickNs;
    // On the tick's grid, so the 10-s lines keep their phase; ticks missed while busy are skipped.
    nextTickNs += ((nowNs - nextTickNs) / tickNs + 1) * tickNs;
    std::lock_guard<std::mutex> lock(mutex);
    // Appended behind whatever is in flight, so a dump is never cut in two. Read with the
    // parameters as they are now: a Verbose=0 just written silences the next tick.
    if (options.chatty && !options.silent && loopPeerOpen)
        out += trackersim::runningOutput({tick / nsPerMs, (tick - bootNs) / nsPerMs}, parameters, options);
}

void TrackerSimulator::Private::writeSome(qint64 nowNs)
{
    while (!out.isEmpty() && !ptyFull) {
        qint64 count = out.size();
        if (options.paced) {
            wireFreeNs = std::max(wireFreeNs, nowNs - paceSlackNs);
            const qint64 credit = (nowNs - wireFreeNs) / byteNs;
            if (credit < std::min(chunkBytes, count))
                return;
            count = std::min(count, credit);
        }
        const ssize_t written = ::write(master, out.constData(), static_cast<size_t>(count));
        if (written > 0) {
            out.remove(0, static_cast<int>(written));
            wireFreeNs += written * byteNs;
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            ptyFull = true;
        } else {
            // The port went away under us; poll() reports the hang-up next.
            out.clear();
        }
    }
}

int TrackerSimulator::Private::pollTimeoutMs(qint64 nowNs) const
{
    qint64 waitNs = nextTickNs - nowNs;
    if (!pending.empty())
        waitNs = std::min(waitNs, pending.front().dueNs - nowNs);
    if (loopPeerOpen && !out.isEmpty() && !ptyFull && options.paced) {
        const qint64 needed = std::min<qint64>(chunkBytes, out.size());
        waitNs = std::min(waitNs, wireFreeNs + needed * byteNs - nowNs);
    }
    if (waitNs <= 0)
        return 0;
    return static_cast<int>((waitNs + nsPerMs - 1) / nsPerMs);
}

void TrackerSimulator::Private::readInput()
{
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(master, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return; // EAGAIN: all read; EIO: nobody holds the port, poll() says so too
        const qint64 now = clock.nsecsElapsed();
        for (ssize_t i = 0; i < count; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                received.append({now / nsPerMs, buffer[i]});
                if (options.echo)
                    out.append(buffer[i]);
            }
            feed(buffer[i], now);
            if (sentencesEnded == options.unplugAfterSentences) {
                pullOut();
                return;
            }
        }
    }
}

void TrackerSimulator::Private::feed(char byte, qint64 nowNs)
{
    if (inSentence) {
        if (byte == '\r' || byte == '\n') {
            endSentence(nowNs);
            return;
        }
        if (static_cast<unsigned char>(byte) <= 0x20) {
            dropSentence(); // and the byte still counts as a command below
        } else {
            sentence += byte;
            if (sentence.size() > maxSentenceLength)
                dropSentence();
            return;
        }
    }
    switch (byte) {
    case '$':
        inSentence = true;
        sentence = "$";
        break;
    case 0x03:
        if (missed < options.missedRequests)
            ++missed;
        else
            schedule(Answer::Dump, nowNs);
        break;
    case 0x18:
        restartRequest(nowNs);
        break;
    default:
        break; // 0x02 and anything else does nothing
    }
}

void TrackerSimulator::Private::dropSentence()
{
    sentence.clear();
    inSentence = false;
}

void TrackerSimulator::Private::endSentence(qint64 nowNs)
{
    trackersim::SentenceOutcome outcome;
    {
        std::lock_guard<std::mutex> lock(mutex);
        // Saved at once: the next dump already shows it.
        outcome = trackersim::applySentence(sentence, parameters, options);
        if (outcome.accepted)
            sentences.append(QString::fromLatin1(sentence));
    }
    sentence.clear();
    inSentence = false;
    ++sentencesEnded;
    if (outcome.accepted)
        schedule(Answer::Bytes, nowNs, outcome.reply);
}

void TrackerSimulator::Private::pullOut()
{
    // From the loop itself: unplug() joins the loop before it closes.
    ::close(master);
    master = -1;
    unplugged.store(true);
    stopping.store(true);
    std::lock_guard<std::mutex> lock(mutex);
    peerOpen = false;
}

void TrackerSimulator::Private::flushUnread() const
{
    // Flushing from the master only empties the bytes still in transit; what already
    // reached the port's input queue must be flushed from the port's side.
    ::tcflush(master, TCOFLUSH);
    const int port = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port >= 0) {
        ::tcflush(port, TCIFLUSH);
        ::close(port);
    }
}

void TrackerSimulator::Private::setPeerOpen(bool open, qint64 nowNs)
{
    if (open == loopPeerOpen)
        return;
    loopPeerOpen = open;
    if (open) {
        wireFreeNs = nowNs;
        ptyFull = false;
    } else {
        // What was written but not read would greet the next open: a real adapter drops it.
        out.clear();
        flushUnread();
    }
    std::lock_guard<std::mutex> lock(mutex);
    peerOpen = open;
    if (!open)
        hangups.append(nowNs / nsPerMs);
}

TrackerSimulator::TrackerSimulator() : TrackerSimulator(Options()) { }

TrackerSimulator::TrackerSimulator(const Options &options) : d(new Private(options))
{
    d->parameters = trackersim::defaultParameters(options);
}

TrackerSimulator::~TrackerSimulator()
{
    unplug();
    for (int &fd : d->wakePipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

bool TrackerSimulator::start()
{
    if (d->master >= 0 || d->unplugged)
        return false;
    // Raw from the start: nothing is echoed or translated before or between the program's opens.
    termios settings = {};
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    settings.c_cflag |= CLOCAL | CREAD;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, &settings, nullptr) != 0)
        return false;
    char name[256] = {};
    const bool named = ::ttyname_r(slave, name, sizeof name) == 0;
    // Nobody but the program may hold the slave, or its close would go unseen.
    ::close(slave);
    if (!named || ::pipe(d->wakePipe) != 0) {
        ::close(master);
        return false;
    }
    setFlags(master);
    setFlags(d->wakePipe[0]);
    setFlags(d->wakePipe[1]);
    d->master = master;
    d->path = QString::fromLocal8Bit(name);
    d->clock.start();
    d->thread = std::thread([this] { d->run(); });
    return true;
}

QString TrackerSimulator::portPath() const
{
    return d->path;
}

bool TrackerSimulator::pluggedIn() const
{
    return !d->path.isEmpty() && !d->unplugged.load();
}

void TrackerSimulator::setSilent(bool silent)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->options.silent = silent;
    if (silent)
        d->dropOutput = true;
    d->wakeLoop();
}

void TrackerSimulator::setAnswerDelay(int msecs)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->options.answerDelayMs = std::max(0, msecs);
}

void TrackerSimulator::inject(const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->injected += bytes;
    d->wakeLoop();
}

void TrackerSimulator::prefixNextDump(const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->dumpPrefix = bytes;
}

void TrackerSimulator::unplug()
{
    if (d->thread.joinable()) {
        d->stopping.store(true);
        d->wakeLoop();
        d->thread.join();
    }
    if (d->master >= 0) {
        ::close(d->master);
        d->master = -1;
    }
    d->unplugged = true; // also when the loop pulled it out itself
    std::lock_guard<std::mutex> lock(d->mutex);
    d->peerOpen = false;
}

QList<TrackerSimulator::Parameter> TrackerSimulator::parameters() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->parameters;
}

void TrackerSimulator::setParameters(const QList<Parameter> &parameters)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->parameters = parameters;
}

QString TrackerSimulator::parameter(const QString &name) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    for (const Parameter &parameter : d->parameters) {
        if (parameter.name == name)
            return parameter.value;
    }
    return QString();
}

void TrackerSimulator::setParameter(const QString &name, const QString &value)
{
    const QString shown = value.isNull() ? QStringLiteral("") : value;
    std::lock_guard<std::mutex> lock(d->mutex);
    for (Parameter &parameter : d->parameters) {
        if (parameter.name == name) {
            parameter.value = shown;
            return;
        }
    }
    d->parameters.append({name, shown, QStringLiteral(" #  [char]")});
}

QByteArray TrackerSimulator::dump() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return trackersim::composeDump(d->parameters, d->options);
}

QVector<TrackerSimulator::ReceivedByte> TrackerSimulator::received() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->received;
}

QByteArray TrackerSimulator::receivedBytes() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    QByteArray bytes;
    bytes.reserve(d->received.size());
    for (const ReceivedByte &received : d->received)
        bytes += received.byte;
    return bytes;
}

int TrackerSimulator::receivedCount(char byte) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return static_cast<int>(std::count_if(
        d->received.cbegin(), d->received.cend(), [byte](const ReceivedByte &r) { return r.byte == byte; }));
}

QStringList TrackerSimulator::sentences() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->sentences;
}

QList<qint64> TrackerSimulator::hangups() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->hangups;
}

bool TrackerSimulator::peerOpen() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->peerOpen;
}

void TrackerSimulator::clearRecord()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->received.clear();
    d->sentences.clear();
    d->hangups.clear();
}
