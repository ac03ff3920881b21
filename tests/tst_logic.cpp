// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolestop.h"

#include "config/backups.h"
#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/dumpline.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/trackeridentity.h"
#include "config/utf8text.h"
#include "config/valueencoding.h"
#include "config/verification.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "link/portcandidates.h"
#include "link/portorder.h"
#include "link/serial.h"

#include <QtTest>

#include <csignal>

using Backups = QList<tracktune::BackupFile>;
Q_DECLARE_METATYPE(Backups)
using PortMap = QHash<QString, QString>;

// The pure rules of each module, one table each: the row says what it proves.
class LogicTest : public QObject
{
    Q_OBJECT

private slots:
    void backupsToPrune_data();
    void backupsToPrune();
    void trackerText();
    void portCandidates_data();
    void portCandidates();
    void sameDevice_data();
    void sameDevice();
    void flasherProgress_data();
    void flasherProgress();
    void flasherErrorLines();
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        QStandardPaths::setTestModeEnabled(true); // only the folders the rows make are looked in
    }
    void settingsText_data();
    void settingsText();
    void refusedSettings_data();
    void refusedSettings();
    void writePlans_data();
    void writePlans();
    void changedByTheTracker();
    void manualNamesTheCataloguesIdentity();
    void backupOfUnrestorableValues();
    void manyNamesTakeLinearTime();
    void hardwareFolderStaysInside_data();
    void hardwareFolderStaysInside();
    void flasherArguments_data();
    void flasherArguments();
    void hardwareNamesItsChip_data();
    void hardwareNamesItsChip();
    void utf8InPieces_data();
    void utf8InPieces();
    void portList_data();
    void portList();
    void consoleEventStops_data();
    void consoleEventStops();
};

// What the tracker prints and answers, read as the pilot should see it.
void LogicTest::trackerText()
{
    // Blanks inside a value go; a second = ends it.
    QCOMPARE(tracktune::parseDumpLine("Reg = D K ABC ;x").value_or(tracktune::DumpLine()).value,
        QStringLiteral("DKABC"));
    QCOMPARE(
        tracktune::parseDumpLine("Pilot=a=b;c").value_or(tracktune::DumpLine()).value, QStringLiteral("a"));
    // Taken: the tracker prints hex in its own width, but a dropped blank is a change.
    QVERIFY(tracktune::reportsAsWritten("0xFFF", "0x0FFF"));
    QVERIFY(!tracktune::reportsAsWritten("D K", "DK"));
    // A CR LF tracker's line end is no part of the value; a line break inside makes no sentence.
    QCOMPARE(tracktune::configurationSentence("Reg", "D-KABC\r\n"), QByteArray("$POGNS,Reg=D-KABC\n"));
    QCOMPARE(tracktune::configurationSentence("Reg", "D-K\r\nABC"), QByteArray());
    // What the user can do about a port that will not open.
    QCOMPARE(tracktune::portRefusalMessage("ttyUSB0", QSerialPort::PermissionError, false),
        QStringLiteral(
            "Not permitted to open /dev/ttyUSB0: add your user to the dialout group, then log in again"));
    // Control characters are shown, never sent to a terminal; tabs and letters beyond ASCII stay.
    QCOMPARE(
        tracktune::terminalText(QString::fromUtf8("a\rb\x7f\xc2\x9b")), QStringLiteral("a\\x0db\\x7f\\x9b"));
    QCOMPARE(
        tracktune::terminalText(QStringLiteral("D-K\t\u00e9\u20ac")), QStringLiteral("D-K\t\u00e9\u20ac"));
    // Nor the order a terminal shows the text around in: the bidirectional controls, not their neighbours.
    QCOMPARE(tracktune::terminalText(QStringLiteral("\u2029\u202a\u202e\u202f\u2066\u2069\u206a")),
        QStringLiteral("\u2029\\u202a\\u202e\u202f\\u2066\\u2069\u206a"));
    // JSON escapes C0 itself; DEL, C1 and those controls too, and the value reads back whole.
    const QString hidden = QStringLiteral("a\u007f\u0085\u009b\u202e\u2067b");
    const QString json = tracktune::jsonText(
        QString::fromUtf8(QJsonDocument(QJsonObject {{QStringLiteral("Reg"), hidden}}).toJson()));
    QVERIFY2(json.contains(QStringLiteral("\"a\\u007f\\u0085\\u009b\\u202e\\u2067b\"")), qPrintable(json));
    QCOMPARE(QJsonDocument::fromJson(json.toUtf8()).object().value(QStringLiteral("Reg")).toString(), hidden);
    // A mistyped name: one slip is a guess, one in five is none.
    const QStringList names {"Address", "AcftType", "Reg", "Pilot", "TxPower", "TxProtMask", "RxProtMask"};
    QCOMPARE(tracktune::nearestName("Rge", names), QStringLiteral("Reg"));
    QCOMPARE(tracktune::nearestName("TxPwr", names), QString());
}

// The ports a write may go to without --port: every one the search could take.
void LogicTest::portCandidates_data()
{
    QTest::addColumn<PortMap>("ports"); // name -> adapter description
    QTest::addColumn<QStringList>("candidates");
    QTest::newRow("known adapters first, then other USB adapters, each in name order") << PortMap {
        {"ttyUSB0", "FT232R USB UART"}, {"ttyUSB1", "CP2102 USB to UART Bridge Controller"},
        {"ttyACM0", "USB Serial Device"}, {"ttyACM1", "CH340 USB serial"}, {"ttyS0", "ttyS0"},
        {"rfcomm0", ""}} << QStringList {"ttyACM0", "ttyUSB1", "ttyACM1", "ttyUSB0"};
    QTest::newRow("no adapter says USB: none")
        << PortMap {{"ttyS0", "ttyS0"}, {"rfcomm0", "usb"}} << QStringList();
}

void LogicTest::portCandidates()
{
    QFETCH(PortMap, ports);
    QFETCH(QStringList, candidates);
    QCOMPARE(tracktune::portCandidates(ports), candidates);
}

void LogicTest::flasherProgress_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("percent"); // -1: none
    QTest::newRow("CR between updates: the last counts")
        << "Writing at 0x1... (40 %)\rWriting at 0x2... (50 %)\r\n"
        << 50;
    QTest::newRow("bar with colours")
        << "\r\x1b[1;34mWriting at 0x0004c000\x1b[0m [====>   ]  33.3% 81920/245760 bytes..." << 33;
    QTest::newRow("colour reset is no (") << "Writing at 0x1 \x1b(B 57.8%" << 57;
    QTest::newRow("above 100 is no percentage") << "Writing at 0x1 [==] 44444444444444444444%" << -1;
    QTest::newRow("other lines carry no progress") << "Packed 245760 bytes to 139458 (56 %)\n" << -1;
}

void LogicTest::flasherProgress()
{
    QFETCH(QString, output);
    QFETCH(int, percent);
    QCOMPARE(tracktune::progressPercent(output).value_or(-1), percent);
}

// What a failing flasher said last, as the box shows it.
void LogicTest::flasherErrorLines()
{
    QCOMPARE(
        tracktune::lastErrorLines("1\n2\n3\n4\n5\n6\n7\n\n\n", 5), (QStringList {"3", "4", "5", "6", "7"}));
    QCOMPARE(tracktune::lastErrorLines("\x1b[31mA fatal error\x1b[0m\x07\r\nretry 1\rretry 2\r", 5),
        (QStringList {"A fatal error", "retry 1", "retry 2"}));
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
    row("config.txt a byte more", template64 + ' ', true, "", "config.txt: larger than 64 KiB");
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
        << QStringList {"Home = LSZH,Address=0xDEAD01,Reg=HACKED"} << QStringList {"Home: " + inValue}
        << QStringList();
    QTest::newRow("a name the tracker lacks still smuggles nothing")
        << QStringList {"Wing$pan = 15"}
        << QStringList {"Wing$pan: no blank, comma, =, $, * or control character in a name"} << QStringList();
    QTest::newRow("option texts with a comma are a mask, written as one value")
        << QStringList {"TxProtMask = OGN,FANET"} << QStringList() << QStringList {"TxProtMask=0x12"};
    QTest::newRow("an option by a unique word or beginning, case and punctuation aside")
        << QStringList {"AcftType = tow", "FreqPlan = EU", "TxPower = hi", "TxProtMask = ogn,Fan"}
        << QStringList() << QStringList {"AcftType=0x2", "FreqPlan=1", "TxPower=+22", "TxProtMask=0x12"};
    QTest::newRow("a whole text without its punctuation")
        << QStringList {"AcftType = PARAGLIDER"} << QStringList() << QStringList {"AcftType=0x7"};
    QTest::newRow("one decimal digit is a list's hexadecimal index")
        << QStringList {"AcftType = 7"} << QStringList() << QStringList {"AcftType=0x7"};
    QTest::newRow("a word several options have: all of them named, nothing written")
        << QStringList {"AcftType = glider", "TxProtMask = OGN,ads"}
        << QStringList {"AcftType: \"glider\" could be any of: (Moto-)glider, hang-glider, Para-glider",
               "TxProtMask: \"ads\" could be any of: ADS-L, ADS-B"}
        << QStringList();
    const QString cut
        = "\" cannot be stored: the tracker takes only letters A-Z, digits and . @ + - _ / # and "
          "would cut the text there";
    QTest::newRow("a text the tracker would cut at a blank or a letter beyond A-Z")
        << QStringList {"Pilot = Jan Kowalski", "Reg = D-K\u00c4B"}
        << QStringList {"Pilot: \"\u2423" + cut, "Reg: \"\u00c4" + cut} << QStringList();
    QTest::newRow("a text longer than the tracker keeps whole")
        << QStringList {"Pilot = Abcdefghijklmnop"}
        << QStringList {"Pilot: at most 15 characters (this is 16)"} << QStringList();
    QTest::newRow("numbers beyond what the tracker takes, an Address of five digits")
        << QStringList {"TxPower = +32", "FreqPlan = 6", "Address = 0x12345"}
        << QStringList {"TxPower takes -32..+31 dBm or one of", "FreqPlan takes 0..5 or one of",
               "Address takes 6 hexadecimal digits"}
        << QStringList();
    QTest::newRow("numbers within: a power between the levels, an Address without 0x")
        << QStringList {"TxPower = -32", "Address = 4abcde"} << QStringList()
        << QStringList {"TxPower=-32", "Address=0x4ABCDE"};
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

void LogicTest::writePlans_data()
{
    QTest::addColumn<QStringList>("tracker"); // "Name = Value"
    QTest::addColumn<QStringList>("file"); // a file's lines; empty lines count
    QTest::addColumn<bool>("oneByOne"); // as set gives them, else as a file
    QTest::addColumn<bool>("identity");
    QTest::addColumn<QStringList>("writes"); // "Name=Value", in the order they go out
    QTest::addColumn<QStringList>("told"); // skipped and missing names, as the command line says them
    const auto row = [](const char *what, const QStringList &tracker, const QStringList &file, bool oneByOne,
                         bool identity, const QStringList &writes, const QStringList &told = {}) {
        QTest::newRow(what) << tracker << file << oneByOne << identity << writes << told;
    };
    const QStringList fresh {
        "Address = 0x1A2B3C", "AddrType = 0x3", "Reg = ", "ICE = ", "TxPower = +14", "TxProtMask = 0xFF"};
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
    row("another aircraft's file with --identity: all of it, the type first", fresh,
        {"Address = 0x4ABCDE", "Reg = D-KXYZ", "AddrType = 0x1"}, false, true,
        {"AddrType=0x1", "Address=0x4ABCDE", "Reg=D-KXYZ"});
    row("a template names no Address: no aircraft, its identity still asked for", fresh,
        {"Reg = D-KXYZ", "TxPower = LOW"}, false, false, {"TxPower=+10"},
        {"kept the tracker's identity (the file is a template without an Address; --identity writes it): "
         "Reg"});
    row("a template's protocols on an older tracker: exactly those named", fresh, {"TxProtMask = OGN,FANET"},
        false, false, {"TxProtMask=0x12"});
    row("the same template on a newer tracker: four digits, the bits no firmware defines kept",
        {"TxProtMask = 0xFFFF"}, {"TxProtMask = OGN,FANET"}, false, false, {"TxProtMask=0xFE12"});
    row("the same template on a tracker with other protocols on: the same protocols", {"TxProtMask = 0x01E1"},
        {"TxProtMask = OGN,FANET"}, false, false, {"TxProtMask=0x0012"});
    row("a backup's rounded barometer correction is not written back", {"PressCorr = +1.2"},
        {"PressCorr = +2.0"}, false, false, {},
        {"PressCorr: the tracker prints it short or rounded, so a file's value is not written; set it by "
         "hand "
         "to change it"});
    row("set by hand, it is written", {"PressCorr = +1.2"}, {"PressCorr = +2.0"}, true, false,
        {"PressCorr=+2.0"});
    row("typos with their line and the nearest name; another firmware's name only skipped", fresh,
        {"# club", "", "TxPowr = HIGH", "Regg = D-KXYZ", "APN = web", "Wingspan = 15"}, false, true, {},
        {"line 3: TxPowr: the tracker has no such parameter; did you mean TxPower?",
            "line 4: Regg: the tracker has no such parameter; did you mean Reg?",
            "line 5: APN: a parameter this tracker's firmware does not have, skipped",
            "line 6: Wingspan: the tracker has no such parameter"});
}

void LogicTest::writePlans()
{
    QFETCH(QStringList, tracker);
    QFETCH(QStringList, file);
    QFETCH(bool, oneByOne);
    QFETCH(bool, identity);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, told);
    const QList<tracktune::DumpLine> reported = settingsOf(tracker);
    const tracktune::SettingsFile read = tracktune::parseSettingsFile(file.join('\n'));
    const tracktune::ChangePlan plan = oneByOne
        ? tracktune::planSettings(read.settings, reported)
        : tracktune::planFile(read.settings, reported, identity, read.lineOf);
    QStringList said = plan.skipped;
    for (const tracktune::MissingName &missing : plan.missing)
        said << tracktune::missingNameText(missing);
    QCOMPARE(plan.problems, QStringList());
    QCOMPARE(textsOf(plan.writes), writes);
    QCOMPARE(said, told);
    // Whatever order the plan has, the write keeps the type first.
    QCOMPARE(textsOf(tracktune::writeOrder(plan.writes)), writes);
}

// The manual page's list of the identity is the catalogue's, so the two cannot drift apart.
void LogicTest::manualNamesTheCataloguesIdentity()
{
    QFile manual(QStringLiteral(CLI_MANUAL));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(manual.readAll());
    const int start = text.indexOf(QStringLiteral("The identity of the aircraft and its pilot"));
    const int end = text.indexOf(QStringLiteral("is written only"), start);
    QVERIFY(start >= 0 && end > start);
    static const QRegularExpression name(
        QStringLiteral("^\\.(?:BR?|RB) (?:\\( )?(\\w+)"), QRegularExpression::MultilineOption);
    QStringList listed;
    for (auto match = name.globalMatch(text.mid(start, end - start)); match.hasNext();)
        listed << match.next().captured(1);
    QStringList catalogued;
    for (const tracktune::KnownParameter &known : tracktune::knownParameters()) {
        if (known.role == tracktune::ParameterRole::Identity)
            catalogued << known.name;
    }
    listed.sort();
    catalogued.sort();
    QCOMPARE(listed, catalogued);
}

// The read-back names what no sentence asked for; a mask with no protocol left is told.
void LogicTest::changedByTheTracker()
{
    const QList<tracktune::DumpLine> before = settingsOf({"Address = 0x4ABCDE", "AddrType = 0x3", "Reg = A"});
    const QList<tracktune::DumpLine> after = settingsOf({"Address = 0x1A2B3C", "AddrType = 0x1", "Reg = B"});
    const QList<tracktune::SettingChange> changes
        = tracktune::unwrittenChanges(settingsOf({"AddrType = 0x1", "Reg = B"}), before, after);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().name + ": " + changes.first().before + " -> " + changes.first().after,
        QStringLiteral("Address: 0x4ABCDE -> 0x1A2B3C"));
    QVERIFY(tracktune::unwrittenChanges(settingsOf({"AddrType = 0x1", "Address = 0x1A2B3C"}), before, after)
                .size()
        == 1); // Reg
    for (const char *silent : {"0x00", "0x0000", "0xFE00"})
        QVERIFY2(tracktune::silencingWrite(settingsOf({"Reg = A", QStringLiteral("TxProtMask = ") + silent})),
            silent);
    for (const char *sending : {"0x01", "0x0100", "FANET"})
        QVERIFY2(
            !tracktune::silencingWrite(settingsOf({QStringLiteral("TxProtMask = ") + sending})), sending);
}

void LogicTest::refusedSettings()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, problems);
    QFETCH(QStringList, writes);
    const QList<tracktune::DumpLine> tracker {{"Address", "0x1A2B3C"}, {"AcftType", "0x1"}, {"Home", ""},
        {"Pilot", ""}, {"Reg", ""}, {"TxProtMask", "0xFF"}, {"FreqPlan", "0"}, {"TxPower", "+14"}};
    const QList<tracktune::DumpLine> settings = tracktune::parseSettingsFile(file.join('\n')).settings;
    const tracktune::ChangePlan plan = tracktune::planFile(settings, tracker, true);
    QStringList written;
    for (const tracktune::DumpLine &write : plan.writes)
        written << write.name + '=' + write.value;
    // Each problem as it begins: the rest lists the options.
    QCOMPARE(plan.problems.size(), problems.size());
    for (int index = 0; index < problems.size(); ++index)
        QVERIFY2(plan.problems.at(index).startsWith(problems.at(index)), qPrintable(plan.problems.at(index)));
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
    const auto names = [](const Backups &files) {
        QStringList listed;
        for (const tracktune::BackupFile &file : files)
            listed << file.name;
        return listed;
    };
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
        << Backups(ours.mid(10) + foreign + ours.mid(0, 10)) << "0x1A2B3C" << newest << names(ours.mid(0, 2));
    QTest::newRow("twenty kept, however many files others wrote")
        << Backups(foreign + ours.mid(2)) << "0x1A2B3C" << newest << QStringList();
    // The clock went back two years: the new backup is named and written as the oldest.
    const tracktune::BackupFile behind = backup("0x1A2B3C", november.addYears(-2));
    QTest::newRow("with the clock behind the kept backups, the one just written stays")
        << Backups(ours.mid(2) + Backups {behind}) << "0x1A2B3C" << behind.name << names(ours.mid(2, 1));
    // Written in the reverse order of their names: the time written decides.
    Backups renamed = ours.mid(0, 21);
    for (int i = 0; i < renamed.size(); ++i)
        renamed[i].modified = november.addDays(-i);
    QTest::newRow("by the time written, not by the name")
        << renamed << "0x1A2B3C" << renamed.first().name << names(renamed.mid(20));
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
}

void LogicTest::flasherArguments()
{
    QFETCH(QString, templateText);
    QFETCH(QString, image);
    QFETCH(QStringList, arguments);
    QCOMPARE(tracktune::flasherArguments(templateText, "esp32s3", "/dev/ttyUSB0", "/fw", image), arguments);
}

// The tracker's output and the flasher's, read as it comes: the same text however it is cut.
void LogicTest::utf8InPieces_data()
{
    QTest::addColumn<QByteArrayList>("reads"); // as the port or the flasher hands them over
    QTest::addColumn<QString>("text");
    QTest::newRow("a 2-byte character split")
        << QByteArrayList {"Reg = \xc3", "\xa9\n"} << QStringLiteral("Reg = \u00e9\n");
    QTest::newRow("a 4-byte character split twice")
        << QByteArrayList {"\xf0", "\x9f\x98", "\x80 ok"} << QStringLiteral("\U0001F600 ok");
    QTest::newRow("a cut character waits for the next read")
        << QByteArrayList {"ok\n\xe2\x82"} << QStringLiteral("ok\n");
    QTest::newRow("a broken character keeps the line feed read after it")
        << QByteArrayList {"\xc3", "\n"} << QStringLiteral("\ufffd\n");
    QTest::newRow("a cut euro sign before a whole one")
        << QByteArrayList {"\xe2\x82", "\xe2\x82\xac\n"} << QStringLiteral("\ufffd\ufffd\u20ac\n");
    QTest::newRow("a lone continuation byte") << QByteArrayList {"a\x80", "b"} << QStringLiteral("a\ufffdb");
    QTest::newRow("an overlong form")
        << QByteArrayList {"\xe0\x80", "\xaf\n"} << QStringLiteral("\ufffd\ufffd\ufffd\n");
}

void LogicTest::utf8InPieces()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(QString, text);
    QString decoded;
    QByteArray heldBack;
    for (const QByteArray &read : reads) {
        const tracktune::Utf8Text piece = tracktune::decodeUtf8(heldBack, read);
        decoded += piece.text;
        heldBack = piece.heldBack;
        QVERIFY(heldBack.size() <= 3);
    }
    QCOMPARE(decoded, text);
}

void LogicTest::sameDevice_data()
{
    QTest::addColumn<QString>("statusBefore");
    QTest::addColumn<QString>("addressBefore");
    QTest::addColumn<QString>("statusNow");
    QTest::addColumn<QString>("addressNow");
    QTest::addColumn<bool>("same");
    const QString chipA = QStringLiteral("1:1:4ABCDE/0000246F28A1B2C3 SX1262/+14dBm +0.0ppm CON:115200bps");
    const QString chipAReset = QStringLiteral("1:3:A1B2C3/0000246f28a1b2c3/+14dBm +0.0ppm CON:115200bps");
    const QString chipB = QStringLiteral("1:3:A1B2C3/0000246F28FFFFFF RFM95/+14dBm +0.0ppm CON:115200bps");
    const QString none;
    QTest::newRow("an update reset the Address: the same chip")
        << chipA << "0x4ABCDE" << chipAReset << "0xA1B2C3" << true;
    QTest::newRow("another chip with the same Address")
        << chipA << "0x4ABCDE" << chipB << "0x4ABCDE" << false;
    QTest::newRow("no status line: by the Address") << none << "0x4ABCDE" << none << "0x4abcde" << true;
    QTest::newRow("no status line now: another Address")
        << chipA << "0x4ABCDE" << none << "0xBBBBBB" << false;
    QTest::newRow("a line that only looks like one") << "1:3:A1B2C3/0000246F28A1B2C3FF"
                                                     << "0x1" << none << "0x1" << true;
    QTest::newRow("nothing to tell by") << none << none << none << none << false;
}

void LogicTest::sameDevice()
{
    QFETCH(QString, statusBefore);
    QFETCH(QString, addressBefore);
    QFETCH(QString, statusNow);
    QFETCH(QString, addressNow);
    QFETCH(bool, same);
    const auto identity = [](const QString &status, const QString &address) {
        return tracktune::trackerIdentity(QStringLiteral("/dev/ttyUSB0"), status,
            address.isEmpty() ? QList<tracktune::DumpLine>()
                              : QList<tracktune::DumpLine> {{"Address", address}});
    };
    QCOMPARE(tracktune::isSameDevice(identity(statusBefore, addressBefore), identity(statusNow, addressNow)),
        same);
}

// The port list as a person counts, and a port without a description without empty brackets.
void LogicTest::portList_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("COM2 before COM10; no description, no brackets")
        << QStringList {"COM10", "COM2", "COM1"}
        << QStringList {"Silicon Labs CP210x USB to UART Bridge", "", "Communications Port"}
        << QStringList {
               "COM1 (Communications Port)", "COM2", "COM10 (Silicon Labs CP210x USB to UART Bridge)"};
    QTest::newRow("ttyUSB9 before ttyUSB10; a blank description is none")
        << QStringList {"ttyUSB10", "ttyUSB9", "ttyACM0"} << QStringList {"CP2102", " ", "USB Serial Device"}
        << QStringList {"ttyACM0 (USB Serial Device)", "ttyUSB9", "ttyUSB10 (CP2102)"};
    QTest::newRow("paths by their numbers; leading zeros still in one order")
        << QStringList {"COM2", "COM02", "/dev/pts/10", "/dev/pts/9"} << QStringList {"", "", "", ""}
        << QStringList {"/dev/pts/9", "/dev/pts/10", "COM02", "COM2"};
}

void LogicTest::portList()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, descriptions);
    QFETCH(QStringList, entries);
    QHash<QString, QString> ports;
    for (int i = 0; i < names.size(); ++i)
        ports.insert(names.at(i), descriptions.at(i));
    QStringList shown;
    for (const QString &name : tracktune::naturalPortOrder(ports.keys()))
        shown << tracktune::portEntryText(name, ports.value(name));
    QCOMPARE(shown, entries);
}

// A Windows console's control events ask a write to stop as the POSIX signals do.
void LogicTest::consoleEventStops_data()
{
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("signal");
    QTest::newRow("Ctrl+C is SIGINT") << 0 << int(SIGINT);
    QTest::newRow("Ctrl+Break is SIGINT too") << 1 << int(SIGINT);
    QTest::newRow("closing the console is SIGTERM") << 2 << int(SIGTERM);
    QTest::newRow("shutting down is SIGTERM") << 6 << int(SIGTERM);
    QTest::newRow("an event Windows does not send stops nothing") << 3 << 0;
}

void LogicTest::consoleEventStops()
{
    QFETCH(int, event);
    QFETCH(int, signal);
    QCOMPARE(tracktune::stopSignalForConsoleEvent(static_cast<unsigned long>(event)), signal);
}

void LogicTest::hardwareNamesItsChip_data()
{
    QTest::addColumn<QString>("hardware"); // the list's "Hard"
    QTest::addColumn<QString>("chip"); // what the flasher is told
    QTest::newRow("the older firmware names none: an esp32") << QString() << "esp32";
    QTest::newRow("a board with its radio in the name") << "TBeam10-sx1262"
                                                        << "esp32";
    QTest::newRow("an esp32s3 board") << "TBeamS3"
                                      << "esp32s3";
    QTest::newRow("another esp32s3 board") << "HTIT"
                                           << "esp32s3";
    QTest::newRow("an esp32c3 board") << "HC3"
                                      << "esp32c3";
    QTest::newRow("a vendor's name") << "ZRN-LTE"
                                     << "esp32s3";
}

void LogicTest::hardwareNamesItsChip()
{
    QFETCH(QString, hardware);
    QFETCH(QString, chip);
    QCOMPARE(tracktune::chipFromArchitecture(tracktune::firmwareFolderFor(hardware)), chip);
}

QTEST_GUILESS_MAIN(LogicTest)
#include "tst_logic.moc"
