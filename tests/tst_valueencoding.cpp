#include "config/valueencoding.h"

#include <QtTest>

namespace {
QHash<int, QString> powerLevels()
{
    return {{10, QStringLiteral("LOW")}, {14, QStringLiteral("NORMAL")}, {22, QStringLiteral("HIGH")}};
}
} // namespace

class ValueEncodingTest : public QObject
{
    Q_OBJECT

private slots:
    void deviceTextReadsAsEditorState_data();
    void deviceTextReadsAsEditorState();
    void editorStateWritesAsDeviceText_data();
    void editorStateWritesAsDeviceText();
    void sentenceIsOneLine_data();
    void sentenceIsOneLine();
};

// The kind column names the reading: hex index, decimal index, signed number, hex mask.
void ValueEncodingTest::deviceTextReadsAsEditorState_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("state");

    QTest::newRow("Select F") << "hexIndex"
                              << "F" << qint64(15);
    QTest::newRow("Select 0xF") << "hexIndex"
                                << "0xF" << qint64(15);
    QTest::newRow("Select 10 is sixteen") << "hexIndex"
                                          << "10" << qint64(16);
    QTest::newRow("Select 0x3 with CR") << "hexIndex"
                                        << "0x3\r" << qint64(3);
    QTest::newRow("Select not a number") << "hexIndex"
                                         << "G" << qint64(0);
    QTest::newRow("Select empty") << "hexIndex"
                                  << "" << qint64(0);
    QTest::newRow("SelectInt 2") << "decimalIndex"
                                 << "2" << qint64(2);
    QTest::newRow("SelectInt 10 is ten") << "decimalIndex"
                                         << "10" << qint64(10);
    QTest::newRow("SelectInt hex is no number") << "decimalIndex"
                                                << "0x2" << qint64(0);
    QTest::newRow("SelectInt negative is no number") << "decimalIndex"
                                                     << "-1" << qint64(0);
    QTest::newRow("StringHashInt+ +14") << "number"
                                        << "+14" << qint64(14);
    QTest::newRow("StringHashInt+ 14") << "number"
                                       << "14" << qint64(14);
    QTest::newRow("StringHashInt+ -5") << "number"
                                       << "-5" << qint64(-5);
    QTest::newRow("StringHashInt+ with CR") << "number"
                                            << "+22\r" << qint64(22);
    QTest::newRow("StringHashInt+ not a number") << "number"
                                                 << "HIGH" << qint64(0);
    QTest::newRow("StringHashInt+ hex is no number") << "number"
                                                     << "0x16" << qint64(0);
    QTest::newRow("mask 0x12") << "hexMask"
                               << "0x12" << qint64(0x12);
    QTest::newRow("mask 12 is hex") << "hexMask"
                                    << "12" << qint64(0x12);
    QTest::newRow("mask 0xFF") << "hexMask"
                               << "0xFF" << qint64(0xFF);
    QTest::newRow("mask all 32 bits") << "hexMask"
                                      << "FFFFFFFF" << qint64(0xFFFFFFFF);
    QTest::newRow("mask beyond 32 bits") << "hexMask"
                                         << "100000000" << qint64(0);
    QTest::newRow("mask not a number") << "hexMask"
                                       << "zz" << qint64(0);
}

void ValueEncodingTest::deviceTextReadsAsEditorState()
{
    QFETCH(QString, reading);
    QFETCH(QString, text);
    QFETCH(qint64, state);

    if (reading == QLatin1String("hexIndex"))
        QCOMPARE(qint64(tracktune::indexFromHexValue(text)), state);
    else if (reading == QLatin1String("decimalIndex"))
        QCOMPARE(qint64(tracktune::indexFromDecimalValue(text)), state);
    else if (reading == QLatin1String("number"))
        QCOMPARE(qint64(tracktune::numberFromValue(text)), state);
    else
        QCOMPARE(qint64(tracktune::maskFromHexValue(text)), state);
}

void ValueEncodingTest::editorStateWritesAsDeviceText_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Select index 0") << tracktune::hexIndexValue(0) << "0x0";
    QTest::newRow("Select index 10") << tracktune::hexIndexValue(10) << "0xA";
    QTest::newRow("Select index 15") << tracktune::hexIndexValue(15) << "0xF";
    QTest::newRow("Select index 255") << tracktune::hexIndexValue(255) << "0xFF";
    QTest::newRow("SelectInt index 2") << tracktune::decimalIndexValue(2) << "2";
    QTest::newRow("SelectInt index 0") << tracktune::decimalIndexValue(0) << "0";
    QTest::newRow("StringHashInt+ NORMAL") << tracktune::optionKeyValue("NORMAL", powerLevels()) << "+14";
    QTest::newRow("StringHashInt+ HIGH") << tracktune::optionKeyValue("HIGH", powerLevels()) << "+22";
    QTest::newRow("StringHashInt+ LOW") << tracktune::optionKeyValue("LOW", powerLevels()) << "+10";
    QTest::newRow("StringHashInt+ unknown text") << tracktune::optionKeyValue("MAX", powerLevels()) << "+0";
    QTest::newRow("StringHashInt+ case matters") << tracktune::optionKeyValue("high", powerLevels()) << "+0";
    QTest::newRow("StringHashInt+ empty box") << tracktune::optionKeyValue("", powerLevels()) << "+0";
    QTest::newRow("mask 0x9A") << tracktune::hexMaskValue(0x9A) << "0x9A";
    QTest::newRow("mask 0") << tracktune::hexMaskValue(0) << "0x0";
    QTest::newRow("mask 0xFD") << tracktune::hexMaskValue(0xFD) << "0xFD";
    QTest::newRow("mask with high bits") << tracktune::hexMaskValue(0xFFFFFF61u) << "0xFFFFFF61";
}

void ValueEncodingTest::editorStateWritesAsDeviceText()
{
    QFETCH(QString, written);
    QFETCH(QString, expected);

    QCOMPARE(written, expected);
}

void ValueEncodingTest::sentenceIsOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("sentence");

    QTest::newRow("text") << "Reg"
                          << "D-KABC" << QByteArray("$POGNS,Reg=D-KABC\n");
    QTest::newRow("empty value") << "APN"
                                 << "" << QByteArray("$POGNS,APN=\n");
    QTest::newRow("comma and = unchanged") << "Pilot"
                                           << "a,b=c" << QByteArray("$POGNS,Pilot=a,b=c\n");
    QTest::newRow("UTF-8") << "Reg" << QStringLiteral("Z\u00fcrich")
                           << QByteArray("$POGNS,Reg=Z\xc3\xbcrich\n");
    QTest::newRow("CR left from a CR LF device") << "Reg"
                                                 << "D-KABC\r" << QByteArray("$POGNS,Reg=D-KABC\n");
    QTest::newRow("pasted lines") << "APN"
                                  << "web\r\nmobile\nnet\r" << QByteArray("$POGNS,APN=webmobilenet\n");
    QTest::newRow("only line breaks") << "APN"
                                      << "\n\r\n"
                                      << QByteArray("$POGNS,APN=\n");
    QTest::newRow("expert name") << "BTname"
                                 << "glider" << QByteArray("$POGNS,BTname=glider\n");
}

void ValueEncodingTest::sentenceIsOneLine()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QByteArray, sentence);

    const QByteArray built = tracktune::configurationSentence(name, value);
    QCOMPARE(built, sentence);
    QCOMPARE(built.count('\n'), 1);
    QVERIFY(!built.contains('\r'));
}

QTEST_APPLESS_MAIN(ValueEncodingTest)
#include "tst_valueencoding.moc"
