#include "link/serial.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using testsupport::PortListing;

// Finding the tracker among the ports, opening and closing the link.
class TestSerialDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Serial::setPortLister({}); }

    void findDeviceChoosesByDescription_data();
    void findDeviceChoosesByDescription();
    void busyKnownAdapterFailsProbeButSecondPassTakesIt();
    void closePortReportsEveryClose();
    void openPortOnAnotherPortClosesTheOldOneFirst();
};

void TestSerialDiscovery::findDeviceChoosesByDescription_data()
{
    QTest::addColumn<QStringList>("descriptions"); // one simulated port each
    QTest::addColumn<int>("chosen"); // index into descriptions, -1: none

    QTest::newRow("known adapter beats another USB port")
        << QStringList {"FT232R USB UART", "Silicon Labs CP210x USB to UART Bridge"} << 1;
    QTest::newRow("every known text is recognised")
        << QStringList {"Generic USB", "CP2104 USB to UART Bridge Controller"} << 1;
    QTest::newRow("CP2102 is known") << QStringList {"ttyS0", "CP2102 USB to UART Bridge Controller"} << 1;
    QTest::newRow("any USB adapter when no known one")
        << QStringList {"Bluetooth serial", "FT232R USB UART"} << 1;
    QTest::newRow("lower case passes neither test") << QStringList {"usb serial device"} << -1;
    QTest::newRow("capitals fail the first pass and pass the second")
        << QStringList {"USB SERIAL DEVICE"} << 0;
    QTest::newRow("no description is never chosen") << QStringList {""} << -1;
    QTest::newRow("no ports") << QStringList {} << -1;
}

void TestSerialDiscovery::findDeviceChoosesByDescription()
{
    QFETCH(QStringList, descriptions);
    QFETCH(int, chosen);

    std::vector<std::unique_ptr<TrackerSimulator>> trackers;
    QHash<QString, QString> ports;
    for (const QString &description : descriptions) {
        trackers.push_back(std::make_unique<TrackerSimulator>());
        QVERIFY(trackers.back()->start());
        ports.insert(trackers.back()->portPath(), description);
    }
    PortListing listing(ports);

    Serial serial;
    QSignalSpy connectedSpy(&serial, &Serial::connected);
    QCOMPARE(serial.findDevice(), chosen >= 0);
    if (chosen < 0) {
        QCOMPARE(connectedSpy.count(), 0);
        QVERIFY(!serial.isOpen());
        return;
    }
    const QString expected = trackers.at(chosen)->portPath();
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(connectedSpy.at(0).at(0).toString(), expected);
    QVERIFY(serial.isOpen());
    QTRY_VERIFY(trackers.at(chosen)->peerOpen());
    // Searching writes nothing to any port.
    for (const auto &tracker : trackers)
        QCOMPARE(tracker->receivedBytes(), QByteArray());
}

void TestSerialDiscovery::busyKnownAdapterFailsProbeButSecondPassTakesIt()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    PortListing listing({{tracker.portPath(), "USB Serial Device"}});

    QSerialPort otherProgram(tracker.portPath());
    QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    QVERIFY(!Serial::probePort(tracker.portPath()));

    Serial serial;
    QSignalSpy connectedSpy(&serial, &Serial::connected);
    QVERIFY(serial.findDevice());
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(connectedSpy.at(0).at(0).toString(), tracker.portPath());
    QVERIFY(!serial.isOpen());
    // The configuration read finds the port closed and fails at once.
    QCOMPARE(serial.readConfiguration(), nullptr);
}

void TestSerialDiscovery::closePortReportsEveryClose()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    Serial serial;
    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);

    serial.closePort();
    QCOMPARE(disconnectedSpy.count(), 1);

    serial.openPort(tracker.portPath());
    QVERIFY(serial.isOpen());
    disconnectedSpy.clear();
    serial.closePort();
    QCOMPARE(disconnectedSpy.count(), 2);
    QVERIFY(!serial.isOpen());
    QCOMPARE(Serial::systemLocation(serial.portName()), tracker.portPath());
    QTRY_VERIFY(!tracker.peerOpen());
}

void TestSerialDiscovery::openPortOnAnotherPortClosesTheOldOneFirst()
{
    TrackerSimulator first;
    TrackerSimulator second;
    QVERIFY(first.start());
    QVERIFY(second.start());
    Serial serial;
    serial.openPort(first.portPath());
    QTRY_VERIFY(first.peerOpen());

    QSignalSpy disconnectedSpy(&serial, &Serial::disconnected);
    serial.openPort(second.portPath());
    QCOMPARE(disconnectedSpy.count(), 1);
    QVERIFY(serial.isOpen());
    QTRY_VERIFY(!first.peerOpen());
    QTRY_VERIFY(second.peerOpen());
}

QTEST_GUILESS_MAIN(TestSerialDiscovery)
#include "tst_serialdiscovery.moc"
