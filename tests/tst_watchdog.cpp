#include "link/serial.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

// The once-a-second poll and the liveness watchdog, seen from the device's side.
class TestWatchdog : public QObject
{
    Q_OBJECT

private slots:
    void answeringDeviceIsPolledAndNeverProbed();
    void silentDeviceIsProbedOnceThenDropped();
    void dataAfterTheProbeStartsTheCountAgain();
    void everyTickReportsWhatArrived();
    void receivedTextSurvivesNoiseAndSplitCharacters();
    void unpluggedDeviceIsDroppedAtOnce();

private:
    static QList<qint64> timesOf(const TrackerSimulator &tracker, char byte);
    static TrackerSimulator::Options silent()
    {
        TrackerSimulator::Options options;
        options.silent = true; // reads every byte, answers none
        return options;
    }
};

QList<qint64> TestWatchdog::timesOf(const TrackerSimulator &tracker, char byte)
{
    QList<qint64> times;
    const auto received = tracker.received();
    for (const auto &entry : received) {
        if (entry.byte == byte)
            times.append(entry.msecs);
    }
    return times;
}

void TestWatchdog::answeringDeviceIsPolledAndNeverProbed()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);
    const qint64 openedAt = tracker.elapsed();
    serial.openPort(tracker.portPath());

    QTRY_VERIFY_WITH_TIMEOUT(tracker.receivedCount(0x03) >= 8, 12000);
    QCOMPARE(tracker.receivedCount(0x02), 0);
    QCOMPARE(disconnectedSpy.count(), 0);
    QVERIFY(serial.isOpen());

    // About once a second: the first poll a second after opening, then one per second.
    const QList<qint64> polls = timesOf(tracker, 0x03);
    QVERIFY2(polls.first() - openedAt >= 900 && polls.first() - openedAt <= 1600,
        qPrintable(QString::number(polls.first() - openedAt)));
    for (int i = 1; i < polls.size(); ++i) {
        const qint64 gap = polls.at(i) - polls.at(i - 1);
        QVERIFY2(gap >= 700 && gap <= 1500, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
    }
}

void TestWatchdog::silentDeviceIsProbedOnceThenDropped()
{
    TrackerSimulator tracker(silent());
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);
    serial.openPort(tracker.portPath());

    QTRY_VERIFY_WITH_TIMEOUT(!tracker.hangups().isEmpty(), 10000);
    QCOMPARE(disconnectedSpy.count(), 2); // one from the port closing, one from the link
    QVERIFY(!serial.isOpen());

    const QList<qint64> polls = timesOf(tracker, 0x03);
    const QList<qint64> probes = timesOf(tracker, 0x02);
    QCOMPARE(probes.size(), 1);
    QCOMPARE(polls.size(), 6);
    // The probe follows the 4th poll, the hang-up the 6th.
    QVERIFY(probes.first() >= polls.at(3) && probes.first() < polls.at(4));
    QVERIFY(tracker.hangups().first() >= polls.at(5));

    // Nothing more reaches the device once it is dropped.
    QTest::qWait(1500);
    QCOMPARE(tracker.receivedCount(0x03), 6);
}

void TestWatchdog::dataAfterTheProbeStartsTheCountAgain()
{
    TrackerSimulator tracker(silent());
    QVERIFY(tracker.start());
    Serial serial;
    serial.openPort(tracker.portPath());

    QTRY_VERIFY_WITH_TIMEOUT(tracker.receivedCount(0x02) == 1, 8000);
    const int pollsAtProbe = tracker.receivedCount(0x03);
    tracker.inject("$POGNR,still here\r\n"); // arrives before the 5th tick

    QTRY_VERIFY_WITH_TIMEOUT(tracker.receivedCount(0x02) == 2, 10000);
    // The tick that found the data, then 4 more silent ticks before the next probe.
    QCOMPARE(tracker.receivedCount(0x03) - pollsAtProbe, 5);
    QVERIFY(serial.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!serial.isOpen(), 4000);
    QCOMPARE(tracker.receivedCount(0x03) - pollsAtProbe, 7);
}

void TestWatchdog::everyTickReportsWhatArrived()
{
    TrackerSimulator tracker(silent());
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy dataSpy(&serial, &Serial::dataRead);
    serial.openPort(tracker.portPath());

    QVERIFY(dataSpy.wait(2500));
    QCOMPARE(dataSpy.last().at(0).toString(), QString());
    tracker.inject("GPS: 3D fix\n");
    QTRY_COMPARE_WITH_TIMEOUT(dataSpy.last().at(0).toString(), QStringLiteral("GPS: 3D fix\n"), 2500);
    QVERIFY(dataSpy.wait(2500));
    QCOMPARE(dataSpy.last().at(0).toString(), QString());
    QTRY_COMPARE(tracker.receivedCount(0x03), dataSpy.count());
}

void TestWatchdog::receivedTextSurvivesNoiseAndSplitCharacters()
{
    TrackerSimulator tracker(silent());
    QVERIFY(tracker.start());
    Serial serial;
    QString shown;
    connect(&serial, &Serial::dataRead, this, [&shown](const QString &text) { shown += text; });
    QSignalSpy dataSpy(&serial, &Serial::dataRead);
    serial.openPort(tracker.portPath());
    QTRY_VERIFY(tracker.peerOpen()); // the device drops what it sends to a closed port

    tracker.inject(QByteArray("Reg = D-\0KABC\n", 14));
    const QByteArray umlaut = QStringLiteral("\u00fc").toUtf8();
    QTRY_VERIFY_WITH_TIMEOUT(shown.contains(QLatin1String("KABC")), 2500);
    tracker.inject("Pilot = M" + umlaut.left(1));
    const int ticks = dataSpy.count();
    QTRY_VERIFY_WITH_TIMEOUT(dataSpy.count() > ticks && shown.endsWith(QLatin1Char('M')), 2500);
    tracker.inject(umlaut.mid(1) + "ller\n");
    QTRY_VERIFY_WITH_TIMEOUT(shown.endsWith(QLatin1String("ller\n")), 2500);

    QCOMPARE(shown, QStringLiteral("Reg = D-KABC\nPilot = M\u00fcller\n"));
}

void TestWatchdog::unpluggedDeviceIsDroppedAtOnce()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);
    serial.openPort(tracker.portPath());
    QTRY_VERIFY(tracker.peerOpen());

    tracker.unplug();
    // Well before the watchdog would notice the silence.
    QTRY_VERIFY_WITH_TIMEOUT(!serial.isOpen(), 2000);
    QCOMPARE(disconnectedSpy.count(), 2);
}

QTEST_GUILESS_MAIN(TestWatchdog)
#include "tst_watchdog.moc"
