// SPDX-License-Identifier: GPL-3.0-or-later
// The preflight status from lines a tracker prints: the console line readers, the firmware's fix
// rule, the decoder over sequences of lines and how the command line words each item.
#include "status/consolelines.h"
#include "status/preflightdecoder.h"
#include "statusreport.h"

#include <QJsonObject>
#include <QTest>

using namespace tracktune;
using Lines = QList<QByteArray>;
Q_DECLARE_METATYPE(Lines)
Q_DECLARE_METATYPE(tracktune::FirmwareLine)

namespace {

// The newer line's radio report with the given OGN packets sent.
QByteArray radioReport(int ognSent)
{
    return "Radio: Tx: 0:" + QByteArray::number(ognSent)
        + ":0:0:0:0:0  Rx: 3:57:0:0:0:0:0  -110.5dBm 6 pkts "
          "0.6 pkt/s 58.3s [1234]\n";
}

const QByteArray gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const QByteArray rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,081226,003.1,W*6A\r\n";
const QByteArray gsa3d = "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";

} // namespace

class TestStatus : public QObject
{
    Q_OBJECT

private slots:
    void readsSentences_data();
    void readsSentences();
    void fixRule_data();
    void fixRule();
    void readsReports_data();
    void readsReports();
    void decodes_data();
    void decodes();
    void transmitEvidenceAges();
    void jsonAndRequirements();
};

// A sentence is taken whole or not at all.
void TestStatus::readsSentences_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("read"); // "talker type fields"; empty: not taken
    QTest::newRow("GGA, CR LF") << gga << "GP GGA 14";
    QTest::newRow("the newer line's $POGNR")
        << QByteArray("$POGNR,1,24,,-108.0,+60.0,,,*4A\r\n") << " POGNR 8";
    QTest::newRow("a lower-case checksum") << QByteArray("$PGRMZ,821,f,3*10") << " PGRMZ 3";
    QTest::newRow("a bad checksum") << QByteArray(
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48\r\n")
                                    << "";
    QTest::newRow("a digit changed under a good checksum")
        << QByteArray("$GPGGA,123519,4807.038,N,01131.000,E,1,09,0.9,545.4,M,46.9,M,,*47\r\n") << "";
    QTest::newRow("cut in its checksum")
        << QByteArray("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4") << "";
    QTest::newRow("stray bytes before a checked sentence")
        << QByteArray("\x7e\x01$PGRMZ,821,f,3*10\r\n") << " PGRMZ 3";
    QTest::newRow("a line cut short runs into a checked one")
        << QByteArray("$GPGGA,1235$POGNR,1,12,,-110.5,+58.3,+27,,*65\r\n") << " POGNR 8";
    QTest::newRow("no checksum, the whole line")
        << QByteArray("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1\r\n") << "GP GSA 17";
    QTest::newRow("no checksum after stray bytes")
        << QByteArray("xx$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1\n") << "";
    QTest::newRow("a binary byte inside") << QByteArray("$PGRMZ,821,\xff,3*10\r\n") << "";
    QTest::newRow("a variometer's sentence") << QByteArray("$LK8EX1,98765,250,12,21,4.123*17") << " LK8EX1 5";
    QTest::newRow("an address in lower case") << QByteArray("$gpgga,1") << "";
    QTest::newRow("no sentence") << QByteArray(
        "[ 13013][E][Wire.cpp:499] requestFrom(): i2cWriteReadNonStop returned Error -1\n")
                                 << "";
}

void TestStatus::readsSentences()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, read);
    const std::optional<NmeaSentence> sentence = readNmeaSentence(line);
    QCOMPARE(sentence ? QString::fromLatin1(sentence->talker + ' ' + sentence->type + ' ')
                + QString::number(sentence->fields.size())
                      : QString(),
        read);
}

// The firmware's own rule, and the dates and times it takes.
void TestStatus::fixRule_data()
{
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("satellites");
    QTest::addColumn<bool>("fix");
    QTest::newRow("3-D") << QByteArray("123519") << QByteArray("081226") << 1 << 3 << 8 << true;
    QTest::newRow("no GSA: mode 0 allowed")
        << QByteArray("123519.00") << QByteArray("081226") << 1 << 0 << 8 << true;
    QTest::newRow("DGPS, 2-D") << QByteArray("235959") << QByteArray("010100") << 2 << 2 << 4 << true;
    QTest::newRow("GSA says no fix") << QByteArray("123519") << QByteArray("081226") << 1 << 1 << 8 << false;
    QTest::newRow("quality 0") << QByteArray("123519") << QByteArray("081226") << 0 << 3 << 8 << false;
    QTest::newRow("no satellites") << QByteArray("123519") << QByteArray("081226") << 1 << 3 << 0 << false;
    QTest::newRow("1980 from a GPS without fix")
        << QByteArray("123519") << QByteArray("060180") << 1 << 3 << 8 << false;
    QTest::newRow("year 70 is 1970") << QByteArray("123519") << QByteArray("010170") << 1 << 3 << 8 << false;
    QTest::newRow("year 69 is 2069") << QByteArray("123519") << QByteArray("311269") << 1 << 3 << 8 << true;
    QTest::newRow("month 13") << QByteArray("123519") << QByteArray("011326") << 1 << 3 << 8 << false;
    QTest::newRow("no date") << QByteArray("123519") << QByteArray("") << 1 << 3 << 8 << false;
    QTest::newRow("hour 24") << QByteArray("240000") << QByteArray("081226") << 1 << 3 << 8 << false;
    QTest::newRow("no time") << QByteArray("") << QByteArray("081226") << 1 << 3 << 8 << false;
}

void TestStatus::fixRule()
{
    QFETCH(QByteArray, time);
    QFETCH(QByteArray, date);
    QFETCH(int, quality);
    QFETCH(int, mode);
    QFETCH(int, satellites);
    QFETCH(bool, fix);
    QCOMPARE(hasFix({isValidNmeaTime(time), isValidNmeaDate(date), quality, mode, satellites}), fix);
}

// The newer line's reports, the battery and the sensor's start-up line, each read or refused.
void TestStatus::readsReports_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("read"); // what each reader gives; empty: no reader takes it
    QTest::newRow("Radio") << radioReport(142) << "radio OGN 142, noise -110.5";
    QTest::newRow("Radio cut short") << QByteArray(
        "Radio: Tx: 0:142:0:0:0:0:0  Rx: 3:57:0:0:0:0:0  -110.5dBm 6 pk")
                                     << "";
    QTest::newRow("SatSNR, padded SNR")
        << QByteArray("SatSNR: GP:7/32.5:11/28.1dB GL:0/ 0.0:3/ 9.5dB 3:1.8/1.2/1.4\n")
        << "signals 7 of 14, 32.5 dB, mode 3, HDOP 1.2";
    QTest::newRow("Batt: of the answer") << QByteArray("Batt:4.1230V +00.0mV/min\n") << "battery 4.123";
    QTest::newRow("Batt: of the older line's power chip")
        << QByteArray("Batt:4.012V 0.123-0.000A USB:5.012V 0.345A CC:12.3-45.6mAh Temp:+35.2degC\n")
        << "battery 4.012";
    QTest::newRow("Batt: not measured") << QByteArray("Batt:0.0000V +00.0mV/min\n") << "battery 0";
    QTest::newRow("sensor found, newer") << QByteArray("TaskSENS: BME280: @76\n") << "sensor 1";
    QTest::newRow("sensor missing, newer") << QByteArray("TaskSENS: BME280: not detected\n") << "sensor 0";
    QTest::newRow("sensor missing, older") << QByteArray("TaskSENS: BME280:  ?!\n") << "sensor 0";
}

void TestStatus::readsReports()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, read);
    QStringList found;
    if (const auto radio = readRadioCounters(line))
        found << QString("radio OGN %1, noise %2").arg(radio->sent.at(ognSystem)).arg(radio->noiseDbm);
    if (const auto seen = readSatelliteSignals(line))
        found << QString("signals %1 of %2, %3 dB, mode %4, HDOP %5")
                     .arg(seen->used)
                     .arg(seen->inView)
                     .arg(seen->usedSnrDb.value_or(-1))
                     .arg(seen->fixMode)
                     .arg(seen->hdop);
    if (const auto volts = readBatteryVolts(line))
        found << QString("battery %1").arg(*volts);
    if (const auto sensor = readSensorStartup(line))
        found << QString("sensor %1").arg(int(*sensor));
    QCOMPARE(found.join("; "), read);
}

// Lines a second apart, then the status half a second after the last, as the command line
// words it.
void TestStatus::decodes_data()
{
    QTest::addColumn<Lines>("lines"); // "": a second without a line
    QTest::addColumn<FirmwareLine>("firmware"); // as the list told it
    QTest::addColumn<int>("verbose"); // the list's; -1 not told
    QTest::addColumn<int>("taken");
    QTest::addColumn<QStringList>("said");
    const auto row = [](const char *what, const Lines &lines, int taken, const QStringList &said,
                         FirmwareLine firmware = FirmwareLine::Unknown, int verbose = -1) {
        QTest::newRow(what) << lines << firmware << verbose << taken << said;
    };
    row("3-D fix", {rmc, gga, gsa3d}, 3, {"GPS: 3-D fix, 8 satellites, HDOP 0.9", "Output: continuous"});
    row("2-D fix", {rmc, gga, "$GPGSA,A,2,04,05,,09,,,,,,,,,3.5,2.9,1.0*37\r\n"}, 3,
        {"GPS: 2-D fix, 8 satellites, HDOP 0.9"});
    row("GSA missing: a fix all the same", {rmc, gga}, 2, {"GPS: fix, 8 satellites, HDOP 0.9"});
    row("GSA says no fix, after a fix",
        {rmc, gga, gsa3d, rmc, gga, "$GPGSA,A,1,,,,,,,,,,,,,99.9,99.9,99.9*09\r\n"}, 6,
        {"GPS: no fix for 1 s, 8 satellites"});
    row("no fix",
        {"$GPRMC,000012.00,V,,,,,,,060180,,,N*71\r\n", "$GPGGA,000012.00,,,,,0,00,99.99,,,,,,*65\r\n"}, 2,
        {"GPS: no fix, no valid date yet"});
    row("a 1980 date under a position",
        {"$GPRMC,123520,A,4807.038,N,01131.000,E,000.0,000.0,060180,,,A*7A\r\n",
            "$GPGGA,123520,4807.038,N,01131.000,E,1,05,2.1,540.0,M,46.9,M,,*4B\r\n"},
        2, {"GPS: no fix, 5 satellites, no valid date yet"});
    row("$GN talkers and a $GL sentence",
        {"$GNRMC,094512.00,A,5105.12345,N,01342.54321,E,0.012,,081226,,,A*6C\r\n",
            "$GNGGA,094512.00,5105.12345,N,01342.54321,E,1,12,0.7,231.4,M,44.1,M,,*7D\r\n",
            "$GNGSA,A,3,05,07,13,15,,,,,,,,,1.3,0.7,1.1*2D\r\n",
            "$GLGSV,2,1,07,65,45,120,30,66,20,040,25,72,60,300,33,73,10,200,18*6C\r\n"},
        4, {"GPS: 3-D fix, 12 satellites, HDOP 0.7"});
    row("a bad checksum is not taken: no fix from it",
        {rmc, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48\r\n"}, 1, {"GPS: no fix"});
    row("the GPS gone quiet", {rmc, gga, gsa3d, "", "", "", "", "", ""}, 3, {"GPS: silent for 6 s"});
    row("the newer line: two Radio reports, OGN rising",
        {"$POGNR,1,24,,-108.0,+60.0,,,*4A\r\n", radioReport(142), radioReport(148)}, 3,
        {"Radio: transmitting (OGN, 6 packets in the last 1 s)",
            "Receiver: 24 packets a minute, noise -108.0 dBm, frequency plan 1 (Europe), transmit budget "
            "60.0 s"},
        FirmwareLine::Newer);
    row("the newer line: the OGN count stands still", {radioReport(142), radioReport(142)}, 2,
        {"Radio: not transmitting (no OGN packet in the last 1 s)"});
    row("the newer line: one report", {radioReport(142)}, 1,
        {"Radio: 142 OGN packets sent since start-up; the next report (every 10 s) tells whether it "
         "transmits now"});
    row("a restart between two reports", {radioReport(142), radioReport(3)}, 2,
        {"Radio: 3 OGN packets sent since start-up; the next report (every 10 s) tells whether it transmits "
         "now"});
    row("the older line's $POGNR: 64 s of packets, no transmit status",
        {"$POGNR,1,12,,-110.5,+58.3,+27,,*65\r\n", "$PFLAU,0,1,1,1,0,,0,,*63\r\n"}, 2,
        {"Radio: transmit status not printed by this firmware",
            "Receiver: 11 packets a minute, noise -110.5 dBm, frequency plan 1 (Europe), transmit budget "
            "58.3 s"},
        FirmwareLine::Older);
    row("pressure sensor and battery from $LK8EX1",
        {"$POGNB,12.50,+21.3,98765.4,2.1,+250.3,+248.7,+0.12,*70\r\n",
            "$LK8EX1,98765,250,12,21,4.123*17\r\n"},
        2, {"Pressure sensor: found, 987.7 hPa", "Battery: 4.12 V"});
    row("a battery not measured", {"$PGRMZ,821,f,3*10\r\n", "$LK8EX1,98765,250,12,21,0.000*13\r\n"}, 2,
        {"Pressure sensor: found", "Battery: not measured by this board"});
    row("the answer's Batt: line, a low battery", {"Batt:3.5120V -12.0mV/min\n"}, 1,
        {"Battery: 3.51 V (low)", "Output: none seen yet"});
    row("the sensor's start-up line", {"TaskSENS: BME280: not detected\n"}, 1,
        {"Pressure sensor: not detected"});
    row("Verbose 0: nothing continuous, and how to switch it on", {"Batt:4.1230V +00.0mV/min\n"}, 1,
        {"Output: none: with Verbose=0 the tracker prints nothing continuous; switch it on with: "
         "tracktune-cli set "
         "Verbose=1"},
        FirmwareLine::Newer, 0);
    row("the newer line reads bit 0 of Verbose only", {"Batt:4.1230V +00.0mV/min\n"}, 1,
        {"Output: none: with Verbose=2 the tracker prints nothing continuous; switch it on with: "
         "tracktune-cli set "
         "Verbose=1"},
        FirmwareLine::Newer, 2);
    row("lines no item reads",
        {"[ 13013][E][Wire.cpp:499] requestFrom(): i2cWriteReadNonStop returned Error -1\n",
            "$POGNS,SysStart*70\r\n", "Address   = 0x1A2B3C ; #\n", "\x7e\x81\x00\x7e\n",
            "GPS: 115200bps,1.000s,PPS,NMEA\r\n"},
        0,
        {"GPS: no output seen", "Radio: no transmit report seen", "Receiver: no radio report seen",
            "Pressure sensor: no reading seen", "Battery: no reading", "Output: none seen yet"});
    row("nothing continuous for 6 s", {"Batt:4.1230V +00.0mV/min\n", "", "", "", "", "", ""}, 1,
        {"Output: nothing continuous seen"});
}

void TestStatus::decodes()
{
    QFETCH(Lines, lines);
    QFETCH(FirmwareLine, firmware);
    QFETCH(int, verbose);
    QFETCH(int, taken);
    QFETCH(QStringList, said);
    PreflightDecoder decoder;
    decoder.setFirmwareLine(firmware);
    if (verbose >= 0)
        decoder.setVerbose(verbose);
    int took = 0;
    qint64 at = 0;
    for (const QByteArray &line : std::as_const(lines)) {
        took += (!line.isEmpty() && decoder.take(line, at)) ? 1 : 0;
        at += 1000;
    }
    QCOMPARE(took, taken);
    const QStringList printed = statusLines(decoder.status(at - 500));
    for (const QString &line : std::as_const(said))
        QVERIFY2(printed.contains(line), qPrintable(line + " not in:\n" + printed.join('\n')));
}

// Whether it transmits is a statement about now: it goes once the reports stop, and the fix
// with the sentences.
void TestStatus::transmitEvidenceAges()
{
    PreflightDecoder decoder;
    QVERIFY(decoder.take(radioReport(10), 0));
    QVERIFY(decoder.take(radioReport(16), 10000));
    QCOMPARE(decoder.status(10500).radio.transmitting, std::optional<bool>(true));
    QCOMPARE(decoder.status(10500).radio.state, ItemState::Good);
    QCOMPARE(radioText(decoder.status(10500).radio, FirmwareLine::Newer),
        QString("Radio: transmitting (OGN, 6 packets in the last 10 s)"));
    QCOMPARE(decoder.status(36000).radio.transmitting, std::nullopt);
    QCOMPARE(decoder.status(36000).radio.ognSent, std::optional<qint64>(16));
    for (const QByteArray &line : {rmc, gga, gsa3d})
        QVERIFY(decoder.take(line, 40000));
    QVERIFY(decoder.status(42000).gps.fix);
    QCOMPARE(decoder.status(42000).gps.state, ItemState::Good);
    QVERIFY(!decoder.status(44000).gps.fix);
    QCOMPARE(decoder.status(164000).gps.sinceFixMs, std::optional<qint64>(124000));
    QCOMPARE(gpsText(decoder.status(44000).gps), QString("GPS: no fix for 4 s, 8 satellites"));
    // A new tracker on the link: nothing of the last one stays.
    decoder.reset(200000);
    QCOMPARE(decoder.status(200500).gps.ageMs, std::nullopt);
    QCOMPARE(decoder.status(200500).radio.ognSent, std::nullopt);
    // Listening since the reset: silence is no verdict at first, a missing output after 5 s.
    QCOMPARE(decoder.status(201000).output.state, ItemState::Unknown);
    QCOMPARE(decoder.status(205000).output.state, ItemState::Bad);
}

// What a script reads: unknown is null, never false; --require names what is not met.
void TestStatus::jsonAndRequirements()
{
    PreflightDecoder decoder;
    for (const QByteArray &line : {rmc, gga, gsa3d, QByteArray("Batt:0.0000V +00.0mV/min\n")})
        decoder.take(line, 0);
    const PreflightStatus status = decoder.status(500);
    const QJsonObject json = statusJson(status);
    QCOMPARE(json["gps"].toObject()["fix"].toBool(), true);
    QCOMPARE(json["gps"].toObject()["satellites"].toInt(), 8);
    QCOMPARE(json["gps"].toObject()["altitude_m"].toDouble(), 545.4);
    QCOMPARE(json["gps"].toObject()["age_s"].toDouble(), 0.5);
    QVERIFY(json["radio"].toObject()["transmitting"].isNull());
    QVERIFY(json["battery"].toObject()["volts"].isNull());
    QCOMPARE(json["battery"].toObject()["measured"].toBool(), false);
    QVERIFY(json["pressure_sensor"].isNull());
    QCOMPARE(json["verbose"].toBool(), true);
    QCOMPARE(unmetRequirements(status, {"fix", "transmitting", "pressure-sensor", "verbose"}),
        QStringList({"transmitting", "pressure-sensor"}));
}

QTEST_GUILESS_MAIN(TestStatus)
#include "tst_status.moc"
