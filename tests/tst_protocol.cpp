// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "link/devicesession.h"
#include "link/listcollector.h"
#include "link/sentenceanswer.h"
#include "trackerconsole.h"
#include "trackerdump.h"

#include <QtTest>

// The link's rules without a port or a clock: the tracker's answer to 0x03 line by line, and the
// bytes after a sentence; and the simulated tracker's, which must be the firmware's own.
class ProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void listCollector_data();
    void listCollector();
    void sentenceAnswer_data();
    void sentenceAnswer();
    void simulatedTracker_data();
    void simulatedTracker();
    void setAsidePortWaitsItsTurn_data();
    void setAsidePortWaitsItsTurn();
    void runningOutputLines_data();
    void runningOutputLines();
};

Q_DECLARE_METATYPE(TrackerSimulator::Options)

namespace {

const QByteArray status = "1:3:1A2B3C/000024A16C1A2B3C RFM95/+14dBm +0.0ppm CON:115200bps";
const QByteArray address = "Address        = 0x1A2B3C; # [24-bit]\n";
const QByteArray reg = "Reg            = D-KABC; #  [char]\n";
const QByteArray list = address + reg;
const QString two = QStringLiteral("Address=0x1A2B3C Reg=D-KABC");
const QByteArray txPower = "TxPower        = +14; #  [  dBm]\n";
const QByteArray nmea = "$GPRMC,120001.00,A,4736.7380,N,01114.0700,E*6C\r\n";
const QByteArray built = "Firmware built on Dec  7 2026 12:00:00\n";
const QByteArray batt = "Batt:4.1230V +00.0mV/min\n";
const QByteArray nul(1, '\0');

// Cut as a port's readLine() cuts: after each line feed.
QByteArrayList linesOf(const QByteArray &bytes)
{
    QByteArrayList lines = bytes.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i)
        lines[i] += '\n';
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// "$POGNS,X=000...,<last>" of exactly this many bytes; X is no parameter.
QByteArray sentenceOf(int length, const QByteArray &last, bool checksum = false)
{
    const QByteArray body
        = "POGNS,X=" + QByteArray(length - 10 - last.size() - (checksum ? 3 : 0), '0') + ',' + last;
    return '$' + body + (checksum ? '*' + trackersim::nmeaChecksum(body) : QByteArray());
}

QString heldValue(const QList<TrackerSimulator::Parameter> &parameters, const QString &name)
{
    for (const TrackerSimulator::Parameter &parameter : parameters) {
        if (parameter.name == name)
            return parameter.value;
    }
    return QStringLiteral("(none)");
}

} // namespace

void ProtocolTest::listCollector_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("quiet"); // 100 ms pass after the last line
    QTest::addColumn<QString>("outcome"); // the entries; "going on"; "failed: <why>"
    QTest::addColumn<int>("resends"); // after which lines, counted from 1
    QTest::addColumn<QString>("statusLine");
    const QByteArray before = status + "\nGPS: 115200bps,1.000s,PPS,NMEA\r\n";
    const auto row = [](const char *what, const QByteArray &answer, bool quiet, const QString &outcome,
                         int resends = 0, const QString &statusLine = QString::fromLatin1(status)) {
        QTest::newRow(what) << answer << quiet << outcome << resends << statusLine;
    };
    row("NUL bytes neither cut a line nor end the list",
        before + list.left(20) + nul + list.mid(20, 18) + nul + nul + "\n" + nul + list.mid(38) + built
            + batt,
        false, two);
    row("NMEA inside the list is dropped, without its $ or after stray bytes too: the list goes on",
        before + address + nmea + nmea.mid(1) + "\xff$GPRMC,1*00\r\n" + "x$POGNR,0*01\r\n" + reg + built
            + batt,
        false, two);
    row("a sentence that lost its line end keeps the parameter after it",
        before + list + nmea.left(nmea.size() - 2) + txPower + built + batt, false, two + " TxPower=+14");
    row("a run of 8 sentences ends the list", before + list + nmea.repeated(8) + txPower, false, two);
    row("7 sentences do not", before + list + nmea.repeated(7) + txPower + built + batt, false,
        two + " TxPower=+14");
    row("a parameter between two runs of sentences counts each run anew",
        before + address + nmea.repeated(5) + reg + nmea.repeated(5) + txPower + built + batt, false,
        two + " TxPower=+14");
    row("one line held, then a pause, ends the list", before + list + batt, true, two);
    row("no pause ends a list before a line is held", before + list, true, "going on");
    row("a parameter after a held line continues the list", before + address + batt + reg + built + batt,
        false, two);
    row("\"Address=\" does not start the list", before + "Address=0x1\nReg = X;\n" + list + built + batt,
        false, two);
    row("under 10 bytes is no list", before + "Address \n" + built + batt, false, "failed: TooShort");
    row("asked again after each 10 lines without a status line",
        QByteArray("IDLE 0 128\n").repeated(22) + before + list + built + batt, false, two, 2);
    row("never after the status line, however long the task list",
        before + QByteArray("IDLE            00 524\n").repeated(22) + list + batt + batt, false, two);
    row("the last status line before the list is kept",
        "0:0:000001/0000000000000001 SX1262/+0dBm +0.0ppm CON:9600bps\n" + before + list + built + batt,
        false, two);
    // The end of a list that answered an earlier request: no status line came before it.
    row("no list before a status line", list + built + batt, false, "going on", 0, QString());
    row("a status line starts the list again",
        before + "Address = 0x1;\nReg = OLD;\n" + before + list + batt + batt, false, two);
    row("a status line in lower case counts; one whose CPU id runs on into more digits does not",
        "1:3:1a2b3c/000024a16c1a2b3c RFM95/+14dBm\n1:3:1A2B3C/000024A16C1A2B3CFF\n" + list + built + batt,
        false, two, 0, "1:3:1a2b3c/000024a16c1a2b3c RFM95/+14dBm");
    row("a name with digits, unpadded, is a parameter; one with a blank in it is not",
        before + address + "WIFIname0=Club; #  [char]\n" + "Tx Power = +14\n" + reg + built + batt, false,
        "Address=0x1A2B3C WIFIname0=Club Reg=D-KABC");
}

void ProtocolTest::listCollector()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, quiet);
    QFETCH(QString, outcome);
    QFETCH(int, resends);
    QFETCH(QString, statusLine);

    tracktune::ListCollector collector;
    using Step = tracktune::ListCollector::Step;
    Step step = Step::GoOn;
    int asked = 0;
    for (const QByteArray &line : linesOf(answer)) {
        step = collector.feed(line);
        asked += step == Step::Resend ? 1 : 0;
    }
    if (quiet)
        step = collector.quiet();
    QStringList entries;
    for (const tracktune::DumpLine &entry : tracktune::parseDump(collector.list()))
        entries << entry.name + QLatin1Char('=') + entry.value;
    const bool tooShort = step == Step::Failed && collector.failure() == tracktune::ReadFailure::TooShort;
    QCOMPARE(step == Step::Done    ? entries.join(QLatin1Char(' '))
            : step == Step::Failed ? QStringLiteral("failed: ") + (tooShort ? "TooShort" : "other")
                                   : QStringLiteral("going on"),
        outcome);
    QCOMPARE(asked, resends);
    QCOMPARE(collector.statusLine(), statusLine);
}

void ProtocolTest::sentenceAnswer_data()
{
    QTest::addColumn<QByteArrayList>("arrivals"); // as the port hands them over after the write
    QTest::addColumn<int>("begunAt"); // the arrival with the answer's first byte; -1: none
    const QByteArray sentence = "$POGNS,Reg=D-KABC\n";
    const QByteArray answer = status + "\n";
    const auto row = [](const char *what, const QByteArrayList &arrivals, int begunAt) {
        QTest::newRow(what) << arrivals << begunAt;
    };
    row("echo and answer at once", {sentence + answer}, 0);
    row("echo in pieces: no answer", {sentence.left(3), sentence.mid(3, 5), sentence.mid(8)}, -1);
    row("a terminal's CR LF echo: no answer", {sentence.left(17) + "\r\n"}, -1);
    row("answer without echo", {answer}, 0);
    row("echo cut short, then the answer", {sentence.left(9), answer}, 1);
}

void ProtocolTest::sentenceAnswer()
{
    QFETCH(QByteArrayList, arrivals);
    QFETCH(int, begunAt);
    tracktune::SentenceAnswer matcher("$POGNS,Reg=D-KABC\n");
    int begun = -1;
    for (int i = 0; i < arrivals.size(); ++i) {
        if (matcher.feed(arrivals.at(i)) && begun < 0)
            begun = i;
    }
    QCOMPARE(begun, begunAt);
}

void ProtocolTest::simulatedTracker_data()
{
    QTest::addColumn<bool>("older");
    QTest::addColumn<QByteArrayList>("sent");
    QTest::addColumn<bool>("restarted"); // after the sentences
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed"); // its value in the list 0x03 prints
    QTest::addColumn<QString>("held"); // as the tracker holds it; null: as printed
    const auto row = [](const char *what, bool older, const QByteArrayList &sent, const char *name,
                         const QString &printed, const QString &held = QString()) {
        QTest::newRow(what) << older << sent << false << QString::fromLatin1(name) << printed << held;
    };
    const auto restarted = [](const char *what, bool older, const QByteArrayList &sent, const char *name,
                               const QString &printed) {
        QTest::newRow(what) << older << sent << true << QString::fromLatin1(name) << printed << QString();
    };
    const bool N = false;
    const bool O = true;
    row("a bool takes any number but 0 as 1", N, {"$POGNS,Stealth=2"}, "Stealth", "1");
    row("manGeoidSepar as well", O, {"$POGNS,manGeoidSepar=2"}, "manGeoidSepar", "1");
    row("TxHW as well", N, {"$POGNS,TxHW=0,TxHW=2"}, "TxHW", "1");
    row("NavRate below 0 is 0", N, {"$POGNS,NavRate=5,NavRate=-1"}, "NavRate", "0");
    row("NavRate above 7 is cut to its 3 bits", O, {"$POGNS,NavRate=9"}, "NavRate", "1");
    row("an empty BTname stays empty", N, {"$POGNS,BTname="}, "BTname", "");
    restarted("an empty BTname gets the call sign at a restart", N, {"$POGNS,AddrType=1,BTname="}, "BTname",
        "ICA1A2B3C");
    restarted("the older line leaves it empty at a restart", O, {"$POGNS,BTname="}, "BTname", "");
    restarted(
        "Hard named again at a restart after Defaults", N, {"$POGNS,Defaults=1"}, "Hard", "TBeam10-sx1262");
    row("an empty info text clears it", O, {"$POGNS,Pilot=ABC", "$POGNS,Pilot="}, "Pilot", "");
    row("the older line's GeoidSepar without a number is 0", O, {"$POGNS,GeoidSepar=x"}, "GeoidSepar",
        "+0.0");
    row("the newer line's is kept", N, {"$POGNS,GeoidSepar=x"}, "GeoidSepar", "+40.0");
    row("a full BTname runs on into APname", O, {"$POGNS,BTname=ABCDEFGHIJKLMNOPQ"}, "BTname",
        "ABCDEFGHIJKLMNOPOGN1A2B3C", "ABCDEFGHIJKLMNOP");
    row("the newer line's does not", N, {"$POGNS,BTname=ABCDEFGHIJKLMNOP"}, "BTname", "ABCDEFGHIJKLMNOP");
    row("a Reg of 17 is cut to 16 and runs on into ID, escaped as ID is", N,
        {"$POGNS,Reg=OLD,ID=X\\x20Y", "$POGNS,Reg=ABCDEFGHIJKLMNOPQ"}, "Reg", "ABCDEFGHIJKLMNOPX\\x20Y",
        "ABCDEFGHIJKLMNOP");
    row("on through ID when ID is full too", O, {"$POGNS,Reg=ABCDEFGHIJKLMNOP,ID=0123456789ABCDEF,Class=Z"},
        "Reg", "ABCDEFGHIJKLMNOP0123456789ABCDEFZ", "ABCDEFGHIJKLMNOP");
    row("APtxPwr kept in quarters rounded: 7.2", O, {"$POGNS,APtxPwr=7.2"}, "APtxPwr", "+7.2");
    row("APtxPwr 7.7", O, {"$POGNS,APtxPwr=7.7"}, "APtxPwr", "+7.7");
    row("APtxPwr 19.9 rounds up to 20", O, {"$POGNS,APtxPwr=19.9"}, "APtxPwr", "+20.0");
    row("APtxPwr held within 0..20 dBm", O, {"$POGNS,APtxPwr=-3"}, "APtxPwr", "+0.0");
    row("PressCorr kept in quarters cut toward zero: 1.3", N, {"$POGNS,PressCorr=1.3"}, "PressCorr", "+1.2");
    row("PressCorr -1.3", N, {"$POGNS,PressCorr=-1.3"}, "PressCorr", "-1.2");
    row("a text last in a sentence of 104 bytes takes one byte more", N, {sentenceOf(104, "Pilot=ABC")},
        "Pilot", "ABCh");
    row("of 120 bytes on the older line", O, {sentenceOf(120, "Pilot=ABC")}, "Pilot", "ABCx");
    row("not when a checksum ends it", N, {sentenceOf(104, "Pilot=ABC", true)}, "Pilot", "ABC");
    row("105 bytes: the sentence is dropped", N, {sentenceOf(105, "Pilot=ABC")}, "Pilot", "");
    row("GNSS cut to 8 bits", N, {"$POGNS,GNSS=0x100"}, "GNSS", "0x00");
    row("RxProtMask cut to 16 bits", N, {"$POGNS,RxProtMask=0x10000"}, "RxProtMask", "0x0000");
    row("a capital X: the 0 before it is read", N, {"$POGNS,AcftType=0X1"}, "AcftType", "0x0");
    row("no escapes on the older line", O, {"$POGNS,Pilot=Jan\\x20K"}, "Pilot", "Jan");
    row("CONprot holds 8 bits and prints the low digit", N, {}, "CONprot", "0xF", "0xFF");
    row("so writing 0x0F changes what it holds, not what it prints", N, {"$POGNS,CONprot=0x0F"}, "CONprot",
        "0xF", "0xF");
}

void ProtocolTest::simulatedTracker()
{
    QFETCH(bool, older);
    QFETCH(QByteArrayList, sent);
    QFETCH(bool, restarted);
    QFETCH(QString, name);
    QFETCH(QString, printed);
    QFETCH(QString, held);
    TrackerSimulator::Options options;
    options.olderFirmware = older;
    QList<TrackerSimulator::Parameter> parameters = trackersim::defaultParameters(options);
    for (const QByteArray &sentence : sent)
        trackersim::applySentence(sentence, parameters, options);
    if (restarted)
        trackersim::restart(parameters, options);
    const QByteArray start = "\n" + name.leftJustified(14, QLatin1Char(' ')).toLatin1() + " = ";
    const QByteArray dump = trackersim::composeDump(parameters, options);
    const int at = dump.indexOf(start) + start.size();
    QVERIFY(at >= start.size());
    QCOMPARE(QString::fromLatin1(dump.mid(at, dump.indexOf(';', at) - at)), printed);
    QCOMPARE(heldValue(parameters, name), held.isNull() ? printed : held);
}

void ProtocolTest::setAsidePortWaitsItsTurn_data()
{
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("sinceMs"); // since the port was set aside
    QTest::addColumn<bool>("staysAside");
    QTest::newRow("listed, just set aside") << true << 0 << true;
    QTest::newRow("listed, a moment before its minute is over") << true << 59999 << true;
    QTest::newRow("listed, its minute over: tried once more") << true << 60000 << false;
    QTest::newRow("gone from the list: a candidate when it comes back") << false << 0 << false;
}

void ProtocolTest::setAsidePortWaitsItsTurn()
{
    QFETCH(bool, listed);
    QFETCH(int, sinceMs);
    QFETCH(bool, staysAside);
    QCOMPARE(tracktune::staysSetAside(listed, sinceMs, 60000), staysAside);
}

namespace {

// A running tracker's options: the line, its fix and what it has on board.
TrackerSimulator::Options runningTracker(bool older, int fixAfterSeconds = 0)
{
    TrackerSimulator::Options options;
    options.chatty = true;
    options.olderFirmware = older;
    options.fixAfterSeconds = fixAfterSeconds;
    return options;
}

QByteArray checksumOf(const QByteArray &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QByteArray::number(sum + 0x100, 16).right(2).toUpper();
}

// "$...*hh\r\n" with the right checksum.
bool isValidSentence(const QByteArray &line)
{
    const int star = line.size() - 5;
    return line.startsWith('$') && line.endsWith("\r\n") && star > 1 && line.at(star) == '*'
        && line.mid(star + 1, 2) == checksumOf(line.mid(1, star - 1));
}

// "$GPGGA", "Radio", "SatSNR": what a line is.
QByteArray headOf(const QByteArray &line)
{
    const int end = line.indexOf(line.startsWith('$') ? ',' : ':');
    return line.left(end);
}

} // namespace

void ProtocolTest::runningOutputLines_data()
{
    QTest::addColumn<TrackerSimulator::Options>("options");
    QTest::addColumn<int>("atMs");
    QTest::addColumn<QByteArray>("written"); // a sentence written before; empty: none
    QTest::addColumn<QString>("heads");
    const QString nmeaN = QStringLiteral("$GPGGA $GPRMC $GPGSA");
    const QString nmeaO = nmeaN + QStringLiteral(" $GPGSV $GPGSV $GPGSV");
    const QString baro = QStringLiteral(" $POGNB $PGRMZ $LK8EX1");
    const TrackerSimulator::Options N = runningTracker(false);
    const TrackerSimulator::Options O = runningTracker(true);
    TrackerSimulator::Options noSensor = N;
    noSensor.pressureSensor = false;
    TrackerSimulator::Options noChipO = O;
    noChipO.radioChip = false;
    const auto row
        = [](const char *what, const TrackerSimulator::Options &options, int atMs, const QString &heads,
              const QByteArray &written = {}) { QTest::newRow(what) << options << atMs << written << heads; };
    row("newer, a whole second", N, 1000, nmeaN + " $POGNR" + baro);
    row("newer, the half second: the pressure sensor only", N, 1500, baro.trimmed());
    row("newer, UTC%10 == 5: the radio's line", N, 5000, nmeaN + " $POGNR Radio" + baro);
    row("and 10 s later again", N, 15000, nmeaN + " $POGNR Radio" + baro);
    row("newer, UTC%10 == 7: the satellites' line", N, 7000, nmeaN + " SatSNR $POGNR" + baro);
    row("older: GSV too, no radio line", O, 5000, nmeaO + " $POGNR" + baro);
    row("older: no satellites' line", O, 7000, nmeaO + " $POGNR" + baro);
    row("older without a fix: one empty GSV", runningTracker(true, -1), 1000,
        nmeaN + " $GPGSV $POGNR" + baro);
    row("no pressure sensor: no baro sentences", noSensor, 1000, nmeaN + " $POGNR");
    row("nor on the half second", noSensor, 1500, QString());
    row("newer, Verbose=0: silent", N, 1000, QString(), "$POGNS,Verbose=0");
    row("newer, Verbose=2: bit 0 off, silent", N, 5000, QString(), "$POGNS,Verbose=2");
    row("newer, Verbose=3", N, 1000, nmeaN + " $POGNR" + baro, "$POGNS,Verbose=3");
    row("older, Verbose=2: any value but 0", O, 1000, nmeaO + " $POGNR" + baro, "$POGNS,Verbose=2");
    row("older, Verbose=0: silent", O, 1000, QString(), "$POGNS,Verbose=0");
    row("older without its radio chip: looks for it each second, Verbose or not", noChipO, 1000,
        QStringLiteral("TaskRF"), "$POGNS,Verbose=0");
}

void ProtocolTest::runningOutputLines()
{
    QFETCH(TrackerSimulator::Options, options);
    QFETCH(int, atMs);
    QFETCH(QByteArray, written);
    QFETCH(QString, heads);
    QList<TrackerSimulator::Parameter> parameters = trackersim::defaultParameters(options);
    if (!written.isEmpty())
        QVERIFY(trackersim::applySentence(written, parameters, options).accepted);
    const QByteArray output = trackersim::runningOutput({atMs, atMs}, parameters, options);
    QStringList seen;
    for (const QByteArray &line : linesOf(output)) {
        seen << QString::fromLatin1(headOf(line));
        if (line.startsWith('$'))
            QVERIFY2(isValidSentence(line), line.constData());
        else if (line.startsWith("SatSNR"))
            QVERIFY2(!line.endsWith("\r\n"), "SatSNR ends LF only");
        else
            QVERIFY2(line.endsWith("\r\n"), line.constData());
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), heads);
}

QTEST_GUILESS_MAIN(ProtocolTest)
#include "tst_protocol.moc"
