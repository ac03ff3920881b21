// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "link/devicesession.h"
#include "link/listcollector.h"
#include "link/sentenceanswer.h"

#include <QtTest>

// The link's rules without a port or a clock: the tracker's answer to 0x03 line by line, and the
// bytes after a sentence.
class ProtocolTest : public QObject
{
    Q_OBJECT

private slots:
    void listCollector_data();
    void listCollector();
    void sentenceAnswer_data();
    void sentenceAnswer();
    void setAsidePortWaitsItsTurn_data();
    void setAsidePortWaitsItsTurn();
};

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

QTEST_GUILESS_MAIN(ProtocolTest)
#include "tst_protocol.moc"
