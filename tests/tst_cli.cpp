// Runs tracktune-cli against simulated trackers and checks its exit code, its output and
// what reached the tracker: the built program as a separate process, and its commands in
// this process where the port listing must be a made-up one.
#include "cli/trackercommands.h"
#include "testsupport.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

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

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
    void severalTrackers_data();
    void severalTrackers();
    void interruptedWrite_data();
    void interruptedWrite();

private:
    QString backup(const Settings &onTracker, const QString &fileName);
    QTemporaryDir folder;
    QString pathOf(const char *name) const { return folder.filePath(QLatin1String(name)); }
};

QString TestCli::backup(const Settings &onTracker, const QString &fileName)
{
    TrackerSimulator source;
    if (!source.start())
        return QString();
    setOn(source, onTracker);
    const QString path = folder.filePath(fileName);
    const auto [code, out, err] = runCli({"backup", "--port", source.portPath(), path});
    QFile file(path);
    return code == 0 && file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : err;
}

// Backups of configured aircraft, applied onto fresh trackers below, and the templates.
void TestCli::initTestCase()
{
    // The commands run in this process too: the link's debug lines would bury the results.
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    const QString text
        = backup({{"Address", "0xABCDEF"}, {"AcftType", "0x7"}, {"Reg", "D-KABC"}}, "backup.txt");
    QVERIFY2(text.startsWith("# ") && text.contains("# Address = 0xABCDEF\n# Hard = \n"), qPrintable(text));
    QVERIFY(text.contains("\nReg = D-KABC\n") && text.contains("\nBattMin = 3300\n"));
    const QString odd = backup(
        {{"Address", "0xABCDEF"}, {"AcftType", "0x7"}, {"Reg", "D,K"}, {"Pilot", "\x1b[2J"}}, "odd.txt");
    QVERIFY2(odd.contains("\n# Reg = D,K  (not restorable: no blank, comma"), qPrintable(odd));
    QVERIFY(writeFile(pathOf("template.txt"),
        "# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nWingspan = 15\nFreqPlan = 0\n"));
    QVERIFY(writeFile(pathOf("smuggled.txt"), "AcftType = 0x7\nBase = LSZH,Address=0xDEAD01,Reg=HACKED\n"));
    QVERIFY(writeFile(pathOf("nul.txt"), QByteArray("AcftType = 0x7\nReg = D-K\0ABC\n", 28)));
    QVERIFY(writeFile(pathOf("huge.txt"), "AcftType = 0x7\n" + QByteArray(1024 * 1024, '#')));
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<Settings>("onTracker");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's; files by name
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output or standard error
    const Settings fresh;
    const QString inValue = "no blank, comma, $, * or control character in a value";
    QTest::newRow("show gives known parameters with their option texts")
        << fresh << false << QStringList {"show"} << 0 << QStringList()
        << QStringList {"\nAcftType = 0x1 ((Moto-)glider)\n",
               "\nTxProtMask = 0xFF (OGN, ADS-L, PilotAware, FANET, RemoteID)\n"};
    QTest::newRow("show --all --json: every parameter as printed")
        << fresh << false << QStringList {"show", "--all", "--json"} << 0 << QStringList()
        << QStringList {"\"Address\": \"0x1A2B3C\"", "\"BattMin\": \"3300\"", "\"port\": \"/dev/"};
    QTest::newRow("show: a tracker's escape sequence reaches no terminal")
        << Settings {{"Pilot", "\x1b[2J\x07\x1b[1A"}} << false << QStringList {"show", "--all"} << 0
        << QStringList() << QStringList {"\nPilot = \\x1b[2J\\x07\\x1b[1A\n"};
    QTest::newRow("set takes option texts in any case, keeps unnamed mask bits")
        << fresh << false
        << QStringList {"set", "AcftType=para-glider", "TxPower=HIGH", "TxProtMask=ogn,FANET"} << 0
        << QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x73"}
        << QStringList {"AcftType: 0x1 -> 0x7\n", "TxPower: +14 -> +22\n", "TxProtMask: 0xFF -> 0x73\n"};
    QTest::newRow("set names the text the tracker cuts at 15 characters")
        << fresh << false << QStringList {"set", "Pilot=ABCDEFGHIJKLMNOP", "Crew=ANNA"} << 3
        << QStringList {"$POGNS,Pilot=ABCDEFGHIJKLMNOP", "$POGNS,Crew=ANNA"}
        << QStringList {"did not take: Pilot\n"};
    QTest::newRow("a second parameter behind a comma: nothing written")
        << fresh << false << QStringList {"set", "AcftType=0x7", "Base=LSZH,CONbaud=9600", "Reg=D\tK"} << 2
        << QStringList() << QStringList {"Base: " + inValue, "Reg: " + inValue, "nothing written"};
    QTest::newRow("a name the tracker lacks stops the whole set")
        << fresh << false << QStringList {"set", "Reg=D-KABC", "Wingspan=15"} << 2 << QStringList()
        << QStringList {"Wingspan"};
    QTest::newRow("out of the list, text a select does not take, a speed that cuts the link")
        << fresh << false << QStringList {"set", "AcftType=0x10", "FreqPlan=Mars", "CONbaud=57600"} << 2
        << QStringList() << QStringList {"AcftType takes", "FreqPlan takes", "CONbaud"};
    QTest::newRow("a tracker that never answers gets nothing written")
        << fresh << true << QStringList {"set", "Reg=D-KABC"} << 1 << QStringList()
        << QStringList {"did not answer"};
    QTest::newRow("another aircraft's backup leaves the identity alone")
        << fresh << false << QStringList {"apply", "backup.txt"} << 0 << QStringList {"$POGNS,AcftType=0x7"}
        << QStringList {"identity"};
    QTest::newRow("--identity copies the identity too")
        << fresh << false << QStringList {"apply", "--identity", "backup.txt"} << 0
        << QStringList {"$POGNS,Address=0xABCDEF", "$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC"}
        << QStringList();
    QTest::newRow("the aircraft's own backup restores its identity")
        << Settings {{"Address", "0xABCDEF"}} << false << QStringList {"apply", "backup.txt"} << 0
        << QStringList {"$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC"} << QStringList();
    QTest::newRow("a dry run writes nothing")
        << fresh << false << QStringList {"apply", "--dry-run", "backup.txt"} << 0 << QStringList()
        << QStringList {"AcftType: 0x1 -> 0x7\n", "dry run"};
    QTest::newRow("a club template: comments, option texts, a name the tracker lacks")
        << fresh << false << QStringList {"apply", "template.txt"} << 0
        << QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22"} << QStringList {"Wingspan"};
    QTest::newRow("a template smuggling a second parameter: nothing written")
        << fresh << false << QStringList {"apply", "smuggled.txt"} << 2 << QStringList()
        << QStringList {"Base: " + inValue, "nothing written"};
    QTest::newRow("a dry run shows the same refusal")
        << fresh << false << QStringList {"apply", "--dry-run", "smuggled.txt"} << 2 << QStringList()
        << QStringList {"Base: " + inValue, "nothing written"};
    QTest::newRow("a NUL byte: the file is refused, not cut")
        << fresh << false << QStringList {"apply", "nul.txt"} << 2 << QStringList()
        << QStringList {"NUL byte on line 2", "nothing written"};
    QTest::newRow("a file over 1 MiB") << fresh << false << QStringList {"apply", "huge.txt"} << 2
                                       << QStringList() << QStringList {"larger than 1 MiB"};
    QTest::newRow("backup to the terminal: the file's text, control bytes escaped")
        << Settings {{"Pilot", "\x1b[2J"}} << false << QStringList {"backup", "-"} << 0 << QStringList()
        << QStringList {
               "\n# Pilot = \\x1b[2J  (not restorable: " + inValue + ")\n", "Pilot kept as a comment"};
    QTest::newRow("a backup's unrestorable values are told and left, the rest written")
        << Settings {{"Address", "0xABCDEF"}} << false << QStringList {"apply", "odd.txt"} << 0
        << QStringList {"$POGNS,AcftType=0x7"}
        << QStringList {"Reg: not in the file as a setting, left as it is (" + inValue + ")",
               "Pilot: not in the file"};
}

void TestCli::commandOnTracker()
{
    QFETCH(Settings, onTracker);
    QFETCH(bool, silent);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    for (QString &argument : arguments) {
        if (argument.endsWith(QLatin1String(".txt")))
            argument = folder.filePath(argument);
    }
    TrackerSimulator simulator(testsupport::options(silent));
    QVERIFY(simulator.start());
    setOn(simulator, onTracker);
    // The row's own --port, if any, wins: the last one given counts.
    const auto [code, out, err] = runCli(QStringList {"--port", simulator.portPath()} + arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(testsupport::sentencesIn(simulator.receivedBytes()), wire);
    for (const QString &text : qAsConst(said))
        QVERIFY2((out + err).contains(text), qPrintable(out + err));
    QVERIFY2(!(out + err).contains('\x1b'), "an escape character reached the terminal");
}

void TestCli::messages_data()
{
    QTest::addColumn<QStringList>("arguments"); // "PORT": the simulated tracker's
    QTest::addColumn<bool>("portHeld"); // by another program first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // a part of standard output; empty: none at all
    QTest::addColumn<QString>("errors"); // the whole of standard error, "PORT" as above
    const QString helpHint = "; try 'tracktune-cli --help'\n";
    QTest::newRow("--version") << QStringList {"--version"} << false << 0
                               << "tracktune-cli " TRACKTUNE_VERSION "\n"
                               << QString();
    QTest::newRow("--help: the usage on standard output")
        << QStringList {"--help"} << false << 0 << "\n  tracktune-cli show   [--port PORT]" << QString();
    QTest::newRow("-p is --port") << QStringList {"show", "-p", "PORT"} << false << 0
                                  << "\nAcftType = 0x1 ((Moto-)glider)\n"
                                  << QString();
    QTest::newRow("a misspelled name: the one meant, nothing written")
        << QStringList {"set", "-p", "PORT", "TxPower=high", "acftype=Para-glider"} << false << 2 << QString()
        << "tracktune-cli: the tracker has no parameter acftype; did you mean AcftType?\n"
           "tracktune-cli: nothing written\n";
    QTest::newRow("a command mistyped: one line, not the usage") << QStringList {
        "shwo", "-p", "PORT"} << false << 2 << QString() << "tracktune-cli: unknown command: shwo" + helpHint;
    QTest::newRow("an option mistyped") << QStringList {"show", "-p", "PORT", "--jsno"} << false << 2
                                        << QString() << "tracktune-cli: unknown option 'jsno'" + helpHint;
    QTest::newRow("a port that does not exist")
        << QStringList {"show", "-p", "/dev/tracktune-no-such-port"} << false << 1 << QString()
        << "tracktune-cli: cannot open /dev/tracktune-no-such-port: no such port\n";
    QTest::newRow("a port another program holds") << QStringList {"set", "-p", "PORT",
        "AcftType=0x7"} << true << 1 << QString() << "tracktune-cli: PORT is in use by another program\n";
}

// What a user and a script read: one style on standard error, the usage only when asked.
void TestCli::messages()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, portHeld);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    TrackerSimulator simulator;
    QVERIFY(simulator.start());
    arguments.replaceInStrings(QRegularExpression("^PORT$"), simulator.portPath());
    errors.replace("PORT", simulator.portPath());
    // Qt reports a port held elsewhere as refused, like one the user may not open.
    QSerialPort holder;
    holder.setPortName(simulator.portPath());
    QVERIFY(!portHeld || holder.open(QIODevice::ReadWrite));
    const auto [code, out, err] = runCli(arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(err, errors);
    QVERIFY2(output.isEmpty() ? out.isEmpty() : out.contains(output), qPrintable(out));
    QCOMPARE(simulator.receivedCount('$'), 0);
}

void TestCli::severalTrackers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("firstHeld"); // by another program
    QTest::addColumn<int>("exitCode");
    // %1, %2: the trackers' ports as listed; %3: the first as the system names it, "ttyUSB0"
    QTest::addColumn<QString>("said");
    const QString refused = "tracktune-cli: several trackers: name one with --port: %1, %2\n";
    QTest::newRow("set") << QStringList {"set", "AcftType=0x7"} << false << 1 << refused;
    QTest::newRow("apply") << QStringList {"apply", "--dry-run", "template.txt"} << false << 1 << refused;
    QTest::newRow("backup") << QStringList {"backup", "-"} << false << 1 << refused;
    QTest::newRow("show names the one it reads")
        << QStringList {"show"} << false << 0 << "tracktune-cli: using %3\n";
    QTest::newRow("show says why it passed over a tracker")
        << QStringList {"show"} << true << 0 << "tracktune-cli: %1 is in use by another program\n";
    QTest::newRow("ports marks it") << QStringList {"ports"} << false << 0 << "* %1  USB Serial Device\n";
}

// Two trackers plugged in, listed as the same adapter: a write names neither by chance.
void TestCli::severalTrackers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, firstHeld);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    for (QString &argument : arguments) {
        if (argument.endsWith(QLatin1String(".txt")))
            argument = folder.filePath(argument);
    }
    TrackerSimulator one, other;
    QVERIFY(one.start() && other.start());
    QStringList ports {one.portPath(), other.portPath()};
    ports.sort();
    const testsupport::PortListing listing(
        {{ports.first(), "USB Serial Device"}, {ports.last(), "USB Serial Device"}});
    QSerialPort first;
    first.setPortName(ports.first());
    QVERIFY(!firstHeld || first.open(QIODevice::ReadWrite));
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(commands.run(tracktune::parseCommandLine(QStringList {"tracktune-cli"} + arguments)), exitCode);
    said.replace("%1", ports.first()).replace("%2", ports.last()).replace("%3", first.portName());
    QVERIFY2((out + err).contains(said), qPrintable(out + err));
    QCOMPARE(one.receivedCount('$') + other.receivedCount('$'), 0);
}

void TestCli::interruptedWrite_data()
{
    QTest::addColumn<bool>("unplug"); // else SIGTERM
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("report"); // followed by what was written and what was not
    QTest::addColumn<QString>("readBack"); // empty: none
    QTest::newRow("SIGTERM: the sentence in flight finished, the rest not sent, the tracker read back")
        << false << 143 << "stopped by a signal"
        << "Address: 0x1A2B3C -> 0xABCDEF\n";
    QTest::newRow("unplugged: what went out and what did not")
        << true << 1 << "the tracker was lost while writing" << QString();
}

void TestCli::interruptedWrite()
{
    QFETCH(bool, unplug);
    QFETCH(int, exitCode);
    QFETCH(QString, report);
    QFETCH(QString, readBack);
    TrackerSimulator::Options options;
    options.answerDelayMs = 3000; // each sentence waits its whole second
    TrackerSimulator simulator(options);
    QVERIFY(simulator.start());
    QProcess cli;
    cli.start(QStringLiteral(TRACKTUNE_CLI),
        {"apply", "--identity", "--port", simulator.portPath(), folder.filePath("backup.txt")});
    QTRY_VERIFY_WITH_TIMEOUT(simulator.receivedCount('$') > 0, 20000);
    if (unplug)
        simulator.unplug();
    else
        cli.terminate();
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
    for (const QString &name : qAsConst(written))
        notWritten.removeOne(name);
    QVERIFY2(!written.isEmpty() && !notWritten.isEmpty(), qPrintable(out + err));
    QVERIFY2(err.contains(report + QStringLiteral(": written: ") + written.join(QStringLiteral(", "))
                 + QStringLiteral("; not written: ") + notWritten.join(QStringLiteral(", ")) + '\n'),
        qPrintable(err));
    QVERIFY2(out.contains(readBack), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
