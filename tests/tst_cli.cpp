// SPDX-License-Identifier: GPL-3.0-or-later
// tracktune-cli against simulated trackers: its exit code, its output and what reached the
// tracker; the built program as a separate process, and its commands in this process where the
// port listing must be a made-up one.
#include "config/dumpline.h"
#include "config/settingsfile.h"
#include "espimages.h"
#include "link/serial.h"
#include "testsupport.h"
#include "trackercommands.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <memory>
#include <tuple>
#include <vector>

#include <signal.h>

using tracktune::DumpLine;
using Settings = QList<DumpLine>;
Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(TrackerSimulator::Options)

namespace {

// Exit code (-1: it did not end), standard output and standard error.
std::tuple<int, QString, QString> runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(TRACKTUNE_CLI), arguments);
    // A read takes over a second; a silent tracker is given up after about eleven.
    const bool finished = cli.waitForFinished(30000) && cli.exitStatus() == QProcess::NormalExit;
    return {finished ? cli.exitCode() : -1, QString::fromUtf8(cli.readAllStandardOutput()),
        QString::fromUtf8(cli.readAllStandardError())};
}

// The chip's id the tracker prints in its status line.
QString cpuIdOf(const TrackerSimulator &tracker)
{
    static const QRegularExpression id("^[^\n]*/([0-9A-F]{16})");
    return id.match(QString::fromLatin1(tracker.dump())).captured(1);
}

// A name given twice is listed twice, as some trackers do. The simulator prints a value's
// characters as bytes: it gets the UTF-8 bytes a tracker would print.
void setOn(TrackerSimulator &tracker, const Settings &given)
{
    QStringList named;
    for (DumpLine setting : given) {
        setting.value = QString::fromLatin1(setting.value.toUtf8());
        if (named.contains(setting.name))
            tracker.setParameters(tracker.parameters()
                << TrackerSimulator::Parameter {setting.name, setting.value, QStringLiteral(" #  [char]")});
        else
            tracker.setParameter(setting.name, setting.value);
        named << setting.name;
    }
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandOnTracker_data();
    void commandOnTracker();
    void messages_data();
    void messages();
    void signalDuringWrite_data();
    void signalDuringWrite();
    void fleet_data();
    void fleet();
    void status_data();
    void status();

private:
    QTemporaryDir folder;
    QString pathOf(const char *name) const { return folder.filePath(QLatin1String(name)); }
};

// A configured aircraft's backup by the program, applied onto fresh trackers below, and templates.
void TestCli::initTestCase()
{
    // The commands run in this process too: the link's debug lines would bury the results.
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    // Another aircraft's chip: its identity is not the fresh trackers'.
    TrackerSimulator::Options another;
    another.cpuId = "000024A16CABCDEF";
    TrackerSimulator source(another);
    QVERIFY(source.start());
    setOn(source, {{"Address", "0xABCDEF"}, {"AcftType", "0x7"}, {"Reg", "D-KABC"}});
    // What it holds shows in what applying it writes.
    QCOMPARE(std::get<0>(runCli({"backup", "--port", source.portPath(), pathOf("backup.txt")})), 0);
    // A backup of the chip every fresh tracker below has, taken before its settings were reset.
    TrackerSimulator own;
    QVERIFY(own.start());
    setOn(own, {{"Address", "0xDD1001"}, {"Reg", "D-KOWN"}});
    QCOMPARE(std::get<0>(runCli({"backup", "--port", own.portPath(), pathOf("own.txt")})), 0);
    QVERIFY(testsupport::writeFile(pathOf("template.txt"),
        "# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nAPN = web\nFreqPlan = 0\n"));
    QVERIFY(testsupport::writeFile(pathOf("silent.txt"), "TxProtMask = 0x00\n"));
    QVERIFY(testsupport::writeFile(pathOf("base.txt"), "Base = EDNY\n"));
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<Settings>("onTracker");
    QTest::addColumn<TrackerSimulator::Options>("tracker");
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's; files by name
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output or standard error
    QTest::addColumn<QString>("unsaid"); // on neither; empty: no such text
    const auto row = [](const char *what, const QStringList &arguments, int exitCode, const QStringList &wire,
                         const QStringList &said, const Settings &onTracker = {},
                         const TrackerSimulator::Options &tracker = {}, const QString &unsaid = {}) {
        QTest::newRow(what) << onTracker << tracker << arguments << exitCode << wire << said << unsaid;
    };
    TrackerSimulator::Options older; // the older firmware line: AddrType leaves the Address alone
    older.olderFirmware = true;
    row("show: an info text as printed and as it reads, no escape sequence reaching the terminal",
        {"show", "--all"}, 0, {},
        {QString::fromUtf8("\nPilot = Jan\\x20K\\xC3\\xB6\\x1B[2J (\"Jan K\u00f6\\x1b[2J\")\n")},
        {{"Pilot", "Jan\\x20K\\xC3\\xB6\\x1B[2J"}});
    row("set: an info text with the bytes the tracker printed escaped goes back as it came",
        {"set", "Pilot=Jan\\x20K"}, 0, {"$POGNS,Pilot=Jan\\x20K"}, {"Pilot:  -> Jan\\x20K\n"});
    row("set takes option texts in any case, keeps unnamed mask bits",
        {"set", "AcftType=para-glider", "TxPower=HIGH", "TxProtMask=ogn,FANET", "Stealth=on"}, 0,
        {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,TxProtMask=0xFE12", "$POGNS,Stealth=1"},
        {"AcftType: (Moto-)glider -> Para-glider\n", "TxPower: NORMAL -> HIGH\n", "Stealth: Off -> On\n",
            "TxProtMask: FLARM, OGN, ADS-L, PilotAware, FANET, LoRaWAN, ADS-B, RemoteID, Meshtastic -> OGN, "
            "FANET\n"});
    row("show: a value beyond the options as it is, units beside values", {"show"}, 0, {},
        {"\nTxPower = +20 (dBm)\n", "\nFreqPlan = 9\n", "\nTxProtMask = 0x00 (none)\n"},
        {{"TxPower", "+20"}, {"FreqPlan", "9"}, {"TxProtMask", "0x00"}});
    row("set: the type alone; the custom Address the newer tracker resets is written again after it",
        {"set", "AddrType=ICAO"}, 0, {"$POGNS,AddrType=0x1", "$POGNS,Address=0x4ABCDE"},
        {"AddrType: OGN -> ICAO\n", "Address: 0x4ABCDE -> 0x4ABCDE\n"}, {{"Address", "0x4ABCDE"}});
    row("older firmware keeps the Address: nothing to name", {"set", "AddrType=ICAO"}, 0,
        {"$POGNS,AddrType=0x1"}, {"AddrType: OGN -> ICAO\n"}, {{"Address", "0x4ABCDE"}}, older,
        "changed by the tracker");
    // The older line knows no "\\xHH": the gate refuses what it would cut at the backslash.
    row("older firmware: no escape reaches it", {"set", "Pilot=Jan\\x20K"}, 2, {},
        {"Pilot: \"\\\" cannot be stored", "nothing written"}, {}, older);
    // CONprot holds a byte and prints its last digit: a write that leaves the other digit unnamed asks.
    row("a digit the tracker does not show: refused without --force", {"set", "CONprot=0x5"}, 2, {},
        {"CONprot=0x5: the tracker shows only 1 of its 2 digits", "--force", "nothing written"});
    row("the whole byte written, checked by the digit shown", {"set", "CONprot=0x0E"}, 0,
        {"$POGNS,CONprot=0x0E"},
        {"CONprot: 0xF -> 0xE (written 0x0E; the tracker shows only its last digit)\n"});
    TrackerSimulator::Options dropsPilot;
    dropsPilot.untaken = QStringList {"Pilot"};
    row("a tracker that drops a value: not taken, exit 3", {"set", "Pilot=Jan"}, 3, {"$POGNS,Pilot=Jan"},
        {"Pilot:  -> \n", "tracktune-cli: the tracker did not take: Pilot\n"}, {}, dropsPilot);
    // Both lines' forms of one value read the same; the texts show decoded, the printed values unchanged.
    const Settings printed {{"Stealth", "0"}, {"Pilot", "Jan\\x20K"}, {"FreqCorr", "-1.5"},
        {"TxProtMask", "0x00FF"}, {"Address", "0x4ABCDE"}};
    const QString address = "\"Address\": {\n            \"normalized\": 4898014\n        }";
    const QString freqCorr = "\"FreqCorr\": {\n            \"normalized\": -1.5\n        }";
    const QString stealth
        = "\"Stealth\": {\n            \"normalized\": 0,\n            \"text\": \"Off\"\n        }";
    row("show --json: each value normalised, with its option text", {"show", "--all", "--json"}, 0, {},
        {address, freqCorr, stealth, "\"Pilot\": {\n            \"normalized\": \"Jan K\"\n        }",
            "\"TxProtMask\": {\n            \"normalized\": 255,\n            \"text\": \"FLARM, OGN, ADS-L",
            "\"Pilot\": \"Jan\\\\x20K\"", "\"Stealth\": \"0\""},
        printed);
    row("show --json, the older line: the same values", {"show", "--all", "--json"}, 0, {},
        {address, freqCorr, stealth, "\"Stealth\": \"0x0\""},
        {{"Stealth", "0x0"}, {"FreqCorr", "-1.5"}, {"Address", "0x4ABCDE"}}, older);
    row("show --json on a tracker that does not answer: the error in the document", {"show", "--json"}, 1, {},
        {"\"exitCode\": 1,\n", "\"messages\": [\n        \"no list from ", "\"port\": \"/dev/"}, {},
        testsupport::options(true));
    row("a mask that transmits nothing: refused, nothing written", {"set", "Reg=D-KABC", "TxProtMask=0x00"},
        2, {}, {"transmit nothing", "--force", "nothing written"});
    row("a template that silences the tracker: refused as well", {"apply", "silent.txt"}, 2, {},
        {"transmit nothing", "nothing written"});
    row("--force writes it", {"set", "--force", "TxProtMask=0x00"}, 0, {"$POGNS,TxProtMask=0x0000"},
        {"TxProtMask: FLARM, OGN, ADS-L, PilotAware, FANET, LoRaWAN, ADS-B, RemoteID, Meshtastic -> none\n"});
    row("a parameter behind a comma, a tab, out of the list, a speed that cuts the link: nothing written",
        {"set", "AcftType=0x10", "Base=LSZH,CONbaud=9600", "Reg=D\tK", "FreqPlan=Mars", "CONbaud=57600"}, 2,
        {},
        {"Base: at most 15 characters (this is 17)", "Reg: \"U+0009\" cannot be stored", "AcftType takes",
            "FreqPlan takes", "CONbaud", "nothing written"});
    row("a tracker that never answers gets nothing written", {"set", "Reg=D-KABC"}, 1, {}, {"did not answer"},
        {}, testsupport::options(true));
    row("its own backup after a reset: known by its chip, its identity restored without asking",
        {"apply", "own.txt"}, 0, {"$POGNS,Address=0xDD1001", "$POGNS,Reg=D-KOWN"}, {"Reg:  -> D-KOWN\n"}, {},
        {}, "kept the tracker's identity");
    row("a dry run writes nothing", {"apply", "--dry-run", "backup.txt"}, 0, {},
        {"AcftType: (Moto-)glider -> Para-glider\n", "dry run"});
    row("a club template: comments, option texts, another firmware's name skipped", {"apply", "template.txt"},
        0, {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22"},
        {"line 5: APN: a parameter this tracker's firmware does not have, skipped"});
    row("backup - into a pipe: the values as the tracker printed them", {"backup", "-"}, 0, {},
        {QString::fromUtf8("\nReg = D-K\u202eCBA\u0085\n")},
        {{"Reg", QString::fromUtf8("D-K\u202eCBA\u0085")}});
    // A name listed twice: every command takes the first, as the read-back check does.
    const Settings twice {{"Base", "LSZH"}, {"Pilot", QString::fromUtf8("A\u009b\u2066B")}, {"Base", "EDNY"}};
    row("show: a name listed twice once, its first value", {"show", "--all"}, 0, {}, {"\nBase = LSZH\n"},
        twice, {}, "EDNY");
    row("show --json: the first value too, C1 and bidirectional controls escaped",
        {"show", "--all", "--json"}, 0, {}, {"\"Base\": \"LSZH\"", "\"Pilot\": \"A\\u009b\\u2066B\""}, twice,
        {}, "EDNY");
    row("apply compares with the first value", {"apply", "base.txt"}, 0, {"$POGNS,Base=EDNY"},
        {"Base: LSZH -> EDNY\n"}, twice);
}

void TestCli::commandOnTracker()
{
    QFETCH(Settings, onTracker);
    QFETCH(TrackerSimulator::Options, tracker);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    QFETCH(QString, unsaid);
    arguments.replaceInStrings(QRegularExpression("^(.*\\.txt)$"), folder.filePath("\\1"));
    TrackerSimulator simulator(tracker);
    QVERIFY(simulator.start());
    setOn(simulator, onTracker);
    // The row's own --port, if any, wins: the last one given counts.
    const auto [code, out, err] = runCli(QStringList {"--port", simulator.portPath()} + arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(testsupport::sentencesIn(simulator.receivedBytes()), wire);
    for (const QString &text : std::as_const(said))
        QVERIFY2((out + err).contains(text), qPrintable(out + err));
    QVERIFY2(unsaid.isEmpty() || !(out + err).contains(unsaid), qPrintable(out + err));
    QVERIFY2(!(out + err).contains('\x1b'), "an escape character reached the terminal");
}

void TestCli::messages_data()
{
    QTest::addColumn<QStringList>("arguments"); // "PORT": the simulated tracker's
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // a part of standard output; empty: none at all
    QTest::addColumn<QString>("errors"); // the whole of standard error, "PORT" as above
    const auto row
        = [](const char *what, const QStringList &arguments, int exitCode, const QString &output,
              const QString &errors) { QTest::newRow(what) << arguments << exitCode << output << errors; };
    row("a misspelled name: the one meant, nothing written",
        {"set", "-p", "PORT", "TxPower=high", "acftype=Para-glider"}, 2, "",
        "tracktune-cli: the tracker has no parameter acftype; did you mean AcftType?\n"
        "tracktune-cli: nothing written\n");
    row("an option mistyped: one line, not the usage", {"show", "-p", "PORT", "--jsno"}, 2, "",
        "tracktune-cli: unknown option 'jsno'; try 'tracktune-cli --help'\n");
    row("a port that does not exist", {"show", "-p", "/dev/tracktune-no-such-port"}, 1, "",
        "tracktune-cli: cannot open /dev/tracktune-no-such-port: no such port\n");
    row("nothing at all: the usage", {}, 2, "", tracktune::usageText());
    row("help: the usage", {"help"}, 0, "\n  tracktune-cli show ", "");
    row("-v is --version", {"-v"}, 0, "tracktune-cli ", "");
    row("a misspelled command: the one meant", {"shwo"}, 2, "",
        "tracktune-cli: unknown command: shwo; did you mean show?; try 'tracktune-cli --help'\n");
    // IMAGE: an ESP32-S3 whole-flash image that names the board HTIT.
    row("image: what a whole-flash image for the board's chip names", {"image", "--board", "HTIT", "IMAGE"},
        0,
        "Kind: whole-flash image, written from 0x0 (its settings area too)\nChip: ESP32-S3\nVersion: "
        "OGNv0.2.1\nBoard: HTIT\nFirmware folder: esp32s3-tracker\n",
        "");
    row("image: another chip's is refused", {"image", "--board", "TBeam12", "IMAGE"}, 1, "",
        "tracktune-cli: refused: This image is for an ESP32-S3; the tracker (TBeam12) has an ESP32.\n");
}

// What a user and a script read: one style on standard error, the usage only when asked.
void TestCli::messages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    TrackerSimulator simulator;
    QVERIFY(simulator.start());
    if (arguments.contains("PORT"))
        errors.replace("PORT", simulator.portPath());
    arguments.replaceInStrings(QRegularExpression("^PORT$"), simulator.portPath());
    QTemporaryDir folder;
    QFile image(folder.filePath("merged.bin"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    image.write(espimages::wholeFlash(espimages::esp32s3, 0, QByteArray("OGNv0.2.1\0HTIT", 14)));
    image.close();
    arguments.replaceInStrings(QRegularExpression("^IMAGE$"), image.fileName());
    const auto [code, out, err] = runCli(arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(err, errors);
    QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), qPrintable(out));
    QCOMPARE(simulator.receivedCount('$'), 0);
}

// A signal while a backup is applied, each sentence waiting its whole second: the sentence in
// flight is finished, the tracker read back, and what was written told before the exit.
void TestCli::signalDuringWrite_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("ignoredByParent");
    QTest::addColumn<int>("after"); // sentences the tracker has received when it is sent
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("told"); // before "written: ..."; empty: no word of a signal
    QTest::addColumn<bool>("fleet"); // a second, quicker tracker beside it
    const auto row = [](const char *what, int signal, bool ignored, int after, int exitCode,
                         const QString &told, bool fleet = false) {
        QTest::newRow(what) << signal << ignored << after << exitCode << told << fleet;
    };
    row("SIGTERM between sentences: the rest not sent", SIGTERM, false, 1, 143, "stopped by a signal: ");
    // A fleet gets a club's template: one aircraft's identity never goes onto several trackers.
    row("SIGTERM to a fleet: passed on to each tracker's process", SIGTERM, false, 1, 143,
        "0x1A2B3C: stopped by a signal: ", true);
    row("SIGTERM after the last sentence: all told, then the exit", SIGTERM, false, 4, 143,
        "a signal after the last sentence: ");
    row("SIGINT ignored by the parent stays ignored", SIGINT, true, 1, 0, {});
}

void TestCli::signalDuringWrite()
{
    QFETCH(int, signal);
    QFETCH(bool, ignoredByParent);
    QFETCH(int, after);
    QFETCH(int, exitCode);
    QFETCH(QString, told);
    QFETCH(bool, fleet);
    TrackerSimulator::Options options;
    options.answerDelayMs = 1500; // longer than a sentence waits for its answer
    TrackerSimulator simulator(options);
    QVERIFY(simulator.start());
    TrackerSimulator other; // its lines are told apart by its Address
    QVERIFY(other.start());
    other.setParameter("Address", "0xDD1002");
    const QStringList otherPort = fleet ? QStringList {"--port", other.portPath()} : QStringList();
    // As a shell starts a background job: the child inherits the ignored signal.
    const auto previous = std::signal(SIGINT, ignoredByParent ? SIG_IGN : SIG_DFL);
    QProcess cli;
    cli.start(QStringLiteral(TRACKTUNE_CLI),
        (fleet ? QStringList {"apply"} : QStringList {"apply", "--identity"})
            + QStringList {"--port", simulator.portPath()} + otherPort
            + QStringList {folder.filePath(fleet ? "template.txt" : "backup.txt")});
    QVERIFY(cli.waitForStarted());
    std::signal(SIGINT, previous);
    QTRY_VERIFY_WITH_TIMEOUT(simulator.receivedCount('$') >= after, 20000);
    QCOMPARE(::kill(pid_t(cli.processId()), signal), 0);
    QVERIFY(cli.waitForFinished(30000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY2(cli.exitCode() == exitCode, qPrintable(err));
    // What it says it wrote is what reached the wire; the rest, never sent, it names too.
    const QStringList written = testsupport::sentencesIn(simulator.receivedBytes())
                                    .replaceInStrings(QRegularExpression("^.*,|=.*$"), {});
    QStringList notWritten
        = fleet ? QStringList {"AcftType", "TxPower"} : QStringList {"Address", "AcftType", "BTname", "Reg"};
    for (const QString &name : std::as_const(written))
        notWritten.removeOne(name);
    QCOMPARE(notWritten.isEmpty(), !told.endsWith("stopped by a signal: "));
    if (told.isEmpty())
        QVERIFY2(!err.contains("signal"), qPrintable(err));
    else
        QVERIFY2(err.contains(told + "written: " + written.join(", ") + "; not written: "
                     + (notWritten.isEmpty() ? QStringLiteral("none") : notWritten.join(", ")) + '\n'),
            qPrintable(err));
    QVERIFY2(fleet || out.contains("Address: 0x1A2B3C -> 0xABCDEF\n"), qPrintable(out));
}

// Several trackers at once: each its own process, every line named, the worst exit code; and a
// write without --port only to the one port the search could take. The commands run in this
// process so that the port listing can be a made-up one.
void TestCli::fleet_data()
{
    QTest::addColumn<QStringList>(
        "arguments"); // "A", "B": the trackers 0xDD1001 and 0xDD1002, in port order;
    // "GONE": an unplugged port; "HERE/": an empty folder, "DATE" today
    QTest::addColumn<QStringList>("descriptions"); // of A and B in the port listing
    QTest::addColumn<int>("busy"); // 0: A held open by another program, -1: none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said"); // whole lines of standard output or error
    QTest::addColumn<QStringList>("wire"); // every sentence A and B received, "A: $POGNS,..."
    QTest::addColumn<QStringList>("existing"); // files in HERE/ before
    QTest::addColumn<QStringList>("objects"); // --json: each tracker's "address-or-port exitCode written"
    // In HERE/ after; "CPUA", "CPUB": A's and B's CPU id, "CPU" either's. Each file but one "kept" is
    // a whole backup of its own tracker.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("addresses"); // A's and B's; empty: it prints none
    QTest::addColumn<bool>("slowFirst"); // A answers late, so that B ends first
    const auto row
        = [](const char *what, const QStringList &arguments, const QStringList &descriptions, int exitCode,
              const QStringList &said, const QStringList &wire = {}, const QStringList &existing = {},
              const QStringList &objects = {}, const QStringList &files = {}, int busy = -1) {
              QTest::newRow(what) << arguments << descriptions << busy << exitCode << said << wire << existing
                                  << objects << files << QStringList {"0xDD1001", "0xDD1002"} << false;
          };
    // Two trackers backed up into one folder, that Address each; said in order.
    const auto backupRow
        = [](const char *what, const QStringList &addresses, int exitCode, const QStringList &said,
              const QStringList &existing, const QStringList &files) {
              QTest::newRow(what) << QStringList {"backup", "-p", "A", "-p", "B", "HERE/"}
                                  << QStringList {"USB Serial Device", "USB Serial Device"} << -1 << exitCode
                                  << said << QStringList() << existing << QStringList() << files << addresses
                                  << true;
          };
    const QStringList usb {"USB Serial Device", "USB Serial Device"};
    const QString gone = "tracktune-cli: GONE: cannot open GONE: no such port";
    const QString several = "tracktune-cli: several ports may hold a tracker: name one with --port: A, B";
    row("two trackers and an unplugged port: each line named, the worst exit code",
        {"set", "-p", "A", "-p", "GONE", "-p", "B", "FreqPlan=eu"}, usb, 1,
        {"0xDD1001: FreqPlan: Automatic -> Europe", "0xDD1002: FreqPlan: Automatic -> Europe", gone},
        {"A: $POGNS,FreqPlan=1", "B: $POGNS,FreqPlan=1"});
    row("--json: one object per tracker, in the order given",
        {"set", "--json", "-p", "B", "-p", "GONE", "-p", "A", "FreqPlan=1"}, usb, 1, {gone},
        {"A: $POGNS,FreqPlan=1", "B: $POGNS,FreqPlan=1"}, {},
        {"0xDD1002 0 FreqPlan", "GONE 1 ", "0xDD1001 0 FreqPlan"});
    // Two aircraft sending one address are a hazard: refused before any tracker is asked.
    row("one identity for several trackers: refused, nothing written",
        {"set", "-p", "A", "-p", "B", "Address=0xDD1001", "Reg=D-ONE"}, usb, 2,
        {"tracktune-cli: set with several ports would give every tracker the same Address, Reg; set it on "
         "each tracker's own port; try 'tracktune-cli --help'"});
    row("--port all: every known adapter", {"show", "--port", "all"},
        {"CP2104 USB to UART Bridge Controller", "Bluetooth serial"}, 0, {"0xDD1001: Reg = D-1001"});
    row("--port all without a known adapter: refused", {"set", "--port", "all", "FreqPlan=1"},
        {"FT232R USB UART", "Bluetooth serial"}, 1,
        {"tracktune-cli: --port all: no known tracker adapter is plugged in"});
    row("backup DIR/: a file per Address, one already there kept", {"backup", "-p", "A", "-p", "B", "HERE/"},
        usb, 2,
        {"0xDD1002: 3 parameters of B saved to HERE/0xDD1002-DATE.txt",
            "tracktune-cli: 0xDD1001: HERE/0xDD1001-DATE.txt exists: --force replaces it"},
        {}, {"0xDD1001-DATE.txt"}, {}, {"0xDD1001-DATE.txt", "0xDD1002-DATE.txt"});
    // The first to finish takes the Address's name, the other the name with its CPU id.
    backupRow("backup DIR/: two trackers printing one Address, two whole files", {"0xDD1001", "0xDD1001"}, 0,
        {"0xDD1001: 3 parameters of A saved to HERE/0xDD1001-CPUA-DATE.txt"}, {},
        {"0xDD1001-DATE.txt", "0xDD1001-CPUA-DATE.txt"});
    backupRow("backup DIR/: no Address on either, each named by its CPU id", {"", ""}, 0,
        {"A: 3 parameters of A saved to HERE/tracker-CPUA-DATE.txt",
            "B: 3 parameters of B saved to HERE/tracker-CPUB-DATE.txt"},
        {}, {"tracker-CPUA-DATE.txt", "tracker-CPUB-DATE.txt"});
    backupRow("backup DIR/: an older file of that Address replaced by neither", {"0xDD1001", "0xDD1001"}, 2,
        {"tracktune-cli: 0xDD1001: HERE/0xDD1001-DATE.txt exists: --force replaces it",
            "tracktune-cli: 0xDD1001: HERE/0xDD1001-DATE.txt exists: --force replaces it"},
        {"0xDD1001-DATE.txt"}, {"0xDD1001-DATE.txt"});
    QTest::newRow("the first port's lines first, though it ends last")
        << QStringList {"show", "-p", "A", "-p", "B"} << usb << -1 << 0
        << QStringList {"0xDD1001: Address = 0xDD1001", "0xDD1001: FreqPlan = 0 (Automatic)",
               "0xDD1002: Address = 0xDD1002", "0xDD1002: FreqPlan = 0 (Automatic)"}
        << QStringList() << QStringList() << QStringList() << QStringList()
        << QStringList {"0xDD1001", "0xDD1002"} << true;
    QTest::newRow("and so are its messages")
        << QStringList {"set", "-p", "A", "-p", "B", "FreqPlam=1"} << usb << -1 << 2
        << QStringList {"tracktune-cli: 0xDD1001: the tracker has no parameter FreqPlam; did you mean "
                        "FreqPlan?",
               "tracktune-cli: 0xDD1001: nothing written",
               "tracktune-cli: 0xDD1002: the tracker has no parameter FreqPlam; did you mean FreqPlan?"}
        << QStringList() << QStringList() << QStringList() << QStringList()
        << QStringList {"0xDD1001", "0xDD1002"} << true;
    row("backup --force DIR/ replaces it", {"backup", "--force", "--json", "-p", "A", "HERE/"}, usb, 0, {},
        {}, {"0xDD1001-DATE.txt"}, {"0xDD1001 0 "}, {"0xDD1001-DATE.txt"});
    row("backup onto a file: refused before the tracker is asked", {"backup", "-p", "A", "HERE/old.txt"}, usb,
        2, {"tracktune-cli: HERE/old.txt exists: --force replaces it"}, {}, {"old.txt"}, {}, {"old.txt"});
    row("several trackers into one file: refused", {"backup", "-p", "A", "-p", "B", "HERE/all.txt"}, usb, 2,
        {"tracktune-cli: the backups of several trackers go into a folder: backup DIR/; try 'tracktune-cli "
         "--help'"});
    row("no --port, two unknown USB adapters: both named, nothing written", {"set", "Reg=D-1"},
        {"FT232R USB UART", "FT232R USB UART"}, 1, {several});
    row("no --port, a busy known adapter: the other USB tracker is not written", {"set", "Reg=D-1"},
        {"USB Serial Device", "CH340 USB serial"}, 1, {several}, {}, {}, {}, {}, 0);
    row("no --port, one candidate among other ports is written", {"set", "Reg=D-1"},
        {"Bluetooth serial", "CH340 USB serial"}, 0, {"tracktune-cli: using B"}, {"B: $POGNS,Reg=D-1"});
    row("no --port, no candidate: none found", {"set", "Reg=D-1"}, {"Bluetooth serial", "Bluetooth serial"},
        1, {"tracktune-cli: no tracker found: no port has a known adapter or \"USB\" in its description"});
}

void TestCli::fleet()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, descriptions);
    QFETCH(int, busy);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, objects);
    QFETCH(QStringList, files);
    QFETCH(QStringList, addresses);
    QFETCH(bool, slowFirst);
    const auto trackers = testsupport::trackersInPortOrder(2);
    TrackerSimulator &a = *trackers.at(0), &b = *trackers.at(1);
    for (int i = 0; i < 2; ++i)
        trackers.at(size_t(i))->setParameters({{"Address", addresses.at(i), {}},
            {"Reg", QString("D-100%1").arg(i + 1), {}}, {"FreqPlan", "0", {}}});
    if (slowFirst)
        a.setAnswerDelay(2000);
    QSerialPort otherProgram(busy == 0 ? a.portPath() : QString());
    QVERIFY(busy < 0 || otherProgram.open(QIODevice::ReadWrite));
    QTemporaryDir dir;
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    for (const QString &name : std::as_const(existing))
        QVERIFY(testsupport::writeFile(dir.filePath(QString(name).replace("DATE", date)), "kept\n"));
    const auto placed = [&](QString text) {
        return text.replace("CPUA", cpuIdOf(a))
            .replace("CPUB", cpuIdOf(b))
            .replace(QRegularExpression("\\bA\\b"), a.portPath())
            .replace(QRegularExpression("\\bB\\b"), b.portPath())
            .replace("GONE", "/dev/tracktune-unplugged")
            .replace("HERE/", dir.path() + '/')
            .replace("DATE", date);
    };
    for (QString &argument : arguments)
        argument = placed(argument);
    const testsupport::PortListing listing(
        {{a.portPath(), descriptions.at(0)}, {b.portPath(), descriptions.at(1)}});
    QString out, err;
    TrackerCommands commands(&out, &err);
    commands.setProgram(QStringLiteral(TRACKTUNE_CLI));
    QCOMPARE(commands.run(tracktune::parseCommandLine(QStringList {"tracktune-cli"} + arguments)), exitCode);
    // In the order said, standard output's before standard error's.
    const QStringList lines = (out + err).split('\n');
    int after = -1;
    for (const QString &line : std::as_const(said)) {
        after = lines.indexOf(placed(line), after + 1);
        QVERIFY2(after >= 0, qPrintable(placed(line) + " not after what came before it in:\n" + out + err));
    }
    if (!objects.isEmpty()) {
        QStringList summaries;
        // One tracker's object alone, a fleet's in a list.
        const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8());
        const QJsonArray list = document.isObject() ? QJsonArray {document.object()} : document.array();
        for (const QJsonValue &value : list) {
            const QJsonObject object = value.toObject();
            QStringList written;
            for (const QJsonValue &name : object.value("written").toArray())
                written << name.toString();
            summaries << object.value(object.contains("address") ? "address" : "port").toString() + ' '
                    + QString::number(object.value("exitCode").toInt()) + ' ' + written.join(',');
        }
        QCOMPARE(summaries, QStringList(objects).replaceInStrings("GONE", "/dev/tracktune-unplugged"));
    }
    QStringList received;
    for (const QString &sentence : testsupport::sentencesIn(a.receivedBytes()))
        received << "A: " + sentence;
    for (const QString &sentence : testsupport::sentencesIn(b.receivedBytes()))
        received << "B: " + sentence;
    QCOMPARE(received, wire);
    const QStringList present = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(present.size(), files.size());
    QStringList regs;
    for (const QString &pattern : std::as_const(files)) {
        const QRegularExpression name('^'
            + QRegularExpression::escape(QString(pattern).replace("DATE", date))
                  .replace("CPUA", cpuIdOf(a))
                  .replace("CPUB", cpuIdOf(b))
                  .replace("CPU", '(' + cpuIdOf(a) + '|' + cpuIdOf(b) + ')')
            + '$');
        const QStringList matching = present.filter(name);
        QVERIFY2(matching.size() == 1, qPrintable(pattern + " among " + present.join(", ")));
        QFile file(dir.filePath(matching.first()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const tracktune::SettingsFile backup = tracktune::readSettingsFile(file);
        if (existing.contains(pattern) && !arguments.contains("--force"))
            continue;
        // Whole, and no tracker's backup twice.
        const DumpLine *reg = tracktune::findSetting(backup.settings, "Reg");
        QVERIFY2(reg && tracktune::findSetting(backup.settings, "FreqPlan"), qPrintable(matching.first()));
        regs << reg->value;
    }
    regs.removeDuplicates();
    QCOMPARE(regs.size(), present.size() - (arguments.contains("--force") ? 0 : existing.size()));
    for (const QString &name : std::as_const(existing)) {
        QFile file(dir.filePath(QString(name).replace("DATE", date)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll() == "kept\n", !arguments.contains("--force"));
    }
}

// The preflight status of a tracker printing the lines of its firmware line, fed through the
// pseudo-terminal as they come; status writes nothing.
void TestCli::status_data()
{
    QTest::addColumn<QString>("prints"); // "newer", "older": a tracker with a fix; "nothing"
    QTest::addColumn<int>("verbose");
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said"); // on standard output or standard error
    QTest::addColumn<QString>("json"); // --json: what it says of each item
    const auto row = [](const char *what, const QString &prints, int verbose, const QStringList &arguments,
                         int exitCode, const QStringList &said, const QString &json = {}) {
        QTest::newRow(what) << prints << verbose << arguments << exitCode << said << json;
    };
    row("the newer line with a fix, transmitting: every item, early", "newer", 1,
        {"status", "--seconds", "20", "--require", "fix,transmitting"}, 0,
        {"GPS: 3-D fix, 8 satellites, HDOP 0.9\n", "Radio: transmitting (OGN, 6 packets in the last ",
            "Receiver: 24 packets a minute, noise -108.0 dBm, frequency plan 1 (Europe)",
            "Pressure sensor: found, 987.7 hPa\n", "Battery: 4.12 V\n", "Output: continuous\n"});
    row("--json", "newer", 1, {"status", "--json", "--seconds", "20", "--require", "fix,verbose"}, 0, {},
        "fix=true satellites=8 transmitting=true ogn_tx=148 volts=4.123 sensor=true verbose=true notMet=");
    row("--json: what --require did not meet", "older", 1,
        {"status", "--json", "--seconds", "3", "--require", "fix,transmitting,pressure-sensor"}, 1,
        {"tracktune-cli: not met: transmitting, pressure-sensor\n"},
        "fix=true satellites=8 transmitting=null ogn_tx=null volts=4.123 sensor=null verbose=true "
        "notMet=transmitting,pressure-sensor");
    row("the older line: no transmit status, so --require transmitting is not met", "older", 1,
        {"status", "--seconds", "3", "--require", "transmitting"}, 1,
        {"GPS: 3-D fix, 8 satellites, HDOP 0.9\n", "Radio: transmit status not printed by this firmware\n",
            "Receiver: 11 packets a minute, noise -110.5 dBm", "tracktune-cli: not met: transmitting\n"});
    row("Verbose 0: nothing continuous, and how to switch it on", "nothing", 0, {"status", "--json"}, 0,
        {"\"verbose_setting\": 0"},
        "fix=false satellites=null transmitting=null ogn_tx=null volts=4.123 sensor=null verbose=false "
        "notMet=");
    row("Verbose on, yet nothing continuous", "nothing", 1, {"status", "--seconds", "2"}, 0,
        {"GPS: no output seen\n", "Battery: 4.12 V\n"});
    row("--watch until SIGINT: each change as it comes", "newer", 1, {"status", "--watch"}, 0,
        {"GPS: 3-D fix, 8 satellites, HDOP 0.9\n", "Radio: 142 OGN packets sent since start-up",
            "Radio: transmitting (OGN, 6 packets in the last "});
}

void TestCli::status()
{
    QFETCH(QString, prints);
    QFETCH(int, verbose);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    QFETCH(QString, json);
    TrackerSimulator::Options options;
    options.olderFirmware = prints == "older";
    TrackerSimulator simulator(options);
    QVERIFY(simulator.start());
    simulator.setParameter("Verbose", QString("0x0%1").arg(verbose));
    // A second of the tracker's output every half second, so that the test waits less; the
    // radio's reports, every 10 s on a tracker, two seconds apart.
    const QByteArray gps = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,081226,003.1,W*6A\r\n"
                           "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
                           "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";
    const QByteArray newer = gps + "$POGNR,1,24,,-108.0,+60.0,,,*4A\r\n"
        + "$POGNB,12.50,+21.3,98765.4,2.1,+250.3,+248.7,+0.12,*70\r\n";
    const QByteArray older = gps + "$POGNR,1,12,,-110.5,+58.3,+27,,*65\r\n";
    const auto radio = [](int sent) {
        return "Radio: Tx: 0:" + QByteArray::number(sent)
            + ":0:0:0:0:0  Rx: 3:57:0:0:0:0:0  -110.5dBm 6 pkts 0.6 pkt/s 58.3s [1234]\r\n";
    };
    int tick = 0;
    QTimer feeding;
    QObject::connect(&feeding, &QTimer::timeout, &feeding, [&] {
        ++tick;
        if (prints == "newer")
            simulator.inject(newer + (tick == 2 ? radio(142) : tick == 6 ? radio(148) : QByteArray()));
        else if (prints == "older")
            simulator.inject(older);
        if (arguments.contains("--watch") && tick == 12)
            ::raise(SIGINT);
    });
    feeding.start(500);
    arguments.insert(0, simulator.portPath());
    arguments.insert(0, "--port");
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(commands.run(tracktune::parseCommandLine(QStringList {"tracktune-cli"} + arguments)), exitCode);
    for (const QString &text : std::as_const(said))
        QVERIFY2((out + err).contains(text), qPrintable(text + " not in:\n" + out + err));
    if (!json.isEmpty()) {
        const QJsonObject object = QJsonDocument::fromJson(out.toUtf8()).object();
        const auto shown = [](const QJsonValue &value) {
            return value.isNull() ? QString("null")
                : value.isBool()  ? QString(value.toBool() ? "true" : "false")
                                  : QString::number(value.toDouble());
        };
        QStringList notMet;
        for (const QJsonValue &name : object["notMet"].toArray())
            notMet << name.toString();
        QCOMPARE(
            QString("fix=%1 satellites=%2 transmitting=%3 ogn_tx=%4 volts=%5 sensor=%6 verbose=%7 notMet=%8")
                .arg(shown(object["gps"].toObject()["fix"]), shown(object["gps"].toObject()["satellites"]),
                    shown(object["radio"].toObject()["transmitting"]),
                    shown(object["radio"].toObject()["ogn_tx"]), shown(object["battery"].toObject()["volts"]),
                    shown(object["pressure_sensor"]), shown(object["verbose"]), notMet.join(',')),
            json);
    }
    QCOMPARE(testsupport::sentencesIn(simulator.receivedBytes()), QStringList());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
