// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "link/devicesession.h"
#include "link/portorder.h"
#include "link/serial.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
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

QString entriesText(const QByteArray &dump)
{
    return textOf(tracktune::parseDump(dump));
}

QString readText(const Serial::ListRead &read)
{
    if (!read.failure)
        return entriesText(read.list);
    switch (*read.failure) {
    case tracktune::ReadFailure::PortClosed:
        return QStringLiteral("<port closed>");
    case tracktune::ReadFailure::Silent:
        return QStringLiteral("<silent>");
    case tracktune::ReadFailure::TooShort:
        return QStringLiteral("<too short>");
    case tracktune::ReadFailure::Deadline:
        return QStringLiteral("<deadline>");
    }
    return QString();
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

QStringList namesOf(const QList<tracktune::DumpLine> &settings)
{
    QStringList names;
    for (const tracktune::DumpLine &setting : settings)
        names << setting.name;
    return names;
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
    void searchChoosesByDescription_data();
    void searchChoosesByDescription();
    void portThatWillNotOpenIsNoLink();
    void silentDeviceIsProbedOnceThenDropped();
    void readTakesTheListUpToItsEnd_data();
    void readTakesTheListUpToItsEnd();
    void unplugDuringReadIsOneDisconnect();
    void sessionReadsAfterTheConnect();
    void foreignPortIsSetAside();
    void writeAndConfirmSaysWhatTheTrackerTook_data();
    void writeAndConfirmSaysWhatTheTrackerTook();
};

void LinkTest::searchChoosesByDescription_data()
{
    // One simulated port each, in the order of their names.
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<int>("busy"); // index of the one held open by another program, -1: none
    QTest::addColumn<int>("chosen"); // index into descriptions, -1: none

    QTest::newRow("known adapter beats another USB port")
        << QStringList {"FT232R USB UART", "Silicon Labs CP210x USB to UART Bridge"} << -1 << 1;
    QTest::newRow("busy USB adapter skipped for a later one")
        << QStringList {"FT232R USB UART", "CH340 USB serial"} << 0 << 1;
    // Whatever order the system lists them in, the same ports give the same tracker.
    QTest::newRow("known adapters in name order") << QStringList {"USB Serial Device",
        "CP2102 USB to UART Bridge Controller", "Silicon Labs CP210x USB to UART Bridge", "USB Serial Device"}
                                                  << -1 << 0;
}

void LinkTest::searchChoosesByDescription()
{
    QFETCH(QStringList, descriptions);
    QFETCH(int, busy);
    QFETCH(int, chosen);

    std::vector<std::unique_ptr<TrackerSimulator>> trackers;
    QHash<QString, QString> ports;
    for (int i = 0; i < descriptions.size(); ++i) {
        trackers.push_back(std::make_unique<TrackerSimulator>());
        QVERIFY(trackers.back()->start());
    }
    std::sort(trackers.begin(), trackers.end(),
        [](const auto &a, const auto &b) { return tracktune::portNameLess(a->portPath(), b->portPath()); });
    for (int i = 0; i < descriptions.size(); ++i)
        ports.insert(trackers.at(i)->portPath(), descriptions[i]);
    QSerialPort otherProgram(busy >= 0 ? trackers.at(busy)->portPath() : QString());
    QVERIFY(busy < 0 || otherProgram.open(QIODevice::ReadWrite));
    const testsupport::PortListing listing(ports);

    Serial serial;
    QSignalSpy connectedSpy(&serial, &Serial::connected);
    QCOMPARE(serial.findDevice(), chosen >= 0);
    QCOMPARE(connectedSpy.count(), chosen >= 0 ? 1 : 0);
    QCOMPARE(serial.isOpen(), chosen >= 0);
    if (chosen >= 0)
        QCOMPARE(connectedSpy.at(0).at(0).toString(), trackers.at(chosen)->portPath());
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
    QCOMPARE(dataSpy.at(4).at(0).toString(), QStringLiteral("$POGNR,still here\r\n"));
}

void LinkTest::portThatWillNotOpenIsNoLink()
{
    Serial serial;
    QSignalSpy connectedSpy(&serial, &Serial::connected);
    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);
    QSignalSpy failedSpy(&serial, &Serial::openFailed);
    const QString missing = QStringLiteral("/dev/no-such-tracker");
    QVERIFY(!serial.openPort(missing));
    serial.closePort();
    QCOMPARE(connectedSpy.count(), 0);
    QCOMPARE(disconnectedSpy.count(), 0); // nothing was open
    QCOMPARE(failedSpy.count(), 1);
    QCOMPARE(failedSpy.at(0).at(0).toString(), missing);
    QCOMPARE(failedSpy.at(0).at(1).value<QSerialPort::SerialPortError>(), QSerialPort::DeviceNotFoundError);
    QVERIFY(!serial.isOpen());
}

void LinkTest::readTakesTheListUpToItsEnd_data()
{
    QTest::addColumn<QByteArray>("earlier"); // already on its way when the read begins
    QTest::addColumn<QByteArray>("answer"); // to the request; empty: the tracker's own list
    QTest::addColumn<QByteArray>("inside"); // printed inside the tracker's own list
    QTest::addColumn<bool>("chatter"); // a line every 20 ms, the list never
    QTest::addColumn<QString>("entries"); // "<its list>": the tracker's own
    QTest::addColumn<int>("requests"); // -1: many
    const QByteArray list = "Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n";
    const QString two = QStringLiteral("Address=0x1A2B3C Reg=D-KABC");
    const QByteArray nmea = "$GPRMC,120001.00,A,4736.7380,N,01114.0700,E*6C\r\n";
    const auto row = [](const char *what, const QByteArray &earlier, const QByteArray &answer,
                         const QByteArray &inside, bool chatter, const QString &entries, int requests) {
        QTest::newRow(what) << earlier << answer << inside << chatter << entries << requests;
    };
    // Its list starts after 14 other lines, so every read asks twice.
    row("a plain list", {}, {}, {}, false, "<its list>", 2);
    row("NMEA from another task inside the list", {}, {}, nmea + "\xff" + nmea + nmea.left(nmea.size() - 2),
        false, "<its list>", 2);
    row("a list on its way is not the answer",
        "Address = 0x1;\nReg = OLD;\nBatt\n" + ("IDLE    0   128    74\n" + nmea).repeated(3),
        list + "Batt\n", {}, false, two, 1);
    // No later than a silent device's read.
    row("chatter without a list fails by the deadline", {}, {}, {}, true, "<deadline>", -1);
}

void LinkTest::readTakesTheListUpToItsEnd()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, inside);
    QFETCH(bool, chatter);
    QFETCH(QString, entries);
    QFETCH(int, requests);

    TrackerSimulator::Options options = testsupport::options(!answer.isEmpty() || chatter, false);
    options.insideList = inside;
    options.insideListAfter = 1;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Serial serial;
    serial.openPort(tracker.portPath());
    QTRY_VERIFY(tracker.peerOpen());

    // The scripted answer goes out once the request has come (the read pumps events while it waits).
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
    const QString read = readText(serial.readConfiguration());

    answering.stop();
    if (entries == QLatin1String("<its list>"))
        entries = entriesText(TrackerSimulator().dump());
    QCOMPARE(read, entries);
    // Asked again after every 10 lines of chatter.
    if (requests < 0)
        QVERIFY2(tracker.receivedCount(0x03) >= 20, qPrintable(QString::number(tracker.receivedCount(0x03))));
    else
        QTRY_COMPARE(tracker.receivedCount(0x03), requests);
    // A failure takes the whole deadline; a list is read in about the first wait (a second),
    // however many lines were already waiting.
    const bool failed = entries.startsWith(QLatin1Char('<'));
    QVERIFY2(failed ? clock.elapsed() >= 9500 && clock.elapsed() <= 11000 : clock.elapsed() < 3000,
        qPrintable(QString::number(clock.elapsed())));
}

void LinkTest::unplugDuringReadIsOneDisconnect()
{
    TrackerSimulator::Options options;
    options.answerDelayMs = 200;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    DeviceSession session;
    QSignalSpy disconnectedSpy(&session.link(), &Serial::disconnected);
    QSignalSpy failedSpy(&session, &DeviceSession::readFailed);
    session.connectTo(tracker.portPath());
    QTimer unplugging;
    connect(&unplugging, &QTimer::timeout, this, [&] {
        if (tracker.receivedCount(0x03) > 0)
            tracker.unplug();
    });
    unplugging.start(5);
    QVERIFY(!session.readConfiguration());
    QCOMPARE(disconnectedSpy.count(), 1);
    QCOMPARE(failedSpy.count(), 1);
    QCOMPARE(failedSpy.at(0).at(0).value<tracktune::ReadFailure>(), tracktune::ReadFailure::PortClosed);
    QCOMPARE(session.lastReadFailure(), tracktune::ReadFailure::PortClosed);
    QVERIFY(session.lastReadList().isEmpty());
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
    QCOMPARE(listSpy.count(), 1);
    QCOMPARE(
        textOf(listSpy.at(0).at(0).value<QList<tracktune::DumpLine>>()), entriesText(listed.tracker.dump()));
    QVERIFY2(session.lastStatusLine().startsWith(QLatin1String("1:3:1A2B3C/0000246F28A1B2C3 ")),
        qPrintable(session.lastStatusLine()));
    QVERIFY(!session.lastReadFailure());
}

void LinkTest::foreignPortIsSetAside()
{
    // The silent device comes first in name order: the search opens it first.
    std::vector<std::unique_ptr<TrackerSimulator>> devices;
    for (int i = 0; i < 2; ++i) {
        devices.push_back(std::make_unique<TrackerSimulator>());
        QVERIFY(devices.back()->start());
    }
    std::sort(devices.begin(), devices.end(),
        [](const auto &a, const auto &b) { return tracktune::portNameLess(a->portPath(), b->portPath()); });
    TrackerSimulator &foreign = *devices.at(0);
    TrackerSimulator &tracker = *devices.at(1);
    foreign.setSilent(true);
    const QString usb = QStringLiteral("USB Serial Device");
    testsupport::PortListing listing({{foreign.portPath(), usb}, {tracker.portPath(), usb}});
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
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("notSent");
    QTest::newRow(
        "echoed: each sentence waits for the answer; too long a text is not taken, a blank never sent")
        << false << QStringList {"AcftType", "Pilot"} << QStringList {"Reg"};
    QTest::newRow("unplugged: the sentence in flight counts as sent, no more go out")
        << true << QStringList {"AcftType"} << QStringList {"Reg", "Pilot"};
}

void LinkTest::writeAndConfirmSaysWhatTheTrackerTook()
{
    QFETCH(bool, unplug);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, notSent);
    TrackerSimulator::Options slow;
    // Neither a CR before the line feed nor an adapter's echo of the sentence may pass for the
    // answer.
    slow.lineEnding = TrackerSimulator::LineEnding::CrLf;
    slow.echo = !unplug;
    slow.unplugAfterSentences = unplug ? 1 : -1;
    TrackerSimulator tracker(slow);
    QVERIFY(tracker.start());
    DeviceSession session;
    QSignalSpy disconnectedSpy(&session.link(), &Serial::disconnected);
    session.connectTo(tracker.portPath());
    QVERIFY(session.readConfiguration());
    // Unplugged, each sentence waits its whole second: no answer comes. Echoed, the answer
    // comes this late.
    const int answerDelay = unplug ? 3000 : 250;
    tracker.setAnswerDelay(answerDelay);
    // The answer to the read's second request arrives before the write begins: no answer to a
    // sentence.
    QTest::qWait(500);

    const DeviceSession::WriteReport report
        = session.writeAndConfirm({{"AcftType", "0x7"}, {"Reg", "D KABC"}, {"Pilot", "ABCDEFGHIJKLMNOP"}});
    QCOMPARE(namesOf(report.sent), sent);
    QCOMPARE(namesOf(report.notSent), notSent);
    QCOMPARE(report.linkLost, unplug);
    QCOMPARE(report.readBack.has_value(), !unplug);
    QCOMPARE(report.notTaken, unplug ? QStringList() : QStringList {"Pilot"});
    // What it says it sent is what reached the wire.
    QStringList wire;
    for (const QString &sentence : sentencesIn(tracker.receivedBytes()))
        wire << sentence.section(QLatin1Char(','), 1).section(QLatin1Char('='), 0, 0);
    QCOMPARE(wire, sent);
    QCOMPARE(disconnectedSpy.count(), unplug ? 1 : 0);
    const QList<qint64> starts = timesOf(tracker, '$');
    if (starts.size() == 2) {
        const qint64 gap = starts.at(1) - starts.at(0);
        QVERIFY2(gap >= answerDelay && gap < 1000, qPrintable(QString::number(gap)));
    }
}

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
