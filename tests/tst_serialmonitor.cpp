#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QtTest>

using testsupport::child;
using testsupport::ListedTracker;

namespace {

QString shownText(SerialMonitor &monitor)
{
    return child<QPlainTextEdit>(&monitor, "textSerialOutput")->toPlainText();
}

// The main window's monitor: a window of its own, without parent.
SerialMonitor *monitorWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *monitor = qobject_cast<SerialMonitor *>(window))
            return monitor;
    }
    return nullptr;
}

void click(QWidget *monitor, const char *button)
{
    QTest::mouseClick(child<QPushButton>(monitor, button), Qt::LeftButton);
}

} // namespace

// The serial monitor on its own, and fed by the link from a simulated tracker.
class SerialMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { Serial::setPortLister({}); }

    void startsWaitingWithItsWidgets();
    void showsWhatArrivesWhileCapturing_data();
    void showsWhatArrivesWhileCapturing();
    void viewFollowsTheEndOnEveryTick();
    void scrollbackKeepsTheNewestLines();

    void connectShowsThePortAndClearsOldText();
    void dataArrivingWhileHiddenIsThereWhenShown();
    void pauseDropsDataAndCleanKeepsCapturing();
};

void SerialMonitorTest::initTestCase()
{
    // The link logs every dump line; a failure is easier to read without them.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

void SerialMonitorTest::startsWaitingWithItsWidgets()
{
    SerialMonitor monitor;
    QCOMPARE(monitor.objectName(), QStringLiteral("SerialMonitor"));
    QCOMPARE(monitor.windowTitle(), QStringLiteral("Serial monitor"));
    QCOMPARE(monitor.size(), QSize(523, 612));
    QVERIFY(monitor.isWindow());
    QVERIFY(!monitor.isVisible());

    auto *text = child<QPlainTextEdit>(&monitor, "textSerialOutput");
    auto *startStop = child<QPushButton>(&monitor, "buttonStartStop");
    auto *label = child<QLabel>(&monitor, "labelDevice");
    auto *clean = child<QPushButton>(&monitor, "buttonClean");
    auto *vertical = qobject_cast<QVBoxLayout *>(monitor.layout());
    QVERIFY(vertical);
    QCOMPARE(vertical->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(vertical->itemAt(0)->widget(), text);
    auto *horizontal = qobject_cast<QHBoxLayout *>(vertical->itemAt(1)->layout());
    QVERIFY(horizontal);
    QCOMPARE(horizontal->objectName(), QStringLiteral("horizontalLayout"));
    QCOMPARE(horizontal->itemAt(0)->widget(), startStop);
    QCOMPARE(horizontal->itemAt(1)->widget(), label);
    QVERIFY(horizontal->itemAt(2)->spacerItem());
    QCOMPARE(horizontal->itemAt(2)->spacerItem()->sizeHint(), QSize(40, 20));
    QCOMPARE(horizontal->itemAt(2)->spacerItem()->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(horizontal->itemAt(3)->widget(), clean);

    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().isEmpty());
    QCOMPARE(text->font().family(), QStringLiteral("Source Code Pro"));
    QCOMPARE(text->font().pointSize(), 10);
    QCOMPARE(text->maximumBlockCount(), SerialMonitor::scrollbackLines);
    QCOMPARE(startStop->text(), QStringLiteral("Stop"));
    QCOMPARE(startStop->minimumSize(), QSize(90, 30));
    QCOMPARE(label->text(), QStringLiteral("Waiting for connection..."));
    QCOMPARE(clean->text(), QStringLiteral("Clean"));
    QCOMPARE(clean->minimumSize(), QSize(90, 30));
}

void SerialMonitorTest::showsWhatArrivesWhileCapturing_data()
{
    // Steps: "+text" arrives, "stop/start" and "clean" click the buttons, "@port" connects.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("label");

    const QString waiting = QStringLiteral("Waiting for connection...");
    QTest::newRow("pieces are joined without separator")
        << QStringList {"+Addr", "+ess = 0x1A2B3C\n", "+Reg = D-KXYZ\n"}
        << "Address = 0x1A2B3C\nReg = D-KXYZ\n"
        << "Stop" << waiting;
    QTest::newRow("an empty poll changes nothing") << QStringList {"+one\n", "+", "+"} << "one\n"
                                                   << "Stop" << waiting;
    QTest::newRow("CR LF line ends show as lines") << QStringList {"+a\r\nb\r\n"} << "a\nb\n"
                                                   << "Stop" << waiting;
    QTest::newRow("markup is shown as it is") << QStringList {"+<b>Reg</b> &amp;\n"} << "<b>Reg</b> &amp;\n"
                                              << "Stop" << waiting;
    QTest::newRow("stop drops what arrives") << QStringList {"+one\n", "stop", "+two\n"} << "one\n"
                                             << "Start" << waiting;
    QTest::newRow("start again shows new data only")
        << QStringList {"+one\n", "stop", "+two\n", "start", "+three\n"} << "one\nthree\n"
        << "Stop" << waiting;
    QTest::newRow("clean empties, keeps capturing and the port")
        << QStringList {"@/dev/ttyUSB0", "+one\n", "clean", "+two\n"} << "two\n"
        << "Stop"
        << "/dev/ttyUSB0";
    QTest::newRow("clean while stopped stays stopped")
        << QStringList {"+one\n", "stop", "clean", "+two\n"} << ""
        << "Start" << waiting;
    QTest::newRow("connect shows the port and clears") << QStringList {"+one\n", "@COM3", "+two\n"} << "two\n"
                                                       << "Stop"
                                                       << "COM3";
    QTest::newRow("connect clears while stopped too")
        << QStringList {"+one\n", "stop", "@COM4", "+two\n"} << ""
        << "Start"
        << "COM4";
}

void SerialMonitorTest::showsWhatArrivesWhileCapturing()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(QString, label);

    SerialMonitor monitor;
    monitor.show();
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('+')))
            monitor.append(step.mid(1));
        else if (step.startsWith(QLatin1Char('@')))
            monitor.updateConnection(step.mid(1));
        else if (step == QLatin1String("clean"))
            click(&monitor, "buttonClean");
        else
            click(&monitor, "buttonStartStop");
    }
    QCOMPARE(shownText(monitor), text);
    QCOMPARE(child<QPushButton>(&monitor, "buttonStartStop")->text(), button);
    QCOMPARE(child<QLabel>(&monitor, "labelDevice")->text(), label);
}

void SerialMonitorTest::viewFollowsTheEndOnEveryTick()
{
    SerialMonitor monitor;
    monitor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&monitor));
    QString lines;
    for (int i = 0; i < 300; ++i)
        lines += QStringLiteral("line %1\n").arg(i);
    monitor.append(lines);
    QScrollBar *bar = child<QPlainTextEdit>(&monitor, "textSerialOutput")->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // A user who scrolled up is taken back to the end by the next poll, even an empty one.
    bar->setValue(0);
    monitor.append(QString());
    QCOMPARE(bar->value(), bar->maximum());
}

void SerialMonitorTest::scrollbackKeepsTheNewestLines()
{
    SerialMonitor monitor;
    const int lines = SerialMonitor::scrollbackLines + 5000;
    for (int first = 1; first <= lines; first += 50) {
        QString chunk;
        for (int i = first; i < first + 50 && i <= lines; ++i)
            chunk += QStringLiteral("line %1\n").arg(i);
        monitor.append(chunk);
    }
    auto *text = child<QPlainTextEdit>(&monitor, "textSerialOutput");
    QCOMPARE(text->blockCount(), SerialMonitor::scrollbackLines);
    // The newest lines are whole; the empty block after the last line break counts as one.
    QCOMPARE(text->document()->firstBlock().text(),
        QStringLiteral("line %1").arg(lines - SerialMonitor::scrollbackLines + 2));
    QVERIFY(text->toPlainText().endsWith(QStringLiteral("line %1\n").arg(lines)));
}

void SerialMonitorTest::connectShowsThePortAndClearsOldText()
{
    ListedTracker tracker;
    MainWindow window;
    SerialMonitor *monitor = monitorWindow();
    QVERIFY(monitor);
    QCOMPARE(child<QLabel>(monitor, "labelDevice")->text(), QStringLiteral("Waiting for connection..."));
    monitor->append(QStringLiteral("left from before\n"));

    window.show();
    auto *label = child<QLabel>(monitor, "labelDevice");
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), tracker.tracker.portPath(), 10000);
    QVERIFY(!shownText(*monitor).contains(QStringLiteral("left from before")));
    // The link's next polls bring the device's text.
    QTRY_VERIFY_WITH_TIMEOUT(shownText(*monitor).contains(QStringLiteral("Address")), 10000);
}

void SerialMonitorTest::dataArrivingWhileHiddenIsThereWhenShown()
{
    TrackerSimulator::Options options;
    options.chatty = true;
    ListedTracker tracker(options);
    MainWindow window;
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 15000);
    SerialMonitor *monitor = monitorWindow();
    QVERIFY(monitor && !monitor->isVisible());

    tracker.tracker.inject("$PHIDDEN,sent while the monitor is hidden*00\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(*monitor).contains(QStringLiteral("$PHIDDEN")), 10000);
    QVERIFY(!monitor->isVisible());

    QTest::mouseClick(child<QPushButton>(&window, "buttonAdvanced"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&window, "buttonSerialMonitor"), Qt::LeftButton);
    QVERIFY(monitor->isVisible());
    QVERIFY(shownText(*monitor).contains(QStringLiteral("$PHIDDEN")));
    QVERIFY(shownText(*monitor).contains(QStringLiteral("$GPRMC")));
    QScrollBar *bar = child<QPlainTextEdit>(monitor, "textSerialOutput")->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() > 0 && bar->value() == bar->maximum(), 5000);
}

void SerialMonitorTest::pauseDropsDataAndCleanKeepsCapturing()
{
    ListedTracker tracker;
    MainWindow window;
    window.show();
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, 15000);
    SerialMonitor *monitor = monitorWindow();
    QVERIFY(monitor);
    monitor->show();

    tracker.tracker.inject("MARK before the pause\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(*monitor).contains(QStringLiteral("MARK before")), 10000);

    click(monitor, "buttonStartStop");
    QCOMPARE(child<QPushButton>(monitor, "buttonStartStop")->text(), QStringLiteral("Start"));
    const QString paused = shownText(*monitor);
    tracker.tracker.inject("MARK while paused\n");
    // Two more polls of the link: what arrived meanwhile has been collected and passed on.
    const int polls = tracker.tracker.receivedCount(0x03);
    QTRY_VERIFY_WITH_TIMEOUT(tracker.tracker.receivedCount(0x03) >= polls + 2, 10000);
    QCOMPARE(shownText(*monitor), paused);

    click(monitor, "buttonStartStop");
    QCOMPARE(child<QPushButton>(monitor, "buttonStartStop")->text(), QStringLiteral("Stop"));
    tracker.tracker.inject("MARK after the pause\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(*monitor).contains(QStringLiteral("MARK after")), 10000);
    QVERIFY(!shownText(*monitor).contains(QStringLiteral("MARK while paused")));

    click(monitor, "buttonClean");
    QVERIFY(shownText(*monitor).isEmpty());
    QCOMPARE(child<QLabel>(monitor, "labelDevice")->text(), tracker.tracker.portPath());
    tracker.tracker.inject("MARK after clean\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(*monitor).contains(QStringLiteral("MARK after clean")), 10000);
    QVERIFY(!shownText(*monitor).contains(QStringLiteral("MARK after the pause")));
}

QTEST_MAIN(SerialMonitorTest)
#include "tst_serialmonitor.moc"
