// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/aboutdialog.h"
#include "dialogs/serialmonitor.h"
#include "mainwindow/keptedits.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/messagebar.h"
#include "translations/translators.h"
#include "windowsupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "mainwindow/statuspanel.h"
#include "parametertable/parametertable.h"
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using namespace testsupport;

// The window against a simulated tracker, a user path per test: each test has a tracker and a
// window of its own, and passes alone or in any order.
class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup()
    {
        ui.reset();
        listing.reset();
        first.reset();
    }

    void findsTheTrackerAndShowsItsParameters();
    void applyWritesEveryEditedKind();
    void applyAsksBeforeSilenceAndNamesWhatTheTrackerChanged();
    void keyboardAloneChangesTheAircraftType();
    void pendingChangesOutliveAModeSwitch();
    void everyRowSaysWhatItIs();
    void firstSizeFitsASmallScreen();
    void serialMonitorShowsWhatTheTrackerSends();
    void serialMonitorFontIsFixedPitch_data();
    void serialMonitorFontIsFixedPitch();
    void helpNamesVersionLicenceAndFolders();
    void pickingAnotherPortSwitchesTheLink();
    void editsOutliveADroppedLink_data();
    void editsOutliveADroppedLink();
    void keptEditsAgainstTheListThatCameBack_data();
    void keptEditsAgainstTheListThatCameBack();
    void closingAsksAboutPendingChanges();
    void saysWhatToCheckWhileNoTrackerIsFound();
    void statusPanelFollowsTheTracker();
    void outcomeIsReadWholeAndGoesWithTheNextAction();
    void fileWithoutTrackerIsEditedSavedAndComparedLater();
    void windowKeepsItsWidthWhateverRowIsSelected();

private:
    // The window on the listed ports; false: it never showed the tracker's list.
    bool openWindow()
    {
        ui = std::make_unique<WindowUnderTest>();
        return QTest::qWaitFor([this] { return ui->loaded(); }, 15000);
    }
    QString entryOf(const TrackerSimulator &tracker, const char *description) const
    {
        return tracker.portPath() + QStringLiteral(" (") + QLatin1String(description) + QLatin1Char(')');
    }

    QTemporaryDir home;
    std::unique_ptr<TrackerSimulator> first;
    std::unique_ptr<PortListing> listing;
    std::unique_ptr<WindowUnderTest> ui;
};

void WindowTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    // As the program starts in English: its plurals come from a translation too.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    tracktune::installTranslators(*QCoreApplication::instance());
    // The backups folder and the file dialog's settings, away from the user's own.
    QVERIFY(home.isValid());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
}

// A fresh tracker, listed; each test sets it up further, then opens the window.
void WindowTest::init()
{
    TrackerSimulator::Options vendor;
    vendor.variant = TrackerSimulator::Variant::Vendor;
    first = std::make_unique<TrackerSimulator>(vendor);
    QVERIFY(first->start());
    first->setParameter(QStringLiteral("Soft"), QStringLiteral("v0.9"));
    QHash<QString, QString> ports {{first->portPath(), "USB Serial Device"}};
    // Names that begin with the tracker's: its entry must be chosen by its whole name.
    for (char digit = '0'; digit <= '9'; ++digit)
        ports.insert(first->portPath() + digit, "Modem");
    listing = std::make_unique<PortListing>(ports);
}

// No tracker for a while: the window says what to check and which ports it sees; the tracker,
// once found, takes the help away.
void WindowTest::saysWhatToCheckWhileNoTrackerIsFound()
{
    listing->set({{"ttyS9", "ttyS9"}});
    ui = std::make_unique<WindowUnderTest>();
    ui->window->setNoTrackerHelpMs(300);
    const auto *bar = child<MessageBar>(ui->window.get(), "messageBar");
    QTRY_VERIFY_WITH_TIMEOUT(bar->text().startsWith(QStringLiteral("No tracker found yet")), 5000);
    QVERIFY2(bar->text().contains(QStringLiteral("ttyS9")), qPrintable(bar->text()));
    // No tracker, nothing it prints to show.
    const auto *panel = child<QWidget>(ui->window.get(), "statusPanel");
    QVERIFY(panel->isHidden());
    listing->set({{first->portPath(), "USB Serial Device"}});
    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    QCOMPARE(bar->text(), QString());
    QVERIFY(panel->isVisible());
}

// What the tracker prints about itself, in words: no fix, then a fix; a Verbose off is said.
void WindowTest::statusPanelFollowsTheTracker()
{
    TrackerSimulator::Options running;
    running.chatty = true;
    running.fixAfterSeconds = 3;
    first = std::make_unique<TrackerSimulator>(running);
    QVERIFY(first->start());
    listing->set({{first->portPath(), "USB Serial Device"}});
    QVERIFY(openWindow());
    const auto *gps = child<QLabel>(ui->window.get(), "gpsText");
    QVERIFY(gps);
    QTRY_VERIFY_WITH_TIMEOUT(gps->text().startsWith(QStringLiteral("GPS: no fix")), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(gps->text().startsWith(QStringLiteral("GPS: 3-D fix, 8 satellites")), 6000);
    // Heard when the state changes: the name is the state, not the numbers.
    QCOMPARE(gps->accessibleName(), QStringLiteral("GPS: fix"));
    QVERIFY(
        child<QLabel>(ui->window.get(), "batteryText")->text().startsWith(QStringLiteral("Battery: 4.1")));
    auto *switchOn = child<QPushButton>(ui->window.get(), "switchOnButton");
    QVERIFY(!switchOn->isVisible());

    // Verbose off: said, and switched on only through a question and a checked write; a pending
    // edit stays pending.
    first->setParameter(QStringLiteral("Verbose"), QStringLiteral("0x00"));
    edit(ui->table, "AcftType", "Para-glider");
    first->clearRecord();
    ui->window->findChild<StatusPanel *>()->takeList({{QStringLiteral("Verbose"), QStringLiteral("0x00")},
        {QStringLiteral("Ghost"), QStringLiteral("0x0")}});
    QTRY_VERIFY(switchOn->isVisible());
    {
        BoxAnswers yes(QMessageBox::Yes);
        switchOn->click();
        QCOMPARE(yes.seen, QStringList {"Status output"});
    }
    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList {"$POGNS,Verbose=0x01"});
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("AcftType=Para-glider *")));
}

void WindowTest::findsTheTrackerAndShowsItsParameters()
{
    // Which buttons a state allows is the faults' test; here the tracker and what it holds.
    QVERIFY(openWindow());
    QCOMPARE(ui->messages,
        (QStringList {"Waiting for device...", "Connected to OGN device found on " + first->portPath()}));
    QCOMPARE(child<QComboBox>(ui->window.get(), "serialPortList")->currentText(),
        entryOf(*first, "USB Serial Device"));
    QCOMPARE(shownRows(ui->table),
        (QStringList {"Address=0x1A2B3C", "AcftType=(Moto-)glider", "AddrType=OGN",
            "TxPower=NORMAL (+14 dBm)",
            "TxProtMask=FLARM OGN ADS-L PilotAware FANET LoRaWAN ADS-B RemoteID Meshtastic ",
            "FreqPlan=Automatic", "Reg=", "APN=internet"}));
}

void WindowTest::applyWritesEveryEditedKind()
{
    QVERIFY(openWindow());
    // Typed with a capital X, which the tracker would read as 0: the cell takes the tracker's form.
    QTableWidgetItem *address = ui->table->item(rowOf(ui->table, "Address"), 1);
    QVERIFY(address);
    ui->table->editItem(address);
    auto *typing = ui->table->viewport()->findChild<QLineEdit *>();
    QVERIFY(typing);
    typing->setText(QStringLiteral("0X1A2B3D"));
    auto *table = qobject_cast<ParameterTable *>(ui->table);
    QVERIFY(table);
    table->commitOpenEditor();
    QCOMPARE(address->text(), QStringLiteral("0x1A2B3D"));
    edit(ui->table,
        {{"AddrType", "ICAO"}, {"AcftType", "Para-glider"}, {"Reg", "D-KABC"}, {"FreqPlan", "Europe"},
            {"TxPower", "HIGH (+22 dBm)"}, {"APN", "web"}, {"TxProtMask", "ADS-L"}});
    first->clearRecord();
    ui->messages.clear();
    // From the keyboard: the button keeps the focus while the write runs, since greying it out
    // would send the focus (and a screen reader) through the other controls.
    QPushButton *apply = ui->button("applyButton");
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    apply->setFocus();
    QTest::keyClick(apply, Qt::Key_Space);
    QVERIFY(ui->window->isBusy());
    QCOMPARE(QApplication::focusWidget(), apply);
    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
    QCOMPARE(QApplication::focusWidget(), apply);

    // The type first: the tracker resets the Address when it is written.
    const QStringList written
        = {"$POGNS,AddrType=0x1", "$POGNS,Address=0x1A2B3D", "$POGNS,AcftType=0x7", "$POGNS,TxPower=+22",
            "$POGNS,TxProtMask=0xFFFB", "$POGNS,FreqPlan=1", "$POGNS,Reg=D-KABC", "$POGNS,APN=web"};
    QCOMPARE(sentencesIn(first->receivedBytes()), written);
    // All written before the reload asks for the list.
    QVERIFY(first->receivedBytes().lastIndexOf('\n') < first->receivedBytes().indexOf('\x03'));
    QCOMPARE(ui->messages.first(), QStringLiteral("Writing to device..."));
    QCOMPARE(ui->window->statusBar()->currentMessage(), QStringLiteral("Changes saved"));
    QCOMPARE(shownRows(ui->table),
        (QStringList {"Address=0x1A2B3D", "AcftType=Para-glider", "AddrType=ICAO", "TxPower=HIGH (+22 dBm)",
            "TxProtMask=FLARM OGN PilotAware FANET LoRaWAN ADS-B RemoteID Meshtastic ", "FreqPlan=Europe",
            "Reg=D-KABC", "APN=web"}));
}

void WindowTest::applyAsksBeforeSilenceAndNamesWhatTheTrackerChanged()
{
    first->setParameter(QStringLiteral("AddrType"), QStringLiteral("0x3"));
    first->setParameter(QStringLiteral("Address"), QStringLiteral("0x4ABCDE"));
    first->setParameter(QStringLiteral("TxProtMask"), QStringLiteral("0x12"));
    QVERIFY(openWindow());
    edit(ui->table, {{"TxProtMask", "OGN"}, {"TxProtMask", "FANET"}});
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("TxProtMask=none *")));
    first->clearRecord();
    {
        BoxAnswers no(QMessageBox::No);
        ui->button("applyButton")->click();
        QCOMPARE(no.seen, QStringList {"Apply"});
        QCOMPARE(no.boxes.first().byDefault, QMessageBox::No);
        QVERIFY(no.boxes.first().text.startsWith(QStringLiteral("The tracker will transmit nothing")));
    }
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList());
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("TxProtMask=none *")));
    {
        BoxAnswers yes(QMessageBox::Yes);
        ui->button("applyButton")->click();
        QCOMPARE(yes.seen, QStringList {"Apply"});
    }
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList {"$POGNS,TxProtMask=0x00"});
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("TxProtMask=none")));

    // The type alone: the newer tracker resets the Address on it, so the Address it held goes out
    // again after it, and nothing changes that the pilot did not choose.
    first->clearRecord();
    edit(ui->table, "AddrType", "ICAO");
    ui->button("applyButton")->click();
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(sentencesIn(first->receivedBytes()),
        (QStringList {"$POGNS,AddrType=0x1", "$POGNS,Address=0x4ABCDE"}));
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("Address=0x4ABCDE")));
    QCOMPARE(child<MessageBar>(ui->window.get(), "messageBar")->text(), QString());
}

void WindowTest::keyboardAloneChangesTheAircraftType()
{
    // The sanitizer run's minimal platform delivers no shortcuts; the offscreen run covers them.
    if (QGuiApplication::platformName() == QLatin1String("minimal"))
        QSKIP("no keyboard shortcuts on the minimal platform");
    // A type with a next one in its list, a registration to open.
    first->setParameter(QStringLiteral("AcftType"), QStringLiteral("0x7"));
    first->setParameter(QStringLiteral("Reg"), QStringLiteral("D-KABC"));
    QVERIFY(openWindow());
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    // Tab leaves the table for the buttons, not for its next cell.
    ui->table->setFocus();
    QTest::keyClick(ui->table, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui->button("refreshButton"));

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
    // A value the tracker would cut is not taken: the cell keeps its value, the bar says why.
    QTest::keyClick(ui->table, Qt::Key_Space);
    const QList<QLineEdit *> open = ui->table->viewport()->findChildren<QLineEdit *>();
    const auto shown
        = std::find_if(open.begin(), open.end(), [](QLineEdit *line) { return line->isVisible(); });
    QVERIFY(shown != open.end());
    editor = *shown;
    // Seventeen characters: the tracker would keep sixteen without an end and lose the old Reg.
    editor->setText(QStringLiteral("D-ABCDEFGHIJKLMNO"));
    QTest::keyClick(editor, Qt::Key_Return);
    const auto *bar = child<MessageBar>(ui->window.get(), "messageBar");
    QTRY_VERIFY2(bar->text().startsWith(QStringLiteral("Reg: at most 15 characters (this is 17)")),
        qPrintable(bar->text()));
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("Reg=D-KABC")));

    first->clearRecord();
    ui->window->statusBar()->clearMessage();
    ui->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
    QCOMPARE(QAccessible::queryAccessibleInterface(ui->button("applyButton"))->text(QAccessible::Description),
        QStringLiteral("Changes pending: 1"));
    QTest::keyClick(ui->table, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(
        ui->window->statusBar()->currentMessage(), QStringLiteral("Changes saved"), 10000);
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList {"$POGNS,AcftType=0x8"});
    // The keyboard focus is back where it was, on the same row, and F5 reads the tracker again.
    QTRY_COMPARE(ui->window->focusWidget(), static_cast<QWidget *>(ui->table));
    QCOMPARE(ui->table->currentRow(), rowOf(ui->table, "Reg"));
    const int requests = first->receivedCount(0x03);
    QTest::keyClick(ui->window.get(), Qt::Key_F5);
    QTRY_VERIFY(first->receivedCount(0x03) > requests && ui->loaded());
}

void WindowTest::pendingChangesOutliveAModeSwitch()
{
    QVERIFY(openWindow());
    edit(ui->table, "AcftType", "Tow plane");
    ui->table->setCurrentCell(rowOf(ui->table, "AcftType"), 1);
    // A screen reader's Toggle switches the mode as a click does; the button keeps its name.
    QAccessibleInterface *mode = QAccessible::queryAccessibleInterface(ui->button("buttonAdvanced"));
    mode->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    // Expert mode shows every line the tracker printed, and its tools.
    QTRY_VERIFY(ui->loaded());
    QVERIFY(ui->window->isExpertMode() && child<QFrame>(ui->window.get(), "frameExpertTools")->isVisible());
    QCOMPARE(mode->text(QAccessible::Name), QStringLiteral("Expert mode"));
    QVERIFY(mode->state().checked);
    QTRY_COMPARE(ui->table->currentRow(), rowOf(ui->table, "AcftType"));
    QCOMPARE(ui->table->currentColumn(), 1);
    QCOMPARE(ui->table->rowCount(), first->parameters().size());
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("AcftType=Tow plane *")));
    edit(ui->table, "Pilot", "Jo");
    // Ctrl+F searches the rows; an edit the search hides stays pending.
    auto *field = child<QLineEdit>(ui->window.get(), "filterField");
    if (QGuiApplication::platformName() != QLatin1String("minimal")) {
        ui->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
        QTest::keyClick(ui->window.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), field);
    }
    field->setText(QStringLiteral("acfttype"));
    const auto inSight = [this] {
        QStringList rows = shownRows(ui->table);
        for (int row = rows.size() - 1; row >= 0; --row) {
            if (ui->table->isRowHidden(row))
                rows.removeAt(row);
        }
        return rows;
    };
    QTRY_COMPARE(inSight(), QStringList {"AcftType=Tow plane *"});
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(ui->table->rowCount(), 8);
    // Standard mode shows every row again.
    QTRY_COMPARE(inSight().size(), 8);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList {"AcftType=Tow plane *"});
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY(ui->loaded());
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")),
        (QStringList {"AcftType=Tow plane *", "Pilot=Jo *"}));

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
}

void WindowTest::everyRowSaysWhatItIs()
{
    QVERIFY(openWindow());
    // A row's tip says what it is in the catalogue's unit, without the firmware's own note.
    const QString tip = ui->table->item(rowOf(ui->table, "TxPower"), 0)->toolTip();
    QVERIFY2(tip.endsWith(QStringLiteral("(in dBm)")) && !tip.contains('['), qPrintable(tip));
    // And the line under the table says it of the current row.
    ui->table->setCurrentCell(rowOf(ui->table, "TxPower"), 0);
    const QString line = child<QLabel>(ui->window.get(), "rowDescription")->text();
    QVERIFY2(line.startsWith(QStringLiteral("TxPower: ")) && line.endsWith(QStringLiteral("(in dBm)")),
        qPrintable(line));
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

void WindowTest::serialMonitorFontIsFixedPitch_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("family"); // empty: the system's fixed-pitch font
    QTest::newRow("without Source Code Pro: the system's fixed font")
        << QStringList {"DejaVu Sans"} << QString();
    QTest::newRow("with Source Code Pro: that one")
        << QStringList {"DejaVu Sans", "Source Code Pro"} << QStringLiteral("Source Code Pro");
}

void WindowTest::serialMonitorFontIsFixedPitch()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, family);
    // The sanitizer run's minimal platform has no font database: no font resolves there.
    if (QFontInfo(QFont()).family().isEmpty())
        QSKIP("no font database on this platform");
    const QFont font = SerialMonitor::terminalFont(installed);
    if (family.isEmpty())
        QVERIFY2(QFontInfo(font).fixedPitch(), qPrintable(QFontInfo(font).family()));
    else
        QCOMPARE(font.family(), family);
    // Whichever this machine has, what the monitor shows is fixed-pitch.
    SerialMonitor monitor;
    const QFont shown = child<QPlainTextEdit>(&monitor, "textSerialOutput")->font();
    QVERIFY2(QFontInfo(shown).fixedPitch(), qPrintable(QFontInfo(shown).family()));
}

void WindowTest::helpNamesVersionLicenceAndFolders()
{
    listing->set({}); // no tracker: nothing is read meanwhile
    ui = std::make_unique<WindowUnderTest>();
    // The About button is reachable by Tab; F1 opens the same help.
    QPushButton *about = ui->button("buttonAbout");
    QVERIFY(about->isVisible() && about->focusPolicy() & Qt::TabFocus);
    if (QGuiApplication::platformName() != QLatin1String("minimal")) {
        ui->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ui->window.get()));
        QTest::keyClick(ui->window.get(), Qt::Key_F1);
    } else {
        about->click();
    }
    AboutDialog *help = nullptr;
    QTRY_VERIFY((help = ui->window->findChild<AboutDialog *>()) && help->isVisible());
    const QString text = help->plainText();
    for (const QString &said :
        {QCoreApplication::applicationVersion(),
            QStringLiteral("GNU General Public License, version 3 or later"), QString::fromLatin1(qVersion()),
            QStringLiteral("Firmware folder for the connected tracker: no tracker is connected."),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/firmware"),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups"),
            QStringLiteral("F5"), QStringLiteral("F1")})
        QVERIFY2(text.contains(said), qPrintable(said + QStringLiteral(" not in\n") + text));
    // It fits the screen and closes with Escape.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(help->height() + 48 <= available.height() && help->width() <= available.width());
    const QPointer<AboutDialog> open(help);
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(!open);
}

void WindowTest::serialMonitorShowsWhatTheTrackerSends()
{
    QVERIFY(openWindow());
    ui->button("buttonAdvanced")->click();
    SerialMonitor *monitor = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        monitor = monitor ? monitor : qobject_cast<SerialMonitor *>(widget);
    QVERIFY(monitor && !monitor->isVisible());
    const auto *text = child<QPlainTextEdit>(monitor, "textSerialOutput");
    // Hidden, it keeps what arrives without showing it (no event per line); opened, it shows it.
    first->inject("EARLY while hidden\n");
    QTRY_VERIFY_WITH_TIMEOUT(monitor->shownText().contains(QLatin1String("EARLY while hidden")), 5000);
    QVERIFY(!text->toPlainText().contains(QLatin1String("EARLY")));
    ui->button("buttonSerialMonitor")->click();
    QVERIFY(monitor->isVisible() && !monitor->isModal());
    QVERIFY(text->toPlainText().contains(QLatin1String("EARLY while hidden")));
    QCOMPARE(child<QLabel>(monitor, "labelDevice")->text(), first->portPath());
    first->inject("MARK from the tracker\n");
    QTRY_VERIFY_WITH_TIMEOUT(text->toPlainText().contains(QLatin1String("MARK from the tracker")), 5000);
    // Its first size fits the screen, buttons included; what it shows can be saved whole.
    // (The minimal platform's screen, 240 x 320, is smaller than any window's least size.)
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("minimal")
            || (monitor->height() + 48 <= available.height() && monitor->width() <= available.width()),
        qPrintable(QStringLiteral("%1 x %2").arg(monitor->width()).arg(monitor->height())));
    QVERIFY(child<QPushButton>(monitor, "buttonSave")->isVisible());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("monitor.txt"));
    {
        BoxAnswers answers(QMessageBox::Ok, path);
        child<QPushButton>(monitor, "buttonSave")->click();
        QCOMPARE(answers.seen, QStringList {"Save what the tracker sent"});
    }
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(saved.readAll());
    QVERIFY(written.contains(QLatin1String("MARK from the tracker\n")));
    QString error;
    QVERIFY(!monitor->saveTo(folder.filePath(QStringLiteral("no such folder/monitor.txt")), &error));
    QVERIFY(!error.isEmpty());
}

void WindowTest::pickingAnotherPortSwitchesTheLink()
{
    // No USB in its name: listed, never searched.
    TrackerSimulator second(options(false, false));
    QVERIFY(second.start());
    listing->set({{first->portPath(), "USB Serial Device"}, {second.portPath(), "Bluetooth link"}});
    QVERIFY(openWindow());
    ui->messages.clear();
    auto *list = child<QComboBox>(ui->window.get(), "serialPortList");
    // A slip on the list with an edit pending: asked first, No keeps the link and the edit.
    edit(ui->table, "AcftType", "Balloon");
    {
        BoxAnswers no(QMessageBox::No);
        list->setCurrentIndex(list->findText(entryOf(second, "Bluetooth link")));
        QCOMPARE(no.seen, QStringList {"Serial port"});
        QCOMPARE(no.boxes.first().byDefault, QMessageBox::No);
    }
    QCOMPARE(list->currentText(), entryOf(*first, "USB Serial Device"));
    QVERIFY(first->peerOpen() && shownRows(ui->table).contains(QStringLiteral("AcftType=Balloon *")));
    BoxAnswers yes(QMessageBox::Yes);
    list->setCurrentIndex(list->findText(entryOf(second, "Bluetooth link")));

    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded() && second.peerOpen(), 15000);
    QCOMPARE(ui->messages.mid(0, 2),
        (QStringList {"Connection closed", "Connected to OGN device found on " + second.portPath()}));
    QTRY_VERIFY(!first->peerOpen());
    QCOMPARE(list->currentText(), entryOf(second, "Bluetooth link"));
    // Let go with Yes: not put back, although this tracker prints the same CPU id.
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList());
    QCOMPARE(sentencesIn(second.receivedBytes()), QStringList());
}

void WindowTest::editsOutliveADroppedLink_data()
{
    QTest::addColumn<bool>("sameTracker"); // else another tracker takes its place
    QTest::newRow("the same tracker, silent until its port was set aside: the edit is marked again") << true;
    QTest::newRow("another tracker in its place: the edit is discarded") << false;
}

void WindowTest::editsOutliveADroppedLink()
{
    QFETCH(bool, sameTracker);
    // The same model and Address: only the CPU id tells it from the first.
    TrackerSimulator::Options another;
    another.variant = TrackerSimulator::Variant::Vendor;
    another.cpuId = "000024A16C4D5E6F";
    TrackerSimulator second(another);
    QVERIFY(second.start());
    second.setParameter(QStringLiteral("Address"), first->parameter("Address"));
    QVERIFY(openWindow());
    const int setAsideMs = 2000; // a minute in use
    ui->window->setPortSetAsideMs(setAsideMs);
    edit(ui->table, {{"AcftType", "Balloon"}, {"Reg", "D-KEEP"}});
    first->clearRecord();
    ui->messages.clear();
    if (!sameTracker)
        listing->set({{second.portPath(), "USB Serial Device"}});
    // Rebooting or busy: the watchdog drops the link after 5 s.
    first->setSilent(true);
    QTRY_VERIFY_WITH_TIMEOUT(!ui->loaded(), 15000);
    const QString setAside = QStringLiteral("The device did not answer");
    if (sameTracker) {
        // Still silent for the read after the search opened it again (10 s): set aside.
        QTRY_VERIFY_WITH_TIMEOUT(ui->messages.contains(setAside), 30000);
        // Meanwhile it took the registration from elsewhere: that edit is no longer pending.
        first->setParameter(QStringLiteral("Reg"), QStringLiteral("D-KEEP"));
        first->setSilent(false);
    }
    QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 30000);
    QCOMPARE(ui->messages.first(), QStringLiteral("Connection closed"));
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList());
    QCOMPARE(sentencesIn(second.receivedBytes()), QStringList());
    const QString outcome = child<MessageBar>(ui->window.get(), "messageBar")->text();
    if (!sameTracker) {
        QCOMPARE(outcome,
            "Another tracker is connected (0x1A2B3C on " + second.portPath()
                + "): the 2 changes not yet applied to 0x1A2B3C on " + first->portPath()
                + " were discarded.");
        QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList());
        return;
    }
    QCOMPARE(outcome,
        QStringLiteral("The same tracker is back: 1 change not yet applied is marked again. No longer "
                       "pending, as the tracker holds the value or lacks the parameter: Reg."));
    QCOMPARE(shownRows(ui->table).filter(QStringLiteral(" *")), QStringList {"AcftType=Balloon *"});
    // Tried again once its time was over, not before: a busy tracker is not hammered.
    const QList<qint64> hangups = first->hangups();
    QVERIFY(hangups.size() >= 2);
    qint64 retried = -1; // the first byte after the close that set it aside (one before it may
                         // be stamped with the same millisecond)
    for (const TrackerSimulator::ReceivedByte &byte : first->received()) {
        if (retried < 0 && byte.msecs > hangups.last())
            retried = byte.msecs;
    }
    QVERIFY2(
        retried - hangups.last() >= setAsideMs - 250, qPrintable(QString::number(retried - hangups.last())));
    // Still the pilot's change: Apply writes it, and only it.
    ui->button("applyButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(
        ui->window->statusBar()->currentMessage(), QStringLiteral("Changes saved"), 15000);
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList {"$POGNS,AcftType=0xB"});
}

void WindowTest::keptEditsAgainstTheListThatCameBack_data()
{
    QTest::addColumn<QString>("edits"); // "Name=value" each
    QTest::addColumn<QString>("list"); // as the tracker printed it once it was back
    QTest::addColumn<QString>("pending");
    QTest::addColumn<QString>("settled");
    QTest::newRow("listed with another value: still pending") << "AcftType=0xB"
                                                              << "Address=0x1A2B3C AcftType=0x1"
                                                              << "AcftType=0xB"
                                                              << "";
    QTest::newRow("the tracker holds the value now") << "Reg=D-KEEP"
                                                     << "Reg=D-KEEP"
                                                     << ""
                                                     << "Reg";
    QTest::newRow("the same number written another way") << "TxPower=14"
                                                         << "TxPower=+14"
                                                         << ""
                                                         << "TxPower";
    QTest::newRow("a parameter the tracker no longer lists") << "APN=web"
                                                             << "Reg=D-KEEP"
                                                             << ""
                                                             << "APN";
    QTest::newRow("each on its own, in the pilot's order") << "Reg=D-KEEP APN=web AcftType=0xB TxPower=+22"
                                                           << "AcftType=0x1 TxPower=+14 Reg=D-KEEP"
                                                           << "AcftType=0xB TxPower=+22"
                                                           << "Reg APN";
}

void WindowTest::keptEditsAgainstTheListThatCameBack()
{
    QFETCH(QString, edits);
    QFETCH(QString, list);
    QFETCH(QString, pending);
    QFETCH(QString, settled);
    const auto settings = [](const QString &text) {
        QList<tracktune::DumpLine> lines;
        for (const QString &setting : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            lines.append({setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1)});
        return lines;
    };
    const tracktune::KeptEdits kept = tracktune::keptEdits(settings(edits), settings(list));
    QStringList stillPending;
    for (const tracktune::DumpLine &edit : kept.pending)
        stillPending << edit.name + QLatin1Char('=') + edit.value;
    QCOMPARE(stillPending.join(QLatin1Char(' ')), pending);
    QCOMPARE(kept.settled.join(QLatin1Char(' ')), settled);
}

void WindowTest::closingAsksAboutPendingChanges()
{
    QVERIFY(openWindow());
    edit(ui->table, "AcftType", "Balloon");
    {
        BoxAnswers cancel(QMessageBox::Cancel);
        QVERIFY(!ui->window->close());
        QCOMPARE(cancel.boxes.first().text, QStringLiteral("1 change has not been applied to the tracker."));
    }
    QVERIFY(ui->window->isVisible() && shownRows(ui->table).contains(QStringLiteral("AcftType=Balloon *")));
    {
        // The window stays while the change is written and closes once the tracker took it.
        BoxAnswers apply(QMessageBox::Apply);
        QVERIFY(!ui->window->close());
        QTRY_VERIFY_WITH_TIMEOUT(!ui->window->isVisible(), 15000);
    }
    QCOMPARE(first->parameter("AcftType"), QStringLiteral("0xB"));
    ui->window->show();
    QTRY_VERIFY(ui->loaded());

    // A text still being typed into its cell is a pending change too.
    QTableWidgetItem *reg = ui->table->item(rowOf(ui->table, "Reg"), 1);
    ui->table->setCurrentItem(reg);
    ui->table->editItem(reg);
    QLineEdit *typing = nullptr;
    QTRY_VERIFY((typing = ui->table->viewport()->findChild<QLineEdit *>()) && typing->isVisible());
    QTest::keyClicks(typing, "D-KTYP");
    {
        BoxAnswers cancel(QMessageBox::Cancel);
        QVERIFY(!ui->window->close());
        QCOMPARE(cancel.seen, QStringList {"Changes not applied"});
    }
    QVERIFY(shownRows(ui->table).contains(QStringLiteral("Reg=D-KTYP *")));

    // Closed while the tracker is read: the read ends, then the question comes.
    first->clearRecord();
    QTimer::singleShot(0, ui->window.get(), [this] { QVERIFY(!ui->window->close()); });
    BoxAnswers discard(QMessageBox::Discard);
    ui->button("buttonAdvanced")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!ui->window->isVisible(), 15000);
    QCOMPARE(discard.seen, QStringList {"Changes not applied"});
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList());
    QVERIFY(first->receivedCount(0x03) > 0);
}

void WindowTest::outcomeIsReadWholeAndGoesWithTheNextAction()
{
    QVERIFY(openWindow());
    QTemporaryDir folder;
    const QString path = QDir::toNativeSeparators(folder.filePath(QString(120, 'x') + ".txt"));
    // Its least width, once laid out: the window itself may still be taking its first size.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const int width = ui->window->minimumSizeHint().width();
    {
        BoxAnswers save(QMessageBox::NoButton, path);
        ui->button("buttonSaveSettings")->click();
    }
    auto *bar = child<MessageBar>(ui->window.get(), "messageBar");
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->text(), "Settings saved to: " + path);
    QCOMPARE(bar->accessibleName(), "Outcome: Settings saved to: " + path); // a screen reader announces it
    QCOMPARE(child<QLabel>(bar, "messageFile")->toolTip(), path);
    // A long name neither widens the window nor is cut at its end.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(ui->window->minimumSizeHint().width(), width);
    QVERIFY(child<QLabel>(bar, "messageFile")->text().endsWith(QStringLiteral("x.txt")));
    ui->button("refreshButton")->click();
    QTRY_VERIFY(ui->loaded());
    QVERIFY(bar->isHidden() && bar->text().isEmpty());
}

// A club's template prepared at home: opened and edited without a tracker, saved, opened again as
// saved; the tracker plugged in later gets the rows that differ marked, and nothing written.
void WindowTest::fileWithoutTrackerIsEditedSavedAndComparedLater()
{
    listing->set({});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("club.txt"));
    QVERIFY(writeFile(
        path, "# Firmware line = newer\nAcftType = 0x1\nTxPower = +14\nReg = D-KABC\nFreqPlan = 0\n"));
    ui = std::make_unique<WindowUnderTest>();
    {
        BoxAnswers open(QMessageBox::NoButton, path);
        ui->button("buttonLoadSettings")->click();
    }
    QCOMPARE(shownRows(ui->table),
        (QStringList {
            "AcftType=(Moto-)glider", "TxPower=NORMAL (+14 dBm)", "Reg=D-KABC", "FreqPlan=Automatic"}));
    QVERIFY(!ui->button("applyButton")->isEnabled());
    // The tracker's own checks: a value it would not take stays out of its cell.
    edit(ui->table, {{"AcftType", "Para-glider"}, {"Reg", "D-EFGH"}});
    QCOMPARE(shownRows(ui->table).filter(" *"), (QStringList {"AcftType=Para-glider *", "Reg=D-EFGH *"}));
    const QString saved = folder.filePath(QStringLiteral("saved.txt"));
    {
        BoxAnswers save(QMessageBox::NoButton, saved);
        ui->button("buttonSaveSettings")->click();
    }
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char *line : {"\nAcftType = 0x7\n", "\nReg = D-EFGH\n", "\n# Firmware line = newer\n"})
        QVERIFY2(text.contains(QLatin1String(line)), qPrintable(text));
    const QStringList asSaved {
        "AcftType=Para-glider", "TxPower=NORMAL (+14 dBm)", "Reg=D-EFGH", "FreqPlan=Automatic"};
    QCOMPARE(shownRows(ui->table), asSaved);
    {
        BoxAnswers open(QMessageBox::NoButton, saved);
        ui->button("buttonLoadSettings")->click();
    }
    QCOMPARE(shownRows(ui->table), asSaved);

    // The tracker comes while the file is saved again: nothing is written, and the pilot is told.
    const QString late = folder.filePath(QStringLiteral("late.txt"));
    {
        BoxAnswers save(QMessageBox::NoButton, late);
        save.meanwhile(0, [&] {
            listing->set({{first->portPath(), "USB Serial Device"}});
            QTRY_VERIFY_WITH_TIMEOUT(ui->loaded(), 15000);
        });
        ui->button("buttonSaveSettings")->click();
    }
    QVERIFY(!QFile::exists(late));
    // A template names no aircraft: its registration is not given to this one unasked.
    QTRY_COMPARE_WITH_TIMEOUT(
        shownRows(ui->table).filter(" *"), QStringList {"AcftType=Para-glider *"}, 2000);
    const QString outcome = child<MessageBar>(ui->window.get(), "messageBar")->text();
    QVERIFY2(outcome.startsWith(QStringLiteral("Nothing was saved to "))
            && outcome.contains(QStringLiteral("1 row differs"))
            && outcome.contains(QStringLiteral(": Registration.")),
        qPrintable(outcome));
    QCOMPARE(sentencesIn(first->receivedBytes()), QStringList());
}

// The window's width is the pilot's: neither a long description under the table nor expert mode's
// rows widen it.
void WindowTest::windowKeepsItsWidthWhateverRowIsSelected()
{
    QVERIFY(openWindow());
    const int width = ui->window->width();
    for (const bool expert : {false, true}) {
        if (expert) {
            ui->button("buttonAdvanced")->click();
            QTRY_VERIFY(ui->loaded() && ui->window->isExpertMode());
        }
        for (int row = 0; row < ui->table->rowCount(); ++row) {
            ui->table->setCurrentCell(row, 1);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QVERIFY2(ui->window->width() == width, qPrintable(ui->table->item(row, 0)->text()));
        }
    }
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
