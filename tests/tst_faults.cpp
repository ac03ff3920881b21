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
    void start(const TrackerSimulator::Options &options, bool waitForLoad = true);
    void act(const QString &step);
    bool loaded() const { return window->link().isOpen() && table->isEnabled() && table->rowCount() > 0; }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
    std::thread watcher;
    std::atomic<bool> stopWatching {false};
};

void FaultsTest::start(const TrackerSimulator::Options &options, bool waitForLoad)
{
    window.reset();
    listed.reset(); // its port listing goes before the next one is set
    listed = std::make_unique<ListedTracker>(options);
    // A second port, so that a pick has somewhere to go.
    listed->listing.set({{listed->tracker.portPath(), "USB Serial Device"}, {"ttyS9", "Modem"}});
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    if (waitForLoad)
        QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);
}

void FaultsTest::act(const QString &step)
{
    TrackerSimulator &tracker = listed->tracker;
    const QString rest = step.section(QLatin1Char(' '), 1);
    if (step.startsWith(QLatin1String("after "))) {
        // Acts once the tracker has the request or the first sentence, while the read or
        // the write holds the GUI thread: on the simulator at once (its calls are
        // thread-safe), on the window as a queued click would arrive.
        const bool sentence = rest.startsWith(QLatin1String("sentence"));
        const QString action = rest.section(QLatin1Char(' '), 1);
        const bool onWindow = action.startsWith(QLatin1String("click")) || action == QLatin1String("pick");
        const int requests = tracker.receivedCount(0x03);
        stopWatching = false;
        watcher = std::thread([=, &tracker] {
            while (!stopWatching
                && (sentence ? !tracker.receivedCount('$') : tracker.receivedCount(0x03) == requests))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (!stopWatching && onWindow)
                QMetaObject::invokeMethod(
                    this, [this, action] { act(action); }, Qt::QueuedConnection);
            else if (!stopWatching)
                act(action);
        });
    } else if (step.startsWith(QLatin1String("edit "))) {
        edit(table, {rest});
    } else if (step == QLatin1String("apply") || step == QLatin1String("refresh")) {
        button(step == QLatin1String("apply") ? "applyButton" : "refreshButton")->click();
    } else if (step.startsWith(QLatin1String("click "))) {
        emit button(qPrintable(rest))->clicked(true); // as a click queued before the button went grey
    } else if (step == QLatin1String("pick")) {
        auto *list = child<QComboBox>(window.get(), "serialPortList");
        list->setCurrentIndex(list->findText(QStringLiteral("ttyS9 (Modem)")));
    } else if (step == QLatin1String("unplug")) {
        tracker.unplug();
    } else if (step == QLatin1String("silent")) {
        tracker.setSilent(true);
    } else if (step == QLatin1String("unended list")) {
        tracker.inject("Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n");
    } else if (step == QLatin1String("1MB") || step == QLatin1String("garbage")) {
        QByteArray bytes(
            step == QLatin1String("1MB") ? 1 << 20 : 64 * 1024, step == QLatin1String("1MB") ? 'x' : '\0');
        for (int i = 0; step == QLatin1String("garbage") && i < bytes.size(); i += 3)
            bytes[i] = char(QRandomGenerator::global()->bounded(256));
        tracker.inject(bytes);
    } else if (step == QLatin1String("unlist")) {
        listed->listing.set({});
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose_data()
{
    QTest::addColumn<QString>("setup"); // "crlf", "echo", "held", "silent", "slow" or nothing
    QTest::addColumn<QStringList>("steps"); // "after request X" does X during the next read
    QTest::addColumn<QString>("status"); // a message the user is shown
    QTest::addColumn<QStringList>("sentences"); // every sentence on the wire
    QTest::addColumn<QStringList>("pending"); // rows still marked at the end, as shownRows() gives them
    QTest::addColumn<int>("rows"); // rows shown at the end; -1: any number
    const auto row
        = [](const char *what, const char *setup, const QString &steps, const char *status,
              const QString &sentences = QString(), const QStringList &pending = {}, int rows = -1) {
              QTest::newRow(what) << setup << steps.split(';') << status
                                  << sentences.split(';', Qt::SkipEmptyParts) << pending << rows;
          };
    const char *closed = "Connection closed";
    const QString a10000(10000, 'a');
    row("unplugged while idle", "", "unplug", closed);
    row("unplugged in the middle of a dump", "", "after request unplug;refresh", closed);
    row("unplugged during Apply", "", "edit Reg|type|D-KABC;after sentence unplug;apply",
        "Changes not confirmed: the connection was lost", "$POGNS,Reg=D-KABC");
    row("a list that never ends", "", "silent;after request unended list;refresh", closed);
    row("a tracker that never answers the connect", "silent", "", closed);
    row("1 MB without a line break, then Refresh", "", "1MB;refresh", "");
    row("64 KB of garbage and NUL bytes, then Refresh", "", "garbage;refresh", "");
    row("CR LF tracker", "crlf", "edit Reg|type|D-KABC;apply", "Changes saved", "$POGNS,Reg=D-KABC");
    row("a tracker that echoes every byte", "echo", "edit APN|type|web;apply", "Changes saved",
        "$POGNS,APN=web");
    row("port held open elsewhere", "held", "", "is in use by another program");
    row("port gone from the list while connected", "", "unlist;refresh", "");
    // No sentence can carry them: they would set another parameter, or be cut on the wire.
    row("a control character is not sent and stays pending", "", "edit Reg|type|D\tK;apply",
        "Not sent: Reg (no blank", "", {"Reg=D\tK *"});
    row("separators in a value: not sent, the other edits are", "",
        "edit Reg|type|LSZH,Address=0xDEAD01;edit APN|type|web;edit AcftType|pick|Tow plane;apply",
        "Not sent: Reg (no blank, comma, $, * or control character in a value)",
        "$POGNS,AcftType=0x2;$POGNS,APN=web", {"Reg=LSZH,Address=0xDEAD01 *"});
    row("a blank in a value: not sent", "", "edit Reg|type|D KABC;apply", "Not sent: Reg", "",
        {"Reg=D KABC *"});
    row("an NMEA line inside the list: every parameter shown and written", "nmea inside",
        "edit APN|type|web;apply", "Changes saved", "$POGNS,APN=web", {}, 8);
    row("NUL bytes inside the list: every parameter shown", "nul inside", "refresh", "", "", {}, 8);
    row("non-ASCII text: the tracker drops it", "",
        QStringLiteral("edit Reg|type|J\u00f6rg;edit APN|type|web;apply"), "Not saved: Reg",
        QStringLiteral("$POGNS,Reg=J\u00f6rg;$POGNS,APN=web"));
    row("10,000 characters: the tracker drops it", "", "edit APN|type|" + a10000 + ";apply", "Not saved: APN",
        "$POGNS,APN=" + a10000);
    row("Expert mode clicked during a load: nothing nested, nothing marked", "slow",
        "after request click buttonAdvanced;refresh;apply", "Changes saved");
    row("Update firmware clicked during a load: no dialog", "slow",
        "after request click buttonFirmwareUpdate;refresh", "");
    row("a port picked during a load: the link stays", "slow", "after request pick;refresh", "");
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, steps);
    QFETCH(QString, status);
    QFETCH(QStringList, sentences);
    QFETCH(QStringList, pending);
    QFETCH(int, rows);

    TrackerSimulator::Options options = testsupport::options(setup == QLatin1String("silent"), false);
    options.lineEnding
        = setup == "crlf" ? TrackerSimulator::LineEnding::CrLf : TrackerSimulator::LineEnding::Lf;
    options.echo = setup == QLatin1String("echo");
    if (setup.endsWith(QLatin1String(" inside"))) {
        options.insideList = setup == QLatin1String("nmea inside")
            ? QByteArray("$GPRMC,120001.00,A,4736.7380,N,01114.0700,E*6C\r\n")
            : QByteArray("\0\0\n\0", 4);
        options.insideListAfter = 3;
    }
    options.variant = TrackerSimulator::Variant::Vendor; // it has an APN
    // Answers late enough that the read waits, and pumps events meanwhile.
    options.answerDelayMs = setup == QLatin1String("slow") ? 300 : 0;
    QSerialPort otherProgram;
    QStringList dialogs;
    ModalAnswers noDialog([&dialogs](QWidget *modal) {
        dialogs << modal->windowTitle();
        modal->close();
    });
    QStringList messages;
    start(options, setup != QLatin1String("silent") && setup != QLatin1String("held"));
    if (setup == QLatin1String("held")) {
        otherProgram.setPortName(listed->tracker.portPath());
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    }
    connect(window->statusBar(), &QStatusBar::messageChanged, this,
        [&](const QString &text) { messages << text; });
    QElapsedTimer clock;
    clock.start();
    for (const QString &step : steps) {
        if (!step.isEmpty())
            act(step);
    }
    QTRY_VERIFY2_WITH_TIMEOUT(
        status.isEmpty() || !messages.filter(status).isEmpty(), qPrintable(messages.join(" | ")), 15000);
    QCOMPARE(messages.contains(QStringLiteral("Changes saved")), status == QLatin1String("Changes saved"));
    stopWatching = true;
    if (watcher.joinable())
        watcher.join();
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));

    // What the user may start follows what the program has: a list read from an open link.
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(button(name)->isEnabled() == loaded(), name);
    QVERIFY(!window->isExpertMode() && table->rowCount() <= 8 && dialogs.isEmpty());
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), sentences);
    QCOMPARE(shownRows(table).filter(QStringLiteral(" *")), pending);
    if (rows >= 0)
        QCOMPARE(table->rowCount(), rows);
    if (loaded())
        QCOMPARE(child<QComboBox>(window.get(), "serialPortList")->currentText(),
            listed->tracker.portPath() + " (USB Serial Device)");

    // The next search finds the tracker again: a new one where it was unplugged.
    otherProgram.close();
    if (steps.join(' ').contains(QLatin1String("unplug"))) {
        listed.reset();
        listed = std::make_unique<ListedTracker>(options);
    }
    const QString path = listed->tracker.portPath();
    listed->tracker.setSilent(false);
    listed->listing.set({{path, "USB Serial Device"}});
    QTRY_VERIFY_WITH_TIMEOUT(loaded() && Serial::systemLocation(window->link().portName()) == path, 30000);
}

void FaultsTest::randomDeviceOutputNeverHangsOrWrites()
{
    // Pieces a confused tracker or a noisy line may send before its list, in random order.
    const QByteArray list = TrackerSimulator().dump();
    const QList<QByteArray> pieces = {QByteArray(300, '\0'), "\r\r\r", QByteArray(4000, 'L') + "\n",
        list.left(list.size() / 2), "Address = 0x1;\nReg = A;\nAddress = 0x1;\n", "$POGNS,Reg=X\r\n",
        "Address=\n", "\xff\xfe\xc3", "\n\n", QByteArray("Address = \0\r\n", 13)};
    // CTest runs the 200 streams as four processes of 50 at once; alone, all 200 run.
    const int shard = qEnvironmentVariableIntValue("RANDOM_SHARD");
    start(testsupport::options(false, false));
    for (int stream = std::max(0, shard - 1); stream<200; stream += shard> 0 ? 4 : 1) {
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
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
