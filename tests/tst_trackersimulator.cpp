#include "trackersimulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(TrackerSimulator::LineEnding)
Q_DECLARE_METATYPE(TrackerSimulator::Variant)

// The simulated tracker, seen through a real serial port as the program sees it.
class TestTrackerSimulator : public QObject
{
    Q_OBJECT

private slots:
    void dump_data();
    void dump();
    void sentence_data();
    void sentence();
    void silentDevice();
    void receivedRecord();
    void unplugHangsUpThePort();
};

namespace {

using Options = TrackerSimulator::Options;
using LineEnding = TrackerSimulator::LineEnding;
using Variant = TrackerSimulator::Variant;

// A started simulator with a port open on it at 115200 baud, collecting what arrives.
struct Line
{
    explicit Line(const Options &options) : tracker(options) { }

    // Returns once the simulator sees the port open.
    bool open()
    {
        clock.start();
        QObject::connect(&port, &QSerialPort::readyRead, [this] {
            data += port.readAll();
            lastByteAt = clock.elapsed();
        });
        port.setPortName(tracker.start() ? tracker.portPath() : QString());
        port.setBaudRate(QSerialPort::Baud115200);
        return port.open(QIODevice::ReadWrite) && QTest::qWaitFor([this] { return tracker.peerOpen(); });
    }

    void send(const QByteArray &bytes)
    {
        sentAt = clock.elapsed();
        port.write(bytes);
        port.waitForBytesWritten(1000);
    }

    TrackerSimulator tracker;
    QSerialPort port;
    QByteArray data;
    QElapsedTimer clock;
    qint64 sentAt = -1;
    qint64 lastByteAt = -1;
};

} // namespace

void TestTrackerSimulator::dump_data()
{
    QTest::addColumn<LineEnding>("ending");
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<bool>("endingLine");
    QTest::newRow("LF") << LineEnding::Lf << Variant::Standard << true;
    QTest::newRow("CR LF") << LineEnding::CrLf << Variant::Standard << true;
    QTest::newRow("LF, vendor") << LineEnding::Lf << Variant::Vendor << true;
    QTest::newRow("CR LF, vendor") << LineEnding::CrLf << Variant::Vendor << true;
    QTest::newRow("no Batt line") << LineEnding::Lf << Variant::Standard << false;
}

void TestTrackerSimulator::dump()
{
    QFETCH(LineEnding, ending);
    QFETCH(Variant, variant);
    QFETCH(bool, endingLine);
    Options options;
    options.lineEnding = ending;
    options.variant = variant;
    options.dumpEndingLine = endingLine;
    Line line(options);
    QVERIFY(line.open());

    const QByteArray expected = line.tracker.dump();
    line.send("\x03");
    QTRY_VERIFY_WITH_TIMEOUT(line.data.size() >= expected.size(), 3000);
    QCOMPARE(line.data, expected);
    QVERIFY2(expected.size() > 2000 && expected.size() < 3200, qPrintable(QString::number(expected.size())));
    // Paced as 115200 baud 8N1 puts it on the wire.
    const qint64 wireMs = expected.size() * 10 * 1000 / 115200;
    QVERIFY2(line.lastByteAt - line.sentAt >= wireMs * 9 / 10,
        qPrintable(QStringLiteral("%1 ms < %2 ms").arg(line.lastByteAt - line.sentAt).arg(wireMs)));

    const QByteArray eol = ending == LineEnding::CrLf ? "\r\n" : "\n";
    QVERIFY(expected.endsWith(eol));
    QCOMPARE(expected.count('\r'), ending == LineEnding::CrLf ? expected.count('\n') : 0);
    QList<QByteArray> lines = QByteArray(expected).replace("\r\n", "\n").split('\n');
    lines.removeLast(); // behind the last line end

    QCOMPARE(lines.at(0), QByteArray("1:3:1A2B3C/000024A16C1A2B3C RFM95/+14dBm +0.0ppm CON:115200bps"));
    QCOMPARE(lines.at(0) + eol, line.tracker.statusLine());
    QVERIFY(lines.at(1).startsWith("GPS: "));
    QVERIFY(lines.at(2).startsWith("Task"));
    int first = 3;
    while (first < lines.size() && !lines.at(first).contains('='))
        ++first;
    QVERIFY(first > 4); // a few task rows
    QCOMPARE(lines.at(first), QByteArray("Address        = 0x1A2B3C; # [24-bit]"));

    // Each name padded to 14, then " = value;" and the comment.
    const QList<TrackerSimulator::Parameter> parameters = line.tracker.parameters();
    QVERIFY(parameters.size() >= 40 && parameters.size() <= 55);
    const int last = first + parameters.size();
    for (int i = 0; i < parameters.size(); ++i) {
        const TrackerSimulator::Parameter &parameter = parameters.at(i);
        QVERIFY(parameter.comment.startsWith(QLatin1String(" #")));
        QCOMPARE(lines.value(first + i),
            (parameter.name.leftJustified(14) + " = " + parameter.value + ';' + parameter.comment)
                .toLatin1());
    }
    const bool vendor = variant == Variant::Vendor;
    QCOMPARE(!line.tracker.parameter(QStringLiteral("APN")).isNull(), vendor);
    for (const char *known : {"AcftType       = 0x1; #  [4-bit]", "TxPower        = +14; #  [  dBm]",
             "Reg            = ; #  [char]", "TxProtMask     = 0xFF; #  [8-bit]",
             vendor ? "Hard           = ZRN-LTE; #  [char]" : "Hard           = ; #  [char]"})
        QVERIFY2(lines.contains(known), known);

    const QList<QByteArray> batt = lines.mid(last);
    QVERIFY(endingLine ? batt.size() == 1 || batt.size() == 2 : batt.isEmpty());
    for (const QByteArray &text : batt)
        QVERIFY2(text.startsWith("Batt:") && !text.contains('='), text.constData());
}

void TestTrackerSimulator::sentence_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("value"); // of the parameter named, afterwards; Reg starts as "OLD"
    const auto row = [](const char *tag, const QByteArray &bytes, bool accepted, const char *value) {
        QTest::newRow(tag) << bytes << accepted << QString::fromLatin1(value);
    };
    // As the program writes them: no checksum, LF.
    row("signed", "$POGNS,TxPower=+7\n", true, "+7");
    row("negative", "$POGNS,TxPower=-3\n", true, "-3");
    row("zero gets a sign", "$POGNS,TxPower=0\n", true, "+0");
    row("hex", "$POGNS,AcftType=0xA\n", true, "0xA");
    row("hex padded", "$POGNS,TxProtMask=0x3\n", true, "0x03");
    row("hex lower case", "$POGNS,Address=0xabc\n", true, "0x000ABC");
    row("decimal into hex", "$POGNS,Address=11259375\n", true, "0xABCDEF");
    row("unsigned", "$POGNS,FreqPlan=3\n", true, "3");
    row("string", "$POGNS,Reg=D-KXYZ\n", true, "D-KXYZ");
    row("empty string", "$POGNS,Reg=\n", true, "");
    row("every allowed char", "$POGNS,Pilot=J.Doe@cl_1/2#+-\n", true, "J.Doe@cl_1/2#+-");
    row("15 chars", "$POGNS,Reg=ABCDEFGHIJKLMNO\n", true, "ABCDEFGHIJKLMNO");
    row("vendor APN", "$POGNS,APN=web.example\n", true, "web.example");
    row("checksum, CR", "$POGNS,TxPower=10*26\r", true, "+10"); // 0x26: XOR of the bytes between $ and *

    row("wrong checksum", "$POGNS,TxPower=10*00\r", false, "+14");
    row("16 chars", "$POGNS,Reg=ABCDEFGHIJKLMNOP\n", false, "OLD");
    row("bad char", "$POGNS,Reg=D%KX\n", false, "OLD");
    row("utf-8", "$POGNS,Reg=M\xc3\xbc\n", false, "OLD");
    row("control byte", "$POGNS,Reg=D\x01KX\n", false, "OLD");
    row("out of range", "$POGNS,FreqPlan=6\n", false, "0");
    row("too wide", "$POGNS,AcftType=0x10\n", false, "0x1");
    row("negative into hex", "$POGNS,Address=-1\n", false, "0x1A2B3C");
    row("trailing junk", "$POGNS,TxPower=1x\n", false, "+14");
    row("empty integer", "$POGNS,TxPower=\n", false, "+14");
}

void TestTrackerSimulator::sentence()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(QString, value);
    const QString name = QString::fromLatin1(bytes.mid(7, bytes.indexOf('=') - 7));
    Options options;
    options.paced = false;
    options.variant = name == QLatin1String("APN") ? Variant::Vendor : Variant::Standard;
    Line line(options);
    line.tracker.setParameter(QStringLiteral("Reg"), QStringLiteral("OLD"));
    QVERIFY(line.open());

    // A blank or control byte ends the sentence.
    const auto end = std::find_if(bytes.begin(), bytes.end(), [](char c) { return uchar(c) <= 0x20; });
    const QStringList text = {QString::fromLatin1(bytes.left(int(end - bytes.begin())))};
    line.send(bytes);
    if (accepted) {
        QVERIFY(QTest::qWaitFor([&] { return line.data.endsWith('\n'); }, 5000));
        QCOMPARE(line.data, line.tracker.statusLine()); // the only answer
        QCOMPARE(line.tracker.sentences(), text);
    } else {
        QVERIFY(QTest::qWaitFor([&] { return !line.tracker.rejectedSentences().isEmpty(); }, 5000));
        QTest::qWait(60); // no answer
        QCOMPARE(line.data, QByteArray());
        QCOMPARE(line.tracker.rejectedSentences(), text);
        QVERIFY(line.tracker.sentences().isEmpty());
    }
    QCOMPARE(line.tracker.parameter(name), value);

    line.data.clear();
    line.send("\x03");
    const QByteArray dump = line.tracker.dump();
    QVERIFY(QTest::qWaitFor([&] { return line.data.size() >= dump.size(); }, 5000));
    QCOMPARE(line.data, dump);
    const QByteArray printed = name.leftJustified(14).toLatin1() + " = " + value.toLatin1() + ';';
    QVERIFY2(line.data.contains('\n' + printed), printed.constData());
}

void TestTrackerSimulator::silentDevice()
{
    Options options;
    options.silent = true;
    Line line(options);
    QVERIFY(line.open());

    line.send("\x03$POGNS,TxPower=5\r");
    QTRY_COMPARE(line.tracker.receivedBytes().size(), 18);
    QCOMPARE(line.tracker.sentences(), QStringList {"$POGNS,TxPower=5"}); // it still listens
    QCOMPARE(line.tracker.parameter(QStringLiteral("TxPower")), QStringLiteral("+5"));
    QTest::qWait(400);
    QCOMPARE(line.data, QByteArray());
    // What a test puts on the line goes out all the same.
    line.tracker.inject("noise\n");
    QTRY_COMPARE(line.data, QByteArray("noise\n"));

    line.data.clear();
    line.tracker.setSilent(false);
    line.send("\x03");
    QTRY_COMPARE(line.data, line.tracker.dump());
    line.data.clear();
    line.tracker.setSilent(true);
    line.send("\x03");
    QTest::qWait(400);
    QCOMPARE(line.data, QByteArray());
}

void TestTrackerSimulator::receivedRecord()
{
    Options options;
    options.paced = false;
    Line line(options);
    QVERIFY(line.open());

    line.send("\002");
    QTRY_COMPARE(line.tracker.receivedCount(0x02), 1);
    const qint64 between = line.tracker.elapsed();
    const QByteArray sentences = "$POGNS,Reg=X\r$POGNS,Reg=%\r";
    line.send(sentences);
    QTRY_COMPARE(line.tracker.receivedBytes(), '\002' + sentences);
    const QVector<TrackerSimulator::ReceivedByte> received = line.tracker.received();
    QCOMPARE(received.size(), 1 + sentences.size());
    QCOMPARE(received.at(1).byte, '$');
    QVERIFY(received.at(0).msecs <= between && between <= received.at(1).msecs);
    QVERIFY(received.last().msecs <= line.tracker.elapsed());
    QCOMPARE(line.tracker.receivedCount('$'), 2);
    QCOMPARE(line.tracker.sentences(), QStringList {"$POGNS,Reg=X"});
    QCOMPARE(line.tracker.rejectedSentences(), QStringList {"$POGNS,Reg=%"});
    line.tracker.clearRecord();
    QVERIFY(line.tracker.received().isEmpty() && line.tracker.receivedBytes().isEmpty());
    QVERIFY(line.tracker.sentences().isEmpty() && line.tracker.rejectedSentences().isEmpty());
    QCOMPARE(line.tracker.parameter(QStringLiteral("Reg")), QStringLiteral("X"));

    // The program closing the port, too.
    QVERIFY(line.tracker.hangups().isEmpty());
    const qint64 closedAt = line.tracker.elapsed();
    line.port.close();
    QTRY_VERIFY(!line.tracker.peerOpen());
    QCOMPARE(line.tracker.hangups().size(), 1);
    QVERIFY(line.tracker.hangups().first() >= closedAt
        && line.tracker.hangups().first() <= line.tracker.elapsed());
}

void TestTrackerSimulator::unplugHangsUpThePort()
{
    Line line(Options {});
    QVERIFY(line.open());
    const QString path = line.tracker.portPath();
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    // A hung-up port reports an error on every turn of the event loop until closed.
    QObject::connect(&line.port, &QSerialPort::errorOccurred, [&](QSerialPort::SerialPortError reported) {
        if (reported != QSerialPort::NoError && line.port.isOpen()) {
            error = reported;
            line.port.close();
        }
    });

    line.tracker.unplug();
    QVERIFY(!line.tracker.peerOpen());
    QTRY_VERIFY(!line.port.isOpen());
    QVERIFY2(error == QSerialPort::ReadError || error == QSerialPort::ResourceError,
        qPrintable(QString::number(error)));
    QVERIFY(!QFile::exists(path));
    QVERIFY(line.tracker.hangups().isEmpty());
}

QTEST_GUILESS_MAIN(TestTrackerSimulator)
#include "tst_trackersimulator.moc"
