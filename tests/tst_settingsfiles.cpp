// Settings files in the window: save, load with the identity rule, and the backup a firmware
// update keeps and offers back; the window and the command line agree on the files.
#include "cli/commandline.h"
#include "cli/trackercommands.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

enum class Side { Window, Cli };

// A tracker with an aircraft's own settings, on the vendor's hardware named plainly.
TrackerSimulator::Options configuredTracker()
{
    TrackerSimulator::Options options = testsupport::options(false, false);
    options.variant = TrackerSimulator::Variant::Vendor;
    return options;
}

const QList<QPair<QString, QString>> aircraft {
    {"AcftType", "0x7"}, {"Reg", "D-KABC"}, {"Pilot", "Jo"}, {"TxPower", "+22"}, {"Hard", "tt-restore"}};

QStringList marked(const QTableWidget *table)
{
    return shownRows(table).filter(QStringLiteral(" *"));
}

} // namespace

Q_DECLARE_METATYPE(Side)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class SettingsFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowAndCommandLineAgree_data();
    void windowAndCommandLineAgree();
    void loadMarksWhatTheFileChanges_data();
    void loadMarksWhatTheFileChanges();
    void firmwareUpdateOffersTheSettingsBack_data();
    void firmwareUpdateOffersTheSettingsBack();

private:
    bool loaded() const { return window->link().isOpen() && table->isEnabled() && table->rowCount() > 0; }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }
    void openWindow();
    void saveInWindow(const QString &path);
    QStringList loadInWindow(const QString &path, QMessageBox::StandardButton identityAnswer);
    QString writeFile(const QString &name, const QByteArray &text);

    QTemporaryDir data; // the application's data folder: backups, firmware
    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
};

void SettingsFilesTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    QVERIFY(data.isValid());
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
}

void SettingsFilesTest::init()
{
    listed = std::make_unique<ListedTracker>(configuredTracker());
    for (const auto &setting : aircraft)
        listed->tracker.setParameter(setting.first, setting.second);
}

void SettingsFilesTest::cleanup()
{
    window.reset();
    listed.reset();
}

void SettingsFilesTest::openWindow()
{
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);
}

QString SettingsFilesTest::writeFile(const QString &name, const QByteArray &text)
{
    QFile file(data.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() ? file.fileName() : QString();
}

void SettingsFilesTest::saveInWindow(const QString &path)
{
    ModalAnswers answers([&path](QWidget *modal) {
        auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name) {
            modal->close();
            return;
        }
        name->setText(path);
        QMetaObject::invokeMethod(qobject_cast<QFileDialog *>(modal), &QDialog::accept, Qt::QueuedConnection);
    });
    button("buttonSaveSettings")->click();
    QCOMPARE(answers.seen, QStringList {"Save settings"});
}

// Loads the file and answers the identity question; returns the titles of the boxes.
QStringList SettingsFilesTest::loadInWindow(const QString &path, QMessageBox::StandardButton identityAnswer)
{
    ModalAnswers answers([&](QWidget *modal) {
        if (auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
            QMetaObject::invokeMethod(
                qobject_cast<QFileDialog *>(modal), &QDialog::accept, Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *answer
                = box->button(box->button(QMessageBox::Ok) ? QMessageBox::Ok : identityAnswer);
            if (!answer) {
                QTest::qFail(qPrintable("unexpected box: " + box->text()), __FILE__, __LINE__);
                box->close();
                return;
            }
            QVERIFY(box->defaultButton() == box->button(QMessageBox::Ok)
                || box->defaultButton() == box->button(QMessageBox::No));
            answer->click();
        } else {
            modal->close();
        }
    });
    button("buttonLoadSettings")->click();
    // A load that switched to expert mode has read the tracker again.
    const QStringList seen = answers.seen;
    return QTest::qWaitFor([this] { return loaded(); }, 15000) ? seen : QStringList {"<not loaded>"};
}

void SettingsFilesTest::windowAndCommandLineAgree_data()
{
    QTest::addColumn<Side>("saver");
    QTest::addColumn<Side>("applier");
    QTest::newRow("saved by the window, loaded and applied by the window") << Side::Window << Side::Window;
    QTest::newRow("saved by the window, applied by tracktune-cli") << Side::Window << Side::Cli;
    QTest::newRow("backed up by tracktune-cli, loaded and applied by the window")
        << Side::Cli << Side::Window;
}

void SettingsFilesTest::windowAndCommandLineAgree()
{
    QFETCH(Side, saver);
    QFETCH(Side, applier);
    const QString path = data.filePath(QStringLiteral("aircraft.txt"));
    QFile::remove(path);
    const QString port = listed->tracker.portPath();
    const auto cli = [&port](const QStringList &arguments) {
        QString out, err;
        TrackerCommands commands(&out, &err);
        return commands.run(
            tracktune::parseCommandLine(QStringList {"tracktune-cli", "-p", port} + arguments));
    };
    if (saver == Side::Cli) {
        QCOMPARE(cli({"backup", path}), 0);
    } else {
        openWindow();
        saveInWindow(path);
        QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Settings saved to")));
        window.reset();
    }
    QVERIFY(QFile::exists(path));

    // The tracker as it comes from the factory, with its own address and hardware.
    for (const auto &setting : aircraft) {
        if (setting.first != QLatin1String("Hard"))
            listed->tracker.setParameter(
                setting.first, TrackerSimulator(configuredTracker()).parameter(setting.first));
    }
    listed->tracker.clearRecord();
    if (applier == Side::Cli) {
        QCOMPARE(cli({"apply", path}), 0);
    } else {
        openWindow();
        loadInWindow(path, QMessageBox::No);
        // Pilot is shown in expert mode only: the load switched to it.
        QCOMPARE(
            marked(table), (QStringList {"AcftType=0x7 *", "Reg=D-KABC *", "Pilot=Jo *", "TxPower=+22 *"}));
        button("applyButton")->click();
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Changes saved"));
    }
    // Either way the same sentences, and the aircraft's settings back.
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()),
        (QStringList {"$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC", "$POGNS,Pilot=Jo", "$POGNS,TxPower=+22"}));
    for (const auto &setting : aircraft)
        QCOMPARE(listed->tracker.parameter(setting.first), setting.second);
}

void SettingsFilesTest::loadMarksWhatTheFileChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QMessageBox::StandardButton>("identityAnswer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("marked");
    QTest::addColumn<bool>("expertMode");
    const QByteArray otherAircraft = "Address = 0xABCDEF\nReg = D-EFGH\nAcftType = 0x2\n";
    QTest::newRow("another aircraft's file: its identity left alone on No")
        << otherAircraft << QMessageBox::No << QStringList {"Load settings", "Load settings"}
        << QStringList {"AcftType=Tow plane *"} << false;
    QTest::newRow("another aircraft's file: its identity too on Yes")
        << otherAircraft << QMessageBox::Yes << QStringList {"Load settings", "Load settings"}
        << QStringList {"Address=0xABCDEF *", "AcftType=Tow plane *", "Reg=D-EFGH *"} << false;
    QTest::newRow("refused values listed in one box, not marked; Hard never")
        << QByteArray("CONbaud = 9600\nAPN = a,b\nHard = x\nAcftType = UAV\n") << QMessageBox::NoButton
        << QStringList {"Load settings", "Load settings"} << QStringList {"AcftType=UAV *"} << false;
    QTest::newRow("a parameter only expert mode shows: expert mode")
        << QByteArray("Base = LSZH\nAcftType = 0x7\n") << QMessageBox::NoButton
        << QStringList {"Load settings"} << QStringList {"Base=LSZH *"} << true;
}

void SettingsFilesTest::loadMarksWhatTheFileChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(QMessageBox::StandardButton, identityAnswer);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, marked);
    QFETCH(bool, expertMode);
    const QString path = writeFile(QStringLiteral("template.txt"), file);
    QVERIFY(!path.isEmpty());
    openWindow();
    listed->tracker.clearRecord();
    QCOMPARE(loadInWindow(path, identityAnswer), boxes);
    QCOMPARE(window->isExpertMode(), expertMode);
    QCOMPARE(::marked(table), marked);
    // Nothing is written until Apply.
    QCOMPARE(sentencesIn(listed->tracker.receivedBytes()), QStringList());
}

void SettingsFilesTest::firmwareUpdateOffersTheSettingsBack_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("Yes: the settings from before are written again") << QMessageBox::Yes;
    QTest::newRow("No: the factory values stay, the backup too") << QMessageBox::No;
}

void SettingsFilesTest::firmwareUpdateOffersTheSettingsBack()
{
    QFETCH(QMessageBox::StandardButton, answer);
    // A firmware folder for the tracker's hardware in the data folder, with a stand-in flasher.
    const QString firmware = data.filePath(QStringLiteral("tst_settingsfiles/firmware/tt-restore"));
    QVERIFY(QDir().mkpath(firmware));
    for (const char *name : {"bootloader.bin", "partitions.bin"})
        QVERIFY(QFile(firmware + '/' + name).open(QIODevice::WriteOnly));
    QFile config(firmware + QStringLiteral("/config.txt"));
    QVERIFY(config.open(QIODevice::WriteOnly)
        && config.write("--port, ${PORT}, write_flash, 0x10000, ${FIRMWARE_FILE}\n"));
    config.close();
    QFile flasher(firmware + QStringLiteral("/esptool"));
    QVERIFY(flasher.open(QIODevice::WriteOnly)
        && flasher.write("#!/bin/sh\necho 'Writing at 0x00010000... (100 %)'\n"));
    flasher.close();
    flasher.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QString image = writeFile(QStringLiteral("image.bin"), "firmware");
    QDir(data.filePath(QStringLiteral("tst_settingsfiles/backups"))).removeRecursively();

    openWindow();
    button("buttonAdvanced")->click();
    QTRY_VERIFY(loaded());
    TrackerSimulator &tracker = listed->tracker;
    QStringList seen;
    ModalAnswers answers([&](QWidget *modal) {
        seen << modal->windowTitle();
        if (auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
            name->setText(image);
            QMetaObject::invokeMethod(
                qobject_cast<QFileDialog *>(modal), &QDialog::accept, Qt::QueuedConnection);
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box && modal->windowTitle() == QLatin1String("Firmware update")) {
            // What a new firmware does: factory values, but the same address and hardware.
            for (const auto &setting : aircraft) {
                if (setting.first != QLatin1String("Hard"))
                    tracker.setParameter(
                        setting.first, TrackerSimulator(configuredTracker()).parameter(setting.first));
            }
            box->button(QMessageBox::Yes)->click();
        } else if (box && modal->windowTitle() == QLatin1String("Restore settings")) {
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            QVERIFY(box->text().startsWith(QStringLiteral("Restore the 4 settings")));
            box->button(answer)->click();
        } else {
            modal->close();
        }
    });
    tracker.clearRecord();
    button("buttonFirmwareUpdate")->click();
    QTRY_VERIFY_WITH_TIMEOUT(seen.contains(QStringLiteral("Restore settings")) && loaded(), 30000);
    QCOMPARE(seen.mid(0, 2), (QStringList {"Select firmware file", "Firmware update"}));
    QTRY_VERIFY_WITH_TIMEOUT(!window->deviceSession().isBusy() && loaded(), 15000);

    const QStringList backups
        = QDir(data.filePath(QStringLiteral("tst_settingsfiles/backups"))).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(
        backups.first().startsWith(QStringLiteral("0x1A2B3C-before-update-")), qPrintable(backups.first()));
    if (answer == QMessageBox::Yes) {
        QTRY_COMPARE_WITH_TIMEOUT(
            window->statusBar()->currentMessage(), QStringLiteral("Settings restored"), 10000);
        for (const auto &setting : aircraft)
            QCOMPARE(tracker.parameter(setting.first), setting.second);
    } else {
        QCOMPARE(sentencesIn(tracker.receivedBytes()), QStringList());
        QCOMPARE(tracker.parameter(QStringLiteral("AcftType")),
            TrackerSimulator(configuredTracker()).parameter("AcftType"));
    }
}

QTEST_MAIN(SettingsFilesTest)
#include "tst_settingsfiles.moc"
