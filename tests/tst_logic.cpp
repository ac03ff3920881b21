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
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "link/serial.h"

#include <QtTest>

#include <functional>

using Rule = std::function<QString(const QString &)>;

namespace {

const auto &lists = tracktune::optionLists();

QString setTexts(const QHash<QString, bool> &checks)
{
    QStringList texts;
    for (auto it = checks.constBegin(); it != checks.constEnd(); ++it) {
        if (it.value())
            texts << it.key();
    }
    texts.sort();
    return texts.join(QLatin1Char(' '));
}

// "a|b|c" as its parts.
QString part(const QString &input, int index)
{
    return input.section(QLatin1Char('|'), index, index);
}

// Each rule turns one input text into the text it gives, so that one table covers a module.
const QHash<QString, Rule> configurationRules = {
    {"dump line",
        [](const QString &line) {
            const auto entry = tracktune::parseDumpLine(line);
            return entry ? entry->name + QLatin1Char('=') + entry->value : QStringLiteral("<none>");
        }},
    {"hard", [](const QString &value) { return tracktune::firmwareFolderFor(value); }},
    {"Select", [](const QString &v) { return QString::number(tracktune::indexFromHexValue(v)); }},
    {"SelectInt", [](const QString &v) { return QString::number(tracktune::indexFromDecimalValue(v)); }},
    {"power",
        [](const QString &v) {
            return lists.txPowerLevels.value(
                tracktune::nearestOptionKey(tracktune::numberFromValue(v), lists.txPowerLevels));
        }},
    {"mask shows",
        [](const QString &v) {
            return setTexts(
                tracktune::checksFromMask(int(tracktune::maskFromHexValue(v)), lists.txProtocols));
        }},
    {"mask writes",
        [](const QString &in) {
            QHash<QString, bool> checks;
            for (const QString &text : part(in, 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                checks.insert(text, true);
            const int checked = tracktune::maskFromChecks(checks, lists.txProtocols);
            return tracktune::hexMaskValue(tracktune::mergeMask(
                quint32(checked), tracktune::maskFromHexValue(part(in, 0)), lists.txProtocols));
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
};

const QHash<QString, Rule> firmwareRules = {
    {"arguments",
        [](const QString &templateText) {
            return tracktune::flasherArguments(
                templateText, "esp32s3", "/dev/ttyUSB0", "/fw", "/img/a, b.bin")
                .join(QLatin1Char('|'));
        }},
    {"chip", [](const QString &architecture) { return tracktune::chipFromArchitecture(architecture); }},
    {"progress",
        [](const QString &line) {
            const std::optional<int> percent = tracktune::progressPercent(line);
            return percent ? QString::number(*percent) : QStringLiteral("<none>");
        }},
    {"folders",
        [](const QString &architecture) {
            return tracktune::firmwareFolders(
                "/opt/tt", {"/home/u/.local/share/tracktune", "/opt/tt"}, architecture)
                .join(QLatin1Char('|'));
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
    void configuration_data();
    void configuration() { check(configurationRules); }
    void firmware_data();
    void firmware() { check(firmwareRules); }
    void settingsText_data();
    void settingsText();
    void terminalText_data();
    void terminalText();
    void refusedSettings_data();
    void refusedSettings();
    void misspelledNames_data();
    void misspelledNames();
    void backupOfUnrestorableValues();
    void manyNamesTakeLinearTime();

private:
    static void columns()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
    }
    static void row(const char *what, const QString &rule, const QString &input, const QString &expected)
    {
        QTest::newRow(what) << rule << input << expected;
    }
    static void check(const QHash<QString, Rule> &rules)
    {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QVERIFY2(rules.contains(rule), qPrintable(rule));
        QCOMPARE(rules.value(rule)(input), expected);
    }
};

void LogicTest::configuration_data()
{
    columns();
    row("blanks inside a value go", "dump line", "Reg = D K ABC ;x", "Reg=DKABC");
    row("second = ends the value", "dump line", "Pilot=a=b;c", "Pilot=a");
    row("line without = gives nothing", "dump line", "Batt:4.12V", "<none>");
    row("empty Hard is the plain tracker", "hard", "", "esp32-tracker");
    row("other hardware passes", "hard", "esp32-custom", "esp32-custom");
    row("Select reads hex", "Select", "F", "15");
    row("SelectInt reads decimal", "SelectInt", "10", "10");
    row("power 12: the tie goes up", "power", "12", "NORMAL");
    row("power not a number reads 0: LOW", "power", "max", "LOW");
    row("mask: bit 1 has no entry", "mask shows", "0x83", "OGN RemoteID");
    row("mask: 0x20 sets no entry", "mask shows", "0x20", "");
    row("OGN unchecked from 0xFF keeps unnamed bits", "mask writes", "0xFF|ADS-L PilotAware FANET RemoteID",
        "0xFD");
    row("high bits kept", "mask writes", "0xFFFFFFFF|", "0xFFFFFF61");
    row("a comma would start a second field: no sentence", "sentence", "Base|LSZH,Reg=X", "");
    row("a CR LF tracker's line end is dropped", "sentence", "Reg|D-KABC\r\n", "$POGNS,Reg=D-KABC%0A");
    row("a line break inside splits no sentence: none", "sentence", "Reg|D-K\r\nABC", "");
    row("nor does a CR in the name", "sentence", "\rReg|x", "");
    row("no permission: how to get it", "port refusal", "refused|not permitted",
        "Not permitted to open /dev/ttyUSB0: add your user to the dialout group, then log in again");
    row("refused though permitted: held elsewhere", "port refusal", "refused|permitted",
        "ttyUSB0 is in use by another program");
    row("hex widths differ", "taken", "0xFFF|0x0FFF", "yes");
    row("blank dropped by the device", "taken", "D K|DK", "no");
    row("nor blanks around what was written", "taken", "\tweb |web\r", "yes");
}

void LogicTest::firmware_data()
{
    columns();
    row("word, chip, word, port, file: no leading blanks, a comma in a path kept", "arguments",
        "a, ${CHIP}, b, ${PORT}, ${FIRMWARE_FILE}", "a|esp32s3|b|/dev/ttyUSB0|/img/a, b.bin");
    row("unknown placeholder and case stay", "arguments", "${chip},${BAUD}", "${chip}|${BAUD}");
    row("line breaks around a part go with the blanks", "arguments", "a,\nb\n", "a|b");
    row("empty template: one empty argument", "arguments", "", "");
    row("chip before the first dash", "chip", "esp32c3-tracker", "esp32c3");
    row("no blank before %: 0", "progress", "Writing at 0x00010000... (42%)\n", "0");
    row("CR between updates: the last counts", "progress",
        "Writing at 0x1... (40 %)\rWriting at 0x2... (50 %)\r\n", "50");
    row("bar with colours", "progress",
        "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m [====>   ]  33.3% 81920/245760 bytes...", "33");
    row("colour reset is no (", "progress", "Writing at 0x1 \x1b(B 57.8%", "57");
    row("above 100 is no percentage", "progress", "Writing at 0x1 [==] 44444444444444444444%", "<none>");
    row("other lines carry no progress", "progress", "Packed 245760 bytes to 139458 (56 %)\n", "<none>");
    row("beside the program first, then the data folders, no repeats", "folders", "esp32-tracker",
        "/opt/tt/firmware/esp32-tracker|/home/u/.local/share/tracktune/firmware/esp32-tracker");
}

void LogicTest::settingsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // how it starts; empty: taken
    QTest::newRow("UTF-8 with a byte order mark")
        << QByteArray("\xef\xbb\xbfReg = \xc3\xa9\n") << QString::fromUtf8("Reg = \xc3\xa9\n") << QString();
    QTest::newRow("a NUL byte: the whole file refused, never cut")
        << QByteArray("AcftType = 0x7\nReg = X\0Pilot = Y\n", 33) << QString() << "a NUL byte on line 2";
    QTest::newRow("Latin-1 is not UTF-8") << QByteArray("Reg = D-K\xe9\n") << QString() << "not UTF-8";
    QTest::newRow("an overlong slash") << QByteArray("Reg = \xc0\xaf\n") << QString() << "not UTF-8";
    QTest::newRow("a character cut at the end") << QByteArray("Reg = \xc3") << QString() << "not UTF-8";
    QTest::newRow("1 MiB exactly") << QByteArray(int(tracktune::maxSettingsFileBytes), '#')
                                   << QString(int(tracktune::maxSettingsFileBytes), '#') << QString();
    QTest::newRow("a byte more") << QByteArray(int(tracktune::maxSettingsFileBytes) + 1, '#') << QString()
                                 << "larger than 1 MiB";
    QTest::newRow("a NUL on the first line") << QByteArray("\0", 1) << QString() << "a NUL byte on line 1";
}

void LogicTest::settingsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const tracktune::TextFile read = tracktune::decodeTextFile(bytes, tracktune::maxSettingsFileBytes);
    QCOMPARE(read.text, text);
    QVERIFY2(problem.isEmpty() ? read.problem.isEmpty() : read.problem.startsWith(problem),
        qPrintable(read.problem));
}

void LogicTest::terminalText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a screen clear and a retitle") << "\x1b[2J\x1b]0;pwned\x07"
                                                  << "\\x1b[2J\\x1b]0;pwned\\x07";
    QTest::newRow("CR, DEL and the one-character CSI")
        << QString::fromUtf8("a\rb\x7f\xc2\x9b") << "a\\x0db\\x7f\\x9b";
    QTest::newRow("tab and letters beyond ASCII stay")
        << QString::fromUtf8("D-K\t\xc3\xa9\xe2\x82\xac") << QString::fromUtf8("D-K\t\xc3\xa9\xe2\x82\xac");
}

void LogicTest::terminalText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(tracktune::terminalText(text), shown);
}

void LogicTest::refusedSettings_data()
{
    QTest::addColumn<QStringList>("file"); // the lines of a template
    QTest::addColumn<bool>("oneByOne"); // as set takes them, else as apply does
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<QStringList>("writes"); // "Name=Value"
    const QString inValue = "no blank, comma, $, * or control character in a value";
    QTest::newRow("a second parameter behind a comma")
        << QStringList {"Base = LSZH,Address=0xDEAD01,Reg=HACKED"} << false
        << QStringList {"Base: " + inValue} << QStringList();
    QTest::newRow("the same, one by one") << QStringList {"Base=LSZH,CONbaud=9600", "AcftType = 0x7"} << true
                                          << QStringList {"Base: " + inValue} << QStringList {"AcftType=0x7"};
    QTest::newRow("a name the tracker lacks still smuggles nothing")
        << QStringList {"Wing$pan = 15"} << false
        << QStringList {"Wing$pan: no blank, comma, =, $, * or control character in a name"} << QStringList();
    QTest::newRow("a checksum, a blank")
        << QStringList {"Pilot = A*1F", "Reg = D K"} << false
        << QStringList {"Pilot: " + inValue, "Reg: " + inValue} << QStringList();
    QTest::newRow("option texts with a comma are a mask, written as one value") << QStringList {
        "TxProtMask = OGN,FANET"} << false << QStringList() << QStringList {"TxProtMask=0x73"};
}

void LogicTest::refusedSettings()
{
    QFETCH(QStringList, file);
    QFETCH(bool, oneByOne);
    QFETCH(QStringList, problems);
    QFETCH(QStringList, writes);
    const QList<tracktune::DumpLine> tracker {{"Address", "0x1A2B3C"}, {"AcftType", "0x1"}, {"Base", ""},
        {"Pilot", ""}, {"Reg", ""}, {"TxProtMask", "0xFF"}};
    const QList<tracktune::DumpLine> settings = tracktune::parseSettingsFile(file.join('\n')).settings;
    const tracktune::ChangePlan plan = oneByOne ? tracktune::planSettings(settings, tracker)
                                                : tracktune::planFile(settings, tracker, true);
    QStringList written;
    for (const tracktune::DumpLine &write : plan.writes)
        written << write.name + '=' + write.value;
    QCOMPARE(plan.problems, problems);
    QCOMPARE(written, writes);
}

void LogicTest::misspelledNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names"); // the tracker's, in its order
    QTest::addColumn<QString>("meant"); // empty: no guess
    const QStringList tracker {"Address", "AcftType", "Reg", "Pilot", "TxPower", "TxProtMask", "RxProtMask"};
    QTest::newRow("a letter dropped, the case ignored") << "acftype" << tracker << "AcftType";
    QTest::newRow("two letters swapped are one slip") << "Rge" << tracker << "Reg";
    QTest::newRow("the nearest, not the first near one") << "RxProtMsk" << tracker << "RxProtMask";
    QTest::newRow("two slips in eight letters") << "TxPrtMsk" << tracker << "TxProtMask";
    QTest::newRow("but one in five: no guess") << "TxPwr" << tracker << QString();
    QTest::newRow("nothing near: no guess") << "Wingspan" << tracker << QString();
}

void LogicTest::misspelledNames()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    QFETCH(QString, meant);
    QCOMPARE(tracktune::nearestName(typed, names), meant);
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
    QTest::newRow("files the program did not write are never pruned")
        << foreign << "0x1A2B3C" << QStringList();
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

QTEST_APPLESS_MAIN(LogicTest)
#include "tst_logic.moc"
