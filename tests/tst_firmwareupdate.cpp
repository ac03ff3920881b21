// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "dialogs/progressdialog.h"
#include "espimages.h"
#include "firmware/firmwareupdate.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "mainwindow/mainwindow.h"
#include "windowsupport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

// The simulated vendor tracker names its board ZRN-LTE, an ESP32-S3 board.
const QString picking = QStringLiteral("Select firmware file for the ZRN-LTE (ESP32-S3)");
const QString refused = QStringLiteral("Firmware image refused");
const QString confirm = QStringLiteral("Firmware update");
const QString failed = QStringLiteral("Firmware update failed");
const QString finished = QStringLiteral("Firmware update finished");
const QString stopIt = QStringLiteral("Stop the firmware update");
const QString cancelled = QStringLiteral("Firmware update cancelled");
const QString changed = QStringLiteral("Tracker changed");
const QString restoring = QStringLiteral("Restore settings");

// What goes otherwise than a pilot who picks the image and answers Yes throughout.
enum class Twist {
    NoFirmwareFolder,
    ChooserCancelled,
    AnsweredNo,
    AnotherTracker,
    BackupsBlocked,
    AddressReset,
    WrongChip,
    WholeFlash
};

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

Q_DECLARE_METATYPE(Twist)

// "Update firmware" against a simulated tracker and a stand-in flasher, one window for all.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000); }
    void flasherRunsInItsDialog_data();
    void flasherRunsInItsDialog();
    void updateFlashesOnlyWhatThePilotConfirmed_data();
    void updateFlashesOnlyWhatThePilotConfirmed();

private:
    bool connected() const
    {
        return ui->window->link().isOpen() && ui->button("buttonFirmwareUpdate")->isEnabled();
    }
    // The components beside the program, as the vendor tracker's hardware says; the flasher is
    // a stand-in script from tests/data.
    bool install(const QStringList &components, const QString &flasher, bool executable);
    QStringList backups() const { return QDir(backupsFolder).entryList(QDir::Files); }

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<WindowUnderTest> ui;
    QTemporaryDir images;
    const QString image = images.filePath(QStringLiteral("tracker image.bin"));
    const QString esp32Image = images.filePath(QStringLiteral("esp32 firmware.bin"));
    const QString mergedImage = images.filePath(QStringLiteral("merged.bin"));
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
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(image, espimages::application(espimages::esp32s3, "OGNv0.1.18")));
    QVERIFY(write(esp32Image, espimages::application(espimages::esp32, "OGNv0.1.18")));
    QVERIFY(write(mergedImage, espimages::wholeFlash(espimages::esp32s3, 0, "OGNv0.2.1")));
    ui = std::make_unique<WindowUnderTest>();
    ui->window->setApplicationFolder(programFolder());
}

bool FirmwareUpdateTest::install(const QStringList &components, const QString &flasher, bool executable)
{
    QDir(beside()).removeRecursively();
    bool done = components.isEmpty() || QDir().mkpath(beside());
    for (const QString &name : components) {
        const QString data = name == tracktune::wholeFlashTemplateName()
            ? QStringLiteral(FIRMWARE_FOLDERS "/esp32s3-tracker/") + name
            : QStringLiteral(TESTS_DATA "/") + (name == tracktune::flasherName() ? flasher : "config.txt");
        done = done && QFile::copy(data, beside(name));
    }
    QFile::setPermissions(beside(tracktune::flasherName()),
        executable ? QFile::ReadOwner | QFile::ExeOwner : QFileDevice::Permissions(QFile::ReadOwner));
    return done;
}

void FirmwareUpdateTest::flasherRunsInItsDialog_data()
{
    QTest::addColumn<QString>("flasher");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QString>("ending"); // the progress dialog's label at the end
    QTest::addColumn<QStringList>("said"); // each in the last box's text
    QTest::addColumn<QString>("shown"); // how the progress dialog's text ends, line feeds aside
    QTest::addColumn<QList<int>>("bar"); // the values the bar takes, in order
    // The answer to the settings from before offered back; NoButton: the new firmware kept them.
    QTest::addColumn<QMessageBox::StandardButton>("restore");
    // An event loop runs for 2 s from the last progress line on, as a modal box would.
    QTest::addColumn<bool>("nested");
    QTest::newRow("progress while it runs")
        << "flasher-progress.sh" << true << QStringList {picking, confirm} << finished << QStringList()
        << "(100 %)Hard resetting via RTS pin..." << QList<int> {20, 40, 60, 80, 100} << QMessageBox::Yes
        << false;
    QTest::newRow("it ends while another event loop runs")
        << "flasher-progress.sh" << true << QStringList {picking, confirm} << finished << QStringList()
        << "(100 %)Hard resetting via RTS pin..." << QList<int> {20, 40, 60, 80, 100} << QMessageBox::NoButton
        << true;
    QTest::newRow("1 MB on one line arrives whole")
        << "flasher-one-line.sh" << true << QStringList {picking, confirm} << finished << QStringList()
        << QString(1 << 20, 'x') + "end" << QList<int> {100} << QMessageBox::No << false;
    QTest::newRow("it fails: what it said, its exit code")
        << "flasher-fails.sh" << true << QStringList {picking, confirm, failed} << failed
        << QStringList {"The firmware loader ended with exit code 2.",
               "\nA fatal error occurred: Failed to connect: No serial data received.\n",
               "What now: unplug the tracker, plug it in again and start the update once more. Its "
               "settings from before are saved in 0x1A2B3C-before-update-"}
        << "Connecting........_____...." << QList<int>() << QMessageBox::NoButton << false;
    QTest::newRow("it cannot be started")
        << "flasher-crash.sh" << false
        << QStringList {picking, confirm, "An error has occurred during update process."} << failed
        << QStringList {"The firmware loader could not be started, so the tracker was not changed.",
               "The tracker's settings are saved in 0x1A2B3C-before-update-"}
        << "" << QList<int>() << QMessageBox::NoButton << false;
    // Without its "release" file the stand-in flasher waits for ever once it has printed.
    QTest::newRow("cancelled: a flasher that never ends is stopped")
        << "flasher-progress.sh" << true << QStringList {picking, confirm, stopIt, cancelled} << cancelled
        << QStringList {"cancelled before the loader had finished"} << "(100 %)"
        << QList<int> {20, 40, 60, 80, 100} << QMessageBox::NoButton << false;
}

void FirmwareUpdateTest::flasherRunsInItsDialog()
{
    QFETCH(QString, flasher);
    QFETCH(bool, executable);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, ending);
    QFETCH(QStringList, said);
    QFETCH(QString, shown);
    QFETCH(QList<int>, bar);
    QFETCH(QMessageBox::StandardButton, restore);
    QFETCH(bool, nested);
    QVERIFY(install(tracktune::requiredComponents(), flasher, executable));
    // The slot starts the flasher and returns: a timer watches the window while it runs and
    // tries to start a read, as a click queued before the button went grey would.
    QList<int> values;
    bool endedInside = false; // the update ended while the other event loop ran
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
                if (value < 100)
                    return;
                if (!dialogs.contains(stopIt))
                    QFile(beside("release")).open(QIODevice::WriteOnly);
                if (nested)
                    QTimer::singleShot(0, dialog, [&] {
                        QEventLoop loop;
                        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
                        loop.exec();
                        endedInside = !ui->window->isUpdateInProgress();
                    });
                // Escape leaves a running update in sight; its Cancel button stops it.
                else if (dialogs.contains(stopIt))
                    QTimer::singleShot(0, dialog, [dialog] {
                        QTest::keyClick(dialog, Qt::Key_Escape);
                        QVERIFY(dialog->isVisible());
                        testsupport::child<QDialogButtonBox>(dialog, "buttonBox")
                            ->button(QDialogButtonBox::Cancel)
                            ->click();
                    });
            });
    };
    ui->window->installEventFilter(&filter);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!dialog || !ui->window->isUpdateInProgress())
            return;
        longestTickGap = qMax(longestTickGap, sinceTick.restart());
        if (listed->tracker.peerOpen())
            seen << "port open";
        if (ui->button("refreshButton")->isEnabled() || ui->button("buttonAdvanced")->isEnabled())
            seen << "usable";
        if (child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Close))
            seen << "closable";
        QMetaObject::invokeMethod(
            this, [this] { emit ui->button("refreshButton")->clicked(true); }, Qt::QueuedConnection);
    });
    watch.start(20);

    // What the new firmware will say; the window keeps what it read before. An edit pending
    // across the update never rides along with the restore.
    if (restore != QMessageBox::NoButton) {
        listed->tracker.setParameter(QStringLiteral("AcftType"), QStringLiteral("0x3"));
        edit(ui->table, "Reg", "D-KEPT");
        ui->messages.clear();
    }
    {
        BoxAnswers answers(QMessageBox::Yes, image);
        ui->button("buttonFirmwareUpdate")->click();
        ui->window->removeEventFilter(&filter);
        QVERIFY(ui->window->isUpdateInProgress());
        QSignalSpy ended(ui->window->findChild<FirmwareUpdate *>(), &FirmwareUpdate::finished);
        QVERIFY(ended.wait(30000));
        QCOMPARE(answers.seen, dialogs);
        for (const QString &text : said)
            QVERIFY2(answers.boxes.last().text.contains(text), qPrintable(answers.boxes.last().text));
    }
    QVERIFY(!ui->window->isUpdateInProgress() && dialog);
    QCOMPARE(endedInside, nested);
    const QPointer<ProgressDialog> open(dialog);
    const QString text = child<QTextEdit>(dialog, "textEdit")->toPlainText();
    QVERIFY2(QString(text).remove('\n').endsWith(shown), qPrintable(text.right(80)));
    // No line grows without end, however the flasher prints.
    for (const QStringView line : QStringView(text).split(u'\n'))
        QVERIFY2(line.size() <= tracktune::maxOutputLineLength, qPrintable(QString::number(line.size())));
    QCOMPARE(values, bar);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), ending);
    // The window kept answering while the flasher ran, however it printed.
    QVERIFY2(longestTickGap < 5000, qPrintable(QString::number(longestTickGap)));
    // The port stayed the flasher's, nothing could start a read and the dialog could not be
    // closed meanwhile; then it can, by its button.
    seen.removeDuplicates();
    QCOMPARE(seen, QStringList());
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
    BoxAnswers offer(restore);
    QTRY_VERIFY_WITH_TIMEOUT(
        connected() && (restore == QMessageBox::NoButton || !offer.boxes.isEmpty()), 30000);
    if (restore == QMessageBox::NoButton)
        return;
    QCOMPARE(offer.seen, QStringList {restoring});
    QCOMPARE(offer.boxes.first().byDefault, QMessageBox::Yes);
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
    QCOMPARE(
        listed->tracker.parameter("AcftType"), QLatin1String(restore == QMessageBox::Yes ? "0x1" : "0x3"));
    QCOMPARE(listed->tracker.sentences().filter(QStringLiteral("Reg=")), QStringList());
    QCOMPARE(ui->messages.filter(QStringLiteral("After the firmware update, the 1 change")).size(), 1);
}

void FirmwareUpdateTest::updateFlashesOnlyWhatThePilotConfirmed_data()
{
    QTest::addColumn<Twist>("twist");
    QTest::addColumn<int>("modal"); // the dialog open when it happens: 0 the image, 1 the confirmation...
    QTest::addColumn<QStringList>("dialogs"); // flashed where the restore is offered
    QTest::addColumn<QString>("said"); // in the last box
    const auto row = [](const char *what, Twist twist, int modal, const QStringList &dialogs,
                         const QString &said) { QTest::newRow(what) << twist << modal << dialogs << said; };
    row("no firmware folder: the places looked in are named", Twist::NoFirmwareFolder, 0,
        {"Firmware update not possible: Missing components."}, "Looked in: " + beside().chopped(1));
    row("file chooser cancelled", Twist::ChooserCancelled, 0, {picking}, "");
    // No is the default, and the question names the tracker.
    row("confirmation answered No", Twist::AnsweredNo, 1, {picking, confirm},
        "to the tracker 0x1A2B3C (no registration, hardware ");
    row("another tracker while choosing the image", Twist::AnotherTracker, 0, {picking, changed}, "0xBBBBBB");
    row("another tracker during the confirmation", Twist::AnotherTracker, 1, {picking, confirm, changed},
        "0xBBBBBB");
    row("no backup, no update", Twist::BackupsBlocked, 1, {picking, confirm, "Firmware update not possible"},
        "could not be saved before the update");
    // The tracker that came back after the update is replaced while the pilot reads the offer.
    row("another tracker at the restore question", Twist::AnotherTracker, 2,
        {picking, confirm, restoring, changed}, "0xBBBBBB");
    // Recognised by the CPU id of its status line, its Address is offered back too.
    row("the update reset the Address: the same chip is offered its settings", Twist::AddressReset, 0,
        {picking, confirm, restoring},
        "Radio address: 0x5C0FFE -> 0x1A2B3C\nAircraft type: Helicopter -> (Moto-)glider");
    // Checked before anything runs: the flasher never starts.
    row("an image for another chip is refused", Twist::WrongChip, 0, {picking, refused},
        "This image is for an ESP32; the tracker (ZRN-LTE) has an ESP32-S3.");
    row("a whole-flash image goes to 0x0, its settings offered back", Twist::WholeFlash, 0,
        {picking, confirm, restoring}, "Aircraft type: Helicopter -> (Moto-)glider");
}

void FirmwareUpdateTest::updateFlashesOnlyWhatThePilotConfirmed()
{
    QFETCH(Twist, twist);
    QFETCH(int, modal);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, said);
    const bool flashes = dialogs.contains(restoring);
    QVERIFY(install(twist == Twist::NoFirmwareFolder ? QStringList() : tracktune::requiredComponents(),
        "flasher-progress.sh", true));
    QVERIFY(twist == Twist::NoFirmwareFolder || QFile(beside("release")).open(QIODevice::WriteOnly));
    // The new firmware put the Address back to the one of its chip's id, and changed the type.
    if (twist == Twist::AddressReset)
        listed->tracker.setParameter(QStringLiteral("Address"), QStringLiteral("0x5C0FFE"));
    listed->tracker.setParameter(QStringLiteral("AcftType"), QStringLiteral("0x3"));
    const QStringList backupsBefore = backups();
    TrackerSimulator other(vendor());
    other.setParameter(QStringLiteral("Address"), QStringLiteral("0xBBBBBB"));
    QVERIFY(other.start());
    {
        BoxAnswers answers(twist == Twist::AnsweredNo ? QMessageBox::No : QMessageBox::Yes,
            twist == Twist::ChooserCancelled ? QString()
                : twist == Twist::WrongChip  ? esp32Image
                : twist == Twist::WholeFlash ? mergedImage
                                             : image);
        answers.meanwhile(modal, [&] {
            if (twist == Twist::AnotherTracker) {
                listed->tracker.unplug();
                listed->listing.set({{other.portPath(), "USB Serial Device"}});
                QTRY_VERIFY_WITH_TIMEOUT(
                    connected() && shownRows(ui->table).contains("Address=0xBBBBBB"), 15000);
            } else if (twist == Twist::BackupsBlocked) {
                // A file where the folder belongs: nothing can be saved there.
                QDir(backupsFolder).removeRecursively();
                QDir().mkpath(QFileInfo(backupsFolder).path());
                QVERIFY(QFile(backupsFolder).open(QIODevice::WriteOnly));
            }
        });
        ui->button("buttonFirmwareUpdate")->click();
        QTRY_COMPARE_WITH_TIMEOUT(answers.seen, dialogs, 30000);
        QVERIFY2(answers.boxes.isEmpty() || answers.boxes.last().text.contains(said),
            qPrintable(answers.boxes.isEmpty() ? QString() : answers.boxes.last().text));
        for (const BoxAnswers::Box &box : std::as_const(answers.boxes))
            QVERIFY(box.title != confirm || box.byDefault == QMessageBox::No);
    }
    QFile::remove(backupsFolder);
    // Flashed only where the pilot confirmed it; the backup only of the tracker flashed.
    QCOMPARE(QFile::exists(beside("arguments")), flashes);
    if (twist == Twist::WholeFlash) {
        QFile arguments(beside("arguments"));
        QVERIFY(arguments.open(QIODevice::ReadOnly));
        const QList<QByteArray> given = arguments.readAll().split('\0');
        QVERIFY2(given.size() > 3, given.join(' '));
        QCOMPARE(
            given.mid(given.size() - 4, 3), (QList<QByteArray> {"write_flash", "0x0", mergedImage.toUtf8()}));
    }
    if (twist != Twist::BackupsBlocked)
        QCOMPARE(backups().size(), backupsBefore.size() + (flashes ? 1 : 0));
    QCOMPARE(sentencesIn(other.receivedBytes()), QStringList());
    if (twist == Twist::AddressReset)
        QTRY_COMPARE_WITH_TIMEOUT(listed->tracker.parameter("Address"), QStringLiteral("0x1A2B3C"), 15000);
    if (!flashes && twist != Twist::AnotherTracker)
        return;
    // The fixture's tracker back in its place for the next test.
    other.unplug();
    listed.reset();
    listed = std::make_unique<ListedTracker>(vendor());
    // Left open: the next update's takes its place, one progress dialog at a time.
    QVERIFY(ui->window->findChildren<ProgressDialog *>().size() <= 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        connected() && Serial::systemLocation(ui->window->link().portName()) == listed->tracker.portPath(),
        15000);
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
