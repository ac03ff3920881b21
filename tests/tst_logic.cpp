#include "config/backups.h"
#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/conversions.h"
#include "config/dumpline.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/valueencoding.h"
#include "config/verification.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "link/serial.h"

#include <QtTest>

namespace {

const auto &powerLevels = tracktune::optionLists().txPowerLevels;

// "a|b|c" as its parts.
QString part(const QString &input, int index)
{
    return input.section(QLatin1Char('|'), index, index);
}

// Each rule turns one input text into the text it gives, so that one table covers them all.
const QHash<QString, QString (*)(const QString &)> rules = {
    {"dump line",
        [](const QString &line) {
            const auto entry = tracktune::parseDumpLine(line);
            return entry ? entry->name + QLatin1Char('=') + entry->value : QStringLiteral("<none>");
        }},
    {"power",
        [](const QString &v) {
            return powerLevels.value(tracktune::nearestOptionKey(tracktune::numberFromValue(v), powerLevels));
        }},
    {"sentence",
        [](const QString &in) {
            return QString::fromUtf8(
                tracktune::configurationSentence(part(in, 0), part(in, 1)).toPercentEncoding("$,=+"));
        }},
    {"port refusal",
        [](const QString &in) {
            return tracktune::portRefusalMessage("ttyUSB0",
                part(in, 0) == "refused" ? QSerialPort::PermissionError : QSerialPort::DeviceNotFoundError,
                part(in, 1) == "permitted");
        }},
    {"taken",
        [](const QString &in) {
            return tracktune::reportsAsWritten(part(in, 0), part(in, 1)) ? QStringLiteral("yes")
                                                                         : QStringLiteral("no");
        }},
    {"progress",
        [](const QString &line) {
            const std::optional<int> percent = tracktune::progressPercent(line);
            return percent ? QString::number(*percent) : QStringLiteral("<none>");
        }},
    {"last error lines",
        [](const QString &output) {
            return tracktune::lastErrorLines(output.toUtf8(), 5).join(QLatin1Char('|'));
        }},
    {"terminal", [](const QString &text) { return tracktune::terminalText(text); }},
    {"nearest name",
        [](const QString &typed) {
            return tracktune::nearestName(
                typed, {"Address", "AcftType", "Reg", "Pilot", "TxPower", "TxProtMask", "RxProtMask"});
        }},
};

} // namespace

// The pure rules of each module, one table each: the row says what it proves.
class LogicTest : public QObject
{
    Q_OBJECT

private slots:
    void backupsToPrune_data();
    void backupsToPrune();
    void rules_data();
    void rules();
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        QStandardPaths::setTestModeEnabled(true); // only the folders the rows make are looked in
    }
    void settingsText_data();
    void settingsText();
    void refusedSettings_data();
    void refusedSettings();
    void backupOfUnrestorableValues();
    void manyNamesTakeLinearTime();
    void hardwareFolderStaysInside_data();
    void hardwareFolderStaysInside();
    void flasherArguments_data();
    void flasherArguments();

private:
    static void row(const char *what, const QString &rule, const QString &input, const QString &expected)
    {
        QTest::newRow(what) << rule << input << expected;
    }
};

void LogicTest::rules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    row("blanks inside a value go", "dump line", "Reg = D K ABC ;x", "Reg=DKABC");
    row("second = ends the value", "dump line", "Pilot=a=b;c", "Pilot=a");
    row("power 12: the tie goes up", "power", "12", "NORMAL");
    row("a CR LF tracker's line end is dropped", "sentence", "Reg|D-KABC\r\n", "$POGNS,Reg=D-KABC%0A");
    row("a line break inside splits no sentence: none", "sentence", "Reg|D-K\r\nABC", "");
    row("no permission: how to get it", "port refusal", "refused|not permitted",
        "Not permitted to open /dev/ttyUSB0: add your user to the dialout group, then log in again");
    row("refused though permitted: held elsewhere", "port refusal", "refused|permitted",
        "ttyUSB0 is in use by another program");
    row("hex widths differ", "taken", "0xFFF|0x0FFF", "yes");
    row("blank dropped by the device", "taken", "D K|DK", "no");
    row("no blank before %: 0", "progress", "Writing at 0x00010000... (42%)\n", "0");
    row("CR between updates: the last counts", "progress",
        "Writing at 0x1... (40 %)\rWriting at 0x2... (50 %)\r\n", "50");
    row("bar with colours", "progress",
        "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m [====>   ]  33.3% 81920/245760 bytes...", "33");
    row("colour reset is no (", "progress", "Writing at 0x1 \x1b(B 57.8%", "57");
    row("above 100 is no percentage", "progress", "Writing at 0x1 [==] 44444444444444444444%", "<none>");
    row("other lines carry no progress", "progress", "Packed 245760 bytes to 139458 (56 %)\n", "<none>");
    row("a fatal error, blank lines after it", "last error lines",
        "Warning: slow link\n\nA fatal error occurred: No serial data received.\n\n\n",
        "Warning: slow link|A fatal error occurred: No serial data received.");
    row("only the last five", "last error lines", "1\n2\n3\n4\n5\n6\n7\n", "3|4|5|6|7");
    row("colours, bells and carriage returns removed", "last error lines",
        "\x1b[31mA fatal error\x1b[0m\x07\r\nretry 1\rretry 2\r", "A fatal error|retry 1|retry 2");
    row("CR, DEL and the one-character CSI", "terminal", QString::fromUtf8("a\rb\x7f\xc2\x9b"),
        "a\\x0db\\x7f\\x9b");
    row("tab and letters beyond ASCII stay", "terminal", QString::fromUtf8("D-K\t\xc3\xa9\xe2\x82\xac"),
        QString::fromUtf8("D-K\t\xc3\xa9\xe2\x82\xac"));
    row("two letters swapped are one slip", "nearest name", "Rge", "Reg");
    row("the nearest, not the first near one", "nearest name", "RxProtMsk", "RxProtMask");
    row("but one in five: no guess", "nearest name", "TxPwr", "");
}

void LogicTest::rules()
{
    QFETCH(QString, rule);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QVERIFY2(::rules.contains(rule), qPrintable(rule));
    QCOMPARE(::rules.value(rule)(input), expected);
}

void LogicTest::settingsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("config"); // as a firmware folder's config.txt, else as a settings file
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // how it starts; empty: taken
    const auto row
        = [](const char *what, const QByteArray &bytes, bool config, const QString &text,
              const QString &problem) { QTest::newRow(what) << bytes << config << text << problem; };
    const int mib = int(tracktune::maxSettingsFileBytes);
    const QByteArray template64(tracktune::maxTemplateBytes, ' ');
    row("UTF-8 with a byte order mark", "\xef\xbb\xbfReg = \xc3\xa9\n", false, "Reg = \xc3\xa9\n", "");
    row("a NUL byte: the whole file refused, never cut",
        QByteArray("AcftType = 0x7\nReg = X\0Pilot = Y\n", 33), false, "", "a NUL byte on line 2");
    row("Latin-1 is not UTF-8", "Reg = D-K\xe9\n", false, "", "not UTF-8");
    row("a character cut at the end", "Reg = \xc3", false, "", "not UTF-8");
    row("1 MiB exactly", QByteArray(mib, '#'), false, QString(mib, '#'), "");
    row("a byte more", QByteArray(mib + 1, '#'), false, "", "larger than 1 MiB");
    row("config.txt of 64 KiB", template64, true, template64, "");
    row("config.txt a byte more", template64 + ' ', true, "", "config.txt: larger than 64 KiB");
    row("config.txt with a NUL", QByteArray("--chip, ${CHIP}\0, --port", 24), true, "",
        "config.txt: a NUL byte");
    row("config.txt in Latin-1", "--chip, \xe9", true, "", "config.txt: not UTF-8");
}

void LogicTest::settingsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, config);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const tracktune::TextFile read = config
        ? tracktune::templateText(bytes)
        : tracktune::decodeTextFile(bytes, tracktune::maxSettingsFileBytes);
    QCOMPARE(read.text, text);
    QVERIFY2(problem.isEmpty() ? read.problem.isEmpty() : read.problem.startsWith(problem),
        qPrintable(read.problem));
}

void LogicTest::refusedSettings_data()
{
    QTest::addColumn<QStringList>("file"); // the lines of a template
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QStringList>("writes"); // "Name=Value"
    const QString inValue = "no blank, comma, $, * or control character in a value";
    QTest::newRow("a second parameter behind a comma")
        << QStringList {"Base = LSZH,Address=0xDEAD01,Reg=HACKED"} << QStringList {"Base: " + inValue}
        << QStringList();
    QTest::newRow("a name the tracker lacks still smuggles nothing")
        << QStringList {"Wing$pan = 15"}
        << QStringList {"Wing$pan: no blank, comma, =, $, * or control character in a name"} << QStringList();
    QTest::newRow("a checksum, a blank")
        << QStringList {"Pilot = A*1F", "Reg = D K"} << QStringList {"Pilot: " + inValue, "Reg: " + inValue}
        << QStringList();
    QTest::newRow("option texts with a comma are a mask, written as one value")
        << QStringList {"TxProtMask = OGN,FANET"} << QStringList() << QStringList {"TxProtMask=0x73"};
}

void LogicTest::refusedSettings()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, problems);
    QFETCH(QStringList, writes);
    const QList<tracktune::DumpLine> tracker {{"Address", "0x1A2B3C"}, {"AcftType", "0x1"}, {"Base", ""},
        {"Pilot", ""}, {"Reg", ""}, {"TxProtMask", "0xFF"}};
    const QList<tracktune::DumpLine> settings = tracktune::parseSettingsFile(file.join('\n')).settings;
    const tracktune::ChangePlan plan = tracktune::planFile(settings, tracker, true);
    QStringList written;
    for (const tracktune::DumpLine &write : plan.writes)
        written << write.name + '=' + write.value;
    QCOMPARE(plan.problems, problems);
    QCOMPARE(written, writes);
}

// A value no sentence can carry stays in the backup for the eye, as a comment apply reports.
void LogicTest::backupOfUnrestorableValues()
{
    const QString backup = tracktune::formatSettingsFile(
        {{"Address", "0xABCDEF"}, {"Reg", "D,K"}, {"Pilot", "\x1b[2J"}, {"AcftType", "0x7"}}, QDateTime());
    QVERIFY2(backup.contains("\n# Pilot = \\x1b[2J  (not restorable: no blank, comma, $, * or control "
                             "character in a value)\n"),
        qPrintable(backup));
    const tracktune::SettingsFile read = tracktune::parseSettingsFile(backup);
    QCOMPARE(read.settings.size(), 2);
    QCOMPARE(read.notRestorable,
        QStringList({"Reg: no blank, comma, $, * or control character in a value",
            "Pilot: no blank, comma, $, * or control character in a value"}));
}

void LogicTest::manyNamesTakeLinearTime()
{
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("P%1 = %2\nSame = %2\n").arg(i).arg(i);
    QElapsedTimer timer;
    timer.start();
    const tracktune::SettingsFile file = tracktune::parseSettingsFile(text);
    const tracktune::ChangePlan plan = tracktune::planFile(file.settings, file.settings, false);
    QCOMPARE(file.settings.size(), 40001);
    QCOMPARE(file.settings.at(1).value, QStringLiteral("39999"));
    QVERIFY(plan.writes.isEmpty());
    // A scan per name takes many seconds here; a sanitizer build is slower but linear.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

void LogicTest::backupsToPrune_data()
{
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("pruned");
    QStringList ours; // 22 automatic backups of one tracker, one a day
    for (int day = 1; day <= 22; ++day)
        ours << tracktune::automaticBackupName(
            QStringLiteral("0x1A2B3C"), QDateTime(QDate(2026, 11, day), QTime(9, 30)));
    const QStringList foreign {"0x1A2B3C-2026-11-01.txt", "notes.txt",
        "0xABCDEF-before-update-2026-01-01-093000.txt", "0x1A2B3C-before-update-2026-01-01-093000.txt.bak"};
    QTest::newRow("the two oldest beyond twenty, in any order")
        << QStringList(ours.mid(10) + foreign + ours.mid(0, 10)) << "0x1A2B3C" << QStringList(ours.mid(0, 2));
    QTest::newRow("twenty are all kept") << QStringList(ours.mid(2)) << "0x1A2B3C" << QStringList();
    QTest::newRow("another tracker's backups are its own") << ours << "0xABCDEF" << QStringList();
    QTest::newRow("an address that is a path names no file outside the folder")
        << QStringList {"tmpx-before-update-2026-01-01-093000.txt"} << "../../tmp/x" << QStringList();
}

void LogicTest::backupsToPrune()
{
    QFETCH(QStringList, folder);
    QFETCH(QString, address);
    QFETCH(QStringList, pruned);
    QCOMPARE(tracktune::backupsToPrune(folder, address, 20), pruned);
    QVERIFY(!tracktune::automaticBackupName(address, QDateTime()).contains(QLatin1Char('/')));
}

// What the tracker names as its hardware, lying or not, leads to a firmware folder only when
// it is a plain name and the folder is inside the firmware folder, links followed.
void LogicTest::hardwareFolderStaysInside_data()
{
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<QString>("components"); // the folder that holds them all, in the test's folder
    QTest::addColumn<bool>("linked"); // program/firmware/<architecture> is a link to it
    QTest::addColumn<QString>("problem"); // how FirmwareUpdate::problem() begins
    const auto row = [](const char *what, const QString &architecture, const QString &components, bool linked,
                         const QString &problem) {
        QTest::newRow(what) << architecture << components << linked << problem;
    };
    const QString unknown = "Firmware update not possible: Unknown hardware.\n";
    const QString noName
        = unknown + "The tracker names its hardware \"%1\", which is no firmware folder name.";
    row("a folder of ours", "esp32s3-tracker", "program/firmware/esp32s3-tracker", false, "");
    row("a link within the firmware folder", "esp32s3-tracker", "program/firmware/release-7", true, "");
    row("a link out of the firmware folder", "esp32s3-tracker", "elsewhere", true,
        unknown + "The firmware folder for the hardware \"esp32s3-tracker\" leads to ");
    row("a name that climbs out", "../elsewhere", "program/elsewhere", false, noName.arg("../elsewhere"));
    row("a Windows separator", "x\\y", "program/firmware/x", false, noName.arg("x\\y"));
    row("a drive", "C:", "program/firmware/C:", false, noName.arg("C:"));
    row("control bytes in the name are not shown", "x\ny\x1b", "program/firmware/x", false,
        unknown + "The tracker names its hardware \"xy\", which");
}

void LogicTest::hardwareFolderStaysInside()
{
    QFETCH(QString, architecture);
    QFETCH(QString, components);
    QFETCH(bool, linked);
    QFETCH(QString, problem);
    QTemporaryDir root;
    const QString base = root.filePath("program");
    QVERIFY(QDir().mkpath(base + "/firmware") && QDir().mkpath(root.filePath(components)));
    // Every component is there: only the place can refuse.
    for (const QString &name : tracktune::requiredComponents())
        QVERIFY(QFile(root.filePath(components) + "/" + name).open(QIODevice::WriteOnly));
    if (linked)
        QVERIFY(QFile::link(root.filePath(components), base + "/firmware/" + architecture));
    const QString said = FirmwareUpdate(base, architecture).problem();
    QVERIFY2(said.left(problem.size()) == problem && said.isEmpty() == problem.isEmpty(), qPrintable(said));
}

void LogicTest::flasherArguments_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QStringList>("arguments");
    const auto row
        = [](const char *what, const QString &templateText, const QString &image,
              const QStringList &arguments) { QTest::newRow(what) << templateText << image << arguments; };
    row("chip, port, file; no blanks around a part; a comma in the path kept",
        "a, ${CHIP}, b, ${PORT},  ${FIRMWARE_FILE}", "/img/a, b.bin",
        {"a", "esp32s3", "b", "/dev/ttyUSB0", "/img/a, b.bin"});
    row("a line break at the end stays off the image path", "write_flash, 0x0, ${FIRMWARE_FILE}\n",
        "/img/t.bin", {"write_flash", "0x0", "/img/t.bin"});
    row("Windows line breaks and tabs", "--chip,${CHIP}\r\n,--baud\t,460800\r\n", "",
        {"--chip", "esp32s3", "--baud", "460800"});
    row("the chosen path is taken exactly, blanks and all", "${FIRMWARE_FILE}\n", " /img/new image .bin ",
        {" /img/new image .bin "});
}

void LogicTest::flasherArguments()
{
    QFETCH(QString, templateText);
    QFETCH(QString, image);
    QFETCH(QStringList, arguments);
    QCOMPARE(tracktune::flasherArguments(templateText, "esp32s3", "/dev/ttyUSB0", "/fw", image), arguments);
}

QTEST_GUILESS_MAIN(LogicTest)
#include "tst_logic.moc"
