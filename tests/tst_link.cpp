// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "link/devicesession.h"
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

QString entriesText(const QByteArray *dump)
{
    if (!dump)
        return QStringLiteral("<failed>");
    QStringList entries;
    for (const tracktune::DumpLine &entry : tracktune::parseDump(*dump))
        entries << entry.name + QLatin1Char('=') + entry.value;
    return entries.join(QLatin1Char(' '));
}

QStringList namesOf(const QList<tracktune::DumpLine> &settings)
{
    QStringList names;
    for (const tracktune::DumpLine &setting : settings)
        names << setting.name;
    return names;
}

} // namespace

// The link against a simulated tracker: finding it, polling it, dropping it, reading its list.
class LinkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false")); }
    void searchChoosesByDescription_data();
    void searchChoosesByDescription();
    void silentDeviceIsProbedOnceThenDropped();
    void readTakesTheListUpToItsEnd_data();
    void readTakesTheListUpToItsEnd();
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
        [](const auto &a, const auto &b) { return a->portPath() < b->portPath(); });
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

void LinkTest::readTakesTheListUpToItsEnd_data()
{
    QTest::addColumn<QByteArray>("earlier"); // already on its way when the read begins
    QTest::addColumn<QByteArray>("answer"); // to the request; empty: the tracker's own list
    QTest::addColumn<QString>("entries"); // "<its list>": the tracker's own
    QTest::addColumn<int>("requests");
    const QByteArray list = "Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n";
    const QString two = QStringLiteral("Address=0x1A2B3C Reg=D-KABC");
    const QByteArray after = "APN = web;\nBatt:4.12V\n";
    const QByteArray nmea = "$GPRMC,120001.00,A,4736.7380,N,01114.0700,E*6C\r\n";
    const QByteArray nul(1, '\0');
    const auto row = [&](const char *what, const QByteArray &answer, const QString &entries, int requests = 1,
                         const QByteArray &earlier = {}) {
        QTest::newRow(what) << earlier << answer << entries << requests;
    };
    // Its list starts after 12 other lines, so every read asks twice.
    row("LF tracker", {}, "<its list>", 2);
    row("$ lines inside the list do not cut it", list.left(38) + nmea + nmea + list.mid(38) + "Batt\n", two);
    row("a parameter after $ lines belongs to the list", list + nmea + after, two + " APN=web");
    row("a run of $ lines ends it", list + nmea.repeated(9) + after + list, two);
    row("NUL bytes neither cut nor end it", list.left(38) + nul + nul + "\n" + nul + list.mid(38) + "Batt\n",
        two);
    row("Address= does not start it", "Address=0x1\nReg = X;\n" + list + "Batt\n", two);
    row("a list on its way is not the answer", list + "Batt\n", two, 1,
        "Address = 0x1;\nReg = OLD;\nBatt\n" + ("IDLE    0   128    74\n" + nmea).repeated(3));
    row("silence after the list fails", list, "<failed>");
}

void LinkTest::readTakesTheListUpToItsEnd()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, answer);
    QFETCH(QString, entries);
    QFETCH(int, requests);

    TrackerSimulator tracker(testsupport::options(!answer.isEmpty(), false));
    QVERIFY(tracker.start());
    Serial serial;
    serial.openPort(tracker.portPath());
    QTRY_VERIFY(tracker.peerOpen());

    // The scripted answer goes out once the request has come (the read pumps events while it waits).
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        if (tracker.receivedCount(0x03) > 0) {
            answering.stop();
            tracker.inject(answer);
        }
    });
    if (!answer.isEmpty())
        answering.start(5);
    tracker.inject(earlier);
    QElapsedTimer clock;
    clock.start();
    const QString read = entriesText(serial.readConfiguration());

    const QByteArray ownList = tracker.dump();
    if (entries == QLatin1String("<its list>"))
        entries = entriesText(&ownList);
    QCOMPARE(read, entries);
    QCOMPARE(tracker.receivedCount(0x03), requests);
    // A failure takes about 90 idle passes of 100 ms; a list is read in about the first wait
    // (a second), however many lines were already waiting.
    const bool failed = entries == QLatin1String("<failed>");
    QVERIFY2(failed ? clock.elapsed() >= 8000 && clock.elapsed() <= 14000 : clock.elapsed() < 3000,
        qPrintable(QString::number(clock.elapsed())));
}

void LinkTest::writeAndConfirmSaysWhatTheTrackerTook_data()
{
    QTest::addColumn<bool>("unplug"); // once the first sentence has reached the tracker
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("notSent");
    QTest::newRow("too long a text is not taken, a blank never sent")
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
    session.connectTo(tracker.portPath());
    QVERIFY(session.readConfiguration());
    if (unplug) {
        // Each sentence waits its whole second: no answer comes, and the rest of the dump and
        // the answer to the read's second request have arrived before the write begins.
        tracker.setAnswerDelay(3000);
        QTest::qWait(500);
    }

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
}

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
