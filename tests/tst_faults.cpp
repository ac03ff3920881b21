// SPDX-License-Identifier: GPL-3.0-or-later
// The window against simulated trackers: what goes wrong with a tracker, its adapter and its
// user; settings files saved and loaded as the command line reads and writes them.
#include "commandline.h"
#include "mainwindow/mainwindow.h"
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

// How the tracker of a fault behaves, or who else has its port. PulledAtSentence: its adapter is
// pulled out as the first sentence ends, before the tracker can answer it.
enum class Tracker { Plain, HeldElsewhere, Slow, PulledAtSentence };
// What happens once the tracker hears the next request or sentence, while the read or the write
// holds the window, or while a dialog is open.
enum class Meanwhile { Nothing, Unplug, AnotherTracker, ClickExpertMode, ClickFirmwareUpdate, PickPort };
// What the tracker and the pilot do next, in order.
enum class Step { Flood, Refresh, Apply, Save, Load, Close };

} // namespace

Q_DECLARE_METATYPE(Tracker)
Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(QList<Step>)

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
                else if (what == Meanwhile::PickPort)
                    list->setCurrentIndex(list->findText(QStringLiteral("ttyS9 (Modem)")));
            },
            Qt::QueuedConnection);
    });
}

void FaultsTest::act(Step step)
{
    const char *buttons[]
        = {nullptr, "refreshButton", "applyButton", "buttonSaveSettings", "buttonLoadSettings"};
    if (step == Step::Flood)
        listed->tracker.inject(QByteArray(1 << 20, 'x'));
    else if (step == Step::Close)
        ui->window->close();
    else
        ui->button(buttons[int(step)])->click();
    // The pilot's next step comes once the operation this one started has ended.
    if (step != Step::Close && ui)
        QTRY_VERIFY_WITH_TIMEOUT(!ui->window->isBusy(), 15000);
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose_data()
{
    QTest::addColumn<Tracker>("tracker");
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<int>("modal"); // the dialog open when it happens; -1: on the wire
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QStringList>("dialogs"); // each answered Yes, or Apply
    QTest::addColumn<QString>("told"); // in a message or a box the user is shown
    QTest::addColumn<QStringList>("sentences"); // every sentence on the wire
    QTest::addColumn<QStringList>("pending"); // rows still marked at the end, as shownRows() gives them
    const auto row = [](const char *what, Tracker tracker, const Edits &edits, Meanwhile meanwhile, int modal,
                         const QList<Step> &steps, const QStringList &dialogs, const QString &told,
                         const QStringList &sentences = {}, const QStringList &pending = {}) {
        QTest::newRow(what) << tracker << edits << meanwhile << modal << steps << dialogs << told << sentences
                            << pending;
    };
    row("unplugged in the middle of a dump", Tracker::Plain, {}, Meanwhile::Unplug, -1, {Step::Refresh}, {},
        "Connection closed");
    row("unplugged during Apply", Tracker::PulledAtSentence, {{"Reg", "D-KABC"}}, Meanwhile::Nothing, -1,
        {Step::Apply}, {}, "Changes not confirmed: the connection was lost", {"$POGNS,Reg=D-KABC"});
    row("1 MB without a line break, then Refresh", Tracker::Plain, {}, Meanwhile::Nothing, -1,
        {Step::Flood, Step::Refresh}, {}, "");
    row("port held open elsewhere", Tracker::HeldElsewhere, {}, Meanwhile::Nothing, -1, {}, {},
        "is in use by another program");
    // Separators: no sentence can carry them, they would set another parameter. Non-ASCII
    // text: the tracker drops it. The other edits are written.
    row("values not in the tracker's form: said, kept, never sent", Tracker::Plain,
        {{"Reg", QStringLiteral("J\u00f6rg")}, {"APN", "web,Address=0xDEAD01"}, {"AcftType", "Tow plane"}},
        Meanwhile::Nothing, -1, {Step::Apply}, {},
        "Not sent: Reg: not in the form the tracker reads (J\\xC3\\xB6rg), APN: not in the form the tracker "
        "reads (web\\x2CAddress\\x3D0xDEAD01)",
        {"$POGNS,AcftType=0x2"}, {QStringLiteral("Reg=J\u00f6rg *"), "APN=web,Address=0xDEAD01 *"});
    row("Expert mode toggled during a load: nothing nested, nothing marked", Tracker::Slow, {},
        Meanwhile::ClickExpertMode, -1, {Step::Refresh, Step::Apply}, {},
        "Nothing to write: the tracker already holds these values");
    row("Update firmware clicked during a load: no dialog", Tracker::Slow, {}, Meanwhile::ClickFirmwareUpdate,
        -1, {Step::Refresh}, {}, "");
    row("a port picked during a load: the link stays", Tracker::Slow, {}, Meanwhile::PickPort, -1,
        {Step::Refresh}, {}, "");
    // A question the pilot answers for one tracker does nothing to another: nothing reaches either
    // and nothing is saved; the edits stay with an unplugged one.
    const Edits reg {{"Reg", "D-KXYZ"}};
    row("Save: another tracker while choosing the file", Tracker::Plain, {}, Meanwhile::AnotherTracker, 0,
        {Step::Save}, {"Save settings", "Tracker changed"}, "0xBBBBBB");
    row("Load: another tracker at the identity question", Tracker::Plain, {}, Meanwhile::AnotherTracker, 1,
        {Step::Load}, {"Load settings", "Load settings", "Tracker changed"}, "0xBBBBBB");
    row("Refresh: another tracker at the question", Tracker::Plain, reg, Meanwhile::AnotherTracker, 0,
        {Step::Refresh}, {"Refresh", "Tracker changed"}, "0xBBBBBB");
    row("close with Apply: another tracker at the question", Tracker::Plain, reg, Meanwhile::AnotherTracker,
        0, {Step::Close}, {"Changes not applied", "Tracker changed"}, "0xBBBBBB");
    row("close with Apply: unplugged at the question", Tracker::Plain, reg, Meanwhile::Unplug, 0,
        {Step::Close}, {"Changes not applied", "Tracker changed"}, "no tracker", {}, {"Reg=D-KXYZ *"});
}

void FaultsTest::faultLeavesTheTrackerAsThePilotChose()
{
    QFETCH(Tracker, tracker);
    QFETCH(Edits, edits);
    QFETCH(Meanwhile, meanwhile);
    QFETCH(int, modal);
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, told);
    QFETCH(QStringList, sentences);
    QFETCH(QStringList, pending);

    TrackerSimulator::Options options = configuredTracker();
    // Answers late enough that the read waits, and pumps events meanwhile.
    options.answerDelayMs = tracker == Tracker::Slow ? 300 : 0;
    if (tracker == Tracker::PulledAtSentence)
        options.unplugAfterSentences = 1;
    QSerialPort otherProgram;
    const QString file = data.filePath(QStringLiteral("other aircraft.txt"));
    const QString saved = data.filePath(QStringLiteral("saved.txt"));
    QVERIFY(writeFile(file, otherAircraft));
    BoxAnswers answers(steps.contains(Step::Close) ? QMessageBox::Apply : QMessageBox::Yes,
        steps.contains(Step::Save) ? saved : file);
    listed.reset(); // its port listing goes before the next one is set
    listed = std::make_unique<ListedTracker>(options);
    // A second port, so that a pick has somewhere to go.
    listed->listing.set({{listed->tracker.portPath(), "USB Serial Device"}, {"ttyS9", "Modem"}});
    TrackerSimulator::Options another = configuredTracker();
    another.cpuId = "000024A16CBBBBBB"; // another chip: the window tells trackers by it
    TrackerSimulator other(another);
    other.setParameter(QStringLiteral("Address"), QStringLiteral("0xBBBBBB"));
    QVERIFY(other.start());
    openWindow(tracker != Tracker::HeldElsewhere);
    if (tracker == Tracker::HeldElsewhere) {
        otherProgram.setPortName(listed->tracker.portPath());
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    }
    QElapsedTimer clock;
    clock.start();
    edit(ui->table, edits);
    if (modal < 0 && meanwhile != Meanwhile::Nothing)
        arm(meanwhile);
    else if (modal >= 0)
        answers.meanwhile(modal, [&] {
            listed->tracker.unplug();
            if (meanwhile == Meanwhile::AnotherTracker) {
                listed->listing.set({{other.portPath(), "USB Serial Device"}});
                QTRY_VERIFY_WITH_TIMEOUT(
                    ui->loaded() && shownRows(ui->table).contains(QStringLiteral("Address=0xBBBBBB")), 15000);
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(!ui->window->link().isOpen(), 15000);
            }
        });
    for (const Step step : steps)
        act(step);
    const auto shown = [&] {
        QStringList texts = ui->messages;
        for (const BoxAnswers::Box &box : std::as_const(answers.boxes))
            texts << box.text;
        return texts.join(QStringLiteral(" | "));
    };
    QTRY_VERIFY2_WITH_TIMEOUT(shown().contains(told), qPrintable(shown()), 15000);
    QVERIFY(!ui->messages.contains(QStringLiteral("Changes saved")));
    stopWatching = true;
    if (watcher.joinable())
        watcher.join();
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));

    // What the user may start follows what the program has: a list read from an open link.
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(ui->button(name)->isEnabled() == ui->loaded(), name);
    QVERIFY(ui->window->isVisible() && !ui->window->isExpertMode() && ui->table->rowCount() <= 8);
    QCOMPARE(answers.seen, dialogs);
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), sentences);
    QCOMPARE(sentencesIn(other.receivedBytes()), QStringList());
    QVERIFY(!QFile::exists(saved));
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), pending);
    if (ui->loaded())
        QCOMPARE(child<QComboBox>(ui->window.get(), "serialPortList")->currentText(),
            (meanwhile == Meanwhile::AnotherTracker ? other.portPath() : listed->tracker.portPath())
                + " (USB Serial Device)");
    if (meanwhile == Meanwhile::AnotherTracker)
        return;

    // The next search finds the tracker again: a new one where it was unplugged.
    otherProgram.close();
    if (meanwhile == Meanwhile::Unplug || tracker == Tracker::PulledAtSentence) {
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
    ui.reset();

    // A new tracker: what the file must bring back.
    TrackerSimulator fresh(configuredTracker());
    QVERIFY(fresh.start());
    QString out, err;
    TrackerCommands commands(&out, &err);
    QCOMPARE(
        commands.run(tracktune::parseCommandLine({"tracktune-cli", "-p", fresh.portPath(), "apply", path})),
        0);
    QCOMPARE(sentencesIn(fresh.receivedBytes()),
        (QStringList {"$POGNS,AcftType=0x7", "$POGNS,TxPower=+22", "$POGNS,Pilot=Jo", "$POGNS,Reg=D-KABC"}));
}

void FaultsTest::loadMarksWhatTheFileChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QMessageBox::StandardButton>("identityAnswer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<bool>("expertMode");
    const auto row = [](const char *what, const QByteArray &file, QMessageBox::StandardButton identityAnswer,
                         const QStringList &boxes, const QStringList &marked, bool expertMode) {
        QTest::newRow(what) << file << identityAnswer << boxes << marked << expertMode;
    };
    const QStringList twoBoxes {"Load settings", "Load settings"};
    row("another aircraft's file: its identity left alone on No", otherAircraft, QMessageBox::No, twoBoxes,
        {"AcftType=Tow plane *"}, false);
    row("another aircraft's file: its identity too on Yes", otherAircraft, QMessageBox::Yes, twoBoxes,
        {"Address=0xABCDEF *", "AcftType=Tow plane *", "Reg=D-EFGH *"}, false);
    // The chip outlives a reset of the settings: the tracker's own backup is no other aircraft.
    row("its own backup after a reset, known by its chip: no question",
        "# CPU = " + TrackerSimulator::Options().cpuId + "\n" + otherAircraft, QMessageBox::NoButton,
        {"Load settings"}, {"Address=0xABCDEF *", "AcftType=Tow plane *", "Reg=D-EFGH *"}, false);
    // A club template's Bluetooth name would give every aircraft the same one.
    row("a template is no other aircraft: its identity asked about too", "BTname = club\nAcftType = 0x2\n",
        QMessageBox::No, twoBoxes, {"AcftType=Tow plane *"}, false);
    row("misspelled names: told in a box, nothing marked", "# club\nAcftTyp = 0x2\nTxPowr = HIGH\n",
        QMessageBox::NoButton, twoBoxes, {}, false);
    row("refused values listed in one box, not marked; Hard never; a comma the newer line escapes",
        "CONbaud = 9600\nAPN = a,b\nHard = x\nAcftType = UAV\n", QMessageBox::NoButton, twoBoxes,
        {"AcftType=UAV *", "APN=a,b *"}, false);
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
    const QString path = data.filePath(QStringLiteral("template.txt"));
    QVERIFY(writeFile(path, file));
    openWindow();
    listed->tracker.clearRecord();
    BoxAnswers answers(identityAnswer, path);
    ui->button("buttonLoadSettings")->click();
    QCOMPARE(answers.seen, boxes);
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

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
