#include "trackersimulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(TrackerSimulator::LineEnding)
Q_DECLARE_METATYPE(TrackerSimulator::Variant)

// The simulated tracker, seen through a real serial port as the program sees it.
class TestTrackerSimulator : public QObject
{
    Q_OBJECT

private slots:
    void dumpFormat_data();
    void dumpFormat();
    void dumpWithoutEndingLine();
    void sentence_data();
    void sentence();
    void otherBytes();
    void silentDevice();
    void chattyDevice();
    void answerDelayAndPacing();
    void receivedRecord();
    void closingThePortIsSeen();
    void unplugHangsUpThePort();
    void secondOpenIsRefused();
};

namespace {

using Options = TrackerSimulator::Options;
using LineEnding = TrackerSimulator::LineEnding;
using Variant = TrackerSimulator::Variant;

// A port opened on the simulator, 115200 8N1, collecting what arrives.
class Port
{
public:
    explicit Port(const QString &path)
    {
        port.setPortName(path);
        QObject::connect(&port, &QSerialPort::readyRead, [this] {
            if (data.isEmpty())
                firstByteAt = clock.elapsed();
            data += port.readAll();
            lastByteAt = clock.elapsed();
        });
        clock.start();
    }

    bool open()
    {
        port.setBaudRate(QSerialPort::Baud115200);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::OneStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        return port.open(QIODevice::ReadWrite);
    }

    void send(const QByteArray &bytes)
    {
        sentAt = clock.elapsed();
        port.write(bytes);
        port.waitForBytesWritten(1000);
    }

    QSerialPort port;
    QByteArray data;
    QElapsedTimer clock;
    qint64 sentAt = -1;
    qint64 firstByteAt = -1;
    qint64 lastByteAt = -1;
};

Options unpaced()
{
    Options options;
    options.paced = false;
    return options;
}

QByteArray parameterLine(const QString &name, const QString &value)
{
    return name.leftJustified(14, QLatin1Char(' ')).toLatin1() + " = " + value.toLatin1() + ';';
}

QByteArray withChecksum(const QByteArray &body)
{
    char sum = 0;
    for (char c : body)
        sum ^= c;
    return '$' + body + '*'
        + QByteArray::number(static_cast<uchar>(sum), 16).toUpper().rightJustified(2, '0');
}

QByteArray lowerCaseChecksum(const QByteArray &body)
{
    const QByteArray sentence = withChecksum(body);
    return sentence.left(sentence.size() - 2) + sentence.right(2).toLower();
}

bool validNmea(const QByteArray &line)
{
    static const QRegularExpression shape(QStringLiteral("^\\$([A-Z]+),([^*]*)\\*([0-9A-F]{2})$"));
    const QRegularExpressionMatch match = shape.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return false;
    const QByteArray body = line.mid(1, line.indexOf('*') - 1);
    return withChecksum(body) == line;
}

} // namespace

void TestTrackerSimulator::dumpFormat_data()
{
    QTest::addColumn<LineEnding>("ending");
    QTest::addColumn<Variant>("variant");
    QTest::newRow("lf") << LineEnding::Lf << Variant::Standard;
    QTest::newRow("crlf") << LineEnding::CrLf << Variant::Standard;
    QTest::newRow("lf vendor") << LineEnding::Lf << Variant::Vendor;
    QTest::newRow("crlf vendor") << LineEnding::CrLf << Variant::Vendor;
}

void TestTrackerSimulator::dumpFormat()
{
    QFETCH(LineEnding, ending);
    QFETCH(Variant, variant);
    Options options;
    options.lineEnding = ending;
    options.variant = variant;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY2(port.open(), qPrintable(port.port.errorString()));
    QTRY_VERIFY(tracker.peerOpen());

    const QByteArray expected = tracker.dump();
    port.send("\x03");
    QTRY_VERIFY_WITH_TIMEOUT(port.data.size() >= expected.size(), 3000);
    QCOMPARE(port.data, expected);
    QVERIFY2(expected.size() > 2000 && expected.size() < 3200, qPrintable(QString::number(expected.size())));

    const QByteArray eol = ending == LineEnding::CrLf ? "\r\n" : "\n";
    QVERIFY(expected.endsWith(eol));
    QCOMPARE(expected.count('\r'), ending == LineEnding::CrLf ? expected.count('\n') : 0);
    QList<QByteArray> lines = expected.left(expected.size() - eol.size()).split('\n');
    if (ending == LineEnding::CrLf) {
        for (QByteArray &line : lines) {
            QVERIFY(line.endsWith('\r') || &line == &lines.last());
            if (line.endsWith('\r'))
                line.chop(1);
        }
    }

    QCOMPARE(lines.at(0), QByteArray("1:3:1A2B3C/000024A16C1A2B3C RFM95/+14dBm +0.0ppm CON:115200bps"));
    QCOMPARE(lines.at(0) + eol, tracker.statusLine());
    QVERIFY(lines.at(1).startsWith("GPS: "));
    QVERIFY(lines.at(2).startsWith("Task"));
    int first = 3;
    while (first < lines.size() && !lines.at(first).contains('='))
        ++first;
    QVERIFY(first > 4); // a few task rows
    QCOMPARE(lines.at(first), QByteArray("Address        = 0x1A2B3C; # [24-bit]"));

    static const QRegularExpression parameterShape(
        QStringLiteral("^([A-Za-z][A-Za-z0-9]*) * = ([^;]*);( #.*)$"));
    QStringList names;
    QHash<QString, QString> values;
    int last = first;
    for (; last < lines.size() && lines.at(last).contains('='); ++last) {
        const QString line = QString::fromLatin1(lines.at(last));
        const QRegularExpressionMatch match = parameterShape.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(line.indexOf(QLatin1String(" = ")), 14);
        names << match.captured(1);
        values.insert(match.captured(1), match.captured(2));
    }
    const QList<QByteArray> batt = lines.mid(last);
    QVERIFY(batt.size() == 1 || batt.size() == 2);
    for (const QByteArray &line : batt)
        QVERIFY2(line.startsWith("Batt:") && !line.contains('='), line.constData());

    QVERIFY2(names.size() >= 40 && names.size() <= 55, qPrintable(QString::number(names.size())));
    QStringList listed;
    for (const TrackerSimulator::Parameter &parameter : tracker.parameters())
        listed << parameter.name;
    QCOMPARE(names, listed);

    QVERIFY(lines.contains("AcftType       = 0x1; #  [4-bit]"));
    QVERIFY(lines.contains("TxPower        = +14; #  [  dBm]"));
    QVERIFY(lines.contains("Reg            = ; #  [char]"));
    QVERIFY(QRegularExpression(QStringLiteral("^0x[0-9A-F]$")).match(values.value("AddrType")).hasMatch());
    QCOMPARE(values.value("TxProtMask"), QStringLiteral("0xFF"));
    QVERIFY(QRegularExpression(QStringLiteral("^[0-5]$")).match(values.value("FreqPlan")).hasMatch());
    const int hard = names.indexOf(QStringLiteral("Hard"));
    QVERIFY(hard > 5 && hard < names.size() - 5);
    const bool vendor = variant == Variant::Vendor;
    QCOMPARE(values.value("Hard"), vendor ? QStringLiteral("ZRN-LTE") : QString());
    QCOMPARE(names.contains(QStringLiteral("APN")), vendor);
    QCOMPARE(tracker.parameter(QStringLiteral("Hard")), values.value("Hard"));
    QVERIFY(!tracker.parameter(QStringLiteral("Hard")).isNull());
    QVERIFY(tracker.parameter(QStringLiteral("NoSuchName")).isNull());
}

void TestTrackerSimulator::dumpWithoutEndingLine()
{
    Options options = unpaced();
    options.dumpEndingLine = false;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());

    const QByteArray expected = tracker.dump();
    QVERIFY(
        expected.endsWith(parameterLine(tracker.parameters().last().name, tracker.parameters().last().value)
            + tracker.parameters().last().comment.toLatin1() + '\n'));
    port.send("\x03");
    QTRY_COMPARE(port.data, expected);
    QTest::qWait(300); // nothing follows
    QCOMPARE(port.data, expected);

    tracker.setDumpEndingLine(true);
    port.data.clear();
    port.send("\x03");
    QTRY_COMPARE(port.data, tracker.dump());
    QVERIFY(port.data.contains("\nBatt:"));
}

void TestTrackerSimulator::sentence_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value"); // afterwards; Reg starts as "OLD"
    QTest::addColumn<Variant>("variant");
    const Variant standard = Variant::Standard;

    QTest::newRow("cr") << QByteArray("$POGNS,TxPower=10\r") << true << "TxPower"
                        << "+10" << standard;
    QTest::newRow("lf") << QByteArray("$POGNS,TxPower=10\n") << true << "TxPower"
                        << "+10" << standard;
    QTest::newRow("crlf") << QByteArray("$POGNS,TxPower=10\r\n") << true << "TxPower"
                          << "+10" << standard;
    QTest::newRow("noise first") << QByteArray("xy$POGNS,Reg=NEW\r") << true << "Reg"
                                 << "NEW" << standard;
    QTest::newRow("checksum") << withChecksum("POGNS,TxPower=10") + '\r' << true << "TxPower"
                              << "+10" << standard;
    QTest::newRow("checksum lower case") << lowerCaseChecksum("POGNS,Reg=KAB") + '\n'
                                         << true << "Reg"
                                         << "KAB" << standard;
    QTest::newRow("wrong checksum") << QByteArray("$POGNS,TxPower=10*00\r") << false << "TxPower"
                                    << "+14" << standard;
    QTest::newRow("checksum one digit") << QByteArray("$POGNS,TxPower=10*7\r") << false << "TxPower"
                                        << "+14" << standard;
    QTest::newRow("checksum missing") << QByteArray("$POGNS,TxPower=10*\r") << false << "TxPower"
                                      << "+14" << standard;

    QTest::newRow("plus") << QByteArray("$POGNS,TxPower=+7\r") << true << "TxPower"
                          << "+7" << standard;
    QTest::newRow("minus") << QByteArray("$POGNS,TxPower=-3\r") << true << "TxPower"
                           << "-3" << standard;
    QTest::newRow("zero") << QByteArray("$POGNS,TxPower=0\r") << true << "TxPower"
                          << "+0" << standard;
    QTest::newRow("hex into signed") << QByteArray("$POGNS,TxPower=0x0A\r") << true << "TxPower"
                                     << "+10" << standard;
    QTest::newRow("hex") << QByteArray("$POGNS,Address=0xABCDEF\r") << true << "Address"
                         << "0xABCDEF" << standard;
    QTest::newRow("hex short") << QByteArray("$POGNS,Address=0xabc\r") << true << "Address"
                               << "0x000ABC" << standard;
    QTest::newRow("decimal into hex") << QByteArray("$POGNS,Address=11259375\r") << true << "Address"
                                      << "0xABCDEF" << standard;
    QTest::newRow("hex 1 digit") << QByteArray("$POGNS,AcftType=9\r") << true << "AcftType"
                                 << "0x9" << standard;
    QTest::newRow("hex 2 digits") << QByteArray("$POGNS,TxProtMask=0x3\r") << true << "TxProtMask"
                                  << "0x03" << standard;
    QTest::newRow("unsigned") << QByteArray("$POGNS,FreqPlan=+3\r") << true << "FreqPlan"
                              << "3" << standard;
    QTest::newRow("out of range") << QByteArray("$POGNS,FreqPlan=6\r") << false << "FreqPlan"
                                  << "0" << standard;
    QTest::newRow("too wide") << QByteArray("$POGNS,AcftType=0x10\r") << false << "AcftType"
                              << "0x1" << standard;
    QTest::newRow("negative hex param") << QByteArray("$POGNS,Address=-1\r") << false << "Address"
                                        << "0x1A2B3C" << standard;
    QTest::newRow("trailing junk") << QByteArray("$POGNS,TxPower=1x\r") << false << "TxPower"
                                   << "+14" << standard;
    QTest::newRow("bare 0x") << QByteArray("$POGNS,TxPower=0x\r") << false << "TxPower"
                             << "+14" << standard;
    QTest::newRow("signed hex") << QByteArray("$POGNS,TxPower=-0x3\r") << false << "TxPower"
                                << "+14" << standard;
    QTest::newRow("empty integer") << QByteArray("$POGNS,TxPower=\r") << false << "TxPower"
                                   << "+14" << standard;

    QTest::newRow("string") << QByteArray("$POGNS,Reg=D-KXYZ\r") << true << "Reg"
                            << "D-KXYZ" << standard;
    QTest::newRow("empty string") << QByteArray("$POGNS,Reg=\r") << true << "Reg"
                                  << "" << standard;
    QTest::newRow("every allowed char") << QByteArray("$POGNS,Pilot=J.Doe@cl_1/2#+-\r") << true << "Pilot"
                                        << "J.Doe@cl_1/2#+-" << standard;
    QTest::newRow("15 chars") << QByteArray("$POGNS,Reg=ABCDEFGHIJKLMNO\r") << true << "Reg"
                              << "ABCDEFGHIJKLMNO" << standard;
    QTest::newRow("16 chars") << QByteArray("$POGNS,Reg=ABCDEFGHIJKLMNOP\r") << false << "Reg"
                              << "OLD" << standard;
    QTest::newRow("bad char") << QByteArray("$POGNS,Reg=D%KX\r") << false << "Reg"
                              << "OLD" << standard;
    QTest::newRow("utf-8") << QByteArray("$POGNS,Reg=M\xc3\xbc\r") << false << "Reg"
                           << "OLD" << standard;
    QTest::newRow("space drops") << QByteArray("$POGNS,Reg=D KX\r") << false << "Reg"
                                 << "OLD" << standard;
    QTest::newRow("tab drops") << QByteArray("$POGNS,Reg=D\tKX\r") << false << "Reg"
                               << "OLD" << standard;
    QTest::newRow("control drops") << QByteArray("$POGNS,Reg=D\x01KX\r") << false << "Reg"
                                   << "OLD" << standard;

    QTest::newRow("unknown name") << QByteArray("$POGNS,Colour=7\r") << true << "Reg"
                                  << "OLD" << standard;
    QTest::newRow("two values") << QByteArray("$POGNS,Reg=DABC,TxPower=12\r") << true << "TxPower"
                                << "+12" << standard;
    QTest::newRow("one bad, none set") << QByteArray("$POGNS,Reg=NEW,TxPower=99\r") << false << "Reg"
                                       << "OLD" << standard;
    QTest::newRow("no equals") << QByteArray("$POGNS,Reg\r") << false << "Reg"
                               << "OLD" << standard;
    QTest::newRow("other sentence") << QByteArray("$PXYZS,Reg=NEW\r") << false << "Reg"
                                    << "OLD" << standard;
    QTest::newRow("vendor APN") << QByteArray("$POGNS,APN=web.example\r") << true << "APN"
                                << "web.example" << Variant::Vendor;
}

void TestTrackerSimulator::sentence()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(Variant, variant);
    Options options = unpaced();
    options.variant = variant;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    tracker.setParameter(QStringLiteral("Reg"), QStringLiteral("OLD"));
    Port port(tracker.portPath());
    QVERIFY(port.open());

    // Many rows: qWaitFor looks more often than the QTRY macros do.
    port.send(bytes);
    if (accepted) {
        QByteArray text = bytes.mid(bytes.indexOf('$'));
        while (text.endsWith('\r') || text.endsWith('\n'))
            text.chop(1);
        QVERIFY(QTest::qWaitFor([&] { return !port.data.isEmpty() && port.data.endsWith('\n'); }, 5000));
        QCOMPARE(port.data, tracker.statusLine()); // the only answer
        QCOMPARE(tracker.sentences(), QStringList {QString::fromLatin1(text)});
    } else {
        QVERIFY(QTest::qWaitFor([&] { return !tracker.rejectedSentences().isEmpty(); }, 5000));
        QTest::qWait(60); // no answer
        QCOMPARE(port.data, QByteArray());
    }
    QCOMPARE(tracker.sentences().size() + tracker.rejectedSentences().size(), 1);
    QCOMPARE(tracker.parameter(name), value);

    port.data.clear();
    port.send("\x03");
    const QByteArray dump = tracker.dump();
    QVERIFY(QTest::qWaitFor([&] { return port.data.size() >= dump.size(); }, 5000));
    QCOMPARE(port.data, dump);
    QVERIFY2(port.data.contains('\n' + parameterLine(name, value)), qPrintable(value));
}

void TestTrackerSimulator::otherBytes()
{
    TrackerSimulator tracker(unpaced());
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());

    port.send(QByteArray("\x02hello\x7f\x01\xff\r\n", 11));
    QTRY_COMPARE(tracker.receivedBytes().size(), 11);
    QTest::qWait(200); // no answer
    QCOMPARE(port.data, QByteArray());
    QVERIFY(tracker.sentences().isEmpty() && tracker.rejectedSentences().isEmpty());

    port.send("\x18");
    QTRY_COMPARE(port.data, tracker.bootBanner());
    QVERIFY(port.data.endsWith(tracker.statusLine()));
}

void TestTrackerSimulator::silentDevice()
{
    Options options;
    options.silent = true;
    options.chatty = true;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());

    port.send("\x03$POGNS,TxPower=5\r\x18");
    QTRY_COMPARE(tracker.receivedBytes().size(), 19);
    QCOMPARE(tracker.sentences(), QStringList {"$POGNS,TxPower=5"}); // it still listens
    QCOMPARE(tracker.parameter(QStringLiteral("TxPower")), QStringLiteral("+5"));
    QTest::qWait(1300); // longer than the position sentences' period
    QCOMPARE(port.data, QByteArray());

    // What a test puts on the line goes out all the same.
    tracker.inject("noise\n");
    QTRY_COMPARE(port.data, QByteArray("noise\n"));

    port.data.clear();
    tracker.setChatty(false);
    tracker.setSilent(false);
    port.send("\x03");
    QTRY_COMPARE(port.data, tracker.dump());
    port.data.clear();
    tracker.setSilent(true);
    port.send("\x03");
    QTest::qWait(400);
    QCOMPARE(port.data, QByteArray());
}

void TestTrackerSimulator::chattyDevice()
{
    Options options;
    options.chatty = true;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QList<qint64> arrivals;
    QObject::connect(&port.port, &QSerialPort::readyRead, [&] {
        if (port.data.endsWith("\r\n"))
            arrivals << port.clock.elapsed();
    });
    QVERIFY(port.open());

    QTRY_VERIFY_WITH_TIMEOUT(port.data.count("$GPRMC") >= 2 && port.data.endsWith("\r\n"), 4000);
    const QList<QByteArray> lines = port.data.split('\n');
    int sentences = 0;
    for (QByteArray line : lines) {
        if (line.isEmpty())
            continue;
        QVERIFY2(line.endsWith('\r'), line.constData());
        line.chop(1);
        QVERIFY2(validNmea(line), line.constData());
        QVERIFY(line.startsWith("$GPRMC,") || line.startsWith("$POGNR,"));
        ++sentences;
    }
    QVERIFY(sentences >= 4);
    // About once a second.
    const qint64 gap = arrivals.last() - arrivals.first();
    QVERIFY2(gap >= 600 && gap <= 1800, qPrintable(QString::number(gap)));

    // A dump is never cut by them.
    port.data.clear();
    port.send("\x03");
    const QByteArray dump = tracker.dump();
    QTRY_VERIFY_WITH_TIMEOUT(port.data.contains(dump), 3000);
    QByteArray rest = port.data;
    rest.replace(dump, "");
    for (const QByteArray &line : rest.split('\n')) {
        if (!line.isEmpty() && line.endsWith('\r'))
            QVERIFY2(validNmea(line.left(line.size() - 1)), line.constData());
    }
}

void TestTrackerSimulator::answerDelayAndPacing()
{
    Options options;
    options.answerDelayMs = 300;
    TrackerSimulator tracker(options);
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());

    const QByteArray dump = tracker.dump();
    const qint64 wireMs = dump.size() * 10 * 1000 / 115200;
    port.send("\x03");
    QTRY_COMPARE_WITH_TIMEOUT(port.data.size(), dump.size(), 3000);
    QVERIFY2(
        port.firstByteAt - port.sentAt >= 300, qPrintable(QString::number(port.firstByteAt - port.sentAt)));
    // The burst takes the wire time of 115200 baud.
    const qint64 burst = port.lastByteAt - port.sentAt - 300;
    QVERIFY2(burst >= wireMs * 9 / 10, qPrintable(QStringLiteral("%1 < %2").arg(burst).arg(wireMs)));

    port.data.clear();
    tracker.setAnswerDelay(200);
    port.send("$POGNS,TxPower=3\n");
    QTRY_COMPARE(tracker.parameter(QStringLiteral("TxPower")), QStringLiteral("+3")); // saved at once
    QTRY_COMPARE_WITH_TIMEOUT(port.data, tracker.statusLine(), 3000);
    QVERIFY(port.firstByteAt - port.sentAt >= 200);
}

void TestTrackerSimulator::receivedRecord()
{
    TrackerSimulator tracker(unpaced());
    QVERIFY(tracker.start());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());

    const qint64 t0 = tracker.elapsed();
    port.send("\x02");
    QTRY_COMPARE(tracker.receivedCount(0x02), 1);
    const qint64 t1 = tracker.elapsed();
    const qint64 t2 = tracker.elapsed();
    port.send("AB");
    QTRY_COMPARE(tracker.receivedBytes(),
        QByteArray("\x02"
                   "AB"));
    const qint64 t3 = tracker.elapsed();

    const QVector<TrackerSimulator::ReceivedByte> received = tracker.received();
    QCOMPARE(received.size(), 3);
    QCOMPARE(received.at(0).byte, '\x02');
    QVERIFY(received.at(0).msecs >= t0 && received.at(0).msecs <= t1);
    for (int i = 1; i < 3; ++i) {
        QCOMPARE(received.at(i).byte, "AB"[i - 1]);
        QVERIFY(received.at(i).msecs >= t2 && received.at(i).msecs <= t3);
    }
    QCOMPARE(tracker.receivedCount('A'), 1);
    QCOMPARE(tracker.receivedCount(0x03), 0);

    port.send("$POGNS,Reg=X\r$POGNS,Reg=%\r");
    QTRY_COMPARE(tracker.rejectedSentences().size(), 1);
    QCOMPARE(tracker.sentences().size(), 1);
    tracker.clearRecord();
    QVERIFY(tracker.received().isEmpty() && tracker.receivedBytes().isEmpty());
    QVERIFY(tracker.sentences().isEmpty() && tracker.rejectedSentences().isEmpty());
    QCOMPARE(tracker.parameter(QStringLiteral("Reg")), QStringLiteral("X"));
}

void TestTrackerSimulator::closingThePortIsSeen()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    QVERIFY(!tracker.peerOpen());
    Port port(tracker.portPath());
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());
    QVERIFY(tracker.hangups().isEmpty());

    // Closed in the middle of a dump.
    port.send("\x03");
    QTRY_VERIFY(!port.data.isEmpty());
    const qint64 before = tracker.elapsed();
    port.port.close();
    QTRY_VERIFY(!tracker.peerOpen());
    const qint64 after = tracker.elapsed();
    QCOMPARE(tracker.hangups().size(), 1);
    QVERIFY(tracker.hangups().first() >= before && tracker.hangups().first() <= after);
    tracker.inject("stale\n");

    // Nothing of it waits for the next open.
    QTest::qWait(100);
    port.data.clear();
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());
    QTest::qWait(400);
    QCOMPARE(port.data, QByteArray());

    port.send("\x03");
    QTRY_COMPARE_WITH_TIMEOUT(port.data, tracker.dump(), 3000);
    QCOMPARE(tracker.hangups().size(), 1);
}

void TestTrackerSimulator::unplugHangsUpThePort()
{
    TrackerSimulator tracker(unpaced());
    QVERIFY(tracker.start());
    const QString path = tracker.portPath();
    Port port(path);
    QVERIFY(port.open());
    QTRY_VERIFY(tracker.peerOpen());
    qRegisterMetaType<QSerialPort::SerialPortError>();
    QSignalSpy errors(&port.port, &QSerialPort::errorOccurred);
    // A hung-up port reports a read error on every turn of the event loop until closed.
    QObject::connect(&port.port, &QSerialPort::errorOccurred, [&port](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::NoError)
            port.port.close();
    });

    tracker.unplug();
    QVERIFY(!tracker.peerOpen());
    QTRY_VERIFY(!errors.isEmpty());
    const auto error = errors.first().at(0).value<QSerialPort::SerialPortError>();
    QVERIFY2(error == QSerialPort::ReadError || error == QSerialPort::ResourceError,
        qPrintable(QString::number(error)));
    QVERIFY(!port.port.isOpen());
    QVERIFY(!QFile::exists(path));
    QVERIFY(tracker.hangups().isEmpty());
    QVERIFY(!tracker.start());
}

void TestTrackerSimulator::secondOpenIsRefused()
{
    TrackerSimulator tracker;
    QVERIFY(tracker.start());
    Port first(tracker.portPath());
    QVERIFY(first.open());

    // The port's lock file keeps a second opener out, in this process as in another.
    Port second(tracker.portPath());
    QVERIFY(!second.open());
    QCOMPARE(second.port.error(), QSerialPort::PermissionError);

    first.port.close();
    QVERIFY2(second.open(), qPrintable(second.port.errorString()));
}

QTEST_GUILESS_MAIN(TestTrackerSimulator)
#include "tst_trackersimulator.moc"
