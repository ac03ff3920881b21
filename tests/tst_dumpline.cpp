#include "config/dumpline.h"

#include <QtTest>

class DumpLineTest : public QObject
{
    Q_OBJECT

private slots:
    void lineSplitsIntoNameAndValue_data();
    void lineSplitsIntoNameAndValue();
    void dumpSplitsAtLineFeeds_data();
    void dumpSplitsAtLineFeeds();
    void hardwareSelectsTheFirmwareFolder_data();
    void hardwareSelectsTheFirmwareFolder();
};

void DumpLineTest::lineSplitsIntoNameAndValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("padded name, comment") << "TxPower        = +14; #  [  dBm]" << true << "TxPower"
                                          << "+14";
    QTest::newRow("start line") << "Address        = 0x1A2B3C; # [24-bit]" << true << "Address"
                                << "0x1A2B3C";
    QTest::newRow("blanks inside the value go") << "Reg = D KA BC ; # [char]" << true << "Reg"
                                                << "DKABC";
    QTest::newRow("empty value before the comment") << "Hard           = ; #  [char]" << true << "Hard"
                                                    << "";
    QTest::newRow("line ending in =") << "APN=" << true << "APN"
                                      << "";
    QTest::newRow("second = ends the value") << "Pilot=a=b;c" << true << "Pilot"
                                             << "a";
    QTest::newRow("carriage return stays without comment") << "Reg = D-KABC\r" << true << "Reg"
                                                           << "D-KABC\r";
    QTest::newRow("carriage return goes with the comment") << "TxPower = +14; # [dBm]\r" << true << "TxPower"
                                                           << "+14";
    QTest::newRow("tab stays") << "Reg\t= x" << true << "Reg\t"
                               << "x";
    QTest::newRow("no name") << "= x" << true << ""
                             << "x";
    QTest::newRow("no =") << "Batt:4.12V/4.20V -0.015A 87%" << false << ""
                          << "";
    QTest::newRow("empty line") << "" << false << ""
                                << "";
    QTest::newRow("carriage return only") << "\r" << false << ""
                                          << "";
    QTest::newRow("UTF-8 text") << QStringLiteral("Reg = Z\u00fcrich;") << true << "Reg"
                                << QStringLiteral("Z\u00fcrich");
}

void DumpLineTest::lineSplitsIntoNameAndValue()
{
    QFETCH(QString, line);
    QFETCH(bool, parsed);
    QFETCH(QString, name);
    QFETCH(QString, value);

    const std::optional<tracktune::DumpLine> entry = tracktune::parseDumpLine(line);
    QCOMPARE(entry.has_value(), parsed);
    if (entry) {
        QCOMPARE(entry->name, name);
        QCOMPARE(entry->value, value);
    }
}

void DumpLineTest::dumpSplitsAtLineFeeds_data()
{
    QTest::addColumn<QByteArray>("dump");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("LF, empty piece after the last")
        << QByteArray("a=1\nb=2\n") << QStringList {"a=1", "b=2", ""};
    QTest::newRow("CR LF keeps the CR") << QByteArray("a=1\r\nb=2\r\n") << QStringList {"a=1\r", "b=2\r", ""};
    QTest::newRow("empty lines kept") << QByteArray("a=1\n\nb=2") << QStringList {"a=1", "", "b=2"};
    QTest::newRow("cut at NUL") << QByteArray("a=1\n\0b=2\n", 9) << QStringList {"a=1", ""};
    QTest::newRow("UTF-8") << QByteArray("Reg=Z\xc3\xbcrich\n")
                           << QStringList {QStringLiteral("Reg=Z\u00fcrich"), ""};
    QTest::newRow("empty") << QByteArray() << QStringList {""};
}

void DumpLineTest::dumpSplitsAtLineFeeds()
{
    QFETCH(QByteArray, dump);
    QFETCH(QStringList, lines);

    QCOMPARE(tracktune::dumpLines(dump), lines);
}

void DumpLineTest::hardwareSelectsTheFirmwareFolder_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<QString>("folder");

    QTest::newRow("empty") << ""
                           << "esp32-tracker";
    QTest::newRow("ZRN-S3") << "ZRN-S3"
                            << "esp32s3-tracker";
    QTest::newRow("ZRN-LTE") << "ZRN-LTE"
                             << "esp32s3-tracker";
    QTest::newRow("ZRN-C3") << "ZRN-C3"
                            << "esp32c3-tracker";
    QTest::newRow("other names pass") << "esp32-custom"
                                      << "esp32-custom";
    QTest::newRow("case matters") << "zrn-lte"
                                  << "zrn-lte";
    QTest::newRow("a trailing CR is another name") << "ZRN-LTE\r"
                                                   << "ZRN-LTE\r";
}

void DumpLineTest::hardwareSelectsTheFirmwareFolder()
{
    QFETCH(QString, hardware);
    QFETCH(QString, folder);

    QCOMPARE(tracktune::firmwareFolderFor(hardware), folder);
}

QTEST_APPLESS_MAIN(DumpLineTest)
#include "tst_dumpline.moc"
