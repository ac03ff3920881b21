#include "config/dumpline.h"
#include "dialogs/progressdialog.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

// Where the firmware folder's components lie.
enum class Place {
    Beside, // firmware/esp32s3-tracker beside the program, as the vendor tracker's hardware says
    Nowhere, // no folder at all
    ClimbedTo, // elsewhere: the tracker's "Hard" is the way there from the firmware folder
    LinkedTo, // elsewhere: firmware/esp32s3-tracker is a link to it
};

const QString missing = QStringLiteral("Firmware update not possible: Missing components.");
const QString unknown = QStringLiteral("Firmware update not possible: Unknown hardware.");
const QString unusable = QStringLiteral("Firmware update not possible: Unusable argument list.");
const QString picking = QStringLiteral("Select firmware file");
const QString confirm = QStringLiteral("Firmware update");
const QString failure = QStringLiteral("An error has occurred during update process.");
const QString failed = QStringLiteral("Firmware update failed");
const QString finished = QStringLiteral("Firmware update finished");

QString firmwareBase()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/firmware");
}

QString beside(const QString &name = QString())
{
    return firmwareBase() + QStringLiteral("/esp32s3-tracker/") + name;
}

} // namespace

Q_DECLARE_METATYPE(Place)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

// "Update firmware" against a simulated tracker and a stand-in flasher, one window for all.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000); }
    void cleanupTestCase();
    void updateGoesAsFarAsItMay_data();
    void updateGoesAsFarAsItMay();

private:
    bool connected() const { return window->link().isOpen() && button("buttonFirmwareUpdate")->isEnabled(); }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }
    QString elsewhere(const QString &name = QString()) const { return outside.filePath("fw/") + name; }
    // The components in their place; the flasher is a stand-in script from tests/data.
    bool install(Place place, const QStringList &components, const QByteArray &config, const QString &flasher,
        bool executable);
    // The tracker names this hardware, and the window has read it.
    bool sayHardware(const QString &hardware);
    // Clicks "Update firmware" and answers the dialogs: the image (or cancel), then the
    // confirmation. Returns the titles of the dialogs, in order.
    QStringList update(bool pickImage, QMessageBox::StandardButton answer);

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QString boxTexts; // each followed by a line feed
    bool noByDefault = false;
    QTemporaryDir images;
    QTemporaryDir outside;
    const QString image = images.filePath(QStringLiteral("tracker image.bin"));
};

void FirmwareUpdateTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    // Only the program may set them for the flasher.
    qunsetenv("PYTHONUNBUFFERED");
    qunsetenv("NO_COLOR");
    TrackerSimulator::Options vendor;
    vendor.variant = TrackerSimulator::Variant::Vendor;
    listed = std::make_unique<ListedTracker>(vendor);
    QFile imageFile(image);
    QVERIFY(imageFile.open(QIODevice::WriteOnly));
    window = std::make_unique<MainWindow>();
    window->show();
}

void FirmwareUpdateTest::cleanupTestCase()
{
    QFile::remove(beside().chopped(1));
    QDir(firmwareBase()).removeRecursively();
}

bool FirmwareUpdateTest::install(Place place, const QStringList &components, const QByteArray &config,
    const QString &flasher, bool executable)
{
    // A link first, so that clearing never reaches through it.
    QFile::remove(beside().chopped(1));
    QDir(beside()).removeRecursively();
    QDir(elsewhere()).removeRecursively();
    if (place == Place::Nowhere)
        return true;
    const QString folder = place == Place::Beside ? beside() : elsewhere();
    bool done = QDir().mkpath(folder) && QDir().mkpath(firmwareBase());
    for (const QString &name : components) {
        const QString data
            = QStringLiteral(TESTS_DATA "/") + (name == tracktune::flasherName() ? flasher : "config.txt");
        done = done && QFile::copy(data, folder + name);
    }
    QFile::setPermissions(folder + tracktune::flasherName(),
        executable ? QFile::ReadOwner | QFile::ExeOwner : QFileDevice::Permissions(QFile::ReadOwner));
    if (!config.isEmpty()) {
        QFile file(folder + "config.txt");
        done = done && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(config) == config.size();
    }
    if (place == Place::LinkedTo)
        done = done && QFile::link(elsewhere().chopped(1), beside().chopped(1));
    return done;
}

bool FirmwareUpdateTest::sayHardware(const QString &hardware)
{
    if (listed->tracker.parameter("Hard") != hardware) {
        listed->tracker.setParameter("Hard", hardware);
        button("refreshButton")->click();
    }
    return QTest::qWaitFor([&] { return connected(); }, 15000)
        && window->firmwareArchitecture() == tracktune::firmwareFolderFor(hardware);
}

QStringList FirmwareUpdateTest::update(bool pickImage, QMessageBox::StandardButton answer)
{
    boxTexts.clear();
    noByDefault = false;
    ModalAnswers answers([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxTexts += box->text() + "\n";
            if (box->windowTitle() == confirm)
                noByDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->button(box->button(answer) ? answer : QMessageBox::Ok)->click();
        } else if (auto *fileName = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            // Typed in, as a user would: selectFile() races the dialog's file system model.
            fileName->setText(pickImage ? image : QString());
            QMetaObject::invokeMethod(modal, pickImage ? "accept" : "reject");
        }
    });
    button("buttonFirmwareUpdate")->click();
    return answers.seen;
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QByteArray>("config"); // empty: tests/data/config.txt
    QTest::addColumn<QString>("flasher"); // empty: it stops before the flasher
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("pickImage");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QStringList>("said"); // each in the message boxes' texts
    QTest::addColumn<QString>("shown"); // how the progress dialog's text ends, line feeds aside
    QTest::addColumn<QList<int>>("bar"); // the values the bar takes, in order
    QTest::addColumn<QString>("label"); // the progress dialog's at the end
    // The longest the window may leave a timer waiting while the flasher runs; 0: not looked at
    QTest::addColumn<int>("pauseMs");
    const QStringList all = tracktune::requiredComponents();
    const auto Yes = QMessageBox::Yes;
    const QString climb = QDir(firmwareBase()).relativeFilePath(elsewhere().chopped(1));
    const auto stops = [&](const char *what, Place place, const QStringList &present,
                           const QByteArray &config, bool pickImage, QMessageBox::StandardButton answer,
                           const QStringList &dialogs, const QStringList &said) {
        QTest::newRow(what) << place << present << config << QString() << true << pickImage << answer
                            << dialogs << said << QString() << QList<int>() << QString() << 0;
    };
    const auto runs = [&](const char *what, const QString &flasher, bool executable,
                          const QStringList &dialogs, const QStringList &said, const QString &shown,
                          const QList<int> &bar, const QString &label, int pauseMs = 0) {
        QTest::newRow(what) << Place::Beside << all << QByteArray() << flasher << executable << true << Yes
                            << dialogs << said << shown << bar << label << pauseMs;
    };
    stops("no folder: the places looked in are named", Place::Nowhere, {}, {}, true, Yes, {missing},
        {"Looked in: " + beside().chopped(1)});
    stops("only the first missing file is named", Place::Beside, {tracktune::flasherName(), "partitions.bin"},
        {}, true, Yes, {missing}, {"File bootloader.bin not found."});
    stops("file dialog cancelled", Place::Beside, all, {}, false, Yes, {picking}, {});
    stops("confirmation answered No", Place::Beside, all, {}, true, QMessageBox::No, {picking, confirm}, {});
    stops("a tracker whose hardware climbs out of the firmware folder", Place::ClimbedTo, all, {}, true, Yes,
        {unknown}, {"The tracker names its hardware \"" + climb + "\""});
    stops("a firmware folder linked out of the firmware folder", Place::LinkedTo, all, {}, true, Yes,
        {unknown},
        {"The firmware folder for the hardware \"esp32s3-tracker\" leads to " + elsewhere().chopped(1)});
    stops("config.txt over 64 KiB", Place::Beside, all, QByteArray(tracktune::maxTemplateBytes + 1, ','),
        true, Yes, {unusable}, {"config.txt: larger than 64 KiB"});
    runs("progress while it runs", "flasher-progress.sh", true, {picking, confirm}, {},
        "(100 %)Hard resetting via RTS pin...", {20, 40, 60, 80, 100}, finished);
    runs("10 MB of output", "flasher-flood.sh", true, {picking, confirm}, {},
        "Writing at 0x00010000... (50 %)Writing at 0x00010000... (50 %)", {50, 100}, finished);
    runs("1 MB on one line arrives whole", "flasher-one-line.sh", true, {picking, confirm}, {},
        QString(1 << 20, 'x') + "end", {100}, finished, 5000);
    runs("it fails: what it said, its exit code", "flasher-fails.sh", true, {picking, confirm, failed},
        {"The firmware loader ended with exit code 2.",
            "\nA fatal error occurred: Failed to connect: No serial data received.\n"},
        "Connecting........_____....", {}, failed);
    runs("it crashes", "flasher-crash.sh", true, {picking, confirm, failed}, {"The firmware loader crashed."},
        "Connecting....", {}, failed);
    runs("it cannot be started", "flasher-crash.sh", false, {picking, confirm, failure},
        {"An error has occurred during update process. The device might be in inconsistent state."}, "", {},
        failed);
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay()
{
    QFETCH(Place, place);
    QFETCH(QStringList, present);
    QFETCH(QByteArray, config);
    QFETCH(QString, flasher);
    QFETCH(bool, executable);
    QFETCH(bool, pickImage);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, said);
    QFETCH(QString, shown);
    QFETCH(QList<int>, bar);
    QFETCH(QString, label);
    QFETCH(int, pauseMs);
    QVERIFY(install(place, present, config, flasher.isEmpty() ? "flasher-progress.sh" : flasher, executable));
    QVERIFY(
        sayHardware(place == Place::ClimbedTo ? QDir(firmwareBase()).relativeFilePath(elsewhere().chopped(1))
                                              : QStringLiteral("ZRN-LTE")));
    const int hangups = listed->tracker.hangups().size();
    if (flasher.isEmpty()) {
        // It stops before the flasher: the port is never let go.
        QCOMPARE(update(pickImage, answer), dialogs);
        for (const QString &text : said)
            QVERIFY2(boxTexts.contains(text), qPrintable(boxTexts));
        if (dialogs.contains(confirm))
            QVERIFY(noByDefault);
        QVERIFY(!QFile::exists(beside("arguments")) && !QFile::exists(elsewhere("arguments")));
        QVERIFY(window->link().isOpen() && listed->tracker.peerOpen());
        QCOMPARE(listed->tracker.hangups().size(), hangups);
        QVERIFY(sayHardware("ZRN-LTE"));
        return;
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
    window->installEventFilter(&filter);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!dialog || !window->isUpdateInProgress())
            return;
        longestTickGap = qMax(longestTickGap, sinceTick.restart());
        seen << window->statusBar()->currentMessage() + (listed->tracker.peerOpen() ? " open" : " closed")
                + (button("refreshButton")->isEnabled() || button("buttonAdvanced")->isEnabled() ? " usable"
                                                                                                 : "")
                + (child<QDialogButtonBox>(dialog, "buttonBox")->isVisible() ? " closable" : "");
        QMetaObject::invokeMethod(
            this, [this] { emit button("refreshButton")->clicked(true); }, Qt::QueuedConnection);
    });
    watch.start(20);

    QCOMPARE(update(true, QMessageBox::Yes), dialogs);
    window->removeEventFilter(&filter);
    QVERIFY(!window->isUpdateInProgress());
    QVERIFY(noByDefault);
    QVERIFY(dialog);
    std::unique_ptr<ProgressDialog> owned(dialog);
    for (const QString &text : said)
        QVERIFY2(boxTexts.contains(text), qPrintable(boxTexts));
    const QString text = child<QTextEdit>(dialog, "textEdit")->toPlainText();
    QVERIFY2(QString(text).remove('\n').endsWith(shown), qPrintable(text.right(80)));
    // No line grows without end, however the flasher prints.
    for (const QStringRef &line : text.splitRef('\n'))
        QVERIFY2(line.size() <= tracktune::maxOutputLineLength, qPrintable(QString::number(line.size())));
    QCOMPARE(values, bar);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), label);
    // The window kept answering while the flasher ran.
    QVERIFY2(pauseMs == 0 || longestTickGap < pauseMs, qPrintable(QString::number(longestTickGap)));
    // The port stayed the flasher's, nothing could start a read and the dialog could not be
    // closed meanwhile; then it can, by its button.
    seen.removeDuplicates();
    QVERIFY2(seen.filter(QRegularExpression("open|usable|closable")).isEmpty(), qPrintable(seen.join("|")));
    QPushButton *close = child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Close);
    QVERIFY(close && close->isVisible() && close->focusPolicy() & Qt::TabFocus);
    close->click();
    QVERIFY(!dialog->isVisible());
    if (flasher == QLatin1String("flasher-progress.sh")) {
        // The template's line break stays off the image path.
        QFile arguments(beside("arguments"));
        QVERIFY(arguments.open(QIODevice::ReadOnly));
        QCOMPARE(arguments.readAll().split('\0'),
            (QList<QByteArray> {"--chip", "esp32s3", "--port", listed->tracker.portPath().toUtf8(),
                "write_flash", "0x0", beside("bootloader.bin").toUtf8(), image.toUtf8(), ""}));
        QFile environment(beside("environment"));
        QVERIFY(environment.open(QIODevice::ReadOnly));
        QCOMPARE(environment.readAll(), QByteArray("NO_COLOR=1 PYTHONUNBUFFERED=1\n"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
    // The click the watch queued reaches the slot once nothing else runs.
    QList<DeviceSession::Operation> operations;
    QObject listening;
    connect(&window->deviceSession(), &DeviceSession::operationChanged, &listening,
        [&](DeviceSession::Operation operation) { operations << operation; });
    emit button("refreshButton")->clicked(true);
    QVERIFY(operations.contains(DeviceSession::Operation::Read));
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
