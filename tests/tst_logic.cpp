// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupfiles.h"
#include "stopsignals.h"

#include "config/backups.h"
#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/dumpline.h"
#include "config/normalizedvalue.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/trackeridentity.h"
#include "config/trackerstorage.h"
#include "config/utf8text.h"
#include "config/valueencoding.h"
#include "config/verification.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "link/portcandidates.h"

#include <QtTest>

#include <csignal>

using Backups = QList<tracktune::BackupFile>;
Q_DECLARE_METATYPE(Backups)
using TextRule = QString (*)(const QString &);
Q_DECLARE_METATYPE(TextRule)
Q_DECLARE_METATYPE(tracktune::TrackerIdentity)
enum class Source { SettingsFile, Template, Stream };
Q_DECLARE_METATYPE(Source)
Q_DECLARE_METATYPE(tracktune::FirmwareLine)

// The pure rules of each module, one table each: the row says what it proves.
class LogicTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        QStandardPaths::setTestModeEnabled(true); // only the folders the rows make are looked in
    }
    void textRules_data();
    void textRules();
    void trackerValues();
    void portCandidates();
    void sameDevice_data();
    void sameDevice();
    void bytesAsText_data();
    void bytesAsText();
    void writePlans_data();
    void writePlans();
    void gate_data();
    void gate();
    void backupsToPrune_data();
    void backupsToPrune();
    void backupFiles();
    void hardwareFolderStaysInside_data();
    void hardwareFolderStaysInside();
    void flasherArguments_data();
    void flasherArguments();
    void normalizedValues_data();
    void normalizedValues();
    void backupsIntoAFolder();
};

// Text from the tracker, to it and to the flasher, as each rule turns it.
void LogicTest::textRules_data()
{
    QTest::addColumn<TextRule>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    const TextRule regSentence = [](const QString &value) {
        return QString::fromUtf8(tracktune::configurationSentence("Reg", value));
    };
    const TextRule chip = [](const QString &hardware) {
        return tracktune::chipFromArchitecture(tracktune::firmwareFolderFor(hardware));
    };
    // What the flasher's progress bar is set to; -1: left as it is.
    const TextRule progress = [](const QString &output) {
        return QString::number(tracktune::progressPercent(output).value_or(-1));
    };
    const auto row = [](const char *what, TextRule rule, const QString &text, const QString &result) {
        QTest::newRow(what) << rule << text << result;
    };
    row("a CR LF tracker's line end is no part of a sentence", regSentence, "D-KABC\r\n",
        "$POGNS,Reg=D-KABC\n");
    row("a line break inside makes no sentence", regSentence, "D-K\r\nABC", "");
    // The newer firmware drops a sentence of 104 bytes or more without a word.
    row("103 bytes make a sentence", regSentence, QString(92, 'A'), "$POGNS,Reg=" + QString(92, 'A') + '\n');
    row("104 bytes make none", regSentence, QString(93, 'A'), "");
    row("an info text's \\xHH bytes read as UTF-8", tracktune::decodedText,
        "Jan\\x20K\\xc3\\xB6\\x1B\\xZZ\\x4", QString::fromUtf8("Jan K\u00f6\x1b\\xZZ\\x4"));
    row("bytes that are no UTF-8 read one character each", tracktune::decodedText, "K\\xF6ln",
        QString::fromUtf8("K\u00f6ln"));
    row("control characters shown, never sent to a terminal; a tab and letters beyond ASCII kept",
        tracktune::terminalText, QString::fromUtf8("a\rb\x7f\xc2\x9b\t\u00e9\u20ac"),
        QString::fromUtf8("a\\x0db\\x7f\\x9b\t\u00e9\u20ac"));
    row("the bidirectional controls shown, not their neighbours", tracktune::terminalText,
        QStringLiteral("\u2029\u202a\u202e\u202f\u2066\u2069\u206a"),
        QStringLiteral("\u2029\\u202a\\u202e\u202f\\u2066\\u2069\u206a"));
    // JSON escapes C0 itself.
    row("JSON: DEL, C1 and the bidirectional controls escaped", tracktune::jsonText,
        QStringLiteral("[\"a\u007f\u0085\u009b\u202e\u2067b\"]"),
        QStringLiteral("[\"a\\u007f\\u0085\\u009b\\u202e\\u2067b\"]"));
    row("the older firmware names no hardware: an esp32", chip, QString(), "esp32");
    row("an esp32c3 board", chip, "HC3", "esp32c3");
    row("CR between flasher updates: the last counts", progress,
        "Writing at 0x1... (40 %)\rWriting at 0x2... (50 %)\r\n", "50");
    row("a bar with colours", progress,
        "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m [====>   ]  33.3% 81920/245760 bytes...", "33");
    row("a colour reset is no (", progress, "Writing at 0x1 \x1b(B 57.8%", "57");
    row("above 100 is no percentage", progress, "Writing at 0x1 [==] 44444444444444444444%", "-1");
}

void LogicTest::textRules()
{
    QFETCH(TextRule, rule);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(rule(text), result);
}

namespace {

QList<tracktune::DumpLine> settingsOf(const QStringList &lines)
{
    return tracktune::parseSettingsFile(lines.join('\n')).settings;
}

QStringList textsOf(const QList<tracktune::DumpLine> &settings)
{
    QStringList texts;
    for (const tracktune::DumpLine &setting : settings)
        texts << setting.name + '=' + setting.value;
    return texts;
}

} // namespace

// What the tracker reports back, what a write would silence, what a backup cannot restore, what
// a failing flasher said last, and what stops a write.
void LogicTest::trackerValues()
{
    // Taken: the tracker prints hex in its own width, but a dropped blank is a change.
    QVERIFY(tracktune::reportsAsWritten("0xFFF", "0x0FFF"));
    QVERIFY(!tracktune::reportsAsWritten("D K", "DK"));
    QCOMPARE(tracktune::parseDumpLine("WIFIname0      = My Home Net; #  [char]\r")->value,
        QStringLiteral("My Home Net"));
    // A read-back that lacks a name written (a cut list) shows nothing taken.
    QVERIFY(
        !tracktune::settingChanges({{"Reg", "D-KABC"}}, settingsOf({"Reg = "}), settingsOf({"Address = 0x1"}))
             .first()
             .taken);
    // A typed cell or a file that means what the tracker holds writes the tracker's own form: it
    // would store 0 for "0X1A2B3C".
    QCOMPARE(
        tracktune::writableValue({"Address", "0X1A2B3C"}, "0x1A2B3C", tracktune::FirmwareLine::Newer).value,
        QStringLiteral("0x1A2B3C"));
    QCOMPARE(
        tracktune::writableValue({"AcftType", "0x00000001"}, "0x1", tracktune::FirmwareLine::Older).value,
        QStringLiteral("0x1"));
    // No protocol the firmware defines, in any width: silent; a known bit or a text is not.
    const QStringList silent {"0x00", "0x0000", "0xFE00"};
    for (const QString &mask : silent + QStringList {"0x01", "0x0100", "FANET"})
        QVERIFY2(bool(tracktune::silencingWrite(
                     settingsOf({"Reg = A", "TxProtMask = " + mask}), tracktune::FirmwareLine::Newer))
                == silent.contains(mask),
            qPrintable(mask));
    // A value no sentence can carry stays in the backup for the eye, as a comment apply reports.
    const QString backup = tracktune::formatSettingsFile(
        {{"Address", "0xABCDEF"}, {"Reg", "D,K"}, {"Pilot", "\x1b[2J"}, {"AcftType", "0x7"}}, QDateTime());
    const QString why = "no blank, comma, $, * or control character in a value";
    QVERIFY2(backup.contains("\n# Pilot = \\x1b[2J  (not restorable: " + why + ")\n"), qPrintable(backup));
    QCOMPARE(
        tracktune::parseSettingsFile(backup).notRestorable, QStringList({"Reg: " + why, "Pilot: " + why}));
    // Every parameter the program knows has a pilot's label; the translations check finds a
    // missing German or French one.
    for (const tracktune::KnownParameter &known : tracktune::knownParameters())
        QVERIFY2(tracktune::labelOf(known.name), qPrintable(known.name));
    // A backup names the chip it came from, which outlives a reset of the Address.
    const tracktune::SettingsFile own = tracktune::parseSettingsFile(
        tracktune::formatSettingsFile({{"Address", "0x1A2B3C"}}, QDateTime(), "0000246f28a1b2c3"));
    QVERIFY(tracktune::isBackupOf(own, "0000246F28A1B2C3"));
    QVERIFY(!tracktune::isBackupOf(own, "0000246F28A1B2C4"));
    QVERIFY(!tracktune::isBackupOf(tracktune::parseSettingsFile(backup), QString()));
    // A file says which firmware line its values are for: named, shown by the values, else the newer.
    using Line = tracktune::FirmwareLine;
    QCOMPARE(tracktune::lineOfFile(tracktune::parseSettingsFile(
                 tracktune::formatSettingsFile({{"Stealth", "0x0"}}, QDateTime(), QString(), Line::Unknown))),
        Line::Older);
    QCOMPARE(tracktune::lineOfFile(tracktune::parseSettingsFile(
                 tracktune::formatSettingsFile({{"AcftType", "0x1"}}, QDateTime(), QString(), Line::Older))),
        Line::Older);
    QCOMPARE(tracktune::lineOfFile(tracktune::parseSettingsFile("AcftType = 0x1\n")), Line::Newer);
    QCOMPARE(
        tracktune::lastErrorLines("1\n2\n3\n4\n5\n6\n7\n\n\n", 5), (QStringList {"3", "4", "5", "6", "7"}));
    QCOMPARE(tracktune::lastErrorLines("\x1b[31mA fatal error\x1b[0m\x07\r\nretry 1\rretry 2\r", 5),
        (QStringList {"A fatal error", "retry 1", "retry 2"}));
    // A Windows console's events ask a write to stop as the POSIX signals do; 3 Windows never sends.
    QCOMPARE(tracktune::stopSignalForConsoleEvent(0), SIGINT); // Ctrl+C
    QCOMPARE(tracktune::stopSignalForConsoleEvent(2), SIGTERM); // the console closed
    QCOMPARE(tracktune::stopSignalForConsoleEvent(3), 0);
}

// The ports the search tries, in its order: known adapters first, each group counted as people count.
void LogicTest::portCandidates()
{
    const QHash<QString, QString> ports {{"ttyUSB0", "FT232R USB UART"},
        {"ttyUSB1", "CP2102 USB to UART Bridge Controller"}, {"COM10", "USB Serial Device"},
        {"COM2", "USB Serial Device"}, {"ttyACM1", "CH340 USB serial"}, {"ttyS0", "ttyS0"},
        {"rfcomm0", "usb"}};
    QCOMPARE(
        tracktune::portCandidates(ports), (QStringList {"COM2", "COM10", "ttyUSB1", "ttyACM1", "ttyUSB0"}));
}

// Whether the tracker is still the one a workflow began with: by its chip, else by its Address.
void LogicTest::sameDevice_data()
{
    QTest::addColumn<tracktune::TrackerIdentity>("before");
    QTest::addColumn<tracktune::TrackerIdentity>("now");
    QTest::addColumn<bool>("same");
    const auto tracker = [](const QString &status, const QString &address) {
        return tracktune::trackerIdentity("/dev/ttyUSB0", status, {{"Address", address}});
    };
    const auto chipA = tracker("1:1:4ABCDE/0000246F28A1B2C3 SX1262/+14dBm +0.0ppm CON:115200bps", "0x4ABCDE");
    QTest::newRow("an update reset the Address: the same chip")
        << chipA << tracker("1:3:A1B2C3/0000246f28a1b2c3/+14dBm +0.0ppm CON:115200bps", "0xA1B2C3") << true;
    QTest::newRow("another chip with the same Address")
        << chipA << tracker("1:3:A1B2C3/0000246F28FFFFFF RFM95/+14dBm", "0x4ABCDE") << false;
    QTest::newRow("no status line: by the Address")
        << tracker({}, "0x4ABCDE") << tracker({}, "0x4abcde") << true;
    QTest::newRow("no status line now: another Address") << chipA << tracker(QString(), "0xBBBBBB") << false;
    QTest::newRow("a line that only looks like one")
        << tracker("1:3:A1B2C3/0000246F28A1B2C3FF", "0x1") << tracker(QString(), "0x1") << true;
    QTest::newRow("a status line starts at its first character")
        << chipA << tracker(" 1:3:A1B2C3/0000246F28A1B2C3 RFM95/+14dBm", "0xBBBBBB") << false;
    QTest::newRow("nothing to tell by") << tracker({}, {}) << tracker({}, {}) << false;
}

void LogicTest::sameDevice()
{
    QFETCH(tracktune::TrackerIdentity, before);
    QFETCH(tracktune::TrackerIdentity, now);
    QFETCH(bool, same);
    QCOMPARE(tracktune::isSameDevice(before, now), same);
}

// Bytes read as text: a settings file or config.txt whole, refused with its reason; what the
// tracker or the flasher prints as it comes, the same however it is cut.
void LogicTest::bytesAsText_data()
{
    QTest::addColumn<Source>("source");
    QTest::addColumn<QByteArrayList>("reads"); // a file whole; else as a port or a flasher hands them over
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // how it starts; empty: taken
    const auto row
        = [](const char *what, Source source, const QByteArrayList &reads, const QString &text,
              const QString &problem = {}) { QTest::newRow(what) << source << reads << text << problem; };
    const int mib = int(tracktune::maxSettingsFileBytes);
    row("UTF-8 with a byte order mark", Source::SettingsFile, {"\xef\xbb\xbfReg = \xc3\xa9\n"},
        "Reg = \u00e9\n");
    row("a NUL byte: the whole file refused, never cut", Source::SettingsFile,
        {QByteArray("AcftType = 0x7\nReg = X\0Pilot = Y\n", 33)}, "", "a NUL byte on line 2");
    row("Latin-1 is not UTF-8", Source::SettingsFile, {"Reg = D-K\xe9\n"}, "", "not UTF-8");
    row("1 MiB exactly", Source::SettingsFile, {QByteArray(mib, '#')}, QString(mib, '#'));
    row("a byte more", Source::SettingsFile, {QByteArray(mib + 1, '#')}, "", "larger than 1 MiB");
    row("config.txt a byte more", Source::Template, {QByteArray(tracktune::maxTemplateBytes + 1, ' ')}, "",
        "config-merged.txt: larger than 64 KiB");
    row("a 4-byte character split twice, a 2-byte one once", Source::Stream,
        {"\xf0", "\x9f\x98", "\x80 \xc3", "\xa9"}, "\U0001F600 \u00e9");
    row("a broken character keeps the line feed read after it", Source::Stream, {"\xc3", "\n"}, "\ufffd\n");
    row("an overlong form", Source::Stream, {"\xe0\x80", "\xaf\n"}, "\ufffd\ufffd\ufffd\n");
}

void LogicTest::bytesAsText()
{
    QFETCH(Source, source);
    QFETCH(QByteArrayList, reads);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    tracktune::TextFile read;
    if (source == Source::Template)
        read = tracktune::templateText(reads.first(), QStringLiteral("config-merged.txt"));
    else if (source == Source::SettingsFile)
        read = tracktune::decodeTextFile(reads.first(), tracktune::maxSettingsFileBytes);
    QByteArray heldBack;
    for (const QByteArray &bytes : source == Source::Stream ? reads : QByteArrayList()) {
        const tracktune::Utf8Text piece = tracktune::decodeUtf8(heldBack, bytes);
        read.text += piece.text;
        heldBack = piece.heldBack;
        QVERIFY(heldBack.size() <= 3);
    }
    QCOMPARE(read.text, text);
    QVERIFY2(problem.isEmpty() ? read.problem.isEmpty() : read.problem.startsWith(problem),
        qPrintable(read.problem));
}

// What a set or a file writes, in the order it goes out, what it refuses and what it tells.
void LogicTest::writePlans_data()
{
    QTest::addColumn<QStringList>("tracker"); // "Name = Value"
    QTest::addColumn<QStringList>("file"); // a file's lines; empty lines count
    QTest::addColumn<bool>("oneByOne"); // as set gives them, else as a file
    QTest::addColumn<bool>("identity");
    QTest::addColumn<QStringList>("writes"); // "Name=Value", in the order they go out
    QTest::addColumn<QStringList>("told"); // skipped and missing names, as the command line says them
    QTest::addColumn<QStringList>("problems"); // each as it begins: the rest lists the options
    const auto row = [](const char *what, const QStringList &tracker, const QStringList &file, bool oneByOne,
                         bool identity, const QStringList &writes, const QStringList &told = {}) {
        QTest::newRow(what) << tracker << file << oneByOne << identity << writes << told << QStringList();
    };
    // A tracker with each name blank or at its first option.
    const QStringList fresh {"Address = 0x1A2B3C", "AddrType = 0x3", "AcftType = 0x1",
        "Home = ", "Pilot = ", "Reg = ", "ICE = ", "TxPower = +14", "TxProtMask = 0xFF", "FreqPlan = 0",
        "GNSS = 0x67", "RxProtMask = 0xFF"};
    // A file with --identity on it.
    const auto refused = [&fresh](const char *what, const QStringList &file, const QStringList &problems,
                             const QStringList &writes = {}) {
        QTest::newRow(what) << fresh << file << false << true << writes << QStringList() << problems;
    };
    row("set: the type goes out before the Address, whatever order was typed", fresh,
        {"Address = 0x4ABCDE", "TxPower = +22", "AddrType = ICAO"}, true, false,
        {"AddrType=0x1", "Address=0x4ABCDE", "TxPower=+22"});
    row("a backup of the same aircraft: the Address again after its type, though unchanged",
        {"Address = 0x4ABCDE", "AddrType = 0x3"}, {"Address = 0x4ABCDE", "AddrType = 0x1"}, false, false,
        {"AddrType=0x1", "Address=0x4ABCDE"});
    row("another aircraft's file: type, registration and emergency contact stay", fresh,
        {"Address = 0x4ABCDE", "AddrType = 0x1", "Reg = D-KXYZ", "ICE = 0123", "TxPower = +22"}, false, false,
        {"TxPower=+22"},
        {"kept the tracker's identity (the file is from another aircraft; --identity writes it): Address, "
         "AddrType, Reg, ICE"});
    row("a template (no Address): its identity still asked for; a name given twice, its last value", fresh,
        {"TxPower = HIGH", "Reg = D-KXYZ", "TxPower = LOW"}, false, false, {"TxPower=+10"},
        {"kept the tracker's identity (the file is a template without an Address; --identity writes it): "
         "Reg"});
    row("the same template on a newer tracker: four digits, the bits no firmware defines kept",
        {"TxProtMask = 0xFFFF"}, {"TxProtMask = OGN,FANET"}, false, false, {"TxProtMask=0xFE12"});
    // The tracker keeps quarters and prints tenths cut: it printed +1.2 for 1.25, which +1.3 stores.
    row("a backup's barometer correction goes back as the quarter it was printed from",
        {"PressCorr = +0.0", "TxPower = +14"}, {"PressCorr = +1.2", "TxPower = +22"}, false, false,
        {"PressCorr=+1.3", "TxPower=+22"});
    row("a short-printed field in a file is never written", {"CONprot = 0xF"}, {"CONprot = 0x3"}, false,
        false, {},
        {"CONprot: the tracker prints it short or rounded, so a file's value is not written; set it by "
         "hand to change it"});
    row("a typo with its line and the nearest name; two slips in five letters are no guess", fresh,
        {"# club", "", "TxPowr = HIGH", "TxPwr = 15"}, false, true, {},
        {"line 3: TxPowr: the tracker has no such parameter; did you mean TxPower?",
            "line 4: TxPwr: the tracker has no such parameter"});
    refused("a second parameter behind a comma, or in a name the tracker lacks: nothing smuggled",
        {"Home = LSZH,Address=0xDEAD01,Reg=HACKED", "Wing$pan = 15"},
        {"Home: no blank, comma, $, * or control character in a value",
            "Wing$pan: no blank, comma, =, $, * or control character in a name"});
    refused("an option by a unique word or beginning, case and punctuation aside",
        {"AcftType = tow", "FreqPlan = EU", "TxPower = hi", "TxProtMask = ogn,Fan"}, {},
        {"AcftType=0x2", "FreqPlan=1", "TxPower=+22", "TxProtMask=0x13"});
    refused("a whole text without its punctuation", {"AcftType = PARAGLIDER"}, {}, {"AcftType=0x7"});
    refused("one decimal digit is a list's hexadecimal index", {"AcftType = 7"}, {}, {"AcftType=0x7"});
    refused("a word several options have: all of them named, nothing written", {"TxProtMask = OGN,ads"},
        {"TxProtMask: \"ads\" could be any of: ADS-L, ADS-B"});
    row("a club's \"glider\" is the glider, not the hang- or para-glider", {"AcftType = 0x7"},
        {"AcftType = glider"}, false, false, {"AcftType=0x1"});
    // As the tracker reads them: "0x" hexadecimal, anything else decimal.
    refused("a list's index in decimal", {"AcftType = 10", "AcftType = 15"}, {}, {"AcftType=0xF"});
    // The tracker stops reading at the "X" and stores 0, or cuts a mask to its field and clears it.
    row("set: a value the tracker holds, typed any way, is not written again", fresh,
        {"Address = 0X1A2B3C", "AcftType = 0X1", "AddrType = 0x03", "TxProtMask = 0x00000000FF"}, true, false,
        {},
        {"Address: the tracker already holds 0x1A2B3C", "AcftType: the tracker already holds 0x1",
            "AddrType: the tracker already holds 0x3", "TxProtMask: the tracker already holds 0xFF"});
    row("set: a capital X read as the tracker would not", fresh, {"Address = 0X4ABCDE", "AcftType = 0X2"},
        true, false, {"Address=0x4ABCDE", "AcftType=0x2"});
    refused("a mask with a bit beyond its field", {"GNSS = 0x100", "TxProtMask = 0x1FFFF"},
        {"GNSS takes 0x0..0xFF", "TxProtMask takes 0x0..0xFFFF"});
    const QString cut = "\" cannot be stored: the tracker takes only letters A-Z, digits and . @ + - _ / #";
    refused("a text the tracker would cut at a blank or a letter beyond A-Z",
        {"Pilot = Jan Kowalski", "Reg = D-K\u00c4B"}, {"Pilot: \"\u2423" + cut, "Reg: \"\u00c4" + cut});
    refused("a text longer than the tracker keeps whole, the registration too",
        {"Pilot = Abcdefghijklmnop", "Reg = D-ABCDEFGHIJKLMN"},
        {"Pilot: at most 15 characters (this is 16)", "Reg: at most 15 characters (this is 16)"});
    refused("numbers beyond what the tracker takes, an Address of five digits",
        {"TxPower = +32", "FreqPlan = 6", "Address = 0x12345"},
        {"TxPower takes -32..+31 dBm or one of", "FreqPlan takes 0..5 or one of",
            "Address takes 6 hexadecimal digits"});
    refused("numbers within: a power between the levels, an Address without 0x",
        {"TxPower = -32", "Address = 4abcde"}, {}, {"TxPower=-32", "Address=0x4ABCDE"});
}

void LogicTest::writePlans()
{
    QFETCH(QStringList, tracker);
    QFETCH(QStringList, file);
    QFETCH(bool, oneByOne);
    QFETCH(bool, identity);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, told);
    QFETCH(QStringList, problems);
    const QList<tracktune::DumpLine> reported = settingsOf(tracker);
    const tracktune::SettingsFile read = tracktune::parseSettingsFile(file.join('\n'));
    const tracktune::ChangePlan plan = oneByOne
        ? tracktune::planSettings(read.settings, reported)
        : tracktune::planFile(read.settings, reported, identity, read.lineOf);
    QStringList said = plan.skipped;
    for (const tracktune::MissingName &missing : plan.missing)
        said << tracktune::missingNameText(missing);
    QCOMPARE(plan.problems.size(), problems.size());
    for (int index = 0; index < problems.size(); ++index)
        QVERIFY2(plan.problems.at(index).startsWith(problems.at(index)), qPrintable(plan.problems.at(index)));
    QCOMPARE(textsOf(plan.writes), writes);
    QCOMPARE(said, told);
    // Whatever order the plan has, the write keeps the type first.
    QCOMPARE(textsOf(tracktune::writeOrder(plan.writes)), writes);
}

// A value typed, through the one gate, on each firmware line: the value its sentence carries, or
// how the refusal begins; then whether the tracker printing shown after it counts it as taken.
void LogicTest::gate_data()
{
    QTest::addColumn<tracktune::FirmwareLine>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed"); // what the tracker holds, as it printed it
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent"); // empty: refused
    QTest::addColumn<QString>("refusal"); // how it begins
    QTest::addColumn<QString>("shown"); // the read-back; empty: not checked
    QTest::addColumn<bool>("taken");
    using L = tracktune::FirmwareLine;
    const auto sends
        = [](const char *what, L line, const char *name, const char *printed, const QString &typed,
              const QString &sent, const QString &shown = {}, bool taken = true) {
              QTest::newRow(what) << line << name << printed << typed << sent << QString() << shown << taken;
          };
    const auto refuses = [](const char *what, L line, const char *name, const char *printed,
                             const QString &typed, const char *refusal) {
        QTest::newRow(what) << line << name << printed << typed << QString() << refusal << QString() << false;
    };
    // The tracker reads only a lower-case "0x": "0X1" would store 0.
    sends("capital X on a list", L::Newer, "AcftType", "0x3", "0X1", "0x1");
    sends("capital X on a number", L::Older, "CONbaud", "57600", "0X1C200", "115200");
    sends("decimal list index, as the tracker reads it", L::Newer, "AcftType", "0x1", "10", "0xA");
    refuses(
        "a mask beyond its field would clear it", L::Newer, "GNSS", "0x67", "0x100", "GNSS takes 0x0..0xFF");
    refuses(
        "sixteen bits at most", L::Newer, "RxProtMask", "0xFFFF", "0x10000", "RxProtMask takes 0x0..0xFFFF");
    // The older line's bit 0 is a spare and it has no Meshtastic.
    refuses("no FLARM on the older line", L::Older, "TxProtMask", "0xFF", "FLARM",
        "TxProtMask: this tracker's firmware has no FLARM");
    refuses("no Meshtastic on the older line", L::Older, "TxProtMask", "0xFF", "OGN,Meshtastic",
        "TxProtMask: this tracker's firmware has no Meshtastic");
    sends("FLARM on the newer line", L::Newer, "TxProtMask", "0x0002", "FLARM,OGN", "0x0003");
    sends("the older line's whole field, checked by its two digits", L::Older, "TxProtMask", "0xFF", "0xFFFF",
        "0xFFFF", "0xFF");
    // Texts: the newer line writes an escape for each byte it would not take; the older has none.
    sends("newer: a blank and an umlaut as escapes, a colon raw", L::Newer, "Pilot", "",
        QStringLiteral("J\u00f6 a:b"), "J\\xC3\\xB6\\x20a:b", "J\\xC3\\xB6\\x20a:b");
    sends("newer: a comma and an equals sign cannot start another field", L::Newer, "Base", "", "a,b=c",
        "a\\x2Cb\\x3Dc", "a\\x2Cb\\x3Dc");
    sends("newer: a raw text read back by its bytes", L::Newer, "WIFIname0", "", "My Net", "My\\x20Net",
        "My Net");
    refuses("older: no escapes", L::Older, "Pilot", "", "Jan\\x20K", "Pilot: \"\\\" cannot be stored");
    refuses("older: no colon", L::Older, "Pilot", "", "a:b", "Pilot: \":\" cannot be stored");
    refuses("Reg of 16 bytes would run on into the next text", L::Newer, "Reg", "", "D-ABCDEFGHIJKLMN",
        "Reg: at most 15 characters (this is 16)");
    refuses("an escape counts as the byte it stands for", L::Newer, "Pilot", "",
        QStringLiteral("\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"),
        "Pilot: at most 15 characters (this is 16)");
    refuses(
        "a direction control never", L::Newer, "Reg", "", QStringLiteral("D-\u202eKABC"), "Reg: \"U+202E\"");
    // Quarters: PressCorr printed +1.2 for 1.25, which +1.3 stores; the Wi-Fi power rounds.
    sends("a printed pressure correction goes back as its quarter", L::Newer, "PressCorr", "+0.0", "+1.2",
        "+1.3", "+1.2");
    sends("negative too", L::Older, "PressCorr", "+0.0", "-1.2", "-1.3", "-1.2");
    sends("the value sent for it is taken as well", L::Newer, "PressCorr", "+0.0", "1.3", "+1.3", "+1.2");
    refuses("a value no quarter prints", L::Newer, "PressCorr", "+0.0", "1.1",
        "PressCorr: the tracker keeps quarters and cannot show +1.1; it can show +1.0 or +1.2");
    sends("the older Wi-Fi power as printed", L::Older, "APtxPwr", "+10.0", "7.2", "+7.2", "+7.2");
    refuses("the older Wi-Fi power between quarters", L::Older, "APtxPwr", "+10.0", "19.9",
        "APtxPwr: the tracker keeps quarters and cannot show +19.9; it can show +19.7 or +20.0");
    sends("a second decimal rounds as the tracker reads it", L::Newer, "FreqCorr", "+0.0", "1.25", "+1.3",
        "+1.3");
    // A field printed short: checked by the digits shown; a wider write says so.
    sends(
        "CONprot written whole, shown by its last digit", L::Newer, "CONprot", "0xF", "0xFF", "0xFF", "0xF");
    sends(
        "CONprot's shown digit differs: not taken", L::Newer, "CONprot", "0xF", "0x0F", "0x0F", "0xE", false);
    sends("the older PageMask is 21 bits wide", L::Older, "PageMask", "0xFFFF", "0x1FFFFF", "0x1FFFFF",
        "0xFFFF");
    refuses("beyond it", L::Older, "PageMask", "0xFFFF", "0x200000", "PageMask takes 0x0..0x1FFFFF");
}

void LogicTest::gate()
{
    QFETCH(tracktune::FirmwareLine, line);
    QFETCH(QString, name);
    QFETCH(QString, printed);
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QFETCH(QString, refusal);
    QFETCH(QString, shown);
    QFETCH(bool, taken);
    const tracktune::SettingValue value = tracktune::writableValue({name, typed}, printed, line);
    QVERIFY2(value.problem.startsWith(refusal) && (refusal.isEmpty() == value.problem.isEmpty()),
        qPrintable(value.problem));
    QCOMPARE(value.value, sent);
    if (sent.isEmpty())
        return;
    // What the gate gives is what it gives back: the session sends nothing else.
    QCOMPARE(tracktune::writableValue({name, sent}, printed, line).value, sent);
    if (!shown.isEmpty())
        QCOMPARE(tracktune::showsAsWritten(name, sent, printed, shown), taken);
}

void LogicTest::backupsToPrune_data()
{
    QTest::addColumn<Backups>("folder"); // names and when they were written
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("justWritten");
    QTest::addColumn<QStringList>("pruned");
    // An automatic backup of the address, named and written at that time on the same clock.
    const auto backup = [](const QString &address, const QDateTime &when) {
        return tracktune::BackupFile {tracktune::automaticBackupName(address, when), when};
    };
    const QDateTime november(QDate(2026, 11, 1), QTime(9, 30));
    Backups ours; // 22 of one tracker, one a day
    for (int day = 0; day < 22; ++day)
        ours << backup("0x1A2B3C", november.addDays(day));
    Backups foreign; // newer than all of ours, and never counted
    const QDateTime later = november.addYears(1);
    for (const char *name :
        {"0x1A2B3C-2026-11-01.txt", "notes.txt", "0x1A2B3C-before-update-2026-01-01-093000.txt.bak",
            "x0x1A2B3C-before-update-2026-01-01-093000.txt"})
        foreign << tracktune::BackupFile {name, later};
    for (int day = 0; day < 25; ++day)
        foreign << backup("0xABCDEF", later.addDays(day));
    const QString newest = ours.last().name;
    QTest::newRow("the two oldest beyond twenty, in any order")
        << Backups(ours.mid(10) + foreign + ours.mid(0, 10)) << "0x1A2B3C" << newest
        << QStringList {ours.at(0).name, ours.at(1).name};
    // The clock went back two years: the new backup is named and written as the oldest.
    const tracktune::BackupFile behind = backup("0x1A2B3C", november.addYears(-2));
    QTest::newRow("with the clock behind the kept backups, the one just written stays") << Backups(
        ours.mid(2) + Backups {behind}) << "0x1A2B3C" << behind.name << QStringList {ours.at(2).name};
    // Written in the reverse order of their names: the time written decides.
    Backups renamed = ours.mid(0, 21);
    for (int i = 0; i < renamed.size(); ++i)
        renamed[i].modified = november.addDays(-i);
    QTest::newRow("by the time written, not by the name")
        << renamed << "0x1A2B3C" << renamed.first().name << QStringList {renamed.at(20).name};
    Backups path;
    for (int day = 0; day < 21; ++day)
        path << backup("../../tmp/x", november.addDays(day));
    QTest::newRow("an address that is a path names only files in the folder")
        << path << "../../tmp/x" << path.last().name
        << QStringList {"tmpx-before-update-2026-11-01-093000.txt"};
}

void LogicTest::backupsToPrune()
{
    QFETCH(Backups, folder);
    QFETCH(QString, address);
    QFETCH(QString, justWritten);
    QFETCH(QStringList, pruned);
    QCOMPARE(tracktune::backupsToPrune(folder, address, justWritten, 20), pruned);
}

// A backup on disk: written whole, read back the same, the oldest of its tracker's removed, a
// folder that cannot take it said.
void LogicTest::backupFiles()
{
    QTemporaryDir folder;
    const QList<tracktune::DumpLine> list {{"Address", "0x1A2B3C"}, {"Reg", "D-EFGH"}};
    const QDateTime start(QDate(2026, 11, 1), QTime(12, 0));
    QStringList older; // of this tracker, one a day; a template of the pilot's beside them
    for (int day = 0; day < 3; ++day) {
        older << tracktune::automaticBackupName("0x1A2B3C", start.addDays(day));
        QFile file(folder.filePath(older.last()));
        QVERIFY(file.open(QIODevice::WriteOnly)
            && file.setFileTime(start.addDays(day), QFile::FileModificationTime));
    }
    QVERIFY(QFile(folder.filePath("template.txt")).open(QIODevice::WriteOnly));
    const QString written = tracktune::automaticBackupName("0x1A2B3C", start.addDays(3));
    QCOMPARE(
        tracktune::writeBackup(folder.filePath(written), list, "0x1A2B3C", start.addDays(3), QString(), 3),
        QString());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
        QStringList({older.at(1), older.at(2), written, "template.txt"}));
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(tracktune::readSettingsFile(file).settings, list);
    // Nothing is written, nothing removed, where the folder is a file.
    const QString error = tracktune::writeBackup(
        folder.filePath("template.txt/x.txt"), list, "0x1A2B3C", start, QString(), 0);
    QVERIFY(!error.isEmpty());
    QCOMPARE(tracktune::writeSettingsFile(folder.filePath("template.txt/x.txt"), list, start), error);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 4);
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
    row("a link within the firmware folder", "esp32s3-tracker", "program/firmware/release-7", true, "");
    row("a link out of the firmware folder", "esp32s3-tracker", "elsewhere", true,
        unknown + "The firmware folder for the hardware \"esp32s3-tracker\" leads to ");
    // A folder beside it whose name begins like it is no folder of it.
    row("a link into a folder named like it", "esp32s3-tracker", "program/firmware-old/esp32s3-tracker", true,
        unknown + "The firmware folder for the hardware \"esp32s3-tracker\" leads to ");
    row("a name that climbs out", "../elsewhere", "program/elsewhere", false,
        unknown + "The tracker names its hardware \"../elsewhere\", which is no firmware folder name.");
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
    row("Windows line breaks and tabs; no line end in the last argument",
        "--chip,${CHIP}\r\n,--baud\t,460800\r\n", "", {"--chip", "esp32s3", "--baud", "460800"});
}

void LogicTest::flasherArguments()
{
    QFETCH(QString, templateText);
    QFETCH(QString, image);
    QFETCH(QStringList, arguments);
    QCOMPARE(tracktune::flasherArguments(templateText, "esp32s3", "/dev/ttyUSB0", "/fw", image), arguments);
}

// What --json gives beside each printed value: one reading for what both firmware lines mean alike.
void LogicTest::normalizedValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QVariant>("normalized");
    const auto row
        = [](const char *what, const QString &name, const QString &printed, const QVariant &normalized) {
              QTest::newRow(what) << name << printed << normalized;
          };
    row("a list index in hex", "AcftType", "0x7", qlonglong(7));
    row("the older line's switch in hex", "Stealth", "0x0", qlonglong(0));
    row("the newer line's switch", "Stealth", "0", qlonglong(0));
    row("two hex digits", "Verbose", "0x01", qlonglong(1));
    row("the newer line's four-digit mask", "TxProtMask", "0x00FF", qlonglong(255));
    row("the older line's two-digit mask", "TxProtMask", "0xFF", qlonglong(255));
    row("the Address", "Address", "0xDD1001", qlonglong(0xDD1001));
    row("a signed level", "TxPower", "+14", qlonglong(14));
    row("a negative number", "TempCorr", "-3", qlonglong(-3));
    row("a decimal index", "FreqPlan", "2", qlonglong(2));
    row("an unsigned number", "CONbaud", "115200", qlonglong(115200));
    row("tenths: a double", "FreqCorr", "+1.5", 1.5);
    row("tenths of a whole number: a double still", "GeoidSepar", "+40.0", 40.0);
    row("a CR LF tracker's line end goes", "TxPower", "+14\r", qlonglong(14));
    row("an info text decoded", "Pilot", "Jan\\x20K\\xC3\\xB6", QString::fromUtf8("Jan K\u00f6"));
    row("a text that is no info text stays as printed", "APpass", "a\\x20b", "a\\x20b");
    row("a text that looks like a number stays a text", "Reg", "1234", "1234");
    row("a name the catalogue lacks: as printed", "AppKey", "0x10", "0x10");
    row("a number in no number's form: as printed", "TxPower", "high", "high");
    row("no digit at all", "AcftType", "0x", "0x");
    row("an empty value", "FreqCorr", "", "");
    row("more hex digits than a number holds", "Address", "0x1" + QString(16, '0'), "0x1" + QString(16, '0'));
    row("two decimals the tracker never prints", "FreqCorr", "+1.25", "+1.25");
}

void LogicTest::normalizedValues()
{
    QFETCH(QString, name);
    QFETCH(QString, printed);
    QFETCH(QVariant, normalized);
    const QVariant value = tracktune::normalizedValue(name, printed);
    QCOMPARE(value.userType(), normalized.userType());
    QCOMPARE(value, normalized);
}

// Backups of one run into one folder never replace each other; an older file only when asked.
void LogicTest::backupsIntoAFolder()
{
    QTemporaryDir folder;
    const QString dir = folder.path();
    const auto contents = [&](const QString &name) {
        QFile file(QDir(dir).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    using Saved = tracktune::SavedBackup;
    const QByteArray first = "# run 1\nReg = A\n", second = "# run 1\nReg = B\n",
                     later = "# run 2\nReg = A\n";
    const Saved a = tracktune::saveBackupInto(dir, {"x.txt", "x-1.txt"}, first, false);
    QCOMPARE(a.outcome, Saved::Saved);
    QCOMPARE(a.path, QDir(dir).filePath("x.txt"));
    // Another tracker of the run, one name shared: it takes its next one.
    const Saved b = tracktune::saveBackupInto(dir, {"x.txt", "x-2.txt"}, second, true);
    QCOMPARE(b.outcome, Saved::Saved);
    QCOMPARE(b.path, QDir(dir).filePath("x-2.txt"));
    // A third of the run with no name left: an error, nothing replaced.
    const Saved c = tracktune::saveBackupInto(dir, {"x.txt", "x-2.txt"}, second, true);
    QCOMPARE(c.outcome, Saved::Taken);
    QCOMPARE(c.path, QDir(dir).filePath("x-2.txt"));
    // A later run finds an older file: kept, unless it is to be replaced.
    QCOMPARE(tracktune::saveBackupInto(dir, {"x.txt", "x-1.txt"}, later, false).outcome, Saved::Exists);
    QCOMPARE(contents("x.txt"), first);
    QCOMPARE(tracktune::saveBackupInto(dir, {"x.txt", "x-1.txt"}, later, true).outcome, Saved::Saved);
    QCOMPARE(contents("x.txt"), later);
    QCOMPARE(contents("x-2.txt"), second);
    // No lock file and no half-written file left behind.
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList({"x-2.txt", "x.txt"}));
    // A folder that is not there: said, nothing made.
    const Saved nowhere = tracktune::saveBackupInto(dir + "/none", {"x.txt"}, first, false);
    QCOMPARE(nowhere.outcome, Saved::Failed);
    QVERIFY(!nowhere.problem.isEmpty());
}

QTEST_GUILESS_MAIN(LogicTest)
#include "tst_logic.moc"
