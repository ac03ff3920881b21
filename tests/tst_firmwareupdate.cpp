#include "dialogs/progressdialog.h"
#include "firmware/flasherarguments.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QDir>
#include <QFileDialog>
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

const QString missing = QStringLiteral("Firmware update not possible: Missing components.");
const QString confirm = QStringLiteral("Firmware update");
const QString failure = QStringLiteral("An error has occurred during update process.");

// A stand-in flasher: records its arguments and environment, prints progress lines a
// fifth of a second apart, holding them back as a Python flasher does on a pipe unless
// told not to, then waits for "release".
const QByteArray progressFlasher = "#!/bin/sh\n"
                                   "here=$(dirname \"$0\")\n"
                                   "printf '%s\\0' \"$@\" > \"$here/arguments\"\n"
                                   "echo \"NO_COLOR=$NO_COLOR\" > \"$here/environment\"\n"
                                   "echo 'Connecting....'\n"
                                   "held=''\n"
                                   "for p in 20 40 60 80 100; do\n"
                                   "  line=\"Writing at 0x000$p... ($p %)\"\n"
                                   "  if [ -n \"$PYTHONUNBUFFERED\" ]; then echo \"$line\"; "
                                   "else held=\"$held$line\n\"; fi\n"
                                   "  sleep 0.2\n"
                                   "done\n"
                                   "printf '%s' \"$held\"\n"
                                   "while [ ! -e \"$here/release\" ]; do sleep 0.05; done\n"
                                   "echo 'Hard resetting via RTS pin...'\n";
const QByteArray crashingFlasher = "#!/bin/sh\necho 'Connecting....'\nkill -9 $$\n";

QString folder(const QString &name = QString())
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/firmware/esp32s3-tracker")
        + (name.isEmpty() ? QString() : QLatin1Char('/') + name);
}

bool install(const QStringList &components, const QByteArray &flasher = progressFlasher, bool executable = true)
{
    QDir(folder()).removeRecursively();
    bool done = QDir().mkpath(folder());
    for (const QString &name : components) {
        QFile file(folder(name));
        QByteArray content = "stand-in";
        if (name == tracktune::flasherName())
            content = flasher;
        else if (name == QLatin1String("config.txt"))
            content = "--chip, ${CHIP}, --port, ${PORT}, write_flash, 0x0, ${FIRMWARE_DIR}/bootloader.bin, "
                      "${FIRMWARE_FILE}\n";
        done = done && file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    if (executable)
        QFile::setPermissions(folder(tracktune::flasherName()), QFile::ReadOwner | QFile::ExeOwner);
    return done;
}

QByteArray recorded(const QString &name)
{
    QFile file(folder(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<flasher not run>");
}

} // namespace

// "Update firmware" against a simulated tracker and a stand-in flasher, one window for all.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000); }
    void cleanupTestCase();

    void stopsBeforeFlashing_data();
    void stopsBeforeFlashing();
    void flasherRunsWithItsArgumentsAndShowsProgress();
    void failingFlasherShowsTheErrorBox_data();
    void failingFlasherShowsTheErrorBox();

private:
    bool connected() const
    {
        return window->link().isOpen() && child<QPushButton>(window.get(), "buttonFirmwareUpdate")->isEnabled();
    }
    // Clicks "Update firmware" and answers the dialogs: the image (or cancel), then the
    // confirmation. Returns the titles of the dialogs, in order.
    QStringList update(bool pickImage, QMessageBox::StandardButton answer);

    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QString boxTexts;
    QTemporaryDir images;
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
    QDir(folder()).removeRecursively();
    window.reset();
}

QStringList FirmwareUpdateTest::update(bool pickImage, QMessageBox::StandardButton answer)
{
    boxTexts.clear();
    ModalAnswers answers([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxTexts += box->text();
            box->button(box->button(answer) ? answer : QMessageBox::Ok)->click();
        } else if (auto *fileName = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            // Typed in, as a user would: selectFile() races the dialog's file system model.
            fileName->setText(pickImage ? image : QString());
            pickImage ? qobject_cast<QDialog *>(modal)->accept() : qobject_cast<QDialog *>(modal)->reject();
        }
    });
    child<QPushButton>(window.get(), "buttonFirmwareUpdate")->click();
    return answers.seen;
}

void FirmwareUpdateTest::stopsBeforeFlashing_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<bool>("pickImage");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QString>("reason");

    const QStringList all = tracktune::requiredComponents();
    QTest::newRow("no folder for the hardware") << QStringList {"<none>"} << true << QStringList {missing}
                                                << "No firmware loader found for esp32s3-tracker architecture.";
    QTest::newRow("empty folder: the flasher is named") << QStringList() << true << QStringList {missing}
                                                         << "File " + tracktune::flasherName() + " not found.";
    QTest::newRow("only the first missing file is named")
        << QStringList {tracktune::flasherName(), "partitions.bin"} << true << QStringList {missing}
        << "File bootloader.bin not found.";
    QTest::newRow("file dialog cancelled") << all << false << QStringList {"Select firmware file"} << "";
    QTest::newRow("confirmation answered No") << all << true << QStringList {"Select firmware file", confirm}
                                              << "";
}

void FirmwareUpdateTest::stopsBeforeFlashing()
{
    QFETCH(QStringList, present);
    QFETCH(bool, pickImage);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, reason);
    if (present == QStringList {"<none>"})
        QDir(folder()).removeRecursively();
    else
        QVERIFY(install(present));
    const int hangups = listed->tracker.hangups().size();

    QCOMPARE(update(pickImage, QMessageBox::No), dialogs);
    QVERIFY2(boxTexts.contains(reason), qPrintable(boxTexts));
    QCOMPARE(recorded("arguments"), QByteArray("<flasher not run>"));
    // The port was never let go.
    QVERIFY(window->link().isOpen() && listed->tracker.peerOpen());
    QCOMPARE(listed->tracker.hangups().size(), hangups);
}

void FirmwareUpdateTest::flasherRunsWithItsArgumentsAndShowsProgress()
{
    QVERIFY(install(tracktune::requiredComponents()));
    const QString port = listed->tracker.portPath();
    // The slot runs the flasher before it returns: a timer watches the window meanwhile.
    QList<int> percentages;
    QStringList statuses;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        auto *dialog = window->findChild<ProgressDialog *>();
        if (!dialog)
            return;
        const int percent = child<QProgressBar>(dialog, "progress")->value();
        if (percentages.isEmpty() || percentages.last() != percent)
            percentages << percent;
        statuses << window->statusBar()->currentMessage() + (listed->tracker.peerOpen() ? " open" : " closed");
        if (percent == 100 || statuses.size() > 1000)
            QFile(folder("release")).open(QIODevice::WriteOnly);
    });
    watch.start(20);

    QCOMPARE(update(true, QMessageBox::Yes), (QStringList {"Select firmware file", confirm}));
    QCOMPARE(recorded("arguments").split('\0'),
        (QList<QByteArray> {"--chip", "esp32s3", "--port", port.toUtf8(), "write_flash", "0x0",
            folder("bootloader.bin").toUtf8(), image.toUtf8() + "\n", ""}));
    QCOMPARE(recorded("environment"), QByteArray("NO_COLOR=1\n"));
    // The bar moved while the flasher was still at work, not all at once at its end.
    QCOMPARE(percentages, (QList<int> {0, 20, 40, 60, 80, 100}));
    QVERIFY(statuses.contains(QStringLiteral("Software update in progress... closed")));

    auto *dialog = window->findChild<ProgressDialog *>();
    QCOMPARE(child<QLabel>(dialog, "label")->text(), QStringLiteral("Writing to the device. Please wait..."));
    QVERIFY(child<QTextEdit>(dialog, "textEdit")->toPlainText().endsWith("(100 %)\nHard resetting via RTS pin...\n"));
    QVERIFY(!window->isUpdateInProgress());
    delete dialog;
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
}

void FirmwareUpdateTest::failingFlasherShowsTheErrorBox_data()
{
    QTest::addColumn<bool>("executable");
    QTest::newRow("flasher crashes") << true;
    QTest::newRow("flasher cannot be started") << false;
}

void FirmwareUpdateTest::failingFlasherShowsTheErrorBox()
{
    QFETCH(bool, executable);
    QVERIFY(install(tracktune::requiredComponents(), crashingFlasher, executable));
    QCOMPARE(update(true, QMessageBox::Yes), (QStringList {"Select firmware file", confirm, failure}));
    QVERIFY(!window->isUpdateInProgress());
    delete window->findChild<ProgressDialog *>();
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
