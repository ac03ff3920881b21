#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

using testsupport::child;
using testsupport::ListedTracker;
using testsupport::PortListing;

// The window's side of the link: searching, connecting, dropping, picking by hand.
class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Serial::setPortLister({}); }

    void noPortsMeansWaitingForever();
    void portListShowsNameAndDescription();
    void refillingTheListNeverPicksAPort();
    void trackerIsFoundLoadedThenDroppedWhenSilent();
    void pickingAPortByHandSwitchesTheLink();
    void selectionMadeOnConnectIsNotAPick();

private:
    // Every message the status bar showed, consecutive repeats folded.
    struct MessageLog
    {
        explicit MessageLog(QStatusBar *bar)
        {
            QObject::connect(bar, &QStatusBar::messageChanged, bar, [this](const QString &message) {
                if (!message.isEmpty() && (messages.isEmpty() || messages.last() != message)) {
                    messages << message;
                    times << clock.elapsed();
                }
            });
            clock.start();
        }
        int indexOf(const QString &message, int from = 0) const { return messages.indexOf(message, from); }
        QStringList messages;
        QList<qint64> times;
        QElapsedTimer clock;
    };
};

void TestSession::noPortsMeansWaitingForever()
{
    PortListing listing({});
    MainWindow window;
    window.show();
    MessageLog log(window.statusBar());
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(
        window.statusBar()->currentMessage(), QStringLiteral("Waiting for device..."), 2000);
    QVERIFY(clock.elapsed() >= 300); // the first search is a poll interval after start
    QTest::qWait(1500);
    QCOMPARE(log.messages, QStringList {"Waiting for device..."});
    QCOMPARE(child<QComboBox>(&window, "serialPortList")->count(), 0);
}

void TestSession::portListShowsNameAndDescription()
{
    PortListing listing({{"COM7", "Bluetooth link"}, {"COM9", ""}});
    MainWindow window;
    auto *list = child<QComboBox>(&window, "serialPortList");
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    entries.sort();
    QCOMPARE(entries, (QStringList {"COM7 (Bluetooth link)", "COM9 ()"}));
    QCOMPARE(list->currentIndex(), 0);
}

void TestSession::refillingTheListNeverPicksAPort()
{
    // Neither port qualifies, so the window keeps searching and refilling.
    TrackerSimulator first;
    TrackerSimulator second;
    QVERIFY(first.start());
    QVERIFY(second.start());
    PortListing listing({{first.portPath(), "Bluetooth link"}, {second.portPath(), "Modem"}});
    MainWindow window;
    window.show();
    MessageLog log(window.statusBar());

    QTest::qWait(2200);
    QCOMPARE(log.messages, QStringList {"Waiting for device..."});
    QVERIFY(!window.link().isOpen());
    QCOMPARE(first.receivedBytes(), QByteArray());
    QCOMPARE(second.receivedBytes(), QByteArray());
    QVERIFY(first.hangups().isEmpty() && second.hangups().isEmpty());
    QCOMPARE(child<QComboBox>(&window, "serialPortList")->count(), 2);
}

void TestSession::trackerIsFoundLoadedThenDroppedWhenSilent()
{
    ListedTracker listed;
    MainWindow window;
    window.show();
    MessageLog log(window.statusBar());
    auto *table = child<QTableWidget>(&window, "table");
    const QString connectedText
        = QStringLiteral("Connected to OGN device found on ") + listed.tracker.portPath();

    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 15000);
    QCOMPARE(log.messages, (QStringList {"Waiting for device...", connectedText}));
    QCOMPARE(child<QComboBox>(&window, "serialPortList")->currentText(),
        listed.tracker.portPath() + QStringLiteral(" (USB Serial Device)"));
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(child<QPushButton>(&window, name)->isEnabled(), name);
    // The connect message goes after five seconds.
    QTRY_COMPARE_WITH_TIMEOUT(window.statusBar()->currentMessage(), QString(), 8000);

    // The device falls silent and its adapter leaves the system's list; the
    // open link only notices through the silence.
    listed.tracker.setSilent(true);
    listed.listing.set({});
    QTRY_VERIFY_WITH_TIMEOUT(log.indexOf("Connection closed") > 0, 12000);
    QVERIFY(!table->isEnabled());
    for (const char *name : {"refreshButton", "applyButton", "buttonFirmwareUpdate"})
        QVERIFY2(!child<QPushButton>(&window, name)->isEnabled(), name);

    // The search resumes at the next poll tick.
    const int closed = log.indexOf("Connection closed");
    QTRY_VERIFY_WITH_TIMEOUT(log.messages.size() > closed + 1, 3000);
    QCOMPARE(log.messages.at(closed + 1), QStringLiteral("Waiting for device..."));
    QVERIFY2(log.times.at(closed + 1) - log.times.at(closed) <= 1500,
        qPrintable(QString::number(log.times.at(closed + 1) - log.times.at(closed))));
}

void TestSession::pickingAPortByHandSwitchesTheLink()
{
    TrackerSimulator first;
    TrackerSimulator second;
    QVERIFY(first.start());
    QVERIFY(second.start());
    PortListing listing({{first.portPath(), "USB Serial Device"}, {second.portPath(), "Bluetooth link"}});
    MainWindow window;
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && first.peerOpen(), 15000);

    MessageLog log(window.statusBar());
    auto *list = child<QComboBox>(&window, "serialPortList");
    list->setCurrentIndex(list->findText(second.portPath() + QStringLiteral(" (Bluetooth link)")));

    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && second.peerOpen(), 15000);
    QCOMPARE(log.messages.mid(0, 2),
        (QStringList {"Connection closed", "Connected to OGN device found on " + second.portPath()}));
    QVERIFY(!first.peerOpen());
    QCOMPARE(first.hangups().size(), 1);
    QVERIFY(second.receivedCount(0x03) >= 1);
}

void TestSession::selectionMadeOnConnectIsNotAPick()
{
    // Two trackers: whichever is found, the other entry may stand first in the list.
    TrackerSimulator other;
    QVERIFY(other.start());
    ListedTracker listed;
    listed.listing.set(
        {{listed.tracker.portPath(), "USB Serial Device"}, {other.portPath(), "Bluetooth link"}});
    MainWindow window;
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled(), 15000);
    MessageLog log(window.statusBar());
    QTest::qWait(2000);
    QVERIFY(log.indexOf("Connection closed") < 0);
    QVERIFY(listed.tracker.hangups().isEmpty());
    QVERIFY(!other.peerOpen() && other.hangups().isEmpty());
    QCOMPARE(child<QComboBox>(&window, "serialPortList")->currentText(),
        listed.tracker.portPath() + QStringLiteral(" (USB Serial Device)"));
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
