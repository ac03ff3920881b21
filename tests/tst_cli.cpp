// Runs the built tracktune-cli against simulated trackers and checks its exit code,
// its output and what reached the tracker.
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct CliRun
{
    int exitCode;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(TRACKTUNE_CLI), arguments);
    // A read takes over a second; a silent tracker is given up after about eleven.
    const bool finished = cli.waitForFinished(30000) && cli.exitStatus() == QProcess::NormalExit;
    return {finished ? cli.exitCode() : -1, QString::fromUtf8(cli.readAllStandardOutput()),
        QString::fromUtf8(cli.readAllStandardError())};
}

std::unique_ptr<TrackerSimulator> startedTracker(const TrackerSimulator::Options &options = {})
{
    auto tracker = std::make_unique<TrackerSimulator>(options);
    return tracker->start() ? std::move(tracker) : nullptr;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandOnTracker_data();
    void commandOnTracker();
    void applyFile_data();
    void applyFile();

private:
    QTemporaryDir folder;
    QString backupPath;
};

// One backup of a configured aircraft, applied onto fresh trackers below.
void TestCli::initTestCase()
{
    const auto source = startedTracker();
    QVERIFY(source && folder.isValid());
    for (const QString setting : {"Address=0xABCDEF", "AcftType=0x7", "Reg=D-KABC"})
        source->setParameter(setting.section('=', 0, 0), setting.section('=', 1));
    backupPath = folder.filePath(QStringLiteral("backup.txt"));
    const CliRun run = runCli({"backup", "--port", source->portPath(), backupPath});
    QCOMPARE(run.exitCode, 0);
    QFile backup(backupPath);
    const QString text = backup.open(QIODevice::ReadOnly) ? QString::fromUtf8(backup.readAll()) : QString();
    QVERIFY2(text.startsWith("# ") && text.contains("# Address = 0xABCDEF\n# Hard = \n"), qPrintable(text));
    QVERIFY(text.contains("\nReg = D-KABC\n") && text.contains("\nBattMin = 3300\n"));
}

void TestCli::commandOnTracker_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<QStringList>("arguments"); // a --port here overrides the tracker's, given first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("wire");
    QTest::addColumn<QStringList>("said"); // on standard output after success, else on standard error

    QTest::newRow("show gives known parameters with their option texts")
        << true << QStringList {"show"} << 0 << QStringList()
        << QStringList {"\nAcftType = 0x1 ((Moto-)glider)\n", "\nTxPower = +14 (NORMAL)\n",
               "\nTxProtMask = 0xFF (OGN, ADS-L, PilotAware, FANET, RemoteID)\n"};
    QTest::newRow("show --all --json: every parameter as printed")
        << true << QStringList {"show", "--all", "--json"} << 0 << QStringList()
        << QStringList {"\"Address\": \"0x1A2B3C\"", "\"BattMin\": \"3300\"", "\"port\": \"/dev/"};
    QTest::newRow("set writes option texts in any case as the window does, keeping unnamed mask bits")
        << true << QStringList {"set", "AcftType=para-glider", "TxPower=HIGH", "TxProtMask=ogn,FANET"} << 0
        << QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,TxProtMask=0x73"}
        << QStringList {"AcftType: 0x1 -> 0x7\n", "TxPower: +14 -> +22\n", "TxProtMask: 0xFF -> 0x73\n"};
    QTest::newRow("set names each text the tracker drops: a blank, a 16th character")
        << true << QStringList {"set", "Reg=D K", "Pilot=ABCDEFGHIJKLMNOP", "Crew=ANNA"} << 3
        << QStringList {"$POGNS,Reg=D K", "$POGNS,Pilot=ABCDEFGHIJKLMNOP", "$POGNS,Crew=ANNA"}
        << QStringList {"did not take: Reg, Pilot\n"};
    QTest::newRow("a name the tracker lacks stops the whole set")
        << true << QStringList {"set", "Reg=D-KABC", "Wingspan=15"} << 2 << QStringList()
        << QStringList {"Wingspan"};
    QTest::newRow("values out of the list, text a select does not take, a speed that cuts the link")
        << true << QStringList {"set", "AcftType=0x10", "FreqPlan=Mars", "CONbaud=57600"} << 2
        << QStringList() << QStringList {"AcftType takes", "FreqPlan takes", "CONbaud"};
    QTest::newRow("a tracker that never answers gets nothing written")
        << false << QStringList {"set", "Reg=D-KABC"} << 1 << QStringList() << QStringList {"did not answer"};
    QTest::newRow("a port that does not exist")
        << true << QStringList {"show", "--port", "/dev/tracktune-no-such-port"} << 1 << QStringList()
        << QStringList {"cannot open"};
}

void TestCli::commandOnTracker()
{
    QFETCH(bool, answers);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, wire);
    QFETCH(QStringList, said);
    TrackerSimulator::Options options;
    options.silent = !answers;
    const auto tracker = startedTracker(options);
    QVERIFY(tracker);
    const CliRun run = runCli(QStringList {"--port", tracker->portPath()} + arguments);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    QCOMPARE(testsupport::sentencesIn(tracker->receivedBytes()), wire);
    for (const QString &text : qAsConst(said))
        QVERIFY2((exitCode == 0 ? run.out : run.err).contains(text), qPrintable(run.out + run.err));
}

void TestCli::applyFile_data()
{
    QTest::addColumn<QString>("fileText"); // empty: the backup of the configured aircraft
    QTest::addColumn<QString>("trackerAddress");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QStringList>("wire");

    const QString freshAddress = QStringLiteral("0x1A2B3C");
    QTest::newRow("another aircraft's backup leaves the identity alone")
        << QString() << freshAddress << QStringList() << QStringList {"$POGNS,AcftType=0x7"};
    QTest::newRow("--identity copies the identity too")
        << QString() << freshAddress << QStringList {"--identity"}
        << QStringList {"$POGNS,Address=0xABCDEF", "$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC"};
    QTest::newRow("the aircraft's own backup restores its identity")
        << QString() << QStringLiteral("0xABCDEF") << QStringList()
        << QStringList {"$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC"};
    QTest::newRow("a dry run writes nothing")
        << QString() << freshAddress << QStringList {"--dry-run"} << QStringList();
    QTest::newRow("a club template with comments, option texts and a name the tracker lacks")
        << QStringLiteral(
               "# club fleet\n\nAcftType = Para-glider\nTxPower = HIGH\nWingspan = 15\nFreqPlan = 0\n")
        << freshAddress << QStringList() << QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22"};
}

void TestCli::applyFile()
{
    QFETCH(QString, fileText);
    QFETCH(QString, trackerAddress);
    QFETCH(QStringList, flags);
    QFETCH(QStringList, wire);
    QString path = backupPath;
    if (!fileText.isEmpty()) {
        path = folder.filePath(QStringLiteral("template.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(fileText.toUtf8()) > 0);
    }
    const auto tracker = startedTracker();
    QVERIFY(tracker);
    tracker->setParameter(QStringLiteral("Address"), trackerAddress);
    const CliRun run = runCli(QStringList {"apply", "--port", tracker->portPath()} << flags << path);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(testsupport::sentencesIn(tracker->receivedBytes()), wire);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
