#include "config/catalogue.h"
#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTranslator>
#include <QtTest>

#include <memory>

using namespace testsupport;

// One session of the window against two simulated trackers, a user path per test, in order.
class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void findsTheTrackerAndShowsItsParameters();
    void applyWritesEveryEditedKind();
    void keyboardAloneChangesTheAircraftType();
    void pendingChangesOutliveAModeSwitch();
    void everyRowSaysWhatItIs();
    void firstSizeFitsASmallScreen();
    void accessKeysDifferInEveryLanguage_data();
    void accessKeysDifferInEveryLanguage();
    void commandLineNeedsNoDisplay_data();
    void commandLineNeedsNoDisplay();
    void serialMonitorShowsWhatTheTrackerSends();
    void pickingAnotherPortSwitchesTheLink();
    void closingAsksAboutPendingChanges();

private:
    QString entryOf(const TrackerSimulator &tracker, const char *description) const
    {
        return tracker.portPath() + QStringLiteral(" (") + QLatin1String(description) + QLatin1Char(')');
    }

    std::unique_ptr<TrackerSimulator> first;
    std::unique_ptr<TrackerSimulator> second;
    std::unique_ptr<PortListing> listing;
    std::unique_ptr<WindowUnderTest> ui;
};

namespace {

QWidget *focused()
{
    return QApplication::focusWidget();
}

} // namespace

void WindowTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    TrackerSimulator::Options vendor;
    vendor.variant = TrackerSimulator::Variant::Vendor;
    first = std::make_unique<TrackerSimulator>(vendor);
    second = std::make_unique<TrackerSimulator>(options(false, false));
    QVERIFY(first->start() && second->start());
    first->setParameter(QStringLiteral("Soft"), QStringLiteral("v0.9"));
    QHash<QString, QString> ports {
        {first->portPath(), "USB Serial Device"}, {second->portPath(), "Bluetooth link"}};
    // Names that begin with the tracker's: its entry must be chosen by its whole name.
    for (char digit = '0'; digit <= '9'; ++digit)
        ports.insert(first->portPath() + digit, "Modem");
    listing = std::make_unique<PortListing>(ports);
    ui = std::make_unique<WindowUnderTest>();
}

void WindowTest::cleanupTestCase()
{
    ui.reset();
}

void WindowTest::findsTheTrackerAndShowsItsParameters()
{
    // Only the port list and the mode can be used until a tracker is found.
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(!ui->button(name)->isEnabled(), name);
    QVERIFY(!ui->table->isEnabled() && ui->button("buttonAdvanced")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    QCOMPARE(ui->messages,
        (QStringList {"Waiting for device...", "Connected to OGN device found on " + first->portPath()}));
    QCOMPARE(child<QComboBox>(ui->window.get(), "serialPortList")->currentText(),
        entryOf(*first, "USB Serial Device"));
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(ui->button(name)->isEnabled(), name);
    QCOMPARE(shownRows(ui->table),
        (QStringList {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
            "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL", "APN=internet",
            "TxProtMask=OGN ADS-L PilotAware FANET RemoteID "}));
    QCOMPARE(ui->window->firmwareArchitecture(), QStringLiteral("esp32s3-tracker"));
}

void WindowTest::applyWritesEveryEditedKind()
{
    edit(ui->table,
        {{"Address", "0x1A2B3D"}, {"AddrType", "ICAO"}, {"AcftType", "Para-glider"}, {"Reg", "D-KABC"},
            {"FreqPlan", "Europe"}, {"TxPower", "HIGH"}, {"APN", "web"}, {"TxProtMask", "ADS-L"}});
    first->clearRecord();
    ui->messages.clear();
    ui->button("applyButton")->click();

    const QStringList written
        = {"$POGNS,Address=0x1A2B3D", "$POGNS,AddrType=0x1", "$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC",
            "$POGNS,FreqPlan=1", "$POGNS,TxPower=+22", "$POGNS,APN=web", "$POGNS,TxProtMask=0xFB"};
    QCOMPARE(sentencesIn(first->receivedBytes()), written);
    QCOMPARE(first->sentences(), written);
    // All written before the reload asks for the list.
    QVERIFY(first->receivedBytes().lastIndexOf('\n') < first->receivedBytes().indexOf('\x03'));
    QCOMPARE(ui->messages.first(), QStringLiteral("Writing to device..."));
    QCOMPARE(ui->window->statusBar()->currentMessage(), QStringLiteral("Changes saved"));
    QCOMPARE(shownRows(ui->table),
        (QStringList {"Address=0x1A2B3D", "AddrType=ICAO", "AcftType=Para-glider", "Reg=D-KABC",
            "FreqPlan=Europe", "TxPower=HIGH", "APN=web", "TxProtMask=OGN PilotAware FANET RemoteID "}));
}

void WindowTest::keyboardAloneChangesTheAircraftType()
{
    // The sanitizer run's minimal platform delivers no shortcuts; the offscreen run covers them.
    if (QGuiApplication::platformName() == QLatin1String("minimal"))
        QSKIP("no keyboard shortcuts on the minimal platform");
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    auto *list = child<QComboBox>(ui->window.get(), "serialPortList");
    list->setFocus();
    QCOMPARE(focused(), list);
    // Tab leaves the table: port list, table, the buttons, and round again; Shift+Tab back.
    QStringList path;
    for (int step = 0; step < 7; ++step) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        QVERIFY(focused());
        path << focused()->objectName();
    }
    QCOMPARE(path,
        (QStringList {"table", "refreshButton", "buttonAdvanced", "buttonSaveSettings", "buttonLoadSettings",
            "applyButton", "serialPortList"}));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    QCOMPARE(focused(), ui->button("applyButton"));

    // Arrows to the aircraft type, Enter opens its list, Down and Enter pick the next type.
    ui->table->setFocus();
    QTest::keyClick(ui->table, Qt::Key_Home, Qt::ControlModifier);
    while (ui->table->currentRow() < rowOf(ui->table, "AcftType"))
        QTest::keyClick(ui->table, Qt::Key_Down);
    QTest::keyClick(ui->table, Qt::Key_Return);
    QTRY_VERIFY(QApplication::activePopupWidget());
    auto *entries = QApplication::activePopupWidget()->findChild<QAbstractItemView *>();
    QVERIFY(entries);
    QTest::keyClick(entries, Qt::Key_Down);
    QTest::keyClick(entries, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // The offscreen platform does not give the window back its activation after a popup.
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("AcftType=Powered aircraft *")));

    // Space on a text cell opens it with its value, which Escape leaves as it was.
    while (ui->table->currentRow() < rowOf(ui->table, "Reg"))
        QTest::keyClick(ui->table, Qt::Key_Down);
    QTest::keyClick(ui->table, Qt::Key_Space);
    auto *editor = ui->table->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("D-KABC"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("Reg=D-KABC")));

    first->clearRecord();
    ui->window->statusBar()->clearMessage();
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    QTest::keyClick(ui->table, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(
        ui->window->statusBar()->currentMessage(), QStringLiteral("Changes saved"), 10000);
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList {"$POGNS,AcftType=0x8"});
    // The keyboard focus is back where it was, and F5 reads the tracker again.
    QTRY_COMPARE(ui->window->focusWidget(), static_cast<QWidget *>(ui->table));
    const int requests = first->receivedCount(0x03);
    QTest::keyClick(ui->window.get(), Qt::Key_F5);
    QTRY_VERIFY(first->receivedCount(0x03) > requests && ui->loaded());
}

void WindowTest::pendingChangesOutliveAModeSwitch()
{
    edit(ui->table, "AcftType", "Tow plane");
    ui->button("buttonAdvanced")->click();
    // Expert mode shows every line the tracker printed, and its tools.
    QTRY_VERIFY(ui->loaded());
    QVERIFY(ui->window->isExpertMode() && child<QFrame>(ui->window.get(), "frameExpertTools")->isVisible());
    QCOMPARE(ui->table->rowCount(), first->parameters().size());
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("AcftType=0x2 *")));
    edit(ui->table, "Pilot", "Jo");
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(ui->table->rowCount(), 8);
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList {"AcftType=Tow plane *"});
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(
        shownRows(ui->table).filter(QStringLiteral(" *")), (QStringList {"AcftType=0x2 *", "Pilot=Jo *"}));

    // Refresh asks before it drops them: No keeps them, Yes reads the tracker afresh.
    {
        BoxAnswers no(QMessageBox::No);
        ui->button("refreshButton")->click();
        QCOMPARE(no.seen, QStringList {"Refresh"});
    }
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")).size(), 2);
    {
        BoxAnswers yes(QMessageBox::Yes);
        ui->button("refreshButton")->click();
        QCOMPARE(yes.seen, QStringList {"Refresh"});
    }
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList());
    QCOMPARE(first->sentences().filter(QStringLiteral("Pilot")), QStringList());
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded() && !ui->window->isExpertMode());
}

void WindowTest::everyRowSaysWhatItIs()
{
    // Each known parameter in plain words, with the unit or range the tracker printed.
    for (int row = 0; row < ui->table->rowCount(); ++row) {
        const QString name = ui->table->item(row, 0)->text();
        const QString tip = ui->table->item(row, 0)->toolTip();
        const tracktune::KnownParameter *known = tracktune::findKnownParameter(name);
        QVERIFY2(known && tip.startsWith(QString::fromUtf8(known->description)), qPrintable(name));
        QVERIFY2(tip.contains(QStringLiteral("[")), qPrintable(name + ": " + tip));
    }
    QVERIFY(ui->table->item(rowOf(ui->table, "TxPower"), 0)->toolTip().endsWith(QStringLiteral("[ dBm]")));
    // Where am I: the port, the hardware, the software and the address, while connected.
    const QString field = child<QLabel>(ui->window.get(), "trackerField")->text();
    QCOMPARE(field,
        first->portPath() + QStringLiteral(" \u00b7 ZRN-LTE \u00b7 v0.9 \u00b7 ")
            + first->parameter("Address"));
}

void WindowTest::firstSizeFitsASmallScreen()
{
    // The offscreen screen is 800 x 600: the form's 616 pixels would not fit.
    MainWindow fresh;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(available.height() < 616 + 48);
    QVERIFY2(fresh.height() + 48 <= available.height(), qPrintable(QString::number(fresh.height())));
}

void WindowTest::accessKeysDifferInEveryLanguage_data()
{
    QTest::addColumn<QString>("language"); // empty: English, no translator
    QTest::newRow("English") << QString();
    QTest::newRow("German") << QStringLiteral("de");
    QTest::newRow("French") << QStringLiteral("fr");
}

void WindowTest::accessKeysDifferInEveryLanguage()
{
    QFETCH(QString, language);
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(
            translator.load(QStringLiteral("tracktune_") + language, QStringLiteral(TRACKTUNE_TRANSLATIONS)));
        QCoreApplication::installTranslator(&translator);
    }
    MainWindow fresh;
    QStringList texts {QCoreApplication::translate("MainWindow", "&Standard mode")};
    for (const QAbstractButton *button : fresh.findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QLabel *label : fresh.findChildren<QLabel *>())
        texts << label->text();
    QHash<QKeySequence, QString> owners;
    for (const QString &text : std::as_const(texts)) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            continue;
        QVERIFY2(!owners.contains(key), qPrintable(owners.value(key) + QStringLiteral(" and ") + text));
        owners.insert(key, text);
    }
    // Every button of the form has one.
    QVERIFY2(owners.size() >= 9, qPrintable(QStringList(owners.values()).join(QStringLiteral(", "))));
    if (!language.isEmpty())
        QVERIFY(child<QPushButton>(&fresh, "applyButton")->text() != QStringLiteral("&Apply"));
}

void WindowTest::commandLineNeedsNoDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display"); // false: no display at all; true: the platform the tests run on
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("--help") << QStringList {"--help"} << false << 0 << "Usage: tracktune";
    QTest::newRow("an unknown option, Qt's own taken")
        << QStringList {"-platform", QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM")), "--colour"} << true
        << 2 << "tracktune: unknown option '--colour'";
}

void WindowTest::commandLineNeedsNoDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!display)
            environment.remove(QString::fromLatin1(name));
    }
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TRACKTUNE_APP), arguments);
    QVERIFY(program.waitForFinished(15000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString output
        = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
    QVERIFY2(output.contains(said), qPrintable(output));
}

void WindowTest::serialMonitorShowsWhatTheTrackerSends()
{
    ui->button("buttonAdvanced")->click();
    ui->button("buttonSerialMonitor")->click();
    SerialMonitor *monitor = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        monitor = monitor ? monitor : qobject_cast<SerialMonitor *>(widget);
    QVERIFY(monitor && monitor->isVisible() && !monitor->isModal());
    QCOMPARE(child<QLabel>(monitor, "labelDevice")->text(), first->portPath());
    auto *text = child<QPlainTextEdit>(monitor, "textSerialOutput");
    // Paused, what arrives is dropped; started again and cleaned, only what follows shows.
    child<QPushButton>(monitor, "buttonStartStop")->click();
    first->inject("MARK while paused\n");
    const int polls = first->receivedCount(0x03);
    QTRY_VERIFY_WITH_TIMEOUT(first->receivedCount(0x03) >= polls + 2, 5000);
    child<QPushButton>(monitor, "buttonStartStop")->click();
    child<QPushButton>(monitor, "buttonClean")->click();
    first->inject("MARK after\n");
    QTRY_VERIFY_WITH_TIMEOUT(text->toPlainText().contains(QLatin1String("MARK after")), 5000);
    QVERIFY(!text->toPlainText().contains(QLatin1String("while paused")));
    monitor->close();
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded());
}

void WindowTest::pickingAnotherPortSwitchesTheLink()
{
    ui->messages.clear();
    auto *list = child<QComboBox>(ui->window.get(), "serialPortList");
    list->setCurrentIndex(list->findText(entryOf(*second, "Bluetooth link")));

    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded() && second->peerOpen(), 15000);
    QCOMPARE(ui->messages.mid(0, 2),
        (QStringList {"Connection closed", "Connected to OGN device found on " + second->portPath()}));
    QTRY_VERIFY(!first->peerOpen());
    QCOMPARE(list->currentText(), entryOf(*second, "Bluetooth link"));
}

void WindowTest::closingAsksAboutPendingChanges()
{
    edit(ui->table, "AcftType", "Balloon");
    {
        BoxAnswers cancel(QMessageBox::Cancel);
        QVERIFY(!ui->window->close());
        QCOMPARE(
            cancel.boxes.value(0).offered, QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel);
    }
    QVERIFY(ui->window->isVisible() && shownRows(ui->table).contains(QStringLiteral("AcftType=Balloon *")));
    {
        BoxAnswers apply(QMessageBox::Apply);
        QVERIFY(ui->window->close());
    }
    QCOMPARE(second->parameter("AcftType"), QStringLiteral("0xB"));
    ui->window->show();
    edit(ui->table, "AcftType", "UAV");
    {
        BoxAnswers discard(QMessageBox::Discard);
        QVERIFY(ui->window->close());
    }
    QCOMPARE(second->parameter("AcftType"), QStringLiteral("0xB"));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
