#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using testsupport::child;
using testsupport::ListedTracker;

namespace {

QString shownText(SerialMonitor *monitor)
{
    return child<QPlainTextEdit>(monitor, "textSerialOutput")->toPlainText();
}

QString buttonText(SerialMonitor *monitor)
{
    return child<QPushButton>(monitor, "buttonStartStop")->text();
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

    void showsWhatArrivesWhileCapturing_data();
    void showsWhatArrivesWhileCapturing();
    void viewFollowsTheEndOnEveryTick();
    void scrollbackKeepsTheNewestLines();

    // One session of the main window's monitor, in this order.
    void connectShowsThePortAndClearsOldText();
    void dataArrivingWhileHiddenIsThereWhenShown();
    void pauseDropsDataAndCleanKeepsCapturing();

private:
    std::unique_ptr<ListedTracker> listed;
    std::unique_ptr<MainWindow> window;
    SerialMonitor *monitor = nullptr;
};

void SerialMonitorTest::initTestCase()
{
    // The link logs every dump line; a failure is easier to read without them.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

void SerialMonitorTest::showsWhatArrivesWhileCapturing_data()
{
    // Steps: "+text" arrives, "stop/start" and "clean" click the buttons, "@port" connects.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("label");

    const QString waiting = QStringLiteral("Waiting for connection...");
    QTest::newRow("pieces joined, an empty poll adds nothing")
        << QStringList {"+Addr", "+", "+ess = 0x1A2B3C\n", "+Reg = D-KXYZ\n"}
        << "Address = 0x1A2B3C\nReg = D-KXYZ\n"
        << "Stop" << waiting;
    QTest::newRow("CR LF line ends show as lines") << QStringList {"+a\r\nb\r\n"} << "a\nb\n"
                                                   << "Stop" << waiting;
    QTest::newRow("markup is shown as it is") << QStringList {"+<b>Reg</b> &amp;\n"} << "<b>Reg</b> &amp;\n"
                                              << "Stop" << waiting;
    QTest::newRow("start again shows new data only")
        << QStringList {"+one\n", "stop", "+two\n", "start", "+three\n"} << "one\nthree\n"
        << "Stop" << waiting;
    QTest::newRow("clean while stopped stays stopped")
        << QStringList {"+one\n", "stop", "clean", "+two\n"} << ""
        << "Start" << waiting;
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
    QCOMPARE(shownText(&monitor), text);
    QCOMPARE(buttonText(&monitor), button);
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
    TrackerSimulator::Options options;
    options.chatty = true;
    listed = std::make_unique<ListedTracker>(options);
    window = std::make_unique<MainWindow>();
    // The main window's monitor: a window of its own, without parent.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        if (auto *found = qobject_cast<SerialMonitor *>(widget))
            monitor = found;
    }
    QVERIFY(monitor);
    QCOMPARE(monitor->windowTitle(), QStringLiteral("Serial monitor"));
    QVERIFY(child<QPlainTextEdit>(monitor, "textSerialOutput")->isReadOnly());
    monitor->append(QStringLiteral("left from before\n"));

    window->show();
    QTRY_COMPARE_WITH_TIMEOUT(
        child<QLabel>(monitor, "labelDevice")->text(), listed->tracker.portPath(), 10000);
    QVERIFY(!shownText(monitor).contains(QStringLiteral("left from before")));
    // The link's next polls bring the device's text.
    QTRY_VERIFY_WITH_TIMEOUT(shownText(monitor).contains(QStringLiteral("Address")), 10000);
}

void SerialMonitorTest::dataArrivingWhileHiddenIsThereWhenShown()
{
    QVERIFY(monitor && !monitor->isVisible());
    listed->tracker.inject("$PHIDDEN,sent while the monitor is hidden*00\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(monitor).contains(QStringLiteral("$PHIDDEN"))
            && shownText(monitor).contains(QStringLiteral("$GPRMC")),
        10000);
    QVERIFY(!monitor->isVisible());

    QTest::mouseClick(child<QPushButton>(window.get(), "buttonAdvanced"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(window.get(), "buttonSerialMonitor"), Qt::LeftButton);
    QVERIFY(monitor->isVisible());
    QVERIFY(shownText(monitor).contains(QStringLiteral("$PHIDDEN")));
    QScrollBar *bar = child<QPlainTextEdit>(monitor, "textSerialOutput")->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() > 0 && bar->value() == bar->maximum(), 5000);
}

void SerialMonitorTest::pauseDropsDataAndCleanKeepsCapturing()
{
    QVERIFY(monitor && monitor->isVisible());
    const TrackerSimulator &tracker = listed->tracker;
    click(monitor, "buttonStartStop");
    QCOMPARE(buttonText(monitor), QStringLiteral("Start"));
    const QString paused = shownText(monitor);
    listed->tracker.inject("MARK while paused\n");
    // Two more polls of the link: what arrived meanwhile has been collected and passed on.
    const int polls = tracker.receivedCount(0x03);
    QTRY_VERIFY_WITH_TIMEOUT(tracker.receivedCount(0x03) >= polls + 2, 10000);
    QCOMPARE(shownText(monitor), paused);

    click(monitor, "buttonStartStop");
    QCOMPARE(buttonText(monitor), QStringLiteral("Stop"));
    listed->tracker.inject("MARK after the pause\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(monitor).contains(QStringLiteral("MARK after")), 10000);
    QVERIFY(!shownText(monitor).contains(QStringLiteral("MARK while paused")));

    click(monitor, "buttonClean");
    QVERIFY(shownText(monitor).isEmpty());
    QCOMPARE(child<QLabel>(monitor, "labelDevice")->text(), tracker.portPath());
    listed->tracker.inject("MARK after clean\n");
    QTRY_VERIFY_WITH_TIMEOUT(shownText(monitor).contains(QStringLiteral("MARK after clean")), 10000);
    QVERIFY(!shownText(monitor).contains(QStringLiteral("MARK after the pause")));
}

QTEST_MAIN(SerialMonitorTest)
#include "tst_serialmonitor.moc"
