// Runs the built tracktune-cli against simulated trackers and checks its exit code,
// its output and what reached the tracker.
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandOnTracker_data();
    void commandOnTracker();

private:
    QTemporaryDir folder;
    QString backupPath = folder.filePath(QStringLiteral("backup.txt"));
};

// One backup of a configured aircraft, applied onto fresh trackers below.
void TestCli::initTestCase()
{
    TrackerSimulator source;
    QVERIFY(source.start());
    for (const QString setting : {"Address=0xABCDEF", "AcftType=0x7", "Reg=D-KABC"})
        source.setParameter(setting.section('=', 0, 0), setting.section('=', 1));
    QCOMPARE(std::get<0>(runCli({"backup", "--port", source.portPath(), backupPath})), 0);
    QFile backup(backupPath);
    const QString text = backup.open(QIODevice::ReadOnly) ? QString::fromUtf8(backup.readAll()) : QString();
    QVERIFY2(text.startsWith("# ") && text.contains("# Address = 0xABCDEF\n# Hard = \n"), qPrintable(text));
    QVERIFY(text.contains("\nReg = D-KABC\n") && text.contains("\nBattMin = 3300\n"));
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<QString>("tracker"); // "silent", or the Address it has
    QTest::addColumn<QStringList>("arguments"); // after "--port" and the tracker's; "<backup>": the file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output after success, else on standard error
    const auto row = [](const char *what, const char *tracker, const QString &arguments, int exitCode,
                         const QString &wire, const QString &said) {
        QTest::newRow(what) << tracker << arguments.split(' ') << exitCode
                            << wire.split(' ', Qt::SkipEmptyParts) << said.split('|', Qt::SkipEmptyParts);
    };
    const char *fresh = "0x1A2B3C";
    row("show gives known parameters with their option texts", fresh, "show", 0, "",
        "\nAcftType = 0x1 ((Moto-)glider)\n|\nTxProtMask = 0xFF (OGN, ADS-L, PilotAware, FANET, RemoteID)\n");
    row("show --all --json: every parameter as printed", fresh, "show --all --json", 0, "",
        "\"Address\": \"0x1A2B3C\"|\"BattMin\": \"3300\"|\"port\": \"/dev/");
    row("set takes option texts in any case, keeps unnamed mask bits", fresh,
        "set AcftType=para-glider TxPower=HIGH TxProtMask=ogn,FANET", 0,
        "$POGNS,AcftType=0x7 $POGNS,TxPower=+22 $POGNS,TxProtMask=0x73",
        "AcftType: 0x1 -> 0x7\n|TxPower: +14 -> +22\n|TxProtMask: 0xFF -> 0x73\n");
    row("set names each text the tracker drops: a 16th character, a control character", fresh,
        "set Reg=D\tK Pilot=ABCDEFGHIJKLMNOP Crew=ANNA", 3,
        "$POGNS,Reg=D\tK $POGNS,Pilot=ABCDEFGHIJKLMNOP $POGNS,Crew=ANNA", "did not take: Reg, Pilot\n");
    row("a name the tracker lacks stops the whole set", fresh, "set Reg=D-KABC Wingspan=15", 2, "",
        "Wingspan");
    row("out of the list, text a select does not take, a speed that cuts the link", fresh,
        "set AcftType=0x10 FreqPlan=Mars CONbaud=57600", 2, "", "AcftType takes|FreqPlan takes|CONbaud");
    row("a tracker that never answers gets nothing written", "silent", "set Reg=D-KABC", 1, "",
        "did not answer");
    row("a port that does not exist", fresh, "show --port /dev/tracktune-no-such-port", 1, "", "cannot open");
    row("another aircraft's backup leaves the identity alone", fresh, "apply <backup>", 0,
        "$POGNS,AcftType=0x7", "identity");
    row("--identity copies the identity too", fresh, "apply --identity <backup>", 0,
        "$POGNS,Address=0xABCDEF $POGNS,AcftType=0x7 $POGNS,Reg=D-KABC", "");
    row("the aircraft's own backup restores its identity", "0xABCDEF", "apply <backup>", 0,
        "$POGNS,AcftType=0x7 $POGNS,Reg=D-KABC", "");
    row("a dry run writes nothing", fresh, "apply --dry-run <backup>", 0, "", "");
    row("a club template: comments, option texts, a name the tracker lacks", fresh, "apply <template>", 0,
        "$POGNS,AcftType=0x7 $POGNS,TxPower=+22", "");
}

void TestCli::commandOnTracker()
{
    QFETCH(QString, tracker);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    const QString templatePath = folder.filePath(QStringLiteral("template.txt"));
    QFile club(templatePath);
    QVERIFY(club.open(QIODevice::WriteOnly)
        && club.write(
            "# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nWingspan = 15\nFreqPlan = 0\n"));
    club.close();
    arguments.replaceInStrings(QStringLiteral("<backup>"), backupPath);
    arguments.replaceInStrings(QStringLiteral("<template>"), templatePath);
    TrackerSimulator simulator(testsupport::options(tracker == QLatin1String("silent")));
    QVERIFY(simulator.start());
    simulator.setParameter(QStringLiteral("Address"), tracker == "silent" ? "0x1A2B3C" : tracker);
    // The row's own --port, if any, wins: the last one given counts.
    const auto [code, out, err] = runCli(QStringList {"--port", simulator.portPath()} + arguments);
    QVERIFY2(code == exitCode, qPrintable(err));
    QCOMPARE(testsupport::sentencesIn(simulator.receivedBytes()), wire);
    for (const QString &text : qAsConst(said))
        QVERIFY2((exitCode == 0 ? out + err : err).contains(text), qPrintable(out + err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
