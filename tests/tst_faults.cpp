#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace testsupport;

// What goes wrong with a real tracker, its adapter and its user, one fixture for all:
// each row runs its steps against a fresh window and tracker, then asserts what the
// user sees, what the tracker received, and that the next search finds it again.
class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false")); }
    void faultLeavesTheTrackerAsThePilotChose_data();
    void faultLeavesTheTrackerAsThePilotChose();
    void randomDeviceOutputNeverHangsOrWrites();

private:
    void run(const QString &step);
    void afterRequestOrSentence(const QString &when, const QString &action);
    void act(const QString &action);
    bool loaded() const { return window->link().isOpen() && table->isEnabled() && table->rowCount() > 0; }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<QSerialPort> otherProgram;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
    std::thread watcher;
    std::atomic<bool> stopWatching {false};
};

void FaultsTest::act(const QString &action)
{
    TrackerSimulator &tracker = listed->tracker;
    if (action == QLatin1String("unplug")) {
        tracker.unplug();
    } else if (action == QLatin1String("silent")) {
        tracker.setSilent(true);
    } else if (action == QLatin1String("unended list")) {
        tracker.inject("Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n");
    } else if (action == QLatin1String("1MB")) {
        tracker.inject(QByteArray(1 << 20, 'x'));
    } else if (action == QLatin1String("garbage")) {
        QByteArray garbage(64 * 1024, '\0');
        for (int i = 0; i < garbage.size(); i += 3)
            garbage[i] = char(QRandomGenerator::global()->bounded(256));
        tracker.inject(garbage);
    } else if (action.startsWith(QLatin1String("invoke "))) {
        // As a click queued before the controls were disabled would arrive.
        const QByteArray slot = action.mid(7).toLatin1();
        if (slot.contains("Advanced"))
            QMetaObject::invokeMethod(window.get(), slot, Qt::QueuedConnection, Q_ARG(bool, true));
        else
            QMetaObject::invokeMethod(window.get(), slot, Qt::QueuedConnection);
    } else if (action == QLatin1String("pick")) {
        auto *list = child<QComboBox>(window.get(), "serialPortList");
        list->setCurrentIndex(list->findText(QStringLiteral("ttyS9 (Modem)")));
    } else {
        QFAIL(qPrintable("unknown action " + action));
    }
}

// Acts from another thread once the tracker has the request or the first sentence: the
// read and the write hold the GUI thread meanwhile.
void FaultsTest::afterRequestOrSentence(const QString &when, const QString &action)
{
    TrackerSimulator *tracker = &listed->tracker;
    const int requests = tracker->receivedCount(0x03);
    const bool sentence = when == QLatin1String("sentence");
    stopWatching = false;
    watcher = std::thread([=] {
        while (!stopWatching
            && (sentence ? tracker->receivedCount('$') == 0 : tracker->receivedCount(0x03) == requests))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (stopWatching)
            return;
        if (action.startsWith(QLatin1String("invoke")) || action == QLatin1String("pick"))
            QMetaObject::invokeMethod(
                this, [this, action] { act(action); }, Qt::QueuedConnection);
        else
            act(action); // the simulator's own calls are thread-safe
    });
}

void FaultsTest::run(const QString &step)
{
    const QString verb = step.section(QLatin1Char(' '), 0, 0);
    const QString rest = step.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("edit"))
        edit(table, {rest});
    else if (verb == QLatin1String("apply") || verb == QLatin1String("refresh"))
        button(verb == QLatin1String("apply") ? "applyButton" : "refreshButton")->click();
    else if (verb == QLatin1String("after"))
        afterRequestOrSentence(rest.section(QLatin1Char(' '), 0, 0), rest.section(QLatin1Char(' '), 1));
    else if (verb == QLatin1String("unlist"))
        listed->listing.set({});
    else
        act(step);
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose_data()
{
    QTest::addColumn<QString>("setup"); // "crlf", "echo", "held", "silent", "slow" or nothing
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("status"); // the message the user is left with
    QTest::addColumn<QStringList>("sentences"); // every sentence on the wire

    const QStringList none;
    const QString closed = QStringLiteral("Connection closed");
    QTest::newRow("unplugged while idle") << "" << QStringList {"unplug"} << closed << none;
    QTest::newRow("unplugged in the middle of a dump")
        << "" << QStringList {"after request unplug", "refresh"} << closed << none;
    QTest::newRow("unplugged during Apply")
        << "" << QStringList {"edit Reg|type|D-KABC", "after sentence unplug", "apply"}
        << "Changes not confirmed: the connection was lost" << QStringList {"$POGNS,Reg=D-KABC"};
    QTest::newRow("a list that never ends")
        << "" << QStringList {"silent", "after request unended list", "refresh"} << closed << none;
    QTest::newRow("a tracker that never answers the connect") << "silent" << QStringList() << closed << none;
    QTest::newRow("1 MB without a line break, then Refresh")
        << "" << QStringList {"1MB", "refresh"} << "" << none;
    QTest::newRow("64 KB of garbage and NUL bytes, then Refresh")
        << "" << QStringList {"garbage", "refresh"} << "" << none;
    QTest::newRow("CR LF tracker") << "crlf" << QStringList {"edit Reg|type|D-KABC", "apply"}
                                   << "Changes saved" << QStringList {"$POGNS,Reg=D-KABC"};
    QTest::newRow("a tracker that echoes every byte") << "echo" << QStringList {"edit APN|type|web", "apply"}
                                                      << "Changes saved" << QStringList {"$POGNS,APN=web"};
    QTest::newRow("port held open elsewhere")
        << "held" << QStringList() << "is in use by another program" << none;
    QTest::newRow("port gone from the list while connected")
        << "" << QStringList {"unlist", "refresh"} << "" << none;
    QTest::newRow("line breaks in a value: one sentence")
        << "" << QStringList {"edit Reg|type|D-K\nAB\rC", "apply"} << "Changes saved"
        << QStringList {"$POGNS,Reg=D-KABC"};
    QTest::newRow("a control character: the tracker drops it")
        << "" << QStringList {"edit Reg|type|D\tK", "apply"} << "Not saved: Reg"
        << QStringList {"$POGNS,Reg=D\tK"};
    QTest::newRow("non-ASCII text: the tracker drops it")
        << "" << QStringList {QStringLiteral("edit Reg|type|J\u00f6rg"), "edit APN|type|web", "apply"}
        << "Not saved: Reg" << QStringList {QStringLiteral("$POGNS,Reg=J\u00f6rg"), "$POGNS,APN=web"};
    QTest::newRow("10,000 characters: the tracker drops it")
        << "" << QStringList {"edit APN|type|" + QString(10000, 'a'), "apply"} << "Not saved: APN"
        << QStringList {"$POGNS,APN=" + QString(10000, 'a')};
    QTest::newRow("Expert mode clicked during a load: nothing nested, nothing marked")
        << "slow" << QStringList {"after request invoke on_buttonAdvanced_clicked", "refresh", "apply"}
        << "Changes saved" << none;
    QTest::newRow("Update firmware clicked during a load: no dialog")
        << "slow" << QStringList {"after request invoke on_buttonFirmwareUpdate_clicked", "refresh"} << ""
        << none;
    QTest::newRow("a port picked during a load: the link stays")
        << "slow" << QStringList {"after request pick", "refresh"} << "" << none;
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, steps);
    QFETCH(QString, status);
    QFETCH(QStringList, sentences);

    TrackerSimulator::Options options = testsupport::options(setup == QLatin1String("silent"), false);
    options.lineEnding = setup == QLatin1String("crlf") ? TrackerSimulator::LineEnding::CrLf
                                                        : TrackerSimulator::LineEnding::Lf;
    options.echo = setup == QLatin1String("echo");
    options.variant = TrackerSimulator::Variant::Vendor; // it has an APN
    // Answers late enough that the read waits, and pumps events meanwhile.
    options.answerDelayMs = setup == QLatin1String("slow") ? 300 : 0;
    listed.reset(); // its port listing goes before the next one is set
    listed = std::make_unique<ListedTracker>(options);
    // A second port, so that a pick has somewhere to go.
    QHash<QString, QString> ports {{listed->tracker.portPath(), "USB Serial Device"}, {"ttyS9", "Modem"}};
    listed->listing.set(ports);
    if (setup == QLatin1String("held")) {
        otherProgram = std::make_unique<QSerialPort>(listed->tracker.portPath());
        QVERIFY(otherProgram->open(QIODevice::ReadWrite));
    }
    QStringList shown;
    ModalAnswers noDialog([&shown](QWidget *modal) {
        shown << modal->windowTitle();
        modal->close();
    });
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    window->show();
    if (setup != QLatin1String("silent") && setup != QLatin1String("held"))
        QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);

    QStringList messages;
    connect(window->statusBar(), &QStatusBar::messageChanged, this,
        [&messages](const QString &message) { messages << message; });
    QElapsedTimer clock;
    clock.start();
    for (const QString &step : steps) {
        run(step);
        if (QTest::currentTestFailed())
            break;
    }
    const auto showed = [&messages](const QString &text) {
        return std::any_of(
            messages.cbegin(), messages.cend(), [&](const QString &m) { return m.contains(text); });
    };
    QTRY_VERIFY2_WITH_TIMEOUT(showed(status), qPrintable(messages.join(" | ")), 15000);
    QCOMPARE(showed(QStringLiteral("Changes saved")), status == QLatin1String("Changes saved"));
    stopWatching = true;
    if (watcher.joinable())
        watcher.join();
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));

    // What the user may start follows what the program has: a list read from an open link.
    const bool ready = loaded();
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(button(name)->isEnabled() == ready, name);
    QVERIFY(!window->isExpertMode() && table->rowCount() <= 8);
    QCOMPARE(shown, QStringList());
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), sentences);
    if (ready)
        QCOMPARE(child<QComboBox>(window.get(), "serialPortList")->currentText(),
            listed->tracker.portPath() + " (USB Serial Device)");

    // The next search finds the tracker again: a new one where it was unplugged.
    otherProgram.reset();
    if (steps.join(QLatin1Char(' ')).contains(QLatin1String("unplug"))) {
        listed.reset();
        listed = std::make_unique<ListedTracker>(testsupport::options(false, false));
    } else {
        listed->tracker.setSilent(false);
        listed->tracker.setDumpEndingLine(true);
        listed->listing.set({{listed->tracker.portPath(), "USB Serial Device"}});
    }
    QTRY_VERIFY_WITH_TIMEOUT(
        loaded() && Serial::systemLocation(window->link().portName()) == listed->tracker.portPath(), 30000);
    window.reset();
}

void FaultsTest::randomDeviceOutputNeverHangsOrWrites()
{
    // Pieces a confused tracker or a noisy line may send before its list, in random order.
    const QByteArray list = TrackerSimulator().dump();
    const QList<QByteArray> pieces = {QByteArray(300, '\0'), "\r\r\r", QByteArray(4000, 'L') + "\n",
        list.left(list.size() / 2), "Address = 0x1;\nReg = A;\nAddress = 0x1;\n", "$POGNS,Reg=X\r\n",
        "Address=\n", "\xff\xfe\xc3", "\n\n", "Address = \0\r\n"};
    // CTest runs the 200 streams as four processes of 50 at once; alone, all 200 run.
    const int shard = qEnvironmentVariableIntValue("RANDOM_SHARD");
    const int shards = shard > 0 ? 4 : 1;
    listed.reset();
    listed = std::make_unique<ListedTracker>(testsupport::options(false, false));
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);
    for (int stream = std::max(0, shard - 1); stream < 200; stream += shards) {
        QRandomGenerator random(20261206 + stream);
        QByteArray bytes;
        for (int count = random.bounded(1, 6); count > 0; --count)
            bytes += pieces.at(random.bounded(pieces.size()));
        listed->tracker.prefixNextDump(bytes);
        QElapsedTimer clock;
        clock.start();
        button("refreshButton")->click();
        QVERIFY2(clock.elapsed() < 13000,
            qPrintable(QStringLiteral("stream %1: %2 ms").arg(stream).arg(clock.elapsed())));
        // A failed load closes the link; the search opens it again.
        QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);
    }
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), QStringList());
    window.reset();
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
