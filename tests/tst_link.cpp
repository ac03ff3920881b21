// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "config/settingsfile.h"
#include "link/devicesession.h"
#include "link/listreader.h"
#include "link/serial.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using namespace testsupport;

namespace {

// When the tracker received the byte, on the clock of TrackerSimulator::received().
QList<qint64> timesOf(const TrackerSimulator &tracker, char byte)
{
    QList<qint64> times;
    for (const TrackerSimulator::ReceivedByte &entry : tracker.received()) {
        if (entry.byte == byte)
            times << entry.msecs;
    }
    return times;
}

QString textOf(const QList<tracktune::DumpLine> &entries)
{
    QStringList texts;
    for (const tracktune::DumpLine &entry : entries)
        texts << entry.name + QLatin1Char('=') + entry.value;
    return texts.join(QLatin1Char(' '));
}

QString readText(const ListReader::Result &read)
{
    return read.failure ? QStringLiteral("<failure %1>").arg(int(*read.failure))
                        : textOf(tracktune::parseDump(read.list));
}

// Qt's own warnings, such as a call on a port that closed under it: none may reach the terminal.
QStringList qtWarnings;
QtMessageHandler testHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        qtWarnings << message;
    testHandler(type, context, message);
}

} // namespace

// The link against a simulated tracker: finding it, polling it, dropping it, reading its list,
// writing to it.
class LinkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        testHandler = qInstallMessageHandler(recordWarnings);
    }
    void init() { qtWarnings.clear(); }
    void cleanup() { QCOMPARE(qtWarnings, QStringList()); }
    void searchSkipsABusyAdapter();
    void silentDeviceIsProbedOnceThenDropped();
    void readTakesTheListUpToItsEnd_data();
    void readTakesTheListUpToItsEnd();
    void sessionReadsAfterTheConnect();
    void foreignPortIsSetAside();
    void writeAndConfirmSaysWhatTheTrackerTook_data();
    void writeAndConfirmSaysWhatTheTrackerTook();
    void operationsGoOnInsideAnotherEventLoop_data();
    void operationsGoOnInsideAnotherEventLoop();
};

// Which adapter comes first is the candidates' rule; here a port another program holds.
void LinkTest::searchSkipsABusyAdapter()
{
    const auto trackers = trackersInPortOrder(2);
    QSerialPort otherProgram(trackers.at(0)->portPath());
    QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    const PortListing listing(
        {{trackers.at(0)->portPath(), "FT232R USB UART"}, {trackers.at(1)->portPath(), "CH340 USB serial"}});
    Serial serial;
    QSignalSpy connectedSpy(&serial, &Serial::connected);
    QVERIFY(serial.findDevice() && serial.isOpen());
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(connectedSpy.at(0).at(0).toString(), trackers.at(1)->portPath());
    // Searching writes nothing to any port.
    for (const auto &tracker : trackers)
        QCOMPARE(tracker->receivedBytes(), QByteArray());
}

void LinkTest::silentDeviceIsProbedOnceThenDropped()
{
    TrackerSimulator tracker(options(true));
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy dataSpy(&serial, &Serial::dataRead);
    serial.openPort(tracker.portPath());

    // Data after the first probe starts the count again: 4 more silent ticks to the next.
    QTRY_VERIFY_WITH_TIMEOUT(tracker.receivedCount(0x02) == 1, 8000);
    tracker.inject("$POGNR,still here\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(!tracker.hangups().isEmpty(), 15000);

    const QList<qint64> polls = timesOf(tracker, 0x03);
    const QList<qint64> probes = timesOf(tracker, 0x02);
    QCOMPARE(polls.size(), 4 + 1 + 6);
    QCOMPARE(probes.size(), 2);
    QVERIFY(probes.at(0) >= polls.at(3) && probes.at(0) < polls.at(4));
    QVERIFY(probes.at(1) >= polls.at(8) && probes.at(1) < polls.at(9));
    QVERIFY(tracker.hangups().first() >= polls.last());
    const qint64 polling = polls.last() - polls.first(); // ten ticks of a second
    QVERIFY2(polling >= 9000 && polling <= 11500, qPrintable(QString::number(polling)));
    // The injected line came whole.
    QString heard;
    for (const QList<QVariant> &text : std::as_const(dataSpy))
        heard += text.at(0).toString();
    QCOMPARE(heard, QStringLiteral("$POGNR,still here\r\n"));
}

void LinkTest::readTakesTheListUpToItsEnd_data()
{
    QTest::addColumn<QByteArray>("earlier"); // already on its way when the read begins
    QTest::addColumn<QByteArray>("answer"); // to the request; empty: the tracker's own list
    QTest::addColumn<bool>("chatter"); // a line every 20 ms, the list never
    QTest::addColumn<QString>("entries"); // "<its list>": the tracker's own
    QTest::addColumn<int>("requests"); // -1: many
    QTest::addColumn<int>("missed"); // requests the tracker answers with nothing
    const QByteArray list = "Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n";
    const QString two = QStringLiteral("Address=0x1A2B3C Reg=D-KABC");
    const QByteArray nmea = "$GPRMC,120001.00,A,4736.7380,N,01114.0700,E*6C\r\n";
    const auto row = [](const char *what, const QByteArray &earlier, const QByteArray &answer, bool chatter,
                         const QString &entries, int requests, int missed = 0) {
        QTest::newRow(what) << earlier << answer << chatter << entries << requests << missed;
    };
    const QByteArray status = "1:3:1A2B3C/000024A16C1A2B3C SX1262/+14dBm +0.0ppm CON:115200bps\n";
    row("a plain list", {}, {}, false, "<its list>", 1);
    row("a request the busy tracker missed is made again", {}, {}, false, "<its list>", 2, 1);
    // What a confused tracker or a noisy line sends before its list is no part of it.
    row("NUL bytes, bare CRs, a 4000-byte line and a half list before the list",
        QByteArray(300, '\0') + "\r\r\r" + QByteArray(4000, 'L') + "\nAddress = \r\n\xff\xfe\xc3"
            + TrackerSimulator().dump().left(200),
        {}, false, "<its list>", 1);
    row("a list on its way is not the answer",
        "Address = 0x1;\nReg = OLD;\nBatt\n" + ("IDLE    0   128    74\n" + nmea).repeated(3),
        status + list + "Batt\n", false, two, 1);
    // No later than a silent device's read.
    row("chatter without a list fails by the deadline", {}, {}, true,
        QStringLiteral("<failure %1>").arg(int(tracktune::ReadFailure::Deadline)), -1);
}

void LinkTest::readTakesTheListUpToItsEnd()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, answer);
    QFETCH(bool, chatter);
    QFETCH(QString, entries);
    QFETCH(int, requests);
    QFETCH(int, missed);

    TrackerSimulator::Options trackerOptions = options(!answer.isEmpty() || chatter, false);
    trackerOptions.missedRequests = missed;
    TrackerSimulator tracker(trackerOptions);
    QVERIFY(tracker.start());
    Serial serial;
    serial.openPort(tracker.portPath());
    QTRY_VERIFY(tracker.peerOpen());

    // The scripted answer goes out once the request has come.
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        if (chatter) {
            tracker.inject("$GPRMC,120001.00,A*00\r\n");
        } else if (tracker.receivedCount(0x03) > 0) {
            answering.stop();
            tracker.inject(answer);
        }
    });
    if (!answer.isEmpty() || chatter)
        answering.start(chatter ? 20 : 5);
    tracker.inject(earlier);
    QElapsedTimer clock;
    clock.start();
    ListReader reader(serial);
    QSignalSpy finished(&reader, &ListReader::finished);
    reader.start();
    QVERIFY(finished.wait(12000));
    const QString read = readText(finished.at(0).at(0).value<ListReader::Result>());

    answering.stop();
    if (entries == QLatin1String("<its list>"))
        entries = textOf(tracktune::parseDump(TrackerSimulator().dump()));
    QCOMPARE(read, entries);
    // Asked again after every 10 lines of chatter.
    if (requests < 0)
        QVERIFY2(tracker.receivedCount(0x03) >= 20, qPrintable(QString::number(tracker.receivedCount(0x03))));
    else
        QCOMPARE(tracker.receivedCount(0x03), requests);
    // A failure takes the whole deadline; a list is asked for at once and read in its wire time,
    // however many lines were already waiting; each request missed costs a second, and a second
    // more lets a late answer to it pass.
    const bool failed = entries.startsWith(QLatin1Char('<'));
    QVERIFY2(
        failed ? clock.elapsed() >= 9500 && clock.elapsed() <= 11000 : clock.elapsed() < 1000 + 2100 * missed,
        qPrintable(QString::number(clock.elapsed())));
}

void LinkTest::sessionReadsAfterTheConnect()
{
    TrackerSimulator::Options options;
    options.cpuId = "0000246F28A1B2C3";
    testsupport::ListedTracker listed(options);
    DeviceSession session;
    QSignalSpy listSpy(&session, &DeviceSession::listRead);
    QList<DeviceSession::Operation> operations; // at the connect and at the read's start
    connect(&session.link(), &Serial::connected, this, [&] { operations << session.operation(); });
    connect(&session, &DeviceSession::readStarted, this, [&] { operations << session.operation(); });
    session.start();
    QVERIFY(listSpy.wait(5000));
    // A read inside the connect's emission would have started before this test's handler ran.
    QCOMPARE(operations,
        (QList<DeviceSession::Operation> {DeviceSession::Operation::Search, DeviceSession::Operation::Read}));
    QVERIFY2(session.lastStatusLine().startsWith(QLatin1String("1:3:A1B2C3/0000246F28A1B2C3 SX1262/")),
        qPrintable(session.lastStatusLine()));
}

void LinkTest::foreignPortIsSetAside()
{
    // The silent device comes first in name order: the search opens it first.
    const auto devices = trackersInPortOrder(2);
    TrackerSimulator &foreign = *devices.at(0);
    TrackerSimulator &tracker = *devices.at(1);
    foreign.setSilent(true);
    const QString usb = QStringLiteral("USB Serial Device");
    PortListing listing({{foreign.portPath(), usb}, {tracker.portPath(), usb}});
    DeviceSession session;
    QSignalSpy listSpy(&session, &DeviceSession::listRead);
    QSignalSpy failedSpy(&session, &DeviceSession::readFailed);
    QSignalSpy connectedSpy(&session.link(), &Serial::connected);
    session.start();
    QVERIFY(failedSpy.wait(12000));
    QCOMPARE(failedSpy.at(0).at(0).value<tracktune::ReadFailure>(), tracktune::ReadFailure::Silent);
    QVERIFY(listSpy.wait(5000));
    QCOMPARE(connectedSpy.count(), 2);
    QCOMPARE(connectedSpy.at(1).at(0).toString(), tracker.portPath());

    // Gone from the list and back: a candidate again.
    listing.set({{tracker.portPath(), usb}});
    session.link().closePort();
    QVERIFY(listSpy.wait(5000));
    QCOMPARE(connectedSpy.count(), 3);
    listing.set({{foreign.portPath(), usb}, {tracker.portPath(), usb}});
    session.link().closePort();
    // Waited for by the spy: its read, queued behind the connect, goes with the session.
    QVERIFY(connectedSpy.wait(2000));
    QCOMPARE(connectedSpy.count(), 4);
    QCOMPARE(connectedSpy.at(3).at(0).toString(), foreign.portPath());
}

void LinkTest::writeAndConfirmSaysWhatTheTrackerTook_data()
{
    QTest::addColumn<bool>("unplug"); // once the first sentence has reached the tracker
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("notSent");
    QTest::newRow("echoed: each sentence waits for the answer; a blank not in the tracker's form never sent")
        << false << "AcftType=0x7 Pilot=ABCDEFGHIJKLMNO"
        << "Reg=D KABC";
    QTest::newRow("unplugged: the sentence in flight counts as sent, no more go out")
        << true << "AcftType=0x7"
        << "Reg=D KABC Pilot=ABCDEFGHIJKLMNO";
}

void LinkTest::writeAndConfirmSaysWhatTheTrackerTook()
{
    QFETCH(bool, unplug);
    QFETCH(QString, sent);
    QFETCH(QString, notSent);
    TrackerSimulator::Options slow;
    // Neither a CR before the line feed nor an adapter's echo of the sentence may pass for the
    // answer.
    slow.lineEnding = TrackerSimulator::LineEnding::CrLf;
    slow.echo = !unplug;
    slow.unplugAfterSentences = unplug ? 1 : -1;
    TrackerSimulator tracker(slow);
    QVERIFY(tracker.start());
    DeviceSession session;
    QSignalSpy disconnectedSpy(&session, &DeviceSession::disconnected);
    session.connectTo(tracker.portPath());
    QSignalSpy listSpy(&session, &DeviceSession::listRead);
    QVERIFY(session.startRead() && listSpy.wait(5000));
    // Unplugged, each sentence waits its whole second: no answer comes. Echoed, the answer
    // comes this late.
    const int answerDelay = unplug ? 3000 : 250;
    tracker.setAnswerDelay(answerDelay);

    QSignalSpy writtenSpy(&session, &DeviceSession::writeFinished);
    QVERIFY(session.startWrite({{"AcftType", "0x7"}, {"Reg", "D KABC"}, {"Pilot", "ABCDEFGHIJKLMNO"}}));
    // One at a time: nothing else starts while it runs.
    QVERIFY(!session.startRead() && !session.startWrite({{"AcftType", "0x1"}}));
    QVERIFY(writtenSpy.wait(15000));
    const auto report = writtenSpy.at(0).at(0).value<DeviceSession::WriteReport>();
    QCOMPARE(textOf(report.sent), sent);
    QCOMPARE(textOf(report.notSent), notSent);
    QCOMPARE(report.linkLost, unplug);
    QCOMPARE(report.readBack.has_value(), !unplug);
    QCOMPARE(report.notTaken, QStringList());
    QCOMPARE(report.refused.size(), 1);
    // What it says it sent is what reached the wire.
    QCOMPARE(sentencesIn(tracker.receivedBytes()).join(' ').remove("$POGNS,"), sent);
    QCOMPARE(disconnectedSpy.count(), unplug ? 1 : 0);
    const QList<qint64> starts = timesOf(tracker, '$');
    if (starts.size() == 2) {
        const qint64 gap = starts.at(1) - starts.at(0);
        QVERIFY2(gap >= answerDelay && gap < 1000, qPrintable(QString::number(gap)));
    }
}

void LinkTest::operationsGoOnInsideAnotherEventLoop_data()
{
    QTest::addColumn<bool>("write");
    QTest::newRow("a read") << false;
    QTest::newRow("a write and its read-back") << true;
}

// A modal box opened from some other slot (a network reply, a timer) runs an event loop of its
// own: the operation goes on inside it, and the serial monitor sees every byte it reads.
void LinkTest::operationsGoOnInsideAnotherEventLoop()
{
    QFETCH(bool, write);
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    DeviceSession session;
    session.connectTo(tracker.portPath());
    // A write goes only to a tracker whose list was read.
    if (write) {
        QSignalSpy listSpy(&session, &DeviceSession::listRead);
        QVERIFY(session.startRead() && listSpy.wait(5000));
    }
    QString monitor;
    connect(&session, &DeviceSession::dataRead, this, [&monitor](const QString &text) { monitor += text; });
    QElapsedTimer clock;
    qint64 ended = -1;
    connect(&session, &DeviceSession::operationChanged, this, [&](DeviceSession::Operation operation) {
        if (operation == DeviceSession::Operation::None)
            ended = clock.elapsed();
    });
    const int boxOpensMs = 300;
    const int boxClosesMs = boxOpensMs + 4000;
    QTimer::singleShot(boxOpensMs, this, [] {
        QEventLoop box;
        QTimer::singleShot(4000, &box, &QEventLoop::quit);
        box.exec();
    });
    clock.start();
    QVERIFY(write ? session.startWrite({{"Reg", "D-KBOX"}}) : session.startRead());
    QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() > boxClosesMs, 6000);
    QVERIFY2(ended > 0 && ended < boxClosesMs, qPrintable(QString::number(ended)));
    QCOMPARE(session.lastReadFailure(), std::nullopt);
    const tracktune::DumpLine *reg = tracktune::findSetting(session.lastReadList(), QStringLiteral("Reg"));
    QVERIFY(reg && (!write || reg->value == QLatin1String("D-KBOX")));
    QVERIFY2(monitor.contains(QLatin1String("\nReg")), qPrintable(monitor.left(200)));
}

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
