#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
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
    void expertModeShowsEveryLine();
    void serialMonitorShowsWhatTheTrackerSends();
    void pickingAnotherPortSwitchesTheLink();
    void silentTrackerIsDroppedAndTheSearchGoesOn();

private:
    bool loaded() const { return window->link().isOpen() && table->isEnabled() && table->rowCount() > 0; }
    QPushButton *button(const char *name) const { return child<QPushButton>(window.get(), name); }
    QString entryOf(const TrackerSimulator &tracker, const char *description) const
    {
        return tracker.portPath() + QStringLiteral(" (") + QLatin1String(description) + QLatin1Char(')');
    }

    std::unique_ptr<TrackerSimulator> first;
    std::unique_ptr<TrackerSimulator> second;
    std::unique_ptr<PortListing> listing;
    std::unique_ptr<MainWindow> window;
    QTableWidget *table = nullptr;
    QStringList messages;
};

void WindowTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    TrackerSimulator::Options vendor;
    vendor.variant = TrackerSimulator::Variant::Vendor;
    first = std::make_unique<TrackerSimulator>(vendor);
    second = std::make_unique<TrackerSimulator>(options(false, false));
    QVERIFY(first->start() && second->start());
    QHash<QString, QString> ports {
        {first->portPath(), "USB Serial Device"}, {second->portPath(), "Bluetooth link"}};
    // Names that begin with the tracker's: its entry must be chosen by its whole name.
    for (char digit = '0'; digit <= '9'; ++digit)
        ports.insert(first->portPath() + digit, "Modem");
    listing = std::make_unique<PortListing>(ports);
    window = std::make_unique<MainWindow>();
    table = child<QTableWidget>(window.get(), "table");
    connect(window->statusBar(), &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (!message.isEmpty() && (messages.isEmpty() || messages.last() != message))
            messages << message;
    });
    window->show();
}

void WindowTest::cleanupTestCase()
{
    window.reset();
}

void WindowTest::findsTheTrackerAndShowsItsParameters()
{
    // Only the port list and the mode can be used until a tracker is found.
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(!button(name)->isEnabled(), name);
    QVERIFY(!table->isEnabled() && button("buttonAdvanced")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(loaded(), 15000);
    QCOMPARE(messages,
        (QStringList {"Waiting for device...", "Connected to OGN device found on " + first->portPath()}));
    QCOMPARE(child<QComboBox>(window.get(), "serialPortList")->currentText(),
        entryOf(*first, "USB Serial Device"));
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(button(name)->isEnabled(), name);
    QCOMPARE(shownRows(table),
        (QStringList {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
            "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL", "APN=internet",
            "TxProtMask=OGN ADS-L PilotAware FANET RemoteID "}));
    QCOMPARE(window->firmwareArchitecture(), QStringLiteral("esp32s3-tracker"));
}

void WindowTest::applyWritesEveryEditedKind()
{
    edit(table,
        {"Address|type|0x1A2B3D", "AddrType|pick|ICAO", "AcftType|pick|Para-glider", "Reg|type|D-KABC",
            "FreqPlan|pick|Europe", "TxPower|pick|HIGH", "APN|type|web", "TxProtMask|toggle|ADS-L"});
    first->clearRecord();
    messages.clear();
    button("applyButton")->click();

    const QStringList written
        = {"$POGNS,Address=0x1A2B3D", "$POGNS,AddrType=0x1", "$POGNS,AcftType=0x7", "$POGNS,Reg=D-KABC",
            "$POGNS,FreqPlan=1", "$POGNS,TxPower=+22", "$POGNS,APN=web", "$POGNS,TxProtMask=0xFB"};
    QCOMPARE(sentencesIn(first->receivedBytes()), written);
    QCOMPARE(first->sentences(), written);
    // All written before the reload asks for the list.
    QVERIFY(first->receivedBytes().lastIndexOf('\n') < first->receivedBytes().indexOf('\x03'));
    QCOMPARE(messages.first(), QStringLiteral("Writing to device..."));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Changes saved"));
    QCOMPARE(shownRows(table),
        (QStringList {"Address=0x1A2B3D", "AddrType=ICAO", "AcftType=Para-glider", "Reg=D-KABC",
            "FreqPlan=Europe", "TxPower=HIGH", "APN=web", "TxProtMask=OGN PilotAware FANET RemoteID "}));
}

void WindowTest::expertModeShowsEveryLine()
{
    auto *frame = child<QFrame>(window.get(), "frameExpertTools");
    button("buttonAdvanced")->click();
    QVERIFY(window->isExpertMode() && frame->isVisible());
    QCOMPARE(button("buttonAdvanced")->text(), QStringLiteral("Standard mode"));
    QVERIFY(loaded());
    QCOMPARE(table->rowCount(), first->parameters().size());
    QVERIFY(shownRows(table).contains(QStringLiteral("Hard=ZRN-LTE")));

    button("buttonAdvanced")->click();
    QVERIFY(!window->isExpertMode() && !frame->isVisible());
    QCOMPARE(button("buttonAdvanced")->text(), QStringLiteral("Expert mode"));
    QCOMPARE(table->rowCount(), 8);
}

void WindowTest::serialMonitorShowsWhatTheTrackerSends()
{
    button("buttonAdvanced")->click();
    button("buttonSerialMonitor")->click();
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
    button("buttonAdvanced")->click();
    QTRY_VERIFY(loaded());
}

void WindowTest::pickingAnotherPortSwitchesTheLink()
{
    messages.clear();
    auto *list = child<QComboBox>(window.get(), "serialPortList");
    list->setCurrentIndex(list->findText(entryOf(*second, "Bluetooth link")));

    QTRY_VERIFY_WITH_TIMEOUT(loaded() && second->peerOpen(), 15000);
    QCOMPARE(messages.mid(0, 2),
        (QStringList {"Connection closed", "Connected to OGN device found on " + second->portPath()}));
    QTRY_VERIFY(!first->peerOpen());
    QCOMPARE(list->currentText(), entryOf(*second, "Bluetooth link"));
}

void WindowTest::silentTrackerIsDroppedAndTheSearchGoesOn()
{
    messages.clear();
    second->clearRecord();
    second->setSilent(true);
    QTRY_VERIFY_WITH_TIMEOUT(messages.contains(QStringLiteral("Connection closed")), 12000);
    QCOMPARE(second->receivedCount(0x02), 1);
    // The next tick searches again and finds the tracker on the known adapter.
    QTRY_VERIFY_WITH_TIMEOUT(loaded() && first->peerOpen(), 15000);
    QCOMPARE(messages.mid(messages.indexOf("Connection closed"), 3),
        (QStringList {"Connection closed", "Waiting for device...",
            "Connected to OGN device found on " + first->portPath()}));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
