// SPDX-License-Identifier: GPL-3.0-or-later
// The window against simulated trackers: what goes wrong with a tracker, its adapter and its
// user; settings files saved and loaded as the command line reads and writes them.
#include "commandline.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/messagebar.h"
#include "trackercommands.h"
#include "windowsupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace testsupport;

namespace {

// The vendor's tracker, which has an APN; init() gives it an aircraft's own settings.
TrackerSimulator::Options configuredTracker()
{
    TrackerSimulator::Options options = testsupport::options(false, false);
    options.variant = TrackerSimulator::Variant::Vendor;
    return options;
}

const QByteArray otherAircraft = "Address = 0xABCDEF\nReg = D-EFGH\nAcftType = 0x2\n";
const QList<QPair<QString, QString>> aircraft {
    {"AcftType", "0x7"}, {"Reg", "D-KABC"}, {"Pilot", "Jo"}, {"TxPower", "+22"}};

// How the tracker of a fault behaves, or who else has its port.
enum class Tracker { Plain, HeldElsewhere, Slow };
// What happens once the tracker hears the next request or sentence, while the read or the write
// holds the window.
enum class Meanwhile { Nothing, Unplug, ClickExpertMode, ClickFirmwareUpdate, PickAnotherPort };
// What the tracker, its adapter and the pilot do next, in order.
enum class Step { Flood, Unlist, Refresh, Apply };
// A workflow that asks the pilot something, and what happens to its tracker meanwhile.
enum class Workflow { Save, Load, Refresh, CloseAndApply };

} // namespace

Q_DECLARE_METATYPE(Tracker)
Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(Workflow)

// Each fault row runs its steps against a fresh window and tracker, then asserts what the
// user sees, what the tracker received, and that the next search finds it again.
class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        QVERIFY(data.isValid());
        qputenv("XDG_DATA_HOME", data.path().toUtf8()); // the application's data folder
    }
    void init() // a tracker with an aircraft's settings; the faults start their own
    {
        listed = std::make_unique<ListedTracker>(configuredTracker());
        for (const auto &setting : aircraft)
            listed->tracker.setParameter(setting.first, setting.second);
    }
    void cleanup()
    {
        ui.reset();
        listed.reset();
    }
    void faultLeavesTheTrackerAsThePilotChose_data();
    void faultLeavesTheTrackerAsThePilotChose();
    void workflowStopsWhenTheTrackerChanges_data();
    void workflowStopsWhenTheTrackerChanges();
    void windowSavesWhatTheCommandLineApplies();
    void loadMarksWhatTheFileChanges_data();
    void loadMarksWhatTheFileChanges();

private:
    void arm(Meanwhile what);
    void act(Step step);
    void openWindow(bool waitForLoad = true)
    {
        ui = std::make_unique<WindowUnderTest>();
        if (waitForLoad)
            QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    }

    QTemporaryDir data;
    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<WindowUnderTest> ui;
    std::thread watcher;
    std::atomic<bool> stopWatching {false};
};

// Acts on the simulator at once (its calls are thread-safe), on the window as a queued click
// would arrive.
void FaultsTest::arm(Meanwhile what)
{
    TrackerSimulator &tracker = listed->tracker;
    const int requests = tracker.receivedCount(0x03);
    const int sentences = tracker.receivedCount('$');
    stopWatching = false;
    watcher = std::thread([=, &tracker] {
        while (!stopWatching && tracker.receivedCount(0x03) == requests
            && tracker.receivedCount('$') == sentences)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (stopWatching)
            return;
        if (what == Meanwhile::Unplug)
            return tracker.unplug();
        QMetaObject::invokeMethod(
            this,
            [this, what] {
                auto *list = child<QComboBox>(ui->window.get(), "serialPortList");
                // As a click queued before the button went grey.
                if (what == Meanwhile::ClickExpertMode)
                    ui->button("buttonAdvanced")->setChecked(true);
                else if (what == Meanwhile::ClickFirmwareUpdate)
                    emit ui->button("buttonFirmwareUpdate")->clicked(true);
                else if (what == Meanwhile::PickAnotherPort)
                    list->setCurrentIndex(list->findText(QStringLiteral("ttyS9 (Modem)")));
            },
            Qt::QueuedConnection);
    });
}

void FaultsTest::act(Step step)
{
    if (step == Step::Flood)
        listed->tracker.inject(QByteArray(1 << 20, 'x'));
    else if (step == Step::Unlist)
        listed->listing.set({});
    else
        ui->button(step == Step::Refresh ? "refreshButton" : "applyButton")->click();
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose_data()
{
    QTest::addColumn<Tracker>("tracker");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("status"); // a message the user is shown
    QTest::addColumn<QStringList>("sentences"); // every sentence on the wire
    QTest::addColumn<QStringList>("pending"); // rows still marked at the end, as shownRows() gives them
    const auto row = [](const char *what, Tracker tracker, const Edits &edits, Meanwhile meanwhile,
                         const QList<Step> &steps, const QString &status, const QStringList &sentences = {},
                         const QStringList &pending = {}) {
        QTest::newRow(what) << tracker << edits << meanwhile << steps << status << sentences << pending;
    };
    row("unplugged in the middle of a dump", Tracker::Plain, {}, Meanwhile::Unplug, {Step::Refresh},
        "Connection closed");
    row("unplugged during Apply", Tracker::Plain, {{"Reg", "D-KABC"}}, Meanwhile::Unplug, {Step::Apply},
        "Changes not confirmed: the connection was lost", {"$POGNS,Reg=D-KABC"});
    row("1 MB without a line break, then Refresh", Tracker::Plain, {}, Meanwhile::Nothing,
        {Step::Flood, Step::Refresh}, "");
    row("port held open elsewhere", Tracker::HeldElsewhere, {}, Meanwhile::Nothing, {},
        "is in use by another program");
    row("port gone from the list while connected", Tracker::Plain, {}, Meanwhile::Nothing,
        {Step::Unlist, Step::Refresh}, "");
    // Separators: no sentence can carry them, they would set another parameter. Non-ASCII
    // text: the tracker drops it. The other edits are written.
    row("a value not sent and one not taken: both said, the unsent one kept", Tracker::Plain,
        {{"Reg", QStringLiteral("J\u00f6rg")}, {"APN", "web,Address=0xDEAD01"}, {"AcftType", "Tow plane"}},
        Meanwhile::Nothing, {Step::Apply},
        "Not saved: Reg; Not sent: APN (no blank, comma, $, * or control character in a value)",
        {"$POGNS,AcftType=0x2", QStringLiteral("$POGNS,Reg=J\u00f6rg")}, {"APN=web,Address=0xDEAD01 *"});
    row("Expert mode toggled during a load: nothing nested, nothing marked", Tracker::Slow, {},
        Meanwhile::ClickExpertMode, {Step::Refresh, Step::Apply},
        "Nothing to write: the tracker already holds these values");
    row("Update firmware clicked during a load: no dialog", Tracker::Slow, {}, Meanwhile::ClickFirmwareUpdate,
        {Step::Refresh}, "");
    row("a port picked during a load: the link stays", Tracker::Slow, {}, Meanwhile::PickAnotherPort,
        {Step::Refresh}, "");
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose()
{
    QFETCH(Tracker, tracker);
    QFETCH(Edits, edits);
    QFETCH(Meanwhile, meanwhile);
    QFETCH(QList<Step>, steps);
    QFETCH(QString, status);
    QFETCH(QStringList, sentences);
    QFETCH(QStringList, pending);

    TrackerSimulator::Options options = configuredTracker();
    // Answers late enough that the read waits, and pumps events meanwhile.
    options.answerDelayMs = tracker == Tracker::Slow ? 300 : 0;
    QSerialPort otherProgram;
    BoxAnswers noDialog(QMessageBox::NoButton);
    listed.reset(); // its port listing goes before the next one is set
    listed = std::make_unique<ListedTracker>(options);
    // A second port, so that a pick has somewhere to go.
    listed->listing.set({{listed->tracker.portPath(), "USB Serial Device"}, {"ttyS9", "Modem"}});
    openWindow(tracker != Tracker::HeldElsewhere);
    if (tracker == Tracker::HeldElsewhere) {
        otherProgram.setPortName(listed->tracker.portPath());
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    }
    const QStringList &messages = ui->messages;
    QElapsedTimer clock;
    clock.start();
    edit(ui->table, edits);
    if (meanwhile != Meanwhile::Nothing)
        arm(meanwhile);
    for (const Step step : steps)
        act(step);
    QTRY_VERIFY2_WITH_TIMEOUT(
        status.isEmpty() || !messages.filter(status).isEmpty(), qPrintable(messages.join(" | ")), 15000);
    QCOMPARE(messages.contains(QStringLiteral("Changes saved")), status == QLatin1String("Changes saved"));
    stopWatching = true;
    if (watcher.joinable())
        watcher.join();
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));

    // What the user may start follows what the program has: a list read from an open link.
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(ui->button(name)->isEnabled() == ui->loaded(), name);
    QVERIFY(!ui->window->isExpertMode() && ui->table->rowCount() <= 8);
    QCOMPARE(noDialog.seen, QStringList());
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), sentences);
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), pending);
    if (ui->loaded())
        QCOMPARE(child<QComboBox>(ui->window.get(), "serialPortList")->currentText(),
            listed->tracker.portPath() + " (USB Serial Device)");

    // The next search finds the tracker again: a new one where it was unplugged.
    otherProgram.close();
    if (meanwhile == Meanwhile::Unplug) {
        listed.reset();
        listed = std::make_unique<ListedTracker>(options);
    }
    const QString path = listed->tracker.portPath();
    listed->listing.set({{path, "USB Serial Device"}});
    QTRY_VERIFY_WITH_TIMEOUT(
        ui->loaded() && Serial::systemLocation(ui->window->link().portName()) == path, 30000);
}

// The settings file of one is the other's, line for line.
void FaultsTest::windowSavesWhatTheCommandLineApplies()
{
    const QString path = data.filePath(QStringLiteral("aircraft.txt"));
    openWindow();
    BoxAnswers answers(QMessageBox::NoButton, path);
    ui->button("buttonSaveSettings")->click();
    QCOMPARE(answers.seen, QStringList {"Save settings"});
    // The file's name whole, above the table.
    QCOMPARE(child<MessageBar>(ui->window.get(), "messageBar")->text(),
        "Settings saved to: " + QDir::toNativeSeparators(path));
    ui.reset();

    // Back to a new tracker's values: what the file must bring back.
    for (const auto &setting : aircraft)
        listed->tracker.setParameter(
            setting.first, TrackerSimulator(configuredTracker()).parameter(setting.first));
    listed->tracker.clearRecord();
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(commands.run(tracktune::parseCommandLine(
                 {"tracktune-cli", "-p", listed->tracker.portPath(), "apply", path})),
        0);
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()),
        (QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,Pilot=Jo", "$POGNS,Reg=D-KABC"}));
    for (const auto &setting : aircraft)
        QCOMPARE(listed->tracker.parameter(setting.first), setting.second);
}

void FaultsTest::loadMarksWhatTheFileChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QMessageBox::StandardButton>("identityAnswer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QString>("told"); // what the last box says, in part; empty: anything
    const auto row = [](const char *what, const QByteArray &file, QMessageBox::StandardButton identityAnswer,
                         const QStringList &boxes, const QStringList &marked, bool expertMode,
                         const QString &told = {}) {
        QTest::newRow(what) << file << identityAnswer << boxes << marked << expertMode << told;
    };
    const QStringList twoBoxes {"Load settings", "Load settings"};
    row("another aircraft's file: its identity left alone on No", otherAircraft, QMessageBox::No, twoBoxes,
        {"AcftType=Tow plane *"}, false);
    row("another aircraft's file: its identity too on Yes", otherAircraft, QMessageBox::Yes, twoBoxes,
        {"Address=0xABCDEF *", "AcftType=Tow plane *", "Reg=D-EFGH *"}, false);
    row("a template is no other aircraft: its identity asked about as a template's",
        "BTname = club\nAcftType = 0x2\n", QMessageBox::No, twoBoxes, {"AcftType=Tow plane *"}, false,
        "This file is a template: it names no Address. Take its identity settings too (BTname)?");
    row("misspelled names: their lines and the names meant, nothing marked",
        "# club\nAcftTyp = 0x2\nTxPowr = HIGH\n", QMessageBox::NoButton, twoBoxes, {}, false,
        "line 2: AcftTyp (did you mean AcftType?)\nline 3: TxPowr (did you mean TxPower?)");
    row("refused values listed in one box, not marked; Hard never",
        "CONbaud = 9600\nAPN = a,b\nHard = x\nAcftType = UAV\n", QMessageBox::NoButton, twoBoxes,
        {"AcftType=UAV *"}, false);
    row("a parameter only expert mode shows: expert mode", "Base = LSZH\nAcftType = 0x7\n",
        QMessageBox::NoButton, {"Load settings"}, {"Base=LSZH *"}, true);
}

void FaultsTest::loadMarksWhatTheFileChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(QMessageBox::StandardButton, identityAnswer);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, marked);
    QFETCH(bool, expertMode);
    QFETCH(QString, told);
    const QString path = data.filePath(QStringLiteral("template.txt"));
    QVERIFY(writeFile(path, file));
    openWindow();
    listed->tracker.clearRecord();
    BoxAnswers answers(identityAnswer, path);
    ui->button("buttonLoadSettings")->click();
    QCOMPARE(answers.seen, boxes);
    QVERIFY(told.isEmpty() || answers.boxes.last().text.contains(told));
    if (marked.isEmpty())
        QVERIFY(!ui->window->statusBar()->currentMessage().contains(QStringLiteral("already holds")));
    // Whatever a box asks, Enter changes nothing on the tracker.
    for (const BoxAnswers::Box &box : std::as_const(answers.boxes))
        QVERIFY2(box.byDefault == QMessageBox::Ok || box.byDefault == QMessageBox::No, qPrintable(box.text));
    // A load that switched to expert mode has read the tracker again.
    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    QCOMPARE(ui->window->isExpertMode(), expertMode);
    QCOMPARE(shownRows(ui->table).filter(" *"), marked);
    // Nothing is written until Apply.
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), QStringList());
}

void FaultsTest::workflowStopsWhenTheTrackerChanges_data()
{
    QTest::addColumn<Workflow>("workflow");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<int>("modal"); // which of the workflow's dialogs is open when it happens
    QTest::addColumn<bool>("another"); // another tracker listed, else none
    QTest::addColumn<QStringList>("dialogs");
    const auto row = [](const char *what, Workflow workflow, const Edits &edits, int modal, bool another,
                         const QStringList &dialogs) {
        QTest::newRow(what) << workflow << edits << modal << another << dialogs;
    };
    const QStringList saved {"Save settings", "Tracker changed"};
    row("Save: another tracker while choosing the file", Workflow::Save, {}, 0, true, saved);
    row("Load: another tracker at the identity question", Workflow::Load, {}, 1, true,
        {"Load settings", "Load settings", "Tracker changed"});
    row("Refresh: another tracker at the question", Workflow::Refresh, {{"Reg", "D-KXYZ"}}, 0, true,
        {"Refresh", "Tracker changed"});
    row("close with Apply: another tracker at the question", Workflow::CloseAndApply, {{"Reg", "D-KXYZ"}}, 0,
        true, {"Changes not applied", "Tracker changed"});
    row("close with Apply: unplugged at the question", Workflow::CloseAndApply, {{"Reg", "D-KXYZ"}}, 0, false,
        {"Changes not applied", "Tracker changed"});
}

void FaultsTest::workflowStopsWhenTheTrackerChanges()
{
    QFETCH(Workflow, workflow);
    QFETCH(Edits, edits);
    QFETCH(int, modal);
    QFETCH(bool, another);
    QFETCH(QStringList, dialogs);
    const QString path = data.filePath(QStringLiteral("other aircraft.txt"));
    QFile::remove(path);
    QVERIFY(workflow != Workflow::Load || writeFile(path, otherAircraft));
    openWindow();
    edit(ui->table, edits);
    TrackerSimulator other(configuredTracker());
    other.setParameter(QStringLiteral("Address"), QStringLiteral("0xBBBBBB"));
    QVERIFY(other.start());
    listed->tracker.clearRecord();

    BoxAnswers answers(workflow == Workflow::CloseAndApply ? QMessageBox::Apply : QMessageBox::Yes,
        workflow == Workflow::Save ? data.filePath(QStringLiteral("saved.txt")) : path);
    answers.meanwhile(modal, [&] {
        listed->tracker.unplug();
        if (another) {
            listed->listing.set({{other.portPath(), "USB Serial Device"}});
            QTRY_VERIFY_WITH_TIMEOUT(
                ui->loaded() && shownRows(ui->table).contains(QStringLiteral("Address=0xBBBBBB")), 15000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!ui->window->link().isOpen(), 15000);
        }
    });
    if (workflow == Workflow::CloseAndApply)
        ui->window->close();
    else
        ui->button(workflow == Workflow::Save  ? "buttonSaveSettings"
                  : workflow == Workflow::Load ? "buttonLoadSettings"
                                               : "refreshButton")
            ->click();
    QCOMPARE(answers.seen, dialogs);
    // Nothing reached either tracker and nothing was saved; nothing is marked on the other one,
    // the pilot's edits stay with an unplugged one.
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), QStringList());
    QCOMPARE(sentencesIn(other.receivedBytes()), QStringList());
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("saved.txt"))));
    QStringList pending;
    for (const Edit &edit : std::as_const(edits))
        pending << edit.name + "=" + edit.value + " *";
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")),
        another || workflow == Workflow::Refresh ? QStringList() : pending);
    QVERIFY(ui->window->isVisible());
    QVERIFY2(answers.boxes.last().text.contains(another ? "0xBBBBBB" : "no tracker"),
        qPrintable(answers.boxes.last().text));
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
