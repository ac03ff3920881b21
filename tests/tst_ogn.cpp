// SPDX-License-Identifier: GPL-3.0-or-later
// The OGN network's text: beacons of the APRS stream, answers of the devices database and how an
// entry compares with the tracker's settings.
#include "ogn/aprsbeacon.h"
#include "ogn/ddbentry.h"
#include "ognreport.h"

#include <QJsonArray>
#include <QTest>

using namespace tracktune;
Q_DECLARE_METATYPE(tracktune::AprsBeacon::Kind)

class TestOgn : public QObject
{
    Q_OBJECT

private slots:
    void readsBeacons_data();
    void readsBeacons();
    void readsTheDeviceId_data();
    void readsTheDeviceId();
    void ignoresWhatIsNoBeacon_data();
    void ignoresWhatIsNoBeacon();
    void readsDatabaseAnswers_data();
    void readsDatabaseAnswers();
    void comparesWithTheTracker_data();
    void comparesWithTheTracker();
    void readsTheAddress();
    void summarisesTheReception_data();
    void summarisesTheReception();
    void namesWhatTheStatusLeavesOpen_data();
    void namesWhatTheStatusLeavesOpen();
    void readsTheServerSettings_data();
    void readsTheServerSettings();
};

// Lines recorded from the network; NaN where the line has no such field.
void TestOgn::readsBeacons_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<AprsBeacon::Kind>("kind");
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<QString>("relayedBy");
    QTest::addColumn<bool>("fromReceiver");
    QTest::addColumn<int>("address"); // -1: none
    QTest::addColumn<double>("signalDb");
    QTest::addColumn<double>("offsetKHz");
    QTest::addColumn<int>("gpsHorizontal"); // -1: none
    const double none = qQNaN();
    using K = AprsBeacon::Kind;
    QTest::newRow("tracker") << QByteArray(
        "OGN2FD00F>OGNTRK,qAS,LZHL:/093213h4848.78N/01708.32E'000/000/A=000538 "
        "!W12! id072FD00F -058fpm +0.0rot FL003.12 32.8dB 0e -0.8kHz gps3x5\r\n")
                             << K::Position << "LZHL"
                             << "" << false << 0x2FD00F << 32.8 << -0.8 << 3;
    QTest::newRow("relayed by a tracker") << QByteArray(
        "FLRDD9C70>OGNTRK,OGN2FD00F*,qAS,LZHL:/093214h4848.77N/01708.33E'000/000/A=000515 !W56! "
        "id06DD9C70 -019fpm +0.0rot 32.2dB 0e -0.8kHz gps2x3")
                                          << K::Position << "LZHL"
                                          << "OGN2FD00F" << false << 0xDD9C70 << 32.2 << -0.8 << 2;
    QTest::newRow("relayed unnamed") << QByteArray(
        "FLRDD9C70>OGNTRK,RELAY*,qAS,LZHL:/094124h4848.78N/01708.33E'000/000/A=000397 !W15! "
        "id06DD9C70 +099fpm +0.0rot 24.5dB 0e -1.4kHz gps10x15")
                                     << K::Position << "LZHL"
                                     << "RELAY" << false << 0xDD9C70 << 24.5 << -1.4 << 10;
    QTest::newRow("signal power too") << QByteArray(
        "OGN03AF2A>OGNTRK,qAS,LZHL:/092912h4848.77N/01708.33E'000/000/A=000535 !W53! id0703AF2A "
        "+000fpm +0.0rot FL003.15 4.5dB 1e -0.1kHz gps4x5 -11.2dBm")
                                      << K::Position << "LZHL"
                                      << "" << false << 0x03AF2A << 4.5 << -0.1 << 4;
    QTest::newRow("ADS-L") << QByteArray("OGN631C45>OGADSL,qAS,OxfBarton:/104536h5145.96N/00111.47W'267/000/"
                                         "A=000312 !W25! id07631C45 -177fpm 22.8dB +2.5kHz gps63x63")
                           << K::Position << "OxfBarton"
                           << "" << false << 0x631C45 << 22.8 << 2.5 << 63;
    QTest::newRow("FLARM with ICAO address")
        << QByteArray("ICAA8CBA8>OGFLR,qAS,MontCAIO:/114949h4512.44N\\01059.12E^190/106/A=009522 !W33! "
                      "id21A8CBA8 -039fpm +0.1rot 4.5dB 1e -8.7kHz gps1x2 +14.3dBm")
        << K::Position << "MontCAIO"
        << "" << false << 0xA8CBA8 << 4.5 << -8.7 << 1;
    QTest::newRow("status") << QByteArray("OGN3FC859>OGNTRK,qAS,LZHL:>093215h h00 v00 9sat/1 164m 1002.6hPa "
                                          "+20.2degC 0% 3.34V 14/-110.5dBm 1/min")
                            << K::Status << "LZHL"
                            << "" << false << 0x3FC859 << none << none << -1;
    QTest::newRow("info") << QByteArray(
        "MYC78FF44>OGNMYC,qAS,LZHL:>140735h Pilot=RichardHunt Model=debug ID=42")
                          << K::Info << "LZHL"
                          << "" << false << 0x78FF44 << none << none << -1;
    QTest::newRow("receiver position")
        << QByteArray("LILH>OGNSDR,TCPIP*,qAC,GLIDERN2:/132201h4457.61NI00900.58E&/A=000423") << K::Position
        << "GLIDERN2"
        << "" << true << -1 << none << none << -1;
    QTest::newRow("receiver status") << QByteArray(
        "LILH>OGNSDR,TCPIP*,qAC,GLIDERN2:>132201h v0.2.7.RPI-GPU CPU:0.7 RAM:770.2/968.2MB "
        "NTP:1.8ms/-3.3ppm +55.7C 7/8Acfts[1h] RF:+54-1.1ppm/-0.16dB/+7.1dB@10km[19481]")
                                     << K::Status << "GLIDERN2"
                                     << "" << true << -1 << none << none << -1;
    QTest::newRow("old format") << QByteArray("OGNE95A16>APRS,qAS,Sylwek:/165641h5001.94N/01956.91E'270/004/"
                                              "A=000000 id07E95A16 +000fpm +0.1rot 37.8dB 0e -0.4kHz")
                                << K::Position << "Sylwek"
                                << "" << false << 0xE95A16 << 37.8 << -0.4 << -1;
    QTest::newRow("old format, minimal")
        << QByteArray("ICA3ECE59>APRS,qAS,GLDRTR:/171254h5144.78N/00616.67E'263/000/A=000075 id053ECE59")
        << K::Position << "GLDRTR"
        << "" << false << 0x3ECE59 << none << none << -1;
}

void TestOgn::readsBeacons()
{
    QFETCH(QByteArray, line);
    QFETCH(AprsBeacon::Kind, kind);
    QFETCH(QString, receiver);
    QFETCH(QString, relayedBy);
    QFETCH(bool, fromReceiver);
    QFETCH(int, address);
    QFETCH(double, signalDb);
    QFETCH(double, offsetKHz);
    QFETCH(int, gpsHorizontal);
    const std::optional<AprsBeacon> beacon = parseAprsLine(line);
    QVERIFY(beacon);
    QCOMPARE(beacon->kind, kind);
    QCOMPARE(beacon->receiver, receiver);
    QCOMPARE(beacon->relayedBy, relayedBy);
    QCOMPARE(beacon->fromReceiver, fromReceiver);
    const std::optional<quint32> read = beaconAddress(*beacon);
    QCOMPARE(read ? int(*read) : -1, address);
    QCOMPARE(beacon->signalDb.value_or(qQNaN()), signalDb);
    QCOMPARE(beacon->frequencyOffsetKHz.value_or(qQNaN()), offsetKHz);
    QCOMPARE(beacon->gpsHorizontalM.value_or(-1), gpsHorizontal);
}

// The bits of "idXXYYYYYY": STtt ttaa; a bit read one place off shows in another column.
void TestOgn::readsTheDeviceId_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<int>("aircraftType");
    QTest::addColumn<int>("addressType");
    QTest::addColumn<bool>("stealth");
    QTest::addColumn<bool>("noTracking");
    QTest::addColumn<int>("address");
    QTest::newRow("glider, OGN") << QByteArray("id072FD00F") << 1 << 3 << false << false << 0x2FD00F;
    QTest::newRow("powered, ICAO") << QByteArray("id21A8CBA8") << 8 << 1 << false << false << 0xA8CBA8;
    QTest::newRow("paraglider, FLARM, no tracking")
        << QByteArray("id4EDD9C70") << 3 << 2 << false << true << 0xDD9C70;
    QTest::newRow("stealth, type 15, random")
        << QByteArray("idBC123456") << 15 << 0 << true << false << 0x123456;
    QTest::newRow("four digits of detail")
        << QByteArray("id0430DD9C70") << 1 << 3 << false << false << 0xDD9C70;
}

void TestOgn::readsTheDeviceId()
{
    QFETCH(QByteArray, id);
    QFETCH(int, aircraftType);
    QFETCH(int, addressType);
    QFETCH(bool, stealth);
    QFETCH(bool, noTracking);
    QFETCH(int, address);
    const std::optional<AprsBeacon> beacon = parseAprsLine(
        "FLRDD9C70>OGFLR,qAS,LZHL:/093214h4848.77N/01708.33E'000/000/A=000515 " + id + " 1.0dB");
    QVERIFY(beacon && beacon->id);
    QCOMPARE(beacon->id->aircraftType, aircraftType);
    QCOMPARE(beacon->id->addressType, addressType);
    QCOMPARE(beacon->id->stealth, stealth);
    QCOMPARE(beacon->id->noTracking, noTracking);
    QCOMPARE(int(beacon->id->address), address);
}

void TestOgn::ignoresWhatIsNoBeacon_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("server comment") << QByteArray(
        "# aprsc 2.1.4-g408ed49 17 Mar 2018 09:30:36 GMT GLIDERN1 37.187.40.234:10152\r\n");
    QTest::newRow("login answer") << QByteArray("# logresp TRACKTUNE unverified, server GLIDERN1");
    QTest::newRow("empty") << QByteArray("\r\n");
    QTest::newRow("garbage") << QByteArray("\xff\xfe>:::");
    QTest::newRow("no path") << QByteArray("OGN2FD00F>:/093213h4848.78N/01708.32E'000/000");
    QTest::newRow("no q construct") << QByteArray("OGN2FD00F>OGNTRK,LZHL:/093213h4848.78N/01708.32E'000/000");
    QTest::newRow("cut position") << QByteArray("OGN2FD00F>OGNTRK,qAS,LZHL:/093213h4848.7");
    QTest::newRow("message type") << QByteArray("OGN2FD00F>OGNTRK,qAS,LZHL::OGN123456:hello");
}

void TestOgn::ignoresWhatIsNoBeacon()
{
    QFETCH(QByteArray, line);
    QVERIFY(!parseAprsLine(line));
}

// Registration "" is a hidden one; -1 devices: not an answer.
void TestOgn::readsDatabaseAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("devices");
    QTest::addColumn<QString>("registration");
    QTest::addColumn<bool>("tracked");
    QTest::addColumn<bool>("identified");
    QTest::newRow("JSON") << QByteArray(
        "{\"devices\":[\n{\"device_type\":\"F\",\"device_id\":\"00000D\",\"aircraft_model\":\"Ka-8\","
        "\"registration\":\"D-1749\",\"cn\":\"W5\",\"tracked\":\"Y\",\"identified\":\"Y\"}\n]}")
                          << 1 << "D-1749" << true << true;
    QTest::newRow("JSON, hidden") << QByteArray(
        "{\"devices\":[{\"device_type\":\"F\",\"device_id\":\"00000D\",\"aircraft_model\":\"\","
        "\"registration\":\"\",\"cn\":\"\",\"tracked\":\"N\",\"identified\":\"N\"}]}")
                                  << 1 << "" << false << false;
    QTest::newRow("JSON, empty") << QByteArray("{\"devices\":[]}") << 0 << "" << false << false;
    QTest::newRow("JSON, not the list") << QByteArray("{\"error\":\"busy\"}") << -1 << "" << false << false;
    QTest::newRow("CSV") << QByteArray(
        "#DEVICE_TYPE,DEVICE_ID,AIRCRAFT_MODEL,REGISTRATION,CN,TRACKED,IDENTIFIED\r\n"
        "'F','00000D','Ka-8','D-1749','W5','Y','N'\r\n")
                         << 1 << "D-1749" << true << false;
    QTest::newRow("CSV, ten columns")
        << QByteArray("'F','00000D','HPH 304CZ-17','OK-7777','KN','Y','Y','Internal','Y','Y'") << 1
        << "OK-7777" << true << true;
    QTest::newRow("CSV, header only")
        << QByteArray("#DEVICE_TYPE,DEVICE_ID,AIRCRAFT_MODEL,REGISTRATION,CN,TRACKED,IDENTIFIED\r\n") << 0
        << "" << false << false;
    QTest::newRow("HTML error page") << QByteArray("<html><body>502 Bad Gateway</body></html>") << -1 << ""
                                     << false << false;
    QTest::newRow("nothing") << QByteArray() << -1 << "" << false << false;
    QTest::newRow("CSV, bad id") << QByteArray("'F','XYZ','','','','Y','Y'") << -1 << "" << false << false;
}

void TestOgn::readsDatabaseAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, devices);
    QFETCH(QString, registration);
    QFETCH(bool, tracked);
    QFETCH(bool, identified);
    const std::optional<QList<DdbDevice>> read = parseDdbAnswer(answer);
    QCOMPARE(read ? read->size() : -1, devices);
    if (devices < 1)
        return;
    const std::optional<DdbDevice> device = findDdbDevice(*read, 0x00000D);
    QVERIFY(device);
    QCOMPARE(device->registration, registration);
    QCOMPARE(device->tracked, tracked);
    QCOMPARE(device->identified, identified);
    QVERIFY(!findDdbDevice(*read, 0x00000E));
}

void TestOgn::comparesWithTheTracker_data()
{
    QTest::addColumn<QString>("type"); // "": no entry
    QTest::addColumn<QString>("registration");
    QTest::addColumn<int>("addrType"); // -1: unknown
    QTest::addColumn<QString>("reg");
    QTest::addColumn<QStringList>("mismatches");
    QTest::newRow("agree") << "O"
                           << "D-1749" << 3 << "d 1749" << QStringList();
    QTest::newRow("no entry") << ""
                              << "" << 3 << "D-1749" << QStringList();
    QTest::newRow("hidden registration") << "O"
                                         << "" << 3 << "D-1749" << QStringList();
    QTest::newRow("no Reg on the tracker") << "O"
                                           << "D-1749" << 3 << "" << QStringList();
    QTest::newRow("type")
        << "F"
        << "D-1749" << 3 << "D-1749"
        << QStringList {
               "the database registers 2FD00F as FLARM (F), the tracker sends it as OGN (O) (AddrType=3)"};
    QTest::newRow("another aircraft")
        << "I"
        << "D-1749" << 1 << "D-KABC"
        << QStringList {
               "this address is registered to another aircraft: D-1749 in the database, Reg=D-KABC on "
               "the tracker"};
    QTest::newRow("random address")
        << ""
        << "" << 0 << ""
        << QStringList {"AddrType=0 (random) changes the address after each landing: a database entry cannot "
                        "follow it"};
    QTest::newRow("AddrType unknown") << "F"
                                      << "D-1749" << -1 << "" << QStringList();
}

void TestOgn::comparesWithTheTracker()
{
    QFETCH(QString, type);
    QFETCH(QString, registration);
    QFETCH(int, addrType);
    QFETCH(QString, reg);
    QFETCH(QStringList, mismatches);
    std::optional<DdbDevice> entry;
    if (!type.isEmpty())
        entry = DdbDevice {type.at(0), "2FD00F", "Ka-8", registration, "", true, true};
    TrackerOgnIdentity tracker {0x2FD00F, std::nullopt, reg};
    if (addrType >= 0)
        tracker.addressType = addrType;
    QCOMPARE(ddbMismatches(entry, tracker), mismatches);
}

void TestOgn::readsTheAddress()
{
    QCOMPARE(parseOgnAddress("0x2fd00f"), std::optional<quint32>(0x2FD00F));
    QCOMPARE(parseOgnAddress("1000000"), std::nullopt);
    const auto sends = trackerOgnIdentity({{"Address", "2FD00F"}, {"AddrType", "0x2"}, {"Reg", "D-1749"}});
    QVERIFY(
        sends && sends->address == 0x2FD00F && sends->addressType == 2 && sends->registration == "D-1749");
    QVERIFY(!trackerOgnIdentity({{"Address", "0xZZ"}, {"AddrType", "3"}}));
}

void TestOgn::summarisesTheReception_data()
{
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QString>("summary");
    const QByteArray lzhl
        = "OGN2FD00F>OGNTRK,qAS,LZHL:/093213h4848.78N/01708.32E'000/000/A=000538 id072FD00F "
          "32.8dB 0e +20.1kHz";
    const QByteArray lzhu
        = "OGN2FD00F>OGNTRK,qAS,LZHU:/093215h4848.78N/01708.32E'000/000/A=000538 id072FD00F "
          "18.5dB 0e +22.5kHz";
    const QByteArray relayed = "OGN2FD00F>OGNTRK,RELAY*,qAS,LZHX:/093217h4848.78N/01708.32E'000/000/A=000538 "
                               "id072FD00F 40.5dB 0e -1.4kHz";
    const QByteArray status = "OGN2FD00F>OGNTRK,qAS,LZHL:>093215h h00 v00 9sat/1 164m 3.34V";
    QTest::newRow("none")
        << QList<QByteArray>()
        << "Not received in 60 s. Likely reasons: no OGN receiver in range (on the ground few "
           "are), no GPS fix yet (no position goes out without one), transmitting switched off "
           "(TxProtMask, TxPower) or a large frequency offset (FreqCorr).";
    QTest::newRow("offset to correct")
        << QList<QByteArray> {lzhl, lzhu, relayed}
        << "Received by 3 stations in 60 s, best 40.5 dB; frequency offset +21.3 "
           "kHz: consider FreqCorr";
    QTest::newRow("a relayed offset is the relayer's")
        << QList<QByteArray> {relayed, status} << "Received by 2 stations in 60 s, best 40.5 dB";
    QTest::newRow("status only") << QList<QByteArray> {status} << "Received by 1 station in 60 s";
}

void TestOgn::summarisesTheReception()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, summary);
    QList<AprsBeacon> beacons;
    for (const QByteArray &line : lines)
        beacons << *parseAprsLine(line);
    QCOMPARE(ognReceptionSummary(beacons, 60), summary);
}

// Why a tracker was not heard: what its own status shows is said as fact, what it rules out is
// left out, the rest stays a possibility, in the order of likelihood.
void TestOgn::namesWhatTheStatusLeavesOpen_data()
{
    QTest::addColumn<int>("gps"); // ItemState; Good and Warning have a fix
    QTest::addColumn<int>("transmitting"); // -1: not known
    QTest::addColumn<QString>("reasons"); // how each begins
    const QString rest = "|No OGN receiver|The frequency p";
    QTest::newRow("nothing told") << int(ItemState::Unknown) << -1
                                  << "No GPS fix yet:|Transmitting ma" + rest;
    QTest::newRow("no fix, nothing sent")
        << int(ItemState::Bad) << 0 << "No GPS fix: the|Not transmittin" + rest;
    QTest::newRow("2-D fix, sending") << int(ItemState::Warning) << 1 << rest.mid(1);
}

void TestOgn::namesWhatTheStatusLeavesOpen()
{
    QFETCH(int, gps);
    QFETCH(int, transmitting);
    PreflightStatus status;
    status.gps.state = ItemState(gps);
    status.gps.fix = status.gps.state == ItemState::Good || status.gps.state == ItemState::Warning;
    if (transmitting >= 0)
        status.radio.transmitting = transmitting == 1;
    QStringList begins;
    for (const QString &reason : ognNotReceivedReasons(status))
        begins << reason.left(15);
    QTEST(begins.join('|'), "reasons");
}

// The settings come from a file the pilot may edit: what cannot be read gives the public default.
void TestOgn::readsTheServerSettings_data()
{
    QTest::addColumn<QStringList>("settings"); // DDB URL, APRS HOST:PORT, seconds
    QTest::addColumn<QString>("used"); // DDB server, APRS server, seconds
    const QString defaults = "ddb.glidernet.org aprs.glidernet.org:14580 60";
    QTest::newRow("unset") << QStringList {"", "", ""} << defaults;
    QTest::newRow("not the web, no port, too long")
        << QStringList {"file:///etc/passwd", "aprs.example", "601"} << defaults;
    QTest::newRow("port out of range, no number") << QStringList {"https://ddb.example/x",
        "aprs.example:65536", "ten"} << "ddb.example aprs.glidernet.org:14580 60";
}

void TestOgn::readsTheServerSettings()
{
    QFETCH(QStringList, settings);
    const OgnServers servers = ognServers(settings.at(0), settings.at(1), settings.at(2));
    QTEST(QStringList({servers.ddbServer(), servers.aprsServer(), QString::number(servers.listenSeconds)})
              .join(' '),
        "used");
}

QTEST_GUILESS_MAIN(TestOgn)
#include "tst_ogn.moc"
