// SPDX-License-Identifier: GPL-3.0-or-later
// tracktune-cli against simulated trackers: its exit code, its output and what reached the
// tracker; the built program as a separate process, and its commands in this process where the
// port listing must be a made-up one.
#include "config/dumpline.h"
#include "link/serial.h"
#include "testsupport.h"
#include "trackercommands.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

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

void setOn(TrackerSimulator &tracker, const Settings &settings)
{
    for (const DumpLine &setting : settings)
        tracker.setParameter(setting.name, setting.value);
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
    void severalTrackersAreNotGuessed();
    void interruptedWrite();

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
        && club.write("# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nWingspan = 15\nFreqPlan = 0\n")
            > 0);
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<Settings>("onTracker");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's; files by name
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output or standard error
    const auto row = [](const char *what, const QStringList &arguments, int exitCode, const QStringList &wire,
                         const QStringList &said, const Settings &onTracker = {}, bool silent = false) {
        QTest::newRow(what) << onTracker << silent << arguments << exitCode << wire << said;
    };
    const QString inValue = "no blank, comma, $, * or control character in a value";
    row("show: a tracker's escape sequence reaches no terminal", {"show", "--all"}, 0, {},
        {"\nPilot = \\x1b[2J\\x07\\x1b[1A\n"}, {{"Pilot", "\x1b[2J\x07\x1b[1A"}});
    row("set takes option texts in any case, keeps unnamed mask bits",
        {"set", "AcftType=para-glider", "TxPower=HIGH", "TxProtMask=ogn,FANET"}, 0,
        {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x73"},
        {"AcftType: 0x1 -> 0x7\n", "TxPower: +14 -> +22\n", "TxProtMask: 0xFF -> 0x73\n"});
    row("a second parameter behind a comma, a tab: nothing written",
        {"set", "AcftType=0x7", "Base=LSZH,CONbaud=9600", "Reg=D\tK"}, 2, {},
        {"Base: " + inValue, "Reg: " + inValue, "nothing written"});
    row("out of the list, text a select does not take, a speed that cuts the link",
        {"set", "AcftType=0x10", "FreqPlan=Mars", "CONbaud=57600"}, 2, {},
        {"AcftType takes", "FreqPlan takes", "CONbaud"});
    row("a tracker that never answers gets nothing written", {"set", "Reg=D-KABC"}, 1, {}, {"did not answer"},
        {}, true);
    row("another aircraft's backup leaves the identity alone", {"apply", "backup.txt"}, 0,
        {"$POGNS,AcftType=0x7"}, {"identity"});
    row("a dry run writes nothing", {"apply", "--dry-run", "backup.txt"}, 0, {},
        {"AcftType: 0x1 -> 0x7\n", "dry run"});
    row("a club template: comments, option texts, a name the tracker lacks", {"apply", "template.txt"}, 0,
        {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22"}, {"Wingspan"});
}

void TestCli::commandOnTracker()
{
    QFETCH(Settings, onTracker);
    QFETCH(bool, silent);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    arguments.replaceInStrings(QRegularExpression("^(.*\\.txt)$"), folder.filePath("\\1"));
    TrackerSimulator simulator(testsupport::options(silent));
    QVERIFY(simulator.start());
    setOn(simulator, onTracker);
    // The row's own --port, if any, wins: the last one given counts.
    const auto [code, out, err] = runCli(QStringList {"--port", simulator.portPath()} + arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(testsupport::sentencesIn(simulator.receivedBytes()), wire);
    for (const QString &text : std::as_const(said))
        QVERIFY2((out + err).contains(text), qPrintable(out + err));
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
    arguments.replaceInStrings(QRegularExpression("^PORT$"), simulator.portPath());
    errors.replace("PORT", simulator.portPath());
    const auto [code, out, err] = runCli(arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(err, errors);
    QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), qPrintable(out));
    QCOMPARE(simulator.receivedCount('$'), 0);
}

// Two trackers plugged in, listed as the same adapter: a write names neither by chance.
void TestCli::severalTrackersAreNotGuessed()
{
    TrackerSimulator one, other;
    QVERIFY(one.start() && other.start());
    QStringList ports {one.portPath(), other.portPath()};
    ports.sort();
    const testsupport::PortListing listing(
        {{ports.first(), "USB Serial Device"}, {ports.last(), "USB Serial Device"}});
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(commands.run(tracktune::parseCommandLine({"tracktune-cli", "set", "AcftType=0x7"})), 1);
    QCOMPARE(err, "tracktune-cli: several trackers: name one with --port: " + ports.join(", ") + "\n");
    QCOMPARE(one.receivedCount('$') + other.receivedCount('$'), 0);
}

// SIGTERM: the sentence in flight finished, the rest not sent, the tracker read back.
void TestCli::interruptedWrite()
{
    TrackerSimulator::Options options;
    options.answerDelayMs = 3000; // each sentence waits its whole second
    TrackerSimulator simulator(options);
    QVERIFY(simulator.start());
    QProcess cli;
    cli.start(QStringLiteral(TRACKTUNE_CLI),
        {"apply", "--identity", "--port", simulator.portPath(), folder.filePath("backup.txt")});
    QTRY_VERIFY_WITH_TIMEOUT(simulator.receivedCount('$') > 0, 20000);
    cli.terminate();
    QVERIFY(cli.waitForFinished(30000));
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY2(cli.exitCode() == 143, qPrintable(err));
    // What it says it wrote is what reached the wire; the rest, never sent, it names too.
    QStringList written;
    for (const QString &sentence : testsupport::sentencesIn(simulator.receivedBytes()))
        written << sentence.section(QLatin1Char(','), 1).section(QLatin1Char('='), 0, 0);
    QStringList notWritten {"Address", "AcftType", "Reg"};
    for (const QString &name : std::as_const(written))
        notWritten.removeOne(name);
    QVERIFY2(!written.isEmpty() && !notWritten.isEmpty(), qPrintable(out + err));
    QVERIFY2(err.contains("stopped by a signal: written: " + written.join(", ")
                 + "; not written: " + notWritten.join(", ") + '\n'),
        qPrintable(err));
    QVERIFY2(out.contains("Address: 0x1A2B3C -> 0xABCDEF\n"), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
