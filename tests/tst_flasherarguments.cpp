#include "mainwindow/flasherarguments.h"

#include <QtTest>

class FlasherArgumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void templateBecomesArgumentList_data();
    void templateBecomesArgumentList();
    void chipIsArchitectureUpToFirstDash_data();
    void chipIsArchitectureUpToFirstDash();
    void templateFileIsReadUpToFirstNul_data();
    void templateFileIsReadUpToFirstNul();
    void firmwareFolderLiesUnderApplicationDirectory_data();
    void firmwareFolderLiesUnderApplicationDirectory();
    void componentsAreCheckedInFixedOrder();
};

void FlasherArgumentsTest::templateBecomesArgumentList_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");

    const QString image = QStringLiteral("/home/pilot/fw/tracker.bin");
    QTest::newRow("word, chip, word, port, file: five arguments without leading blanks")
        << "--chip, ${CHIP}, --port, ${PORT}, ${FIRMWARE_FILE}" << image
        << QStringList {"--chip", "esp32s3", "--port", "/dev/ttyUSB0", image};
    QTest::newRow("every placeholder, folder included")
        << "${CHIP},${PORT},${FIRMWARE_DIR}/bootloader.bin,${FIRMWARE_FILE}" << image
        << QStringList {"esp32s3", "/dev/ttyUSB0", "/opt/tt/firmware/esp32s3-tracker/bootloader.bin", image};
    QTest::newRow("a placeholder twice is replaced both times")
        << "${FIRMWARE_DIR}/bootloader.bin, ${FIRMWARE_DIR}/partitions.bin, ${CHIP}${CHIP}" << image
        << QStringList {"/opt/tt/firmware/esp32s3-tracker/bootloader.bin",
               "/opt/tt/firmware/esp32s3-tracker/partitions.bin", "esp32s3esp32s3"};
    QTest::newRow("other placeholder-like text stays, case counts")
        << "${BAUD}, ${chip}, $CHIP, ${CHIP}" << image
        << QStringList {"${BAUD}", "${chip}", "$CHIP", "esp32s3"};
    QTest::newRow("two adjacent commas give an empty argument")
        << "write_flash,,0x10000" << image << QStringList {"write_flash", "", "0x10000"};
    QTest::newRow("comma, blank, comma gives an empty argument too")
        << "a, , b" << image << QStringList {"a", "", "b"};
    QTest::newRow("comma and two blanks leave one leading blank")
        << "a,  b" << image << QStringList {"a", " b"};
    QTest::newRow("blanks elsewhere stay") << " a ,b c" << image << QStringList {" a ", "b c"};
    QTest::newRow("trailing comma gives an empty last argument")
        << "a, b," << image << QStringList {"a", "b", ""};
    QTest::newRow("trailing line break ends the last argument")
        << "--chip, ${CHIP}, ${FIRMWARE_FILE}\n"
        << image << QStringList {"--chip", "esp32s3", image + "\n"};
    QTest::newRow("line breaks are no separators") << "a,\nb, c\r\n"
                                                   << image << QStringList {"a", "\nb", "c\r\n"};
    QTest::newRow("a file name with a comma is split") << "${FIRMWARE_FILE}"
                                                       << "/fw/a, b.bin" << QStringList {"/fw/a", "b.bin"};
    QTest::newRow("a file named like a placeholder is taken as it is")
        << "${FIRMWARE_FILE}"
        << "/fw/${CHIP}.bin" << QStringList {"/fw/${CHIP}.bin"};
    QTest::newRow("empty template gives one empty argument") << "" << image << QStringList {""};
}

void FlasherArgumentsTest::templateBecomesArgumentList()
{
    QFETCH(QString, templateText);
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QCOMPARE(flasher::flasherArguments(templateText, QStringLiteral("esp32s3"),
                 QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/opt/tt/firmware/esp32s3-tracker"), file),
        expected);
}

void FlasherArgumentsTest::chipIsArchitectureUpToFirstDash_data()
{
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QString>("chip");
    QTest::newRow("esp32") << "esp32-tracker"
                           << "esp32";
    QTest::newRow("esp32s3") << "esp32s3-tracker"
                             << "esp32s3";
    QTest::newRow("esp32c3") << "esp32c3-tracker"
                             << "esp32c3";
    QTest::newRow("hardware name without dash") << "custom"
                                                << "custom";
    QTest::newRow("first dash only") << "a-b-c"
                                     << "a";
    QTest::newRow("leading dash: empty") << "-tracker"
                                         << "";
    QTest::newRow("empty architecture") << ""
                                        << "";
}

void FlasherArgumentsTest::chipIsArchitectureUpToFirstDash()
{
    QFETCH(QString, architecture);
    QFETCH(QString, chip);
    QCOMPARE(flasher::chipFromArchitecture(architecture), chip);
}

void FlasherArgumentsTest::templateFileIsReadUpToFirstNul_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("all of it, untrimmed") << QByteArray(" a, b \n") << " a, b \n";
    QTest::newRow("up to the first NUL") << QByteArray("a,b\0,c\0d", 8) << "a,b";
    QTest::newRow("NUL first: empty") << QByteArray("\0a", 2) << "";
    QTest::newRow("UTF-8") << QByteArray("/home/j\xc3\xbcrgen/fw.bin")
                           << QString::fromUtf8("/home/jürgen/fw.bin");
    QTest::newRow("empty file") << QByteArray() << "";
}

void FlasherArgumentsTest::templateFileIsReadUpToFirstNul()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(flasher::textUpToNul(bytes), text);
}

void FlasherArgumentsTest::firmwareFolderLiesUnderApplicationDirectory_data()
{
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QString>("folder");
    QTest::newRow("named") << "esp32s3-tracker"
                           << "/opt/tt/firmware/esp32s3-tracker";
    QTest::newRow("empty architecture ends in a slash") << ""
                                                        << "/opt/tt/firmware/";
}

void FlasherArgumentsTest::firmwareFolderLiesUnderApplicationDirectory()
{
    QFETCH(QString, architecture);
    QFETCH(QString, folder);
    QCOMPARE(flasher::firmwareFolder(QStringLiteral("/opt/tt"), architecture), folder);
}

void FlasherArgumentsTest::componentsAreCheckedInFixedOrder()
{
    QCOMPARE(flasher::requiredComponents(),
        (QStringList {"esptool.exe", "bootloader.bin", "partitions.bin", "config.txt"}));
}

QTEST_APPLESS_MAIN(FlasherArgumentsTest)
#include "tst_flasherarguments.moc"
