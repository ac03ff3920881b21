#include "dialogs/progressdialog.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <memory>
#include <vector>

using testsupport::child;
using testsupport::ListedTracker;
using testsupport::ModalAnswer;

namespace {

const QString architecture = QStringLiteral("esp32s3-tracker");
const QString missingTitle = QStringLiteral("Firmware update not possible: Missing components.");
const QString updateMessage = QStringLiteral("Software update in progress...");
// Message boxes as Modals notes them down.
const QString confirmBox = QStringLiteral(
    "Firmware update: Warning! Make sure to only install firmware from the trusted source. Installing wrong "
    "firmware may cause irreversible damage to the device. Are you sure you want to continue? [Warning; "
    "Yes|No]");
const QString errorBox = QStringLiteral(
    "An error has occurred during update process.: An error has occurred during update process. The device "
    "might be in inconsistent state. If that is the case, please try again or contact technical support. "
    "[Critical; OK]");

const QStringList allComponents = {"esptool.exe", "bootloader.bin", "partitions.bin", "config.txt"};
const QByteArray argumentTemplate = "--chip, ${CHIP}, --port, ${PORT}, --baud, 460800, write_flash, 0x0, "
                                    "${FIRMWARE_DIR}/bootloader.bin, 0x8000, ${FIRMWARE_DIR}/partitions.bin, "
                                    "0x10000, ${FIRMWARE_FILE}\n";
// A stand-in flasher: records its arguments, prints what the test put into
// "output" and waits for "release" before it finishes.
const QByteArray waitingFlasher = "#!/bin/sh\n"
                                  "here=$(dirname \"$0\")\n"
                                  "printf '%s\\0' \"$@\" > \"$here/arguments\"\n"
                                  "cat \"$here/output\"\n"
                                  "echo 'flash log on stderr' >&2\n"
                                  "while [ ! -e \"$here/release\" ]; do sleep 0.05; done\n"
                                  "printf 'Resetting the device...\\n'\n";
const QByteArray crashingFlasher = "#!/bin/sh\nprintf 'Connecting....\\n'\nkill -9 $$\n";

QString firmwareRoot()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/firmware");
}

// The firmware folder for the tracker's hardware beside the test binary, or a file in it.
QString firmwareFile(const QString &name = QString())
{
    return firmwareRoot() + QLatin1Char('/') + architecture + (name.isEmpty() ? QString() : '/' + name);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

bool installFirmwareFolder(
    const QStringList &components, const QByteArray &flasher = waitingFlasher, bool executable = true)
{
    const QHash<QString, QByteArray> contents = {{"esptool.exe", flasher}, {"config.txt", argumentTemplate}};
    bool done = QDir().mkpath(firmwareFile());
    for (const QString &name : components)
        done = done && writeFile(firmwareFile(name), contents.value(name, "stand-in " + name.toUtf8()));
    if (executable)
        QFile::setPermissions(
            firmwareFile(QStringLiteral("esptool.exe")), QFile::ReadOwner | QFile::ExeOwner);
    return done;
}

QStringList recordedArguments()
{
    QFile file(firmwareFile(QStringLiteral("arguments")));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<flasher not run>")};
    QStringList arguments;
    for (const QByteArray &argument : file.readAll().split('\0'))
        arguments << QString::fromUtf8(argument);
    arguments.removeLast(); // behind the last NUL
    return arguments;
}

bool showed(const QSignalSpy &messages, const QString &message)
{
    for (const QList<QVariant> &arguments : messages) {
        if (arguments.at(0).toString() == message)
            return true;
    }
    return false;
}

// Answers each modal dialog in turn and notes it down: its title, for a box
// "title: text [icon; buttons]", and " while updating" if the update was on then.
// The file dialog gets "image" typed in (cancelled when empty), a box offering
// "confirm" gets it, any other box its OK.
class Modals
{
public:
    Modals(const MainWindow &window, const QString &image, QMessageBox::StandardButton confirm)
        : window(window), image(image), confirm(confirm)
    {
        expectNext();
    }

    QStringList seen;
    QStringList filters; // of the file dialog

private:
    void expectNext()
    {
        answers.push_back(std::make_unique<ModalAnswer>([this](QWidget *modal) {
            QString note = modal->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                QStringList buttons;
                for (QAbstractButton *button : box->buttons())
                    buttons << button->text().remove(QLatin1Char('&'));
                note
                    += QStringLiteral(": %1 [%2; %3]")
                           .arg(box->text(), QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()),
                               buttons.join(QLatin1Char('|')));
                if (QAbstractButton *answer = box->button(box->button(confirm) ? confirm : QMessageBox::Ok))
                    answer->click();
                else
                    box->reject();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                if (auto *files = qobject_cast<QFileDialog *>(dialog))
                    filters = files->nameFilters();
                // Typed in, as a user would: selectFile() races the dialog's file system model.
                auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (fileName && !image.isEmpty()) {
                    fileName->setText(image);
                    dialog->accept();
                } else {
                    dialog->reject();
                }
            }
            seen << note + (window.isUpdateInProgress() ? " while updating" : "");
            expectNext();
        }));
    }

    const MainWindow &window;
    QString image;
    QMessageBox::StandardButton confirm;
    std::vector<std::unique_ptr<ModalAnswer>> answers;
};

} // namespace

// "Update firmware" against a simulated tracker and a stand-in flasher. Each connect
// costs seconds of configuration reads, so one window, connected in expert mode,
// serves the rows in turn; a failed row leaves a fresh one to the next.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void stopsBeforeFlashing_data();
    void stopsBeforeFlashing();
    void flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain_data();
    void flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain();
    void failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain_data();
    void failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain();

private:
    bool connected() const;
    QStringList progressShown() const;
    void expectFoundAgain(const QSignalSpy &messages);

    std::unique_ptr<ListedTracker> tracker;
    std::unique_ptr<MainWindow> window;
    QTemporaryDir images;
    QString image = images.filePath(QStringLiteral("tracker image.bin"));
};

void FirmwareUpdateTest::initTestCase()
{
    // The link logs every dump line; a failure is easier to read without them.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QVERIFY(writeFile(image, "image"));
}

bool FirmwareUpdateTest::connected() const
{
    auto *table = child<QTableWidget>(window.get(), "table");
    return window->link().isOpen() && table->isEnabled() && table->rowCount() > 0
        && child<QPushButton>(window.get(), "buttonFirmwareUpdate")->isEnabled();
}

void FirmwareUpdateTest::init()
{
    QDir(firmwareRoot()).removeRecursively();
    if (!window) {
        TrackerSimulator::Options vendor;
        vendor.variant = TrackerSimulator::Variant::Vendor;
        tracker = std::make_unique<ListedTracker>(vendor);
        window = std::make_unique<MainWindow>();
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
        QTest::mouseClick(child<QPushButton>(window.get(), "buttonAdvanced"), Qt::LeftButton);
        QVERIFY(window->isExpertMode());
    }
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
    QCOMPARE(window->firmwareArchitecture(), architecture);
}

void FirmwareUpdateTest::cleanup()
{
    QDir(firmwareRoot()).removeRecursively();
    if (QTest::currentTestFailed())
        cleanupTestCase();
    else
        qDeleteAll(window->findChildren<ProgressDialog *>());
}

void FirmwareUpdateTest::cleanupTestCase()
{
    window.reset();
    tracker.reset();
}

// The flasher's progress dialog as the user sees it; empty when there is none.
QStringList FirmwareUpdateTest::progressShown() const
{
    auto *dialog = window->findChild<ProgressDialog *>();
    if (!dialog)
        return {};
    auto *bar = child<QProgressBar>(dialog, "progress");
    return {dialog->windowTitle() + (dialog->isVisible() ? " shown" : " hidden"),
        child<QLabel>(dialog, "label")->text(),
        QStringLiteral("%1 of %2").arg(bar->value()).arg(bar->maximum()),
        child<QTextEdit>(dialog, "textEdit")->toPlainText()};
}

void FirmwareUpdateTest::expectFoundAgain(const QSignalSpy &messages)
{
    const QString found = QStringLiteral("Connected to OGN device found on ") + tracker->tracker.portPath();
    QTRY_VERIFY_WITH_TIMEOUT(showed(messages, found), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(connected(), 15000);
    QVERIFY(tracker->tracker.peerOpen());
}

void FirmwareUpdateTest::stopsBeforeFlashing_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<bool>("pickImage");
    QTest::addColumn<QStringList>("modals");

    const auto missing = [](const char *tag, bool folder, const QStringList &present, const QString &line) {
        QTest::newRow(tag) << folder << present << false
                           << QStringList {missingTitle + ": " + missingTitle + '\n' + line
                                  + " Make sure the firmware loader is installed in firmware/esp32s3-tracker "
                                    "directory. [Critical; OK]"};
    };
    missing("no folder for the hardware", false, {},
        "No firmware loader found for esp32s3-tracker architecture.");
    missing("empty folder: the flasher is named", true, {}, "File esptool.exe not found.");
    missing("boot image and template missing: the boot image is named", true,
        {"esptool.exe", "partitions.bin"}, "File bootloader.bin not found.");
    missing("partition table missing", true, {"esptool.exe", "bootloader.bin", "config.txt"},
        "File partitions.bin not found.");
    missing("template missing", true, {"esptool.exe", "bootloader.bin", "partitions.bin"},
        "File config.txt not found.");
    QTest::newRow("file dialog cancelled")
        << true << allComponents << false << QStringList {"Select firmware file"};
    QTest::newRow("confirmation answered No")
        << true << allComponents << true << QStringList {"Select firmware file", confirmBox};
}

void FirmwareUpdateTest::stopsBeforeFlashing()
{
    QFETCH(bool, folder);
    QFETCH(QStringList, present);
    QFETCH(bool, pickImage);
    QFETCH(QStringList, modals);
    if (folder) {
        QVERIFY(installFirmwareFolder(present));
        QVERIFY(writeFile(firmwareFile(QStringLiteral("release")), "")); // a flasher started by mistake ends
    }
    const int hangups = tracker->tracker.hangups().size();

    Modals answered(*window, pickImage ? image : QString(), QMessageBox::No);
    QTest::mouseClick(child<QPushButton>(window.get(), "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(answered.seen, modals);
    QVERIFY(!window->isUpdateInProgress());
    QCOMPARE(progressShown(), QStringList());
    QCOMPARE(recordedArguments(), QStringList {"<flasher not run>"});
    // The port was never let go, and the link goes on polling.
    QVERIFY(window->link().isOpen() && tracker->tracker.peerOpen());
    QCOMPARE(tracker->tracker.hangups().size(), hangups);
    const int polls = tracker->tracker.receivedCount(0x03);
    QTRY_VERIFY_WITH_TIMEOUT(tracker->tracker.receivedCount(0x03) > polls, 5000);
}

void FirmwareUpdateTest::flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("percent");

    const QByteArray banner = "stand-in flasher 1.0\nConnecting....\nChip esp32s3 (package 56) (revision 2)\n"
                              "Packing 245760 bytes...\n";
    QTest::newRow("classic lines") << banner
            + "Writing at 0x00010000... (10 %)\n"
              "Writing at 0x00014000... (20 %)\n"
              "Writing at 0x00018000... (30 %)\n"
                                   << 30;
    QTest::newRow("older flasher: updates separated by CR only") << banner
            + "Writing at 0x00010000... (40 %)\rWriting at 0x00014000... (50 %)\r"
              "Writing at 0x00018000... (60 %)\r\n" << 60;
    QTest::newRow("bar with CR and colour codes") << banner
            + "\r\x1b[32mWriting at 0x00010000\x1b[0m [===>       ]  33.3% 81920/245760 bytes..."
              "\r\x1b[32mWriting at 0x00020000\x1b[0m [======>    ]  66.7% 163840/245760 bytes..."
              "\r\x1b[32mWriting at 0x00030000\x1b[0m [==========] 100.0% 245760/245760 bytes...\n"
              "Wrote 245760 bytes (139458 compressed) in 3.2 seconds (612 kbit per second).\n"
                                                  << 100;
}

void FirmwareUpdateTest::flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain()
{
    QFETCH(QByteArray, output);
    QFETCH(int, percent);
    QVERIFY(installFirmwareFolder(allComponents));
    QVERIFY(writeFile(firmwareFile(QStringLiteral("output")), output));
    const QString portPath = tracker->tracker.portPath();
    QSignalSpy messages(window->statusBar(), &QStatusBar::messageChanged);
    // Each CR starts a line of its own; colour codes are not shown.
    QString shown = QString::fromUtf8(output);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    shown.remove(QRegularExpression(QStringLiteral("\x1b\\[[0-9;]*m")));

    // The slot runs the flasher before it returns: a timer notes the window down until
    // it shows the update as expected (20 s at most), then lets the flasher finish.
    const QStringList expected = {"in progress", updateMessage, "port closed", "Firmware update shown",
        "Writing to the device. Please wait...", QStringLiteral("%1 of 100").arg(percent), shown};
    QStringList whileFlashing;
    QTimer watch;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&watch, &QTimer::timeout, window.get(), [&] {
        whileFlashing
            = QStringList {window->isUpdateInProgress() ? "in progress" : "idle",
                  window->statusBar()->currentMessage(),
                  window->link().isOpen() || tracker->tracker.peerOpen() ? "port open" : "port closed"}
            + progressShown();
        if (whileFlashing != expected && clock.elapsed() < 20000)
            return;
        watch.stop();
        writeFile(firmwareFile(QStringLiteral("release")), "");
    });
    watch.start(20);

    Modals answered(*window, image, QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton>(window.get(), "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(answered.seen, (QStringList {"Select firmware file", confirmBox}));
    QCOMPARE(answered.filters, QStringList {"Binary files (*.bin)"});
    const QString folder = firmwareFile();
    QCOMPARE(recordedArguments(),
        (QStringList {"--chip", "esp32s3", "--port", portPath, "--baud", "460800", "write_flash", "0x0",
            folder + "/bootloader.bin", "0x8000", folder + "/partitions.bin", "0x10000", image + "\n"}));
    QCOMPARE(whileFlashing, expected);

    // The slot has returned: the flasher is done and all its output relayed.
    QVERIFY(!window->isUpdateInProgress());
    QCOMPARE(progressShown(),
        (QStringList {"Firmware update shown", "Writing to the device. Please wait...",
            QStringLiteral("%1 of 100").arg(percent), shown + "Resetting the device...\n"}));
    expectFoundAgain(messages);
}

void FirmwareUpdateTest::failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain_data()
{
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("shown");
    QTest::newRow("flasher crashes") << true << "Connecting....\n";
    QTest::newRow("flasher cannot be started") << false << "";
}

void FirmwareUpdateTest::failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain()
{
    QFETCH(bool, executable);
    QFETCH(QString, shown);
    QVERIFY(installFirmwareFolder(allComponents, crashingFlasher, executable));
    QSignalSpy messages(window->statusBar(), &QStatusBar::messageChanged);

    Modals answered(*window, image, QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton>(window.get(), "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(answered.seen, (QStringList {"Select firmware file", confirmBox, errorBox}));
    QVERIFY(!window->isUpdateInProgress());
    QCOMPARE(progressShown(),
        (QStringList {"Firmware update shown", "Initiating firmware update...", "0 of 0", shown}));
    expectFoundAgain(messages);
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
