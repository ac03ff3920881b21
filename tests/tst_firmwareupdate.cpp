#include "dialogs/progressdialog.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
const QString errorTitle = QStringLiteral("An error has occurred during update process.");
const QString errorText
    = QStringLiteral("An error has occurred during update process. The device might be in "
                     "inconsistent state. If that is the case, please try again or contact "
                     "technical support.");
const QString confirmText
    = QStringLiteral("Warning! Make sure to only install firmware from the trusted source. "
                     "Installing wrong firmware may cause irreversible damage to the device. "
                     "Are you sure you want to continue?");
const QString updateMessage = QStringLiteral("Software update in progress...");
const QString argumentTemplate = QStringLiteral(
    "--chip, ${CHIP}, --port, ${PORT}, --baud, 460800, write_flash, 0x0, ${FIRMWARE_DIR}/bootloader.bin, "
    "0x8000, ${FIRMWARE_DIR}/partitions.bin, 0x10000, ${FIRMWARE_FILE}\n");

// A stand-in flasher: records its arguments, prints what the test put into
// "output" and waits for "release" before it finishes.
const QByteArray waitingFlasher = "#!/bin/sh\n"
                                  "here=$(dirname \"$0\")\n"
                                  "mkdir \"$here/arguments\"\n"
                                  "count=0\n"
                                  "for argument in \"$@\"; do\n"
                                  "    printf '%s' \"$argument\" > \"$here/arguments/$count\"\n"
                                  "    count=$((count + 1))\n"
                                  "done\n"
                                  "cat \"$here/output\"\n"
                                  "echo 'flash log on stderr' >&2\n"
                                  "while [ ! -e \"$here/release\" ]; do sleep 0.05; done\n"
                                  "printf 'Resetting the device...\\n'\n";
const QByteArray crashingFlasher = "#!/bin/sh\n"
                                   "printf 'Connecting....\\n'\n"
                                   "kill -9 $$\n";

QString firmwareRoot()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/firmware");
}

QString firmwareFolder()
{
    return firmwareRoot() + QLatin1Char('/') + architecture;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A firmware folder for the tracker's hardware beside the test binary.
bool installFirmwareFolder(
    const QStringList &components, const QByteArray &flasher = waitingFlasher, bool executable = true)
{
    if (!QDir().mkpath(firmwareFolder()))
        return false;
    for (const QString &name : components) {
        const QString path = firmwareFolder() + QLatin1Char('/') + name;
        QByteArray content = "stand-in " + name.toUtf8();
        if (name == QLatin1String("esptool.exe"))
            content = flasher;
        else if (name == QLatin1String("config.txt"))
            content = argumentTemplate.toUtf8();
        if (!writeFile(path, content))
            return false;
        if (name == QLatin1String("esptool.exe") && executable)
            QFile::setPermissions(
                path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
    return true;
}

const QStringList allComponents = {"esptool.exe", "bootloader.bin", "partitions.bin", "config.txt"};

// Every message the status bar showed, consecutive repeats folded.
struct MessageLog
{
    explicit MessageLog(QStatusBar *bar)
    {
        QObject::connect(bar, &QStatusBar::messageChanged, bar, [this](const QString &message) {
            if (!message.isEmpty() && (messages.isEmpty() || messages.last() != message))
                messages << message;
        });
    }
    QStringList messages;
};

// Answers modal dialogs in turn, one handler each; any further one is closed
// and counted as unexpected.
class ModalScript
{
public:
    using Handler = std::function<void(QWidget *)>;
    explicit ModalScript(QList<Handler> handlers) : handlers(std::move(handlers)) { expectNext(); }

    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QList<QMessageBox::StandardButtons> buttons;
    int unexpected = 0;

private:
    void expectNext()
    {
        const int step = answers.size();
        answers.push_back(std::make_unique<ModalAnswer>([this, step](QWidget *modal) {
            titles << modal->windowTitle();
            auto *box = qobject_cast<QMessageBox *>(modal);
            texts << (box ? box->text() : QString());
            icons << (box ? box->icon() : QMessageBox::NoIcon);
            buttons << (box ? box->standardButtons() : QMessageBox::NoButton);
            if (step < handlers.size()) {
                handlers.at(step)(modal);
            } else {
                ++unexpected;
                if (box && box->button(QMessageBox::No))
                    box->button(QMessageBox::No)->click();
                else if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            }
            expectNext();
        }));
    }

    QList<Handler> handlers;
    std::vector<std::unique_ptr<ModalAnswer>> answers;
};

ModalScript::Handler chooseFile(const QString &path, QStringList *filters = nullptr)
{
    return [path, filters](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return;
        if (filters)
            *filters = dialog->nameFilters();
        // Typed in, as a user would: selectFile() races the dialog's file system model.
        if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            edit->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept is protected
    };
}

ModalScript::Handler reject()
{
    return [](QWidget *modal) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    };
}

ModalScript::Handler press(QMessageBox::StandardButton which)
{
    return [which](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box && box->button(which))
            box->button(which)->click();
    };
}

QStringList recordedArguments()
{
    const QDir folder(firmwareFolder() + QStringLiteral("/arguments"));
    if (!folder.exists())
        return {QStringLiteral("<flasher not run>")};
    QStringList arguments;
    for (int i = 0; QFile::exists(folder.filePath(QString::number(i))); ++i) {
        QFile file(folder.filePath(QString::number(i)));
        file.open(QIODevice::ReadOnly);
        arguments << QString::fromUtf8(file.readAll());
    }
    return arguments;
}

ProgressDialog *lastProgressDialog(MainWindow &window)
{
    const QList<ProgressDialog *> dialogs = window.findChildren<ProgressDialog *>();
    return dialogs.isEmpty() ? nullptr : dialogs.last();
}

TrackerSimulator::Options vendorTracker()
{
    TrackerSimulator::Options options;
    options.variant = TrackerSimulator::Variant::Vendor;
    return options;
}

} // namespace

// "Update firmware" against a simulated tracker and a stand-in flasher.
class FirmwareUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void missingComponentsAreReportedAndNothingChanges_data();
    void missingComponentsAreReportedAndNothingChanges();
    void cancelOrNoLeavesTheLinkOpen_data();
    void cancelOrNoLeavesTheLinkOpen();
    void flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain_data();
    void flasherRunsWithTemplateArgumentsThenDeviceIsFoundAgain();
    void failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain_data();
    void failingFlasherShowsTheErrorBoxThenDeviceIsFoundAgain();

private:
    // Connects the window to the tracker, switches to expert mode and waits for the table.
    void connectInExpertMode(MainWindow &window);
    void expectFoundAgain(MainWindow &window, const MessageLog &log, int from, const QString &portPath);

    std::unique_ptr<QTemporaryDir> images;
    QString image;
};

void FirmwareUpdateTest::initTestCase()
{
    // The link logs every dump line; a failure is easier to read without them.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

void FirmwareUpdateTest::init()
{
    QDir(firmwareRoot()).removeRecursively();
    images = std::make_unique<QTemporaryDir>();
    QVERIFY(images->isValid());
    image = images->filePath(QStringLiteral("tracker image.bin"));
    QVERIFY(writeFile(image, "image"));
}

void FirmwareUpdateTest::cleanup()
{
    QDir(firmwareRoot()).removeRecursively();
    images.reset();
    Serial::setPortLister({});
}

void FirmwareUpdateTest::connectInExpertMode(MainWindow &window)
{
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 15000);
    QTest::mouseClick(child<QPushButton>(&window, "buttonAdvanced"), Qt::LeftButton);
    QVERIFY(window.isExpertMode());
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 15000);
    QCOMPARE(window.firmwareArchitecture(), architecture);
    QVERIFY(window.link().isOpen());
    QVERIFY(child<QPushButton>(&window, "buttonFirmwareUpdate")->isEnabled());
}

void FirmwareUpdateTest::expectFoundAgain(
    MainWindow &window, const MessageLog &log, int from, const QString &portPath)
{
    const QString found = QStringLiteral("Connected to OGN device found on ") + portPath;
    QTRY_VERIFY_WITH_TIMEOUT(log.messages.mid(from).contains(found), 15000);
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(window.link().isOpen() && table->isEnabled() && table->rowCount() > 0, 15000);
    QVERIFY(child<QPushButton>(&window, "buttonFirmwareUpdate")->isEnabled());
}

void FirmwareUpdateTest::missingComponentsAreReportedAndNothingChanges_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("text");

    const QString hint
        = QStringLiteral(" Make sure the firmware loader is installed in firmware/esp32s3-tracker "
                         "directory.");
    QTest::newRow("no folder for the hardware")
        << false << QStringList()
        << missingTitle + "\nNo firmware loader found for esp32s3-tracker architecture." + hint;
    QTest::newRow("empty folder: the flasher is named")
        << true << QStringList() << missingTitle + "\nFile esptool.exe not found." + hint;
    QTest::newRow("boot image and template missing: the boot image is named")
        << true << QStringList {"esptool.exe", "partitions.bin"}
        << missingTitle + "\nFile bootloader.bin not found." + hint;
    QTest::newRow("partition table missing")
        << true << QStringList {"esptool.exe", "bootloader.bin", "config.txt"}
        << missingTitle + "\nFile partitions.bin not found." + hint;
    QTest::newRow("template missing")
        << true << QStringList {"esptool.exe", "bootloader.bin", "partitions.bin"}
        << missingTitle + "\nFile config.txt not found." + hint;
}

void FirmwareUpdateTest::missingComponentsAreReportedAndNothingChanges()
{
    QFETCH(bool, folder);
    QFETCH(QStringList, present);
    QFETCH(QString, text);

    ListedTracker tracker(vendorTracker());
    MainWindow window;
    connectInExpertMode(window);
    if (QTest::currentTestFailed())
        return;
    if (folder)
        QVERIFY(installFirmwareFolder(present));
    const int hangups = tracker.tracker.hangups().size();

    ModalScript script({press(QMessageBox::Ok)});
    QTest::mouseClick(child<QPushButton>(&window, "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(script.titles, QStringList {missingTitle});
    QCOMPARE(script.texts, QStringList {text});
    QCOMPARE(script.icons.value(0), QMessageBox::Critical);
    QCOMPARE(script.buttons.value(0), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(script.unexpected, 0);
    QVERIFY(window.link().isOpen());
    QVERIFY(tracker.tracker.peerOpen());
    QCOMPARE(tracker.tracker.hangups().size(), hangups);
    QVERIFY(!window.isUpdateInProgress());
    QVERIFY(!lastProgressDialog(window));
}

void FirmwareUpdateTest::cancelOrNoLeavesTheLinkOpen_data()
{
    QTest::addColumn<bool>("chooseImage");
    QTest::newRow("file dialog cancelled") << false;
    QTest::newRow("confirmation answered No") << true;
}

void FirmwareUpdateTest::cancelOrNoLeavesTheLinkOpen()
{
    QFETCH(bool, chooseImage);

    ListedTracker tracker(vendorTracker());
    MainWindow window;
    connectInExpertMode(window);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(installFirmwareFolder(allComponents));
    QVERIFY(writeFile(firmwareFolder() + QStringLiteral("/output"), "Writing at 0x00010000... (10 %)\n"));
    QVERIFY(writeFile(firmwareFolder() + QStringLiteral("/release"), ""));
    const int hangups = tracker.tracker.hangups().size();
    MessageLog log(window.statusBar());

    QStringList filters;
    ModalScript script(chooseImage
            ? QList<ModalScript::Handler> {chooseFile(image, &filters), press(QMessageBox::No)}
            : QList<ModalScript::Handler> {reject()});
    QTest::mouseClick(child<QPushButton>(&window, "buttonFirmwareUpdate"), Qt::LeftButton);

    if (chooseImage) {
        QCOMPARE(script.titles, (QStringList {"Select firmware file", "Firmware update"}));
        QCOMPARE(filters, QStringList {"Binary files (*.bin)"});
        QCOMPARE(script.texts.value(1), confirmText);
        QCOMPARE(script.icons.value(1), QMessageBox::Warning);
        QCOMPARE(script.buttons.value(1), QMessageBox::Yes | QMessageBox::No);
    } else {
        QCOMPARE(script.titles, QStringList {"Select firmware file"});
    }
    QCOMPARE(script.unexpected, 0);
    QVERIFY(window.link().isOpen());
    QVERIFY(tracker.tracker.peerOpen());
    QCOMPARE(tracker.tracker.hangups().size(), hangups);
    QVERIFY(!window.isUpdateInProgress());
    QVERIFY(!lastProgressDialog(window));
    QVERIFY(!QFile::exists(firmwareFolder() + QStringLiteral("/arguments")));
    QVERIFY(!log.messages.contains(QStringLiteral("Connection closed")));
    // The link goes on polling.
    const int polls = tracker.tracker.receivedCount(0x03);
    QTRY_VERIFY_WITH_TIMEOUT(tracker.tracker.receivedCount(0x03) > polls, 5000);
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

    ListedTracker tracker(vendorTracker());
    MainWindow window;
    connectInExpertMode(window);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(installFirmwareFolder(allComponents));
    QVERIFY(writeFile(firmwareFolder() + QStringLiteral("/output"), output));
    const QString portPath = tracker.tracker.portPath();
    MessageLog log(window.statusBar());
    // Each CR starts a line of its own; colour codes are not shown.
    QString shown = QString::fromUtf8(output);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    shown.remove(QRegularExpression(QStringLiteral("\x1b\\[[0-9;]*m")));

    // The slot runs the flasher before it returns: look at the window from a timer meanwhile.
    struct
    {
        bool seen = false;
        bool linkOpen = true;
        bool peerOpen = true;
        QString label;
        int maximum = -1;
        int value = -1;
        QString text;
        bool dialogVisible = false;
        QString dialogTitle;
    } flashing;
    QTimer watch;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&watch, &QTimer::timeout, &window, [&] {
        ProgressDialog *dialog = lastProgressDialog(window);
        const bool ready = dialog && window.isUpdateInProgress()
            && window.statusBar()->currentMessage() == updateMessage
            && child<QTextEdit>(dialog, "textEdit")->toPlainText() == shown;
        if (!ready && clock.elapsed() < 20000)
            return;
        watch.stop();
        flashing.seen = ready;
        if (dialog) {
            flashing.linkOpen = window.link().isOpen();
            flashing.peerOpen = tracker.tracker.peerOpen();
            flashing.label = child<QLabel>(dialog, "label")->text();
            flashing.maximum = child<QProgressBar>(dialog, "progress")->maximum();
            flashing.value = child<QProgressBar>(dialog, "progress")->value();
            flashing.text = child<QTextEdit>(dialog, "textEdit")->toPlainText();
            flashing.dialogVisible = dialog->isVisible();
            flashing.dialogTitle = dialog->windowTitle();
        }
        writeFile(firmwareFolder() + QStringLiteral("/release"), "");
    });
    watch.start(20);

    ModalScript script({chooseFile(image), press(QMessageBox::Yes)});
    const int messagesBefore = log.messages.size();
    QTest::mouseClick(child<QPushButton>(&window, "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(script.titles, (QStringList {"Select firmware file", "Firmware update"}));
    QCOMPARE(script.unexpected, 0);
    const QString folder = firmwareFolder();
    QCOMPARE(recordedArguments(),
        (QStringList {"--chip", "esp32s3", "--port", portPath, "--baud", "460800", "write_flash", "0x0",
            folder + "/bootloader.bin", "0x8000", folder + "/partitions.bin", "0x10000", image + "\n"}));

    QVERIFY2(flashing.seen, "no moment with the update running, the poll waiting and the output shown");
    QVERIFY(!flashing.linkOpen);
    QVERIFY(!flashing.peerOpen);
    QVERIFY(log.messages.mid(messagesBefore).contains(QStringLiteral("Connection closed")));
    QVERIFY(flashing.dialogVisible);
    QCOMPARE(flashing.dialogTitle, QStringLiteral("Firmware update"));
    QCOMPARE(flashing.label, QStringLiteral("Writing to the device. Please wait..."));
    QCOMPARE(flashing.maximum, 100);
    QCOMPARE(flashing.value, percent);
    QCOMPARE(flashing.text, shown);

    // The slot has returned: the flasher is done and all its output relayed.
    QVERIFY(!window.isUpdateInProgress());
    ProgressDialog *dialog = lastProgressDialog(window);
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(child<QTextEdit>(dialog, "textEdit")
                ->toPlainText()
                .endsWith(QStringLiteral("Resetting the device...\n")));
    QCOMPARE(child<QProgressBar>(dialog, "progress")->value(), percent);

    expectFoundAgain(window, log, messagesBefore, tracker.tracker.portPath());
    QVERIFY(tracker.tracker.peerOpen());
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

    ListedTracker tracker(vendorTracker());
    MainWindow window;
    connectInExpertMode(window);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(installFirmwareFolder(allComponents, crashingFlasher, executable));
    MessageLog log(window.statusBar());
    const int messagesBefore = log.messages.size();

    bool updateFlagWhileBoxShown = true;
    ModalScript script({chooseFile(image), press(QMessageBox::Yes), [&](QWidget *modal) {
                            updateFlagWhileBoxShown = window.isUpdateInProgress();
                            press(QMessageBox::Ok)(modal);
                        }});
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(child<QPushButton>(&window, "buttonFirmwareUpdate"), Qt::LeftButton);

    QCOMPARE(script.titles, (QStringList {"Select firmware file", "Firmware update", errorTitle}));
    QCOMPARE(script.texts.value(2), errorText);
    QCOMPARE(script.icons.value(2), QMessageBox::Critical);
    QCOMPARE(script.buttons.value(2), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(script.unexpected, 0);
    QVERIFY(!updateFlagWhileBoxShown);
    QVERIFY(!window.isUpdateInProgress());
    ProgressDialog *dialog = lastProgressDialog(window);
    QVERIFY(dialog);
    QCOMPARE(child<QTextEdit>(dialog, "textEdit")->toPlainText(), shown);
    QCOMPARE(child<QLabel>(dialog, "label")->text(), QStringLiteral("Initiating firmware update..."));

    expectFoundAgain(window, log, messagesBefore, tracker.tracker.portPath());
}

QTEST_MAIN(FirmwareUpdateTest)
#include "tst_firmwareupdate.moc"
