#include "dialogs/progressdialog.h"
#include "firmware/flasherarguments.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

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

const QString missing = QStringLiteral("Firmware update not possible: Missing components.");
const QString picking = QStringLiteral("Select firmware file");
const QString confirm = QStringLiteral("Firmware update");
const QString failure = QStringLiteral("An error has occurred during update process.");

QString folder(const QString &name = QString())
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/firmware/esp32s3-tracker/") + name;
}

// The firmware folder with these components; the flasher is a stand-in script from tests/data.
bool install(
    const QStringList &components, const QString &flasher = "flasher-progress.sh", bool executable = true)
{
    QDir(folder()).removeRecursively();
    bool done = QDir().mkpath(folder());
    for (const QString &name : components) {
        const QString data = QStringLiteral(TESTS_DATA "/")
            + (name == tracktune::flasherName() ? flasher
                    : name == "config.txt"      ? name
                                                : "config.txt");
        done = done && QFile::copy(data, folder(name));
    }
    QFile::setPermissions(folder(tracktune::flasherName()),
        executable ? QFile::ReadOwner | QFile::ExeOwner : QFileDevice::Permissions(QFile::ReadOwner));
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
    void cleanupTestCase() { QDir(folder()).removeRecursively(); }
    void updateGoesAsFarAsItMay_data();
    void updateGoesAsFarAsItMay();

private:
    bool connected() const { return window->link().isOpen() && button("buttonFirmwareUpdate")->isEnabled(); }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }
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
            QMetaObject::invokeMethod(modal, pickImage ? "accept" : "reject");
        }
    });
    button("buttonFirmwareUpdate")->click();
    return answers.seen;
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay_data()
{
    QTest::addColumn<QStringList>("present"); // "<none>": no folder at all
    QTest::addColumn<QString>("flasher");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QStringList>("dialogs"); // the file dialog is cancelled if it is the last one
    QTest::addColumn<QString>("shown"); // in a message box, or last in the progress dialog
    const QStringList all = tracktune::requiredComponents();
    const auto row = [](const char *what, const QStringList &present, const char *flasher, bool executable,
                         const QStringList &dialogs, const QString &shown) {
        QTest::newRow(what) << present << flasher << executable << dialogs << shown;
    };
    row("no folder: the places looked in are named", {"<none>"}, "", true, {missing},
        "Looked in: " + folder().chopped(1));
    row("only the first missing file is named", {tracktune::flasherName(), "partitions.bin"}, "", true,
        {missing}, "File bootloader.bin not found.");
    row("file dialog cancelled", all, "", true, {picking}, "");
    row("confirmation answered No", all, "", true, {picking, confirm, "No"}, "");
    row("progress while it runs", all, "flasher-progress.sh", true, {picking, confirm},
        "(100 %)\nHard resetting via RTS pin...\n");
    row("10 MB of output", all, "flasher-flood.sh", true, {picking, confirm},
        "Writing at 0x00010000... (50 %)\nWriting at 0x00010000... (50 %)\n");
    row("it crashes", all, "flasher-crash.sh", true, {picking, confirm, failure}, "Connecting....\n");
    row("it cannot be started", all, "flasher-crash.sh", false, {picking, confirm, failure}, "");
}

void FirmwareUpdateTest::updateGoesAsFarAsItMay()
{
    QFETCH(QStringList, present);
    QFETCH(QString, flasher);
    QFETCH(bool, executable);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, shown);
    QVERIFY(install(present, flasher.isEmpty() ? "flasher-progress.sh" : flasher, executable)
        || present.contains("<none>"));
    if (present.contains("<none>"))
        QDir(folder()).removeRecursively();
    const int hangups = listed->tracker.hangups().size();
    const bool answerNo = dialogs.removeAll("No") > 0;
    if (flasher.isEmpty()) {
        // It stops before the flasher: the port is never let go.
        QCOMPARE(update(dialogs.size() > 1, answerNo ? QMessageBox::No : QMessageBox::Yes), dialogs);
        QVERIFY2(boxTexts.contains(shown), qPrintable(boxTexts));
        QCOMPARE(recorded("arguments"), QByteArray("<flasher not run>"));
        QVERIFY(window->link().isOpen() && listed->tracker.peerOpen());
        QCOMPARE(listed->tracker.hangups().size(), hangups);
        return;
    }
    // The slot runs the flasher before it returns: a timer watches the window meanwhile and
    // tries to start a read, as a click queued before the button went grey would.
    QList<int> percentages;
    QStringList seen;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        auto *dialog = window->findChild<ProgressDialog *>();
        if (!dialog || dialogs.contains(failure))
            return;
        const int percent = child<QProgressBar>(dialog, "progress")->value();
        if (percentages.isEmpty() || percentages.last() != percent)
            percentages << percent;
        seen << window->statusBar()->currentMessage() + (listed->tracker.peerOpen() ? " open" : " closed")
                + (button("refreshButton")->isEnabled() || button("buttonAdvanced")->isEnabled() ? " usable"
                                                                                                 : "");
        QMetaObject::invokeMethod(window.get(), "on_refreshButton_clicked", Qt::QueuedConnection);
        if (percent == 100)
            QFile(folder("release")).open(QIODevice::WriteOnly);
    });
    watch.start(20);

    QCOMPARE(update(true, QMessageBox::Yes), dialogs);
    QVERIFY(!window->isUpdateInProgress());
    std::unique_ptr<ProgressDialog> dialog(window->findChild<ProgressDialog *>());
    QVERIFY2(child<QTextEdit>(dialog.get(), "textEdit")->toPlainText().endsWith(shown),
        qPrintable(child<QTextEdit>(dialog.get(), "textEdit")->toPlainText().right(80)));
    // The port stayed the flasher's, and nothing could start a read meanwhile.
    seen.removeDuplicates();
    QVERIFY2(seen.filter(QRegularExpression("open|usable")).isEmpty(), qPrintable(seen.join("|")));
    if (flasher == QLatin1String("flasher-progress.sh")) {
        QCOMPARE(recorded("arguments").split('\0'),
            (QList<QByteArray> {"--chip", "esp32s3", "--port", listed->tracker.portPath().toUtf8(),
                "write_flash", "0x0", folder("bootloader.bin").toUtf8(), image.toUtf8() + "\n", ""}));
        QCOMPARE(recorded("environment"), QByteArray("NO_COLOR=1\n"));
        // The bar moved while the flasher was still at work, not all at once at its end.
        QCOMPARE(percentages, (QList<int> {0, 20, 40, 60, 80, 100}));
    }
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
