// SPDX-License-Identifier: GPL-3.0-or-later
// tracktune-cli against simulated trackers: its exit code, its output and what reached the
// tracker; the built program as a separate process, and its commands in this process where the
// port listing must be a made-up one.
#include "config/dumpline.h"
#include "link/portorder.h"
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

#include <csignal>
#include <memory>
#include <tuple>
#include <vector>

#include <signal.h>

using tracktune::DumpLine;
using Settings = QList<DumpLine>;
Q_DECLARE_METATYPE(Settings)

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
    void writesWithoutPortNeedOneCandidate_data();
    void writesWithoutPortNeedOneCandidate();
    void signalDuringWrite_data();
    void signalDuringWrite();
    void fleet_data();
    void fleet();

private:
    QTemporaryDir folder;
    QString pathOf(const char *name) const { return folder.filePath(QLatin1String(name)); }
};

// A configured aircraft's backup by the program, applied onto fresh trackers below, and templates.
void TestCli::initTestCase()
{
    // The commands run in this process too: the link's debug lines would bury the results.
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    TrackerSimulator source;
    QVERIFY(source.start());
    setOn(source, {{"Address", "0xABCDEF"}, {"AcftType", "0x7"}, {"Reg", "D-KABC"}});
    // What it holds shows in what applying it writes.
    QCOMPARE(std::get<0>(runCli({"backup", "--port", source.portPath(), pathOf("backup.txt")})), 0);
    QFile club(pathOf("template.txt"));
    QVERIFY(club.open(QIODevice::WriteOnly)
        && club.write("# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nAPN = web\nFreqPlan = 0\n")
            > 0);
    QFile typo(pathOf("typo.txt"));
    QVERIFY(typo.open(QIODevice::WriteOnly) && typo.write("AcftType = Para-glider\nTxPowr = HIGH\n") > 0);
    QFile silent(pathOf("silent.txt"));
    QVERIFY(silent.open(QIODevice::WriteOnly) && silent.write("TxProtMask = 0x00\n") > 0);
    QFile base(pathOf("base.txt"));
    QVERIFY(base.open(QIODevice::WriteOnly) && base.write("Base = EDNY\n") > 0);
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<Settings>("onTracker");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's; files by name
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output or standard error
    QTest::addColumn<QString>("unsaid"); // on neither; empty: no such text
    QTest::addColumn<bool>("older"); // the older firmware line: AddrType leaves the Address alone
    const auto row = [](const char *what, const QStringList &arguments, int exitCode, const QStringList &wire,
                         const QStringList &said, const Settings &onTracker = {}, bool silent = false,
                         const QString &unsaid = {}, bool older = false) {
        QTest::newRow(what) << onTracker << silent << arguments << exitCode << wire << said << unsaid
                            << older;
    };
    row("show: a tracker's escape sequence reaches no terminal", {"show", "--all"}, 0, {},
        {"\nPilot = \\x1b[2J\\x07\\x1b[1A\n"}, {{"Pilot", "\x1b[2J\x07\x1b[1A"}});
    row("set takes option texts in any case, keeps unnamed mask bits",
        {"set", "AcftType=para-glider", "TxPower=HIGH", "TxProtMask=ogn,FANET"}, 0,
        {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x12"},
        {"AcftType: (Moto-)glider -> Para-glider\n", "TxPower: NORMAL -> HIGH\n",
            "TxProtMask: FLARM, OGN, ADS-L, PilotAware, FANET, LoRaWAN, ADS-B, RemoteID -> OGN, FANET\n"});
    row("set: one digit is the type's index, a word names the plan", {"set", "AcftType=7", "FreqPlan=eu"}, 0,
        {"$POGNS,AcftType=0x7", "$POGNS,FreqPlan=1"},
        {"AcftType: (Moto-)glider -> Para-glider\n", "FreqPlan: Automatic -> Europe\n"});
    row("show: a value beyond the options as it is, units beside values", {"show"}, 0, {},
        {"\nTxPower = +20 (dBm)\n", "\nFreqPlan = 9\n", "\nTxProtMask = 0x00 (none)\n"},
        {{"TxPower", "+20"}, {"FreqPlan", "9"}, {"TxProtMask", "0x00"}});
    row("set: the type before the Address, which stays", {"set", "Address=0x4ABCDE", "AddrType=ICAO"}, 0,
        {"$POGNS,AddrType=0x1", "$POGNS,Address=0x4ABCDE"}, {"Address: 0x1A2B3C -> 0x4ABCDE\n"}, {}, false,
        "changed by the tracker");
    row("set: the type alone, the Address the tracker resets is named", {"set", "AddrType=ICAO"}, 0,
        {"$POGNS,AddrType=0x1"},
        {"AddrType: OGN -> ICAO\n", "Address: 0x4ABCDE -> 0x1A2B3C (changed by the tracker)\n"},
        {{"Address", "0x4ABCDE"}});
    row("older firmware keeps the Address: nothing to name", {"set", "AddrType=ICAO"}, 0,
        {"$POGNS,AddrType=0x1"}, {"AddrType: OGN -> ICAO\n"}, {{"Address", "0x4ABCDE"}}, false,
        "changed by the tracker", true);
    row("a mask that transmits nothing: refused, nothing written", {"set", "Reg=D-KABC", "TxProtMask=0x00"},
        2, {}, {"transmit nothing", "--force", "nothing written"});
    row("a template that silences the tracker: refused as well", {"apply", "silent.txt"}, 2, {},
        {"transmit nothing", "nothing written"});
    row("--force writes it", {"set", "--force", "TxProtMask=0x00"}, 0, {"$POGNS,TxProtMask=0x00"},
        {"TxProtMask: FLARM, OGN, ADS-L, PilotAware, FANET, LoRaWAN, ADS-B, RemoteID -> none\n"});
    row("a misspelled name in a template: its line and the name meant, nothing written",
        {"apply", "typo.txt"}, 2, {},
        {"typo.txt: line 2: TxPowr: the tracker has no such parameter; did you mean TxPower?",
            "nothing written"});
    row("a second parameter behind a comma, a tab: nothing written",
        {"set", "AcftType=0x7", "Base=LSZH,CONbaud=9600", "Reg=D\tK"}, 2, {},
        {"Base: \",\" cannot be stored", "Reg: \"U+0009\" cannot be stored", "nothing written"});
    row("out of the list, text a select does not take, a speed that cuts the link",
        {"set", "AcftType=0x10", "FreqPlan=Mars", "CONbaud=57600"}, 2, {},
        {"AcftType takes", "FreqPlan takes", "CONbaud"});
    row("a tracker that never answers gets nothing written", {"set", "Reg=D-KABC"}, 1, {}, {"did not answer"},
        {}, true);
    row("another aircraft's backup leaves the identity alone", {"apply", "backup.txt"}, 0,
        {"$POGNS,AcftType=0x7"}, {"identity"});
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
        twice, false, "EDNY");
    row("show --json: the first value too, C1 and bidirectional controls escaped",
        {"show", "--all", "--json"}, 0, {}, {"\"Base\": \"LSZH\"", "\"Pilot\": \"A\\u009b\\u2066B\""}, twice,
        false, "EDNY");
    row("set compares with the first value", {"set", "Base=EDNY"}, 0, {"$POGNS,Base=EDNY"},
        {"Base: LSZH -> EDNY\n"}, twice);
    row("apply compares with the first value", {"apply", "base.txt"}, 0, {"$POGNS,Base=EDNY"},
        {"Base: LSZH -> EDNY\n"}, twice);
}

void TestCli::commandOnTracker()
{
    QFETCH(Settings, onTracker);
    QFETCH(bool, silent);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    QFETCH(QString, unsaid);
    QFETCH(bool, older);
    arguments.replaceInStrings(QRegularExpression("^(.*\\.txt)$"), folder.filePath("\\1"));
    TrackerSimulator::Options options = testsupport::options(silent);
    options.olderFirmware = older;
    TrackerSimulator simulator(options);
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
    row("-p is --port", {"show", "-p", "PORT"}, 0, "\nAcftType = 0x1 ((Moto-)glider)\n", "");
    row("a misspelled name: the one meant, nothing written",
        {"set", "-p", "PORT", "TxPower=high", "acftype=Para-glider"}, 2, "",
        "tracktune-cli: the tracker has no parameter acftype; did you mean AcftType?\n"
        "tracktune-cli: nothing written\n");
    row("an option mistyped: one line, not the usage", {"show", "-p", "PORT", "--jsno"}, 2, "",
        "tracktune-cli: unknown option 'jsno'; try 'tracktune-cli --help'\n");
    row("a port that does not exist", {"show", "-p", "/dev/tracktune-no-such-port"}, 1, "",
        "tracktune-cli: cannot open /dev/tracktune-no-such-port: no such port\n");
    row("a word three types have: all three named, nothing written", {"set", "-p", "PORT", "AcftType=glider"},
        2, "",
        "tracktune-cli: AcftType: \"glider\" could be any of: (Moto-)glider, hang-glider, Para-glider\n"
        "tracktune-cli: nothing written\n");
    row("nothing at all: the usage", {}, 2, "", tracktune::usageText());
    row("help: the usage", {"help"}, 0, "\n  tracktune-cli show ", "");
    row("-v is --version", {"-v"}, 0, "tracktune-cli ", "");
    row("a misspelled command: the one meant", {"shwo"}, 2, "",
        "tracktune-cli: unknown command: shwo; did you mean show?; try 'tracktune-cli --help'\n");
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
    const auto [code, out, err] = runCli(arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(err, errors);
    QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), qPrintable(out));
    QCOMPARE(simulator.receivedCount('$'), 0);
}

// Without --port a write goes to the one port the search could take, or nowhere.
void TestCli::writesWithoutPortNeedOneCandidate_data()
{
    QTest::addColumn<QStringList>("descriptions"); // a simulated tracker each, in the order of their ports
    QTest::addColumn<int>("busy"); // the one another program holds open; -1: none
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("written"); // the one that takes the sentence; -1: none
    QTest::addColumn<QString>("errors"); // "PORT0", "PORT1": their ports
    const QString several
        = "tracktune-cli: several ports may hold a tracker: name one with --port: PORT0, PORT1\n";
    QTest::newRow("two unknown USB adapters: both named, nothing written")
        << QStringList {"FT232R USB UART", "FT232R USB UART"} << -1 << 1 << -1 << several;
    QTest::newRow("a busy known adapter: the other USB tracker is not written")
        << QStringList {"USB Serial Device", "CH340 USB serial"} << 0 << 1 << -1 << several;
    QTest::newRow("one candidate among other ports is written") << QStringList {
        "Bluetooth serial", "CH340 USB serial"} << -1 << 0 << 1 << "tracktune-cli: using PORT1\n";
    QTest::newRow("no candidate: none found")
        << QStringList {"Bluetooth serial"} << -1 << 1 << -1
        << "tracktune-cli: no tracker found: no port has a known adapter or \"USB\" in its description\n";
}

void TestCli::writesWithoutPortNeedOneCandidate()
{
    QFETCH(QStringList, descriptions);
    QFETCH(int, busy);
    QFETCH(int, exitCode);
    QFETCH(int, written);
    QFETCH(QString, errors);
    std::vector<std::unique_ptr<TrackerSimulator>> trackers;
    for (int i = 0; i < descriptions.size(); ++i) {
        trackers.push_back(std::make_unique<TrackerSimulator>());
        QVERIFY(trackers.back()->start());
    }
    std::sort(trackers.begin(), trackers.end(),
        [](const auto &a, const auto &b) { return tracktune::portNameLess(a->portPath(), b->portPath()); });
    QHash<QString, QString> ports;
    for (int i = 0; i < descriptions.size(); ++i) {
        ports.insert(trackers.at(i)->portPath(), descriptions.at(i));
        errors.replace(QStringLiteral("PORT%1").arg(i), trackers.at(i)->portPath());
    }
    QSerialPort otherProgram(busy >= 0 ? trackers.at(busy)->portPath() : QString());
    QVERIFY(busy < 0 || otherProgram.open(QIODevice::ReadWrite));
    const testsupport::PortListing listing(ports);
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(commands.run(tracktune::parseCommandLine({"tracktune-cli", "set", "AcftType=0x7"})), exitCode);
    QCOMPARE(err, errors);
    for (int i = 0; i < descriptions.size(); ++i)
        QCOMPARE(testsupport::sentencesIn(trackers.at(i)->receivedBytes()),
            i == written ? QStringList {"$POGNS,AcftType=0x7"} : QStringList());
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
    QTest::newRow("SIGTERM between sentences: the rest not sent")
        << int(SIGTERM) << false << 1 << 143 << "stopped by a signal: " << false;
    QTest::newRow("SIGTERM to a fleet: passed on to each tracker's process")
        << int(SIGTERM) << false << 1 << 143 << "0x1A2B3C: stopped by a signal: " << true;
    QTest::newRow("SIGTERM after the last sentence: all told, then the exit")
        << int(SIGTERM) << false << 3 << 143 << "a signal after the last sentence: " << false;
    QTest::newRow("SIGINT ignored by the parent stays ignored")
        << int(SIGINT) << true << 1 << 0 << QString() << false;
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
    options.answerDelayMs = 3000;
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
        QStringList {"apply", "--identity", "--port", simulator.portPath()} + otherPort
            + QStringList {folder.filePath("backup.txt")});
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
    QStringList written;
    for (const QString &sentence : testsupport::sentencesIn(simulator.receivedBytes()))
        written << sentence.section(QLatin1Char(','), 1).section(QLatin1Char('='), 0, 0);
    QStringList notWritten {"Address", "AcftType", "Reg"};
    for (const QString &name : std::as_const(written))
        notWritten.removeOne(name);
    QCOMPARE(notWritten.isEmpty(), !told.endsWith("stopped by a signal: "));
    if (told.isEmpty())
        QVERIFY2(!err.contains("signal"), qPrintable(err));
    else
        QVERIFY2(err.contains(told + "written: " + written.join(", ") + "; not written: "
                     + (notWritten.isEmpty() ? QStringLiteral("none") : notWritten.join(", ")) + '\n'),
            qPrintable(err));
    QVERIFY2(out.contains("Address: 0x1A2B3C -> 0xABCDEF\n"), qPrintable(out));
}

// Several trackers at once: each its own process, every line named, the worst exit code; the
// commands run in this process so that --port all sees a made-up port listing.
void TestCli::fleet_data()
{
    QTest::addColumn<QStringList>("arguments"); // "A", "B": the trackers 0xDD1001 and 0xDD1002;
    // "GONE": an unplugged port; "HERE/": an empty folder, "DATE" today
    QTest::addColumn<QStringList>("descriptions"); // of A and B in the port listing
    QTest::addColumn<QStringList>("existing"); // files in HERE/ before
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said"); // whole lines of standard output or error
    QTest::addColumn<QStringList>("objects"); // --json: each tracker's "address-or-port exitCode written"
    QTest::addColumn<QStringList>("files"); // in HERE/ after
    const QStringList usb {"USB Serial Device", "USB Serial Device"};
    QTest::newRow("two trackers and an unplugged port: each line named, the worst exit code")
        << QStringList {"set", "-p", "A", "-p", "GONE", "-p", "B", "FreqPlan=eu"} << usb << QStringList() << 1
        << QStringList {"0xDD1001: FreqPlan: Automatic -> Europe", "0xDD1002: FreqPlan: Automatic -> Europe",
               "tracktune-cli: GONE: cannot open GONE: no such port"}
        << QStringList() << QStringList();
    QTest::newRow("--json: one object per tracker, in the order given")
        << QStringList {"set", "--json", "-p", "B", "-p", "GONE", "-p", "A", "Reg=D-1"} << usb
        << QStringList() << 1 << QStringList {"tracktune-cli: GONE: cannot open GONE: no such port"}
        << QStringList {"0xDD1002 0 Reg", "GONE 1 ", "0xDD1001 0 Reg"} << QStringList();
    QTest::newRow("--port all: every known adapter")
        << QStringList {"show", "--port", "all"}
        << QStringList {"CP2104 USB to UART Bridge Controller", "Bluetooth serial"} << QStringList() << 0
        << QStringList {"0xDD1001: Reg = D-1001"} << QStringList() << QStringList();
    QTest::newRow("--port all without a known adapter: refused")
        << QStringList {"set", "--port", "all", "Reg=D-1"}
        << QStringList {"FT232R USB UART", "Bluetooth serial"} << QStringList() << 1
        << QStringList {"tracktune-cli: --port all: no known tracker adapter is plugged in"} << QStringList()
        << QStringList();
    QTest::newRow("backup DIR/: a file per Address, one already there kept")
        << QStringList {"backup", "-p", "A", "-p", "B", "HERE/"} << usb << QStringList {"0xDD1001-DATE.txt"}
        << 2
        << QStringList {"tracktune-cli: 0xDD1001: HERE/0xDD1001-DATE.txt exists: --force replaces it",
               "0xDD1002: 3 parameters of B saved to HERE/0xDD1002-DATE.txt"}
        << QStringList() << QStringList {"0xDD1001-DATE.txt", "0xDD1002-DATE.txt"};
    QTest::newRow("backup --force DIR/ replaces it")
        << QStringList {"backup", "--force", "--json", "-p", "A", "HERE/"} << usb
        << QStringList {"0xDD1001-DATE.txt"} << 0 << QStringList() << QStringList {"0xDD1001 0 "}
        << QStringList {"0xDD1001-DATE.txt"};
    QTest::newRow("backup onto a file: refused before the tracker is asked")
        << QStringList {"backup", "-p", "A", "HERE/old.txt"} << usb << QStringList {"old.txt"} << 2
        << QStringList {"tracktune-cli: HERE/old.txt exists: --force replaces it"} << QStringList()
        << QStringList {"old.txt"};
    QTest::newRow("several trackers into one file: refused")
        << QStringList {"backup", "-p", "A", "-p", "B", "HERE/all.txt"} << usb << QStringList() << 2
        << QStringList {"tracktune-cli: the backups of several trackers go into a folder: backup DIR/; try "
                        "'tracktune-cli --help'"}
        << QStringList() << QStringList();
}

void TestCli::fleet()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, descriptions);
    QFETCH(QStringList, existing);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    QFETCH(QStringList, objects);
    QFETCH(QStringList, files);
    TrackerSimulator a, b;
    QVERIFY(a.start() && b.start());
    a.setParameters({{"Address", "0xDD1001", {}}, {"Reg", "D-1001", {}}, {"FreqPlan", "0", {}}});
    b.setParameters({{"Address", "0xDD1002", {}}, {"Reg", "D-1002", {}}, {"FreqPlan", "0", {}}});
    QTemporaryDir dir;
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    for (QString name : std::as_const(existing)) {
        QFile file(dir.filePath(name.replace("DATE", date)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("kept\n") == 5);
    }
    const auto placed = [&](QString text) {
        return text.replace(QRegularExpression("\\bA\\b"), a.portPath())
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
    const QStringList lines = (out + err).split('\n');
    for (const QString &line : std::as_const(said))
        QVERIFY2(lines.contains(placed(line)), qPrintable(out + err));
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
    QStringList present = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(present, files.replaceInStrings("DATE", date));
    for (const QString &name : std::as_const(existing)) {
        QFile file(dir.filePath(QString(name).replace("DATE", date)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll() == "kept\n", !arguments.contains("--force"));
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
