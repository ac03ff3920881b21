// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "dialogs/progressdialog.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "mainwindow/mainwindow.h"
#include "windowsupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

const QString missing = QStringLiteral("Firmware update not possible: Missing components.");
const QString picking = QStringLiteral("Select firmware file");
const QString confirm = QStringLiteral("Firmware update");
const QString failed = QStringLiteral("Firmware update failed");
const QString finished = QStringLiteral("Firmware update finished");

// What happens while a dialog of the update is open.
enum class Meanwhile { Unplugged, AnotherTracker, BackupsBlocked, AddressReset };

// The window's program folder: one of this run's own, so that runs side by side do not share
// their firmware folders.
QString programFolder()
{
    static const QTemporaryDir folder;
    return folder.path();
}

QString beside(const QString &name = QString())
{
    return programFolder() + QStringLiteral("/firmware/esp32s3-tracker/") + name;
}

TrackerSimulator::Options vendor()
{
    TrackerSimulator::Options options;
    options.variant = TrackerSimulator::Variant::Vendor;
    return options;
}

} // namespace

Q_DECLARE_METATYPE(Meanwhile)

// "Update firmware" against a simulated tracker and a stand-in flasher, one window for all.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000); }
    void updateGoesAsFarAsItMay_data();
    void updateGoesAsFarAsItMay();
    void updateFlashesOnlyTheTrackerItWasChosenFor_data();
    void updateFlashesOnlyTheTrackerItWasChosenFor();
    void cancelStopsAFlasherThatNeverEnds();

private:
    bool connected() const
    {
        return ui->window->link().isOpen() && ui->button("buttonFirmwareUpdate")->isEnabled();
    }
    // The components beside the program, as the vendor tracker's hardware says; the flasher is
    // a stand-in script from tests/data.
    bool install(const QStringList &components, const QString &flasher, bool executable);
    // Clicks "Update firmware" and answers the dialogs: the image (or cancel), then the
    // confirmation. Returns the titles of the dialogs, in order.
    QStringList update(bool pickImage, QMessageBox::StandardButton answer);

    // Pulls the tracker out and, unless unplugged only, lists another one in its place, with the
    // same hardware and another Address; returns once the window shows what it now has.
    void swapTracker(bool another);
    // The boxes of the last update said these, the chooser opened where the last image was and
    // the confirmation, if asked for, defaults to No.
    void checkBoxes(const QStringList &said, bool confirmed)
    {
        QVERIFY2(!chooserAstray, qPrintable(chooserFolder));
        for (const QString &text : said)
            QVERIFY2(boxTexts.contains(text), qPrintable(boxTexts));
        QVERIFY(!confirmed || noByDefault);
    }
    QStringList backups() const { return QDir(backupsFolder).entryList(QDir::Files); }

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<TrackerSimulator> other;
    std::unique_ptr<WindowUnderTest> ui;
    QString boxTexts; // each followed by a line feed
    QString chooserFolder; // where the image chooser opened
    bool imageChosen = false; // by an earlier update of this run
    bool chooserAstray = false; // it opened elsewhere than where that image was
    bool noByDefault = false;
    QTemporaryDir images;
    const QString image = images.filePath(QStringLiteral("tracker image.bin"));
    const QString backupsFolder = images.filePath(QStringLiteral("tst_firmwareupdate/backups"));
};

void FirmwareUpdateTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    // Only the program may set them for the flasher.
    qunsetenv("PYTHONUNBUFFERED");
    qunsetenv("NO_COLOR");
    // The backups each update saves go to a data folder of the test's own.
    qputenv("XDG_DATA_HOME", images.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", images.filePath(QStringLiteral("config")).toUtf8());
    listed = std::make_unique<ListedTracker>(vendor());
    QVERIFY(QFile(image).open(QIODevice::WriteOnly));
    ui = std::make_unique<WindowUnderTest>();
    ui->window->setApplicationFolder(programFolder());
}

bool FirmwareUpdateTest::install(const QStringList &components, const QString &flasher, bool executable)
{
    QDir(beside()).removeRecursively();
    bool done = components.isEmpty() || QDir().mkpath(beside());
    for (const QString &name : components) {
        const QString data
            = QStringLiteral(TESTS_DATA "/") + (name == tracktune::flasherName() ? flasher : "config.txt");
        done = done && QFile::copy(data, beside(name));
    }
    QFile::setPermissions(beside(tracktune::flasherName()),
        executable ? QFile::ReadOwner | QFile::ExeOwner : QFileDevice::Permissions(QFile::ReadOwner));
    return done;
}

QStringList FirmwareUpdateTest::update(bool pickImage, QMessageBox::StandardButton answer)
{
    BoxAnswers answers(answer, pickImage ? image : QString());
    chooserFolder.clear();
    answers.meanwhile(0, [this] {
        if (auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            chooserFolder = chooser->directory().absolutePath();
    });
    ui->button("buttonFirmwareUpdate")->click();
    // The chooser opens where the last image was chosen.
    chooserAstray = imageChosen && answers.seen.contains(picking) && chooserFolder != images.path();
    imageChosen = imageChosen || (pickImage && answers.seen.contains(picking));
    boxTexts.clear();
    noByDefault = false;
    for (const BoxAnswers::Box &box : std::as_const(answers.boxes)) {
        boxTexts += box.text + "\n";
        noByDefault = noByDefault || (box.title == confirm && box.byDefault == QMessageBox::No);
    }
    return answers.seen;
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay_data()
{
    QTest::addColumn<QStringList>("present"); // in the firmware folder beside the program
    QTest::addColumn<QString>("flasher"); // empty: it stops before the flasher
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("pickImage");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QStringList>("said"); // each in the message boxes' texts
    QTest::addColumn<QString>("shown"); // how the progress dialog's text ends, line feeds aside
    QTest::addColumn<QList<int>>("bar"); // the values the bar takes, in order
    QTest::addColumn<QString>("label"); // the progress dialog's at the end
    // The answer to the settings from before offered back; NoButton: the new firmware kept them.
    QTest::addColumn<QMessageBox::StandardButton>("restore");
    const QStringList all = tracktune::requiredComponents();
    const auto Yes = QMessageBox::Yes;
    const auto stops
        = [&](const char *what, const QStringList &present, bool pickImage,
              QMessageBox::StandardButton answer, const QStringList &dialogs, const QStringList &said) {
              QTest::newRow(what) << present << QString() << true << pickImage << answer << dialogs << said
                                  << QString() << QList<int>() << QString() << QMessageBox::NoButton;
          };
    const auto runs
        = [&](const char *what, const QString &flasher, bool executable, const QStringList &dialogs,
              const QStringList &said, const QString &shown, const QList<int> &bar,
              QMessageBox::StandardButton restore = QMessageBox::NoButton) {
              QTest::newRow(what) << all << flasher << executable << true << Yes << dialogs << said << shown
                                  << bar << (dialogs.size() == 2 ? finished : failed) << restore;
          };
    stops("no folder: the places looked in are named", {}, true, Yes, {missing},
        {"Looked in: " + beside().chopped(1)});
    stops("file dialog cancelled", all, false, Yes, {picking}, {});
    // The confirmation names the image, the tracker and the backup, and asks to keep it plugged in.
    stops("confirmation answered No", all, true, QMessageBox::No, {picking, confirm},
        {"image tracker image.bin (0 bytes", "to the tracker 0x1A2B3C (Reg ", "hardware ZRN-LTE)?",
            "Its settings are saved first, to 0x1A2B3C-before-update-",
            "Keep the tracker plugged in until the update has finished."});
    runs("progress while it runs", "flasher-progress.sh", true, {picking, confirm}, {},
        "(100 %)Hard resetting via RTS pin...", {20, 40, 60, 80, 100}, QMessageBox::Yes);
    runs("1 MB on one line arrives whole", "flasher-one-line.sh", true, {picking, confirm}, {},
        QString(1 << 20, 'x') + "end", {100}, QMessageBox::No);
    runs("it fails: what it said, its exit code", "flasher-fails.sh", true, {picking, confirm, failed},
        {"The firmware loader ended with exit code 2.",
            "\nA fatal error occurred: Failed to connect: No serial data received.\n",
            "What now: unplug the tracker, plug it in again and start the update once more. Its settings "
            "from before are saved in 0x1A2B3C-before-update-"},
        "Connecting........_____....", {});
    runs("it cannot be started", "flasher-crash.sh", false,
        {picking, confirm, "An error has occurred during update process."},
        {"The firmware loader could not be started, so the tracker was not changed.",
            "The tracker's settings are saved in 0x1A2B3C-before-update-"},
        "", {});
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay()
{
    QFETCH(QStringList, present);
    QFETCH(QString, flasher);
    QFETCH(bool, executable);
    QFETCH(bool, pickImage);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, said);
    QFETCH(QString, shown);
    QFETCH(QList<int>, bar);
    QFETCH(QString, label);
    QFETCH(QMessageBox::StandardButton, restore);
    QVERIFY(install(present, flasher.isEmpty() ? "flasher-progress.sh" : flasher, executable));
    const int hangups = listed->tracker.hangups().size();
    if (flasher.isEmpty()) {
        // It stops before the flasher: the port is never let go.
        QCOMPARE(update(pickImage, answer), dialogs);
        QVERIFY(!QFile::exists(beside("arguments")));
        QVERIFY(ui->window->link().isOpen() && listed->tracker.peerOpen());
        QCOMPARE(listed->tracker.hangups().size(), hangups);
        return checkBoxes(said, dialogs.contains(confirm));
    }
    // The slot runs the flasher before it returns: a timer watches the window meanwhile and
    // tries to start a read, as a click queued before the button went grey would.
    QList<int> values;
    QStringList seen;
    qint64 longestTickGap = 0;
    QElapsedTimer sinceTick;
    // The bar's every value, from the moment the dialog is shown, before any output.
    ProgressDialog *dialog = nullptr;
    struct Filter : QObject
    {
        std::function<void(QObject *)> onChild;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::ChildPolished)
                onChild(static_cast<QChildEvent *>(event)->child());
            return false;
        }
    } filter;
    filter.onChild = [&](QObject *child) {
        auto *shownDialog = qobject_cast<ProgressDialog *>(child);
        if (!shownDialog || dialog)
            return;
        dialog = shownDialog;
        sinceTick.start();
        connect(testsupport::child<QProgressBar>(dialog, "progress"), &QProgressBar::valueChanged, &filter,
            [&](int value) {
                values << value;
                if (value == 100)
                    QFile(beside("release")).open(QIODevice::WriteOnly);
            });
    };
    ui->window->installEventFilter(&filter);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!dialog || !ui->window->isUpdateInProgress())
            return;
        longestTickGap = qMax(longestTickGap, sinceTick.restart());
        const bool usable
            = ui->button("refreshButton")->isEnabled() || ui->button("buttonAdvanced")->isEnabled();
        const bool closable = child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Close);
        seen << QStringLiteral("%1%2%3%4")
                    .arg(ui->window->statusBar()->currentMessage(),
                        listed->tracker.peerOpen() ? " open" : " closed", usable ? " usable" : "",
                        closable ? " closable" : "");
        QMetaObject::invokeMethod(
            this, [this] { emit ui->button("refreshButton")->clicked(true); }, Qt::QueuedConnection);
    });
    watch.start(20);

    // What the new firmware will say; the window keeps what it read before.
    if (restore != QMessageBox::NoButton)
        listed->tracker.setParameter(QStringLiteral("AcftType"), QStringLiteral("0x3"));
    QCOMPARE(update(true, QMessageBox::Yes), dialogs);
    ui->window->removeEventFilter(&filter);
    checkBoxes(said, true);
    QVERIFY(!ui->window->isUpdateInProgress() && dialog);
    const QPointer<ProgressDialog> open(dialog);
    const QString text = child<QTextEdit>(dialog, "textEdit")->toPlainText();
    QVERIFY2(QString(text).remove('\n').endsWith(shown), qPrintable(text.right(80)));
    // No line grows without end, however the flasher prints.
    for (const QStringView line : QStringView(text).split(u'\n'))
        QVERIFY2(line.size() <= tracktune::maxOutputLineLength, qPrintable(QString::number(line.size())));
    QCOMPARE(values, bar);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), label);
    // The window kept answering while the flasher ran, however it printed.
    QVERIFY2(longestTickGap < 5000, qPrintable(QString::number(longestTickGap)));
    // The port stayed the flasher's, nothing could start a read and the dialog could not be
    // closed meanwhile; then it can, by its button.
    seen.removeDuplicates();
    QVERIFY2(seen.filter(QRegularExpression("open|usable|closable")).isEmpty(), qPrintable(seen.join("|")));
    QPushButton *close = child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Close);
    QVERIFY(close && close->isVisible() && close->focusPolicy() & Qt::TabFocus);
    // Enter closes it once the flasher has ended, and the closed dialog is gone.
    QTest::keyClick(dialog, Qt::Key_Return);
    QTRY_VERIFY(!open);
    if (flasher == QLatin1String("flasher-progress.sh")) {
        QFile environment(beside("environment"));
        QVERIFY(environment.open(QIODevice::ReadOnly));
        QCOMPARE(environment.readAll(), QByteArray("NO_COLOR=1 PYTHONUNBUFFERED=1\n"));
    }
    // Back on the same tracker, what the firmware changed is offered back from the backup:
    // Yes writes it, No leaves the tracker alone.
    BoxAnswers restoring(restore);
    QTRY_VERIFY_WITH_TIMEOUT(
        connected() && (restore == QMessageBox::NoButton || !restoring.boxes.isEmpty()), 30000);
    if (restore == QMessageBox::NoButton)
        return;
    QCOMPARE(restoring.seen, QStringList {"Restore settings"});
    QCOMPARE(restoring.boxes.first().byDefault, QMessageBox::Yes);
    QCOMPARE(
        listed->tracker.parameter("AcftType"), QLatin1String(restore == QMessageBox::Yes ? "0x1" : "0x3"));
    QVERIFY(!backups().filter(QRegularExpression("^0x1A2B3C-before-update-")).isEmpty());
}

void FirmwareUpdateTest::swapTracker(bool another)
{
    listed->tracker.unplug();
    if (!another) {
        QTRY_VERIFY_WITH_TIMEOUT(!ui->window->link().isOpen(), 15000);
        return;
    }
    other = std::make_unique<TrackerSimulator>(vendor());
    other->setParameter(QStringLiteral("Address"), QStringLiteral("0xBBBBBB"));
    QVERIFY(other->start());
    listed->listing.set({{other->portPath(), "USB Serial Device"}});
    QTRY_VERIFY_WITH_TIMEOUT(connected() && shownRows(ui->table).contains("Address=0xBBBBBB"), 15000);
}

void FirmwareUpdateTest::updateFlashesOnlyTheTrackerItWasChosenFor_data()
{
    QTest::addColumn<int>("modal"); // the dialog open when it happens: 0 the image, 1 the confirmation
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QString>("said"); // in the last box
    const QStringList changed {picking, confirm, "Tracker changed"};
    QTest::newRow("another tracker while choosing the image")
        << 0 << Meanwhile::AnotherTracker << QStringList {picking, "Tracker changed"} << "0xBBBBBB";
    QTest::newRow("unplugged during the confirmation")
        << 1 << Meanwhile::Unplugged << changed << "no tracker";
    QTest::newRow("another tracker during the confirmation")
        << 1 << Meanwhile::AnotherTracker << changed << "0xBBBBBB";
    QTest::newRow("no backup, no update")
        << 1 << Meanwhile::BackupsBlocked << QStringList {picking, confirm, "Firmware update not possible"}
        << "could not be saved before the update";
    // The tracker that came back after the update is replaced while the pilot reads the offer.
    QTest::newRow("another tracker at the restore question")
        << 2 << Meanwhile::AnotherTracker
        << QStringList {picking, confirm, "Restore settings", "Tracker changed"} << "0xBBBBBB";
    // Recognised by the CPU id of its status line, its Address is offered back too.
    QTest::newRow("the update reset the Address: the same chip is offered its settings")
        << 3 << Meanwhile::AddressReset << QStringList {picking, confirm, "Restore settings"}
        << "Address: 0x5C0FFE -> 0x1A2B3C";
}

void FirmwareUpdateTest::updateFlashesOnlyTheTrackerItWasChosenFor()
{
    QFETCH(int, modal);
    QFETCH(Meanwhile, meanwhile);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, said);
    QVERIFY(install(tracktune::requiredComponents(), "flasher-progress.sh", true));
    QVERIFY(QFile(beside("release")).open(QIODevice::WriteOnly)); // it ends at once
    const bool flashes = modal >= 2;
    // The new firmware put the Address back to the one of its chip's id; the chip is the same.
    if (meanwhile == Meanwhile::AddressReset)
        listed->tracker.setParameter(QStringLiteral("Address"), QStringLiteral("0x5C0FFE"));
    // What the new firmware will say: the settings from before are offered back.
    listed->tracker.setParameter(QStringLiteral("AcftType"), QStringLiteral("0x3"));
    const QStringList backupsBefore = backups();
    {
        BoxAnswers answers(QMessageBox::Yes, image);
        answers.meanwhile(modal, [&] {
            if (meanwhile != Meanwhile::BackupsBlocked)
                return swapTracker(meanwhile == Meanwhile::AnotherTracker);
            // A file where the folder belongs: nothing can be saved there.
            QDir(backupsFolder).removeRecursively();
            QDir().mkpath(QFileInfo(backupsFolder).path());
            QVERIFY(QFile(backupsFolder).open(QIODevice::WriteOnly));
        });
        ui->button("buttonFirmwareUpdate")->click();
        QTRY_COMPARE_WITH_TIMEOUT(answers.seen, dialogs, 30000);
        QVERIFY2(answers.boxes.last().text.contains(said), qPrintable(answers.boxes.last().text));
    }
    QFile::remove(backupsFolder);
    // Flashed only where the pilot confirmed it; the backup only of the tracker flashed.
    QCOMPARE(QFile::exists(beside("arguments")), flashes);
    if (meanwhile != Meanwhile::BackupsBlocked)
        QCOMPARE(backups().size(), backupsBefore.size() + (flashes ? 1 : 0));
    if (other)
        QCOMPARE(sentencesIn(other->receivedBytes()), QStringList());
    if (meanwhile == Meanwhile::AddressReset)
        QTRY_COMPARE_WITH_TIMEOUT(listed->tracker.parameter("Address"), QStringLiteral("0x1A2B3C"), 15000);
    // The fixture's tracker back in its place for the next test.
    other.reset();
    listed.reset();
    listed = std::make_unique<ListedTracker>(vendor());
    // Left open: the next update's takes its place, one progress dialog at a time.
    QVERIFY(ui->window->findChildren<ProgressDialog *>().size() <= 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        connected() && Serial::systemLocation(ui->window->link().portName()) == listed->tracker.portPath(),
        15000);
}

void FirmwareUpdateTest::cancelStopsAFlasherThatNeverEnds()
{
    // An earlier update's dialog closes with Escape, now that its flasher has ended.
    for (ProgressDialog *left : ui->window->findChildren<ProgressDialog *>()) {
        const QPointer<ProgressDialog> open(left);
        QTest::keyClick(left, Qt::Key_Escape);
        QTRY_VERIFY(!open);
    }
    // Without its "release" file the stand-in flasher waits for ever once it has printed.
    QVERIFY(install(tracktune::requiredComponents(), "flasher-progress.sh", true));
    QTimer cancel;
    ProgressDialog *dialog = nullptr;
    connect(&cancel, &QTimer::timeout, this, [&] {
        dialog = ui->window->findChild<ProgressDialog *>();
        auto *box = dialog && dialog->isVisible() ? child<QDialogButtonBox>(dialog, "buttonBox") : nullptr;
        // Escape leaves a running update in sight.
        if (!box || child<QProgressBar>(dialog, "progress")->value() < 100)
            return;
        cancel.stop();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        box->button(QDialogButtonBox::Cancel)->click();
    });
    cancel.start(50);
    BoxAnswers answers(QMessageBox::Yes, image);
    ui->button("buttonFirmwareUpdate")->click();
    QCOMPARE(answers.seen,
        (QStringList {picking, confirm, "Stop the firmware update", "Firmware update cancelled"}));
    QVERIFY(dialog);
    std::unique_ptr<ProgressDialog> owned(dialog);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), QStringLiteral("Firmware update cancelled"));
    QVERIFY(!ui->window->isUpdateInProgress());
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
