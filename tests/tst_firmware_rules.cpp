#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// What the firmware update takes from outside: the tracker's hardware name, the
// folder it leads to, config.txt and the flasher's error output.
class FirmwareRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        // Only the folders the rows make are looked in.
        QStandardPaths::setTestModeEnabled(true);
    }
    void plainFolderName_data();
    void plainFolderName();
    void folderStaysInside_data();
    void folderStaysInside();
    void templateIsBoundedText_data();
    void templateIsBoundedText();
    void argumentsAreTrimmed_data();
    void argumentsAreTrimmed();
    void lastErrorLines_data();
    void lastErrorLines();
};

void FirmwareRulesTest::plainFolderName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("known hardware's folder") << "esp32s3-tracker" << true;
    QTest::newRow("other hardware: dots, underscores, digits") << "ZRN_v2.1-lte" << true;
    QTest::newRow("up and out") << "../x" << false;
    QTest::newRow("into a subfolder") << "a/b" << false;
    QTest::newRow("the parent itself") << ".." << false;
    QTest::newRow("the base itself") << "." << false;
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("a Windows separator") << "x\\y" << false;
    QTest::newRow("a drive") << "C:" << false;
    QTest::newRow("a blank") << "esp32 tracker" << false;
}

void FirmwareRulesTest::plainFolderName()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(tracktune::isPlainFolderName(name), plain);
}

void FirmwareRulesTest::folderStaysInside_data()
{
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QString>("components"); // the folder that holds them all, in the test's folder
    QTest::addColumn<bool>("linked"); // program/firmware/<architecture> is a link to it
    QTest::addColumn<QString>("problem"); // how FirmwareUpdate::problem() begins
    const QString unknown = "Firmware update not possible: Unknown hardware.\n";
    QTest::newRow("a folder of ours") << "esp32s3-tracker"
                                      << "program/firmware/esp32s3-tracker" << false << "";
    QTest::newRow("a link within the firmware folder") << "esp32s3-tracker"
                                                       << "program/firmware/release-7" << true << "";
    QTest::newRow("a link out of the firmware folder")
        << "esp32s3-tracker"
        << "elsewhere" << true
        << unknown + "The firmware folder for the hardware \"esp32s3-tracker\" leads to ";
    QTest::newRow("a name that climbs out")
        << "../elsewhere"
        << "program/elsewhere" << false
        << unknown + "The tracker names its hardware \"../elsewhere\", which is no firmware folder name.";
    QTest::newRow("no name") << ""
                             << "program/firmware" << false
                             << unknown + "The tracker names its hardware \"\", which";
    QTest::newRow("control bytes in the name are not shown")
        << "x\ny\x1b"
        << "program/firmware/x" << false << unknown + "The tracker names its hardware \"xy\", which";
}

void FirmwareRulesTest::folderStaysInside()
{
    QFETCH(QString, architecture);
    QFETCH(QString, components);
    QFETCH(bool, linked);
    QFETCH(QString, problem);
    QTemporaryDir root;
    const QString base = root.filePath("program");
    QVERIFY(QDir().mkpath(base + "/firmware"));
    QVERIFY(QDir().mkpath(root.filePath(components)));
    // Every component is there: only the place can refuse.
    for (const QString &name : tracktune::requiredComponents())
        QVERIFY(QFile(root.filePath(components) + "/" + name).open(QIODevice::WriteOnly));
    if (linked)
        QVERIFY(QFile::link(root.filePath(components), base + "/firmware/" + architecture));
    FirmwareUpdate update(base, architecture);
    const QString said = update.problem();
    QVERIFY2(said.left(problem.size()) == problem && said.isEmpty() == problem.isEmpty(), qPrintable(said));
}

void FirmwareRulesTest::templateIsBoundedText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: usable
    QTest::addColumn<QString>("text");
    // Its other refusals are those of every text file from outside (tst_logic).
    const QByteArray full(tracktune::maxTemplateBytes, ' ');
    QTest::newRow("64 KiB is still a template") << full << "" << QString(full);
    QTest::newRow("a byte more is none") << full + ' ' << "config.txt: larger than 64 KiB"
                                         << "";
    QTest::newRow("a NUL is never cut at")
        << QByteArray("--chip, ${CHIP}\0, --port, ${PORT}", 34) << "config.txt: a NUL byte"
        << "";
}

void FirmwareRulesTest::templateIsBoundedText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    QFETCH(QString, text);
    const tracktune::TextFile read = tracktune::templateText(bytes);
    QVERIFY2(problem.isEmpty() ? read.problem.isEmpty() : read.problem.startsWith(problem),
        qPrintable(read.problem));
    QCOMPARE(read.text, text);
}

void FirmwareRulesTest::argumentsAreTrimmed_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a line break at the end stays off the image path")
        << "write_flash, 0x0, ${FIRMWARE_FILE}\n"
        << "/img/t.bin" << QStringList {"write_flash", "0x0", "/img/t.bin"};
    QTest::newRow("Windows line breaks and two blanks after a comma")
        << "--chip,  ${CHIP}\r\n,--baud\t,460800\r\n"
        << "/img/t.bin" << QStringList {"--chip", "esp32s3", "--baud", "460800"};
    QTest::newRow("the chosen path is taken exactly, blanks and all")
        << "${FIRMWARE_FILE}\n"
        << " /img/new image .bin " << QStringList {" /img/new image .bin "};
    QTest::newRow("a blank line still ends in an empty argument") << "a,\n"
                                                                  << "" << QStringList {"a", ""};
}

void FirmwareRulesTest::argumentsAreTrimmed()
{
    QFETCH(QString, templateText);
    QFETCH(QString, image);
    QFETCH(QStringList, arguments);
    QCOMPARE(tracktune::flasherArguments(templateText, "esp32s3", "/dev/ttyUSB0", "/fw", image), arguments);
}

void FirmwareRulesTest::lastErrorLines_data()
{
    QTest::addColumn<QByteArray>("standardError");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("a fatal error, blank lines after it")
        << QByteArray("Warning: slow link\n\nA fatal error occurred: No serial data received.\n\n\n")
        << QStringList {"Warning: slow link", "A fatal error occurred: No serial data received."};
    QTest::newRow("only the last five")
        << QByteArray("1\n2\n3\n4\n5\n6\n7\n") << QStringList {"3", "4", "5", "6", "7"};
    QTest::newRow("colours, bells and carriage returns removed")
        << QByteArray("\x1b[31mA fatal error\x1b[0m\x07\r\nretry 1\rretry 2\r")
        << QStringList {"A fatal error", "retry 1", "retry 2"};
    QTest::newRow("nothing said") << QByteArray() << QStringList {};
}

void FirmwareRulesTest::lastErrorLines()
{
    QFETCH(QByteArray, standardError);
    QFETCH(QStringList, shown);
    QCOMPARE(tracktune::lastErrorLines(standardError, 5), shown);
}

QTEST_GUILESS_MAIN(FirmwareRulesTest)
#include "tst_firmware_rules.moc"
