#include "config/dumpline.h"
#include "config/valueencoding.h"

#include <QtTest>

// How the device's text is to be read.
enum Reading { HexIndex, DecimalIndex, Number, HexMask };
Q_DECLARE_METATYPE(Reading)

// The device's text both ways: the dump read into names and values, values written as sentences.
class DeviceTextTest : public QObject
{
    Q_OBJECT

private slots:
    void dumpReadsAsNamesAndValues_data();
    void dumpReadsAsNamesAndValues();
    void hardwareSelectsTheFirmwareFolder_data();
    void hardwareSelectsTheFirmwareFolder();
    void deviceTextReadsAsEditorState_data();
    void deviceTextReadsAsEditorState();
    void editorStateWritesAsDeviceText_data();
    void editorStateWritesAsDeviceText();
    void sentenceIsOneLine_data();
    void sentenceIsOneLine();
};

void DeviceTextTest::dumpReadsAsNamesAndValues_data()
{
    QTest::addColumn<QByteArray>("dump");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("padded name, comment")
        << QByteArray("TxPower        = +14; #  [  dBm]\n") << QStringList {"TxPower=+14"};
    QTest::newRow("blanks inside the value go")
        << QByteArray("Reg = D KA BC ; # [char]") << QStringList {"Reg=DKABC"};
    QTest::newRow("empty value before the comment")
        << QByteArray("Hard           = ; #  [char]\n") << QStringList {"Hard="};
    QTest::newRow("second = ends the value") << QByteArray("Pilot=a=b;c") << QStringList {"Pilot=a"};
    QTest::newRow("CR stays without comment")
        << QByteArray("Reg = D-KABC\r\n") << QStringList {"Reg=D-KABC\r"};
    QTest::newRow("CR goes with the comment")
        << QByteArray("TxPower = +14; # [dBm]\r\n") << QStringList {"TxPower=+14"};
    QTest::newRow("lines without = give nothing")
        << QByteArray("Batt:4.12V/4.20V 87%\n\r\n\nAPN=\n") << QStringList {"APN="};
    QTest::newRow("cut at NUL") << QByteArray("a=1\n\0b=2\n", 9) << QStringList {"a=1"};
    QTest::newRow("UTF-8") << QByteArray("Reg=Z\xc3\xbcrich")
                           << QStringList {QStringLiteral("Reg=Z\u00fcrich")};
}

void DeviceTextTest::dumpReadsAsNamesAndValues()
{
    QFETCH(QByteArray, dump);
    QFETCH(QStringList, entries);

    QStringList read;
    for (const QString &line : tracktune::dumpLines(dump)) {
        if (const std::optional<tracktune::DumpLine> entry = tracktune::parseDumpLine(line))
            read << entry->name + QLatin1Char('=') + entry->value;
    }
    QCOMPARE(read, entries);
}

void DeviceTextTest::hardwareSelectsTheFirmwareFolder_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<QString>("folder");

    QTest::newRow("empty") << QString() << "esp32-tracker";
    QTest::newRow("ZRN-S3") << QStringLiteral("ZRN-S3") << "esp32s3-tracker";
    QTest::newRow("ZRN-LTE") << QStringLiteral("ZRN-LTE") << "esp32s3-tracker";
    QTest::newRow("ZRN-C3") << QStringLiteral("ZRN-C3") << "esp32c3-tracker";
    QTest::newRow("other names pass") << QStringLiteral("esp32-custom") << "esp32-custom";
}

void DeviceTextTest::hardwareSelectsTheFirmwareFolder()
{
    QFETCH(QString, hardware);
    QFETCH(QString, folder);

    QCOMPARE(tracktune::firmwareFolderFor(hardware), folder);
}

void DeviceTextTest::deviceTextReadsAsEditorState_data()
{
    QTest::addColumn<Reading>("reading");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("state");

    QTest::newRow("Select F") << HexIndex << "F" << qint64(15);
    QTest::newRow("Select 0xF") << HexIndex << "0xF" << qint64(15);
    QTest::newRow("Select 10 is sixteen") << HexIndex << "10" << qint64(16);
    QTest::newRow("Select not a number") << HexIndex << "G" << qint64(0);
    QTest::newRow("SelectInt 10 is ten") << DecimalIndex << "10" << qint64(10);
    QTest::newRow("SelectInt hex is no number") << DecimalIndex << "0x2" << qint64(0);
    QTest::newRow("SelectInt negative is no number") << DecimalIndex << "-1" << qint64(0);
    QTest::newRow("StringHashInt+ +14") << Number << "+14" << qint64(14);
    QTest::newRow("StringHashInt+ -5") << Number << "-5" << qint64(-5);
    QTest::newRow("StringHashInt+ with CR") << Number << "+22\r" << qint64(22);
    QTest::newRow("StringHashInt+ hex is no number") << Number << "0x16" << qint64(0);
    QTest::newRow("mask 12 is hex") << HexMask << "12" << qint64(0x12);
    QTest::newRow("mask all 32 bits") << HexMask << "FFFFFFFF" << qint64(0xFFFFFFFF);
    QTest::newRow("mask beyond 32 bits") << HexMask << "100000000" << qint64(0);
}

void DeviceTextTest::deviceTextReadsAsEditorState()
{
    QFETCH(Reading, reading);
    QFETCH(QString, text);
    QFETCH(qint64, state);

    switch (reading) {
    case HexIndex:
        QCOMPARE(qint64(tracktune::indexFromHexValue(text)), state);
        break;
    case DecimalIndex:
        QCOMPARE(qint64(tracktune::indexFromDecimalValue(text)), state);
        break;
    case Number:
        QCOMPARE(qint64(tracktune::numberFromValue(text)), state);
        break;
    case HexMask:
        QCOMPARE(qint64(tracktune::maskFromHexValue(text)), state);
        break;
    }
}

void DeviceTextTest::editorStateWritesAsDeviceText_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expected");

    const QHash<int, QString> powerLevels = {{10, "LOW"}, {14, "NORMAL"}, {22, "HIGH"}};
    QTest::newRow("Select index 0") << tracktune::hexIndexValue(0) << "0x0";
    QTest::newRow("Select index 10") << tracktune::hexIndexValue(10) << "0xA";
    QTest::newRow("SelectInt index 10") << tracktune::decimalIndexValue(10) << "10";
    QTest::newRow("StringHashInt+ NORMAL") << tracktune::optionKeyValue("NORMAL", powerLevels) << "+14";
    QTest::newRow("StringHashInt+ unknown text") << tracktune::optionKeyValue("MAX", powerLevels) << "+0";
    QTest::newRow("mask 0xFD") << tracktune::hexMaskValue(0xFD) << "0xFD";
    QTest::newRow("mask with high bits") << tracktune::hexMaskValue(0xFFFFFF61u) << "0xFFFFFF61";
}

void DeviceTextTest::editorStateWritesAsDeviceText()
{
    QFETCH(QString, written);
    QFETCH(QString, expected);

    QCOMPARE(written, expected);
}

void DeviceTextTest::sentenceIsOneLine_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("sentence");

    QTest::newRow("text") << "D-KABC" << QByteArray("$POGNS,Reg=D-KABC\n");
    QTest::newRow("comma and = unchanged") << "a,b=c" << QByteArray("$POGNS,Reg=a,b=c\n");
    QTest::newRow("UTF-8") << QStringLiteral("Z\u00fcrich") << QByteArray("$POGNS,Reg=Z\xc3\xbcrich\n");
    QTest::newRow("CR and LF never split it")
        << "web\r\nmobile\nnet\r" << QByteArray("$POGNS,Reg=webmobilenet\n");
}

void DeviceTextTest::sentenceIsOneLine()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, sentence);

    QCOMPARE(tracktune::configurationSentence(QStringLiteral("Reg"), value), sentence);
}

QTEST_APPLESS_MAIN(DeviceTextTest)
#include "tst_devicetext.moc"
