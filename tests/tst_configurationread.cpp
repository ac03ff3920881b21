#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

using testsupport::child;
using testsupport::ListedTracker;

Q_DECLARE_METATYPE(TrackerSimulator::LineEnding)
Q_DECLARE_METATYPE(TrackerSimulator::Variant)

namespace {

const int loadTimeoutMs = 20000;

// "name=shown": the combo box's text, the protocol button's caption or the value item's text.
QStringList shownRows(QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QString shown;
        if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
            shown = box->currentText();
        else if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1)))
            shown = button->text();
        else if (QTableWidgetItem *item = table->item(row, 1))
            shown = item->text();
        rows << table->item(row, 0)->text() + QLatin1Char('=') + shown;
    }
    return rows;
}

QStringList markedRows(QTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->font().weight() > QFont::Medium)
            names << table->item(row, 0)->text();
    }
    return names;
}

QList<qint64> timesOf(const TrackerSimulator &tracker, char byte)
{
    QList<qint64> times;
    const auto received = tracker.received();
    for (const auto &entry : received) {
        if (entry.byte == byte)
            times << entry.msecs;
    }
    return times;
}

// Lines a tracker prints besides its list: position sentences, status and task lines.
QByteArray noiseLines(int count)
{
    const QList<QByteArray> noise = {
        "$GPRMC,120001.00,A,4736.7380,N,01114.0700,E,0.0,0.0,140725,,,A*6C\r\n",
        "GPS: 57600bps,5.00Hz,3D-fix,09/12sats,47.6123N,011.2345E,612m\n",
        "$POGNR,0,1,,-105.5,8.5,0,0*6A\r\n",
        "IDLE          0   128    74\n",
        "Batt:4.12V/4.20V -0.015A 87%\n",
        "Address\n",
    };
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += noise.at(i % noise.size());
    return lines;
}

// A silent tracker that answers the window's first dump request with the given bytes
// and is then unlisted, so a failed load is not followed by another search.
struct ScriptedTracker
{
    explicit ScriptedTracker(const QByteArray &answer)
        : listed([] {
              TrackerSimulator::Options options;
              options.silent = true;
              return options;
          }())
    {
        // Runs inside the read, which pumps events while it waits for lines.
        QObject::connect(&trigger, &QTimer::timeout, &trigger, [this, answer] {
            if (listed.tracker.receivedCount(0x03) == 0)
                return;
            listed.tracker.inject(answer);
            listed.listing.set({});
            trigger.stop();
        });
        trigger.start(5);
    }

    ListedTracker listed;
    QTimer trigger;
};

bool loadFinished(const MainWindow &window, const TrackerSimulator &tracker)
{
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("table"));
    return tracker.receivedCount(0x03) > 0 && (table->isEnabled() || !window.link().isOpen());
}

} // namespace

// Reading the tracker's dump into the table, as the device sees it and as the user sees it.
class ConfigurationReadTest : public QObject
{
    Q_OBJECT

private slots:
    void dumpFillsKnownParametersInDumpOrder_data();
    void dumpFillsKnownParametersInDumpOrder();
    void expertModeShowsEveryDumpLine();
    void requestIsRepeatedAtEveryEleventhLineBeforeTheList_data();
    void requestIsRepeatedAtEveryEleventhLineBeforeTheList();
    void answerIsCutToTheList_data();
    void answerIsCutToTheList();
    void listShorterThanTenBytesFailsTheLoad_data();
    void listShorterThanTenBytesFailsTheLoad();
    void silenceAfterTheListFailsInAboutTenSeconds();
    void listAlreadyOnItsWayIsNotTakenForTheAnswer();
};

void ConfigurationReadTest::dumpFillsKnownParametersInDumpOrder_data()
{
    QTest::addColumn<TrackerSimulator::LineEnding>("lineEnding");
    QTest::addColumn<TrackerSimulator::Variant>("variant");
    QTest::addColumn<bool>("chatty");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("firmwareFolder");

    const QStringList standard = {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
        "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL", "TxProtMask=OGN ADS-L PilotAware FANET RemoteID "};
    QStringList vendor = standard;
    vendor.insert(6, "APN=internet");
    const auto lf = TrackerSimulator::LineEnding::Lf;
    const auto crLf = TrackerSimulator::LineEnding::CrLf;
    const auto plain = TrackerSimulator::Variant::Standard;
    const auto named = TrackerSimulator::Variant::Vendor;

    QTest::newRow("LF, plain tracker") << lf << plain << false << standard << "esp32-tracker";
    QTest::newRow("CR LF, plain tracker") << crLf << plain << false << standard << "esp32-tracker";
    QTest::newRow("LF, ZRN-LTE with APN") << lf << named << false << vendor << "esp32s3-tracker";
    QTest::newRow("CR LF, ZRN-LTE with APN") << crLf << named << false << vendor << "esp32s3-tracker";
    QTest::newRow("CR LF, ZRN-LTE, chatty") << crLf << named << true << vendor << "esp32s3-tracker";
}

void ConfigurationReadTest::dumpFillsKnownParametersInDumpOrder()
{
    QFETCH(TrackerSimulator::LineEnding, lineEnding);
    QFETCH(TrackerSimulator::Variant, variant);
    QFETCH(bool, chatty);
    QFETCH(QStringList, rows);
    QFETCH(QString, firmwareFolder);

    TrackerSimulator::Options options;
    options.lineEnding = lineEnding;
    options.variant = variant;
    options.chatty = chatty;
    ListedTracker listed(options);
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, loadTimeoutMs);

    QCOMPARE(shownRows(table), rows);
    QCOMPARE(markedRows(table), QStringList());
    QCOMPARE(window.firmwareArchitecture(), firmwareFolder);
    QVERIFY(child<QPushButton>(&window, "applyButton")->isEnabled());
    QVERIFY(child<QPushButton>(&window, "refreshButton")->isEnabled());
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString name = table->item(row, 0)->text();
        QCOMPARE(table->rowHeight(row), 20);
        QVERIFY2(!(table->item(row, 0)->flags() & Qt::ItemIsEditable), qPrintable(name));
        QWidget *editor = table->cellWidget(row, 1);
        if (QStringList {"Address", "Reg", "APN"}.contains(name)) {
            QVERIFY2(!editor && (table->item(row, 1)->flags() & Qt::ItemIsEditable), qPrintable(name));
        } else if (name == QLatin1String("TxProtMask")) {
            auto *button = qobject_cast<QToolButton *>(editor);
            QVERIFY(button && button->menu());
            QCOMPARE(button->popupMode(), QToolButton::InstantPopup);
            QVERIFY(button->autoRaise());
            QStringList actions;
            for (QAction *action : button->menu()->actions()) {
                QVERIFY(action->isCheckable());
                actions << action->text();
            }
            QCOMPARE(actions, (QStringList {"OGN", "ADS-L", "PilotAware", "FANET", "RemoteID"}));
        } else {
            auto *box = qobject_cast<QComboBox *>(editor);
            QVERIFY2(box && !box->isEditable(), qPrintable(name));
        }
    }
}

void ConfigurationReadTest::expertModeShowsEveryDumpLine()
{
    TrackerSimulator::Options options;
    options.variant = TrackerSimulator::Variant::Vendor;
    options.lineEnding = TrackerSimulator::LineEnding::CrLf;
    ListedTracker listed(options);
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, loadTimeoutMs);

    child<QPushButton>(&window, "buttonAdvanced")->click();
    QVERIFY(table->isEnabled());

    QStringList dumped;
    for (const TrackerSimulator::Parameter &parameter : listed.tracker.parameters())
        dumped << parameter.name + QLatin1Char('=') + QString(parameter.value).remove(QLatin1Char(' '));
    QCOMPARE(shownRows(table), dumped);
    QCOMPARE(markedRows(table), QStringList());
    for (int row = 0; row < table->rowCount(); ++row) {
        QVERIFY(!table->cellWidget(row, 1));
        QVERIFY(!(table->item(row, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(table->item(row, 1)->flags() & Qt::ItemIsEditable);
        QCOMPARE(table->rowHeight(row), 20);
    }
    QCOMPARE(window.firmwareArchitecture(), QStringLiteral("esp32s3-tracker"));
}

void ConfigurationReadTest::requestIsRepeatedAtEveryEleventhLineBeforeTheList_data()
{
    QTest::addColumn<int>("linesBefore");
    QTest::addColumn<int>("repeats");

    QTest::newRow("none before the list") << 0 << 0;
    QTest::newRow("9 before: the list is the 10th line") << 9 << 0;
    QTest::newRow("10 before: the list is the 11th line, still read") << 10 << 1;
    QTest::newRow("21 before") << 21 << 2;
}

void ConfigurationReadTest::requestIsRepeatedAtEveryEleventhLineBeforeTheList()
{
    QFETCH(int, linesBefore);
    QFETCH(int, repeats);

    ScriptedTracker scripted(noiseLines(linesBefore) + "Address        = 0x1A2B3C; # [24-bit]\n"
        + "Reg            = D-KABC; #  [char]\n" + "Batt:4.12V/4.20V\n");
    const TrackerSimulator &tracker = scripted.listed.tracker;
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(loadFinished(window, tracker), loadTimeoutMs);
    QVERIFY(table->isEnabled());
    QCOMPARE(shownRows(table), (QStringList {"Address=0x1A2B3C", "Reg=D-KABC"}));

    // The watchdog's polls start a second after the read; count what came before them.
    const qint64 loadedAt = tracker.elapsed();
    QTest::qWait(300);
    const QList<qint64> requests = timesOf(tracker, 0x03);
    const int beforeLoaded = std::count_if(
        requests.cbegin(), requests.cend(), [loadedAt](qint64 msecs) { return msecs <= loadedAt + 300; });
    QCOMPARE(beforeLoaded, 1 + repeats);
}

void ConfigurationReadTest::answerIsCutToTheList_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("firmwareFolder");

    const QByteArray start = "$POGNR,0,1,,-105.5,8.5,0,0*6A\r\nAddress        = 0x1A2B3C; # [24-bit]\n"
                             "Reg            = D-KABC; #  [char]\n";
    const QByteArray after = "APN            = web; #  [char]\nBatt:4.12V/4.20V\n";
    const QStringList cut = {"Address=0x1A2B3C", "Reg=D-KABC"};
    const QStringList goesOn = cut + QStringList {"APN=web"};

    // Without a "Hard" line the folder stays as it was: empty in a new window.
    QTest::newRow("$ sentence ends") << start + "$POGNR,0,1,,-105.5,8.5,0,0*6A\r\n" + after << cut << "";
    QTest::newRow("empty line ends") << start + "\n" + after << cut << "";
    QTest::newRow("empty CR LF line ends") << start + "\r\n" + after << cut << "";
    QTest::newRow("line without = ends") << start + "Batt:charger idle\n" + after << cut << "";
    QTest::newRow("unknown parameter goes on")
        << start + "Pilot          = Jo; #  [char]\n" + after << goesOn << "";
    QTest::newRow("Address= does not start the list")
        << QByteArray("Address=0x111111\nReg = X-A;\n") + start + after << goesOn << "";
    QTest::newRow("second Address ends the table")
        << start + "APN = web;\nAddress = 0x1A2B3C;\nAcftType = 0x3;\n\n"
        << goesOn << "";
    QTest::newRow("blanks removed, CR kept without comment")
        << QByteArray("Address = 0x1A2B3C\r\nReg = D KA BC\r\nAPN = web ; x\r\n\r\n")
        << QStringList {"Address=0x1A2B3C\r", "Reg=DKABC\r", "APN=web"} << "";
    QTest::newRow("rows in dump order, missing ones absent")
        << QByteArray("Address = 0x1;\nTxPower = +22;\nAPN = a;\nAcftType = 0x9;\nBatt\n")
        << QStringList {"Address=0x1", "TxPower=HIGH", "APN=a", "AcftType=Jet aircraft"} << "";
    QTest::newRow("Hard names the folder, is no row")
        << QByteArray("Address = 0x1;\nHard = ZRN-C3; #  [char]\nReg = A;\n\n")
        << QStringList {"Address=0x1", "Reg=A"} << "esp32c3-tracker";
    QTest::newRow("empty Hard") << QByteArray("Address = 0x1;\nHard = ; #  [char]\n\n")
                                << QStringList {"Address=0x1"} << "esp32-tracker";
}

void ConfigurationReadTest::answerIsCutToTheList()
{
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, rows);
    QFETCH(QString, firmwareFolder);

    ScriptedTracker scripted(answer);
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(loadFinished(window, scripted.listed.tracker), loadTimeoutMs);
    QVERIFY(table->isEnabled());
    QCOMPARE(shownRows(table), rows);
    QCOMPARE(window.firmwareArchitecture(), firmwareFolder);
}

void ConfigurationReadTest::listShorterThanTenBytesFailsTheLoad_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("9 bytes") << QByteArray("Address \n$\n") << false;
    QTest::newRow("10 bytes") << QByteArray("Address =\n$\n") << true;
}

void ConfigurationReadTest::listShorterThanTenBytesFailsTheLoad()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, loaded);

    ScriptedTracker scripted(answer);
    QStringList messages;
    MainWindow window;
    connect(window.statusBar(), &QStatusBar::messageChanged,
        [&messages](const QString &text) { messages << text; });
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(loadFinished(window, scripted.listed.tracker), loadTimeoutMs);

    QCOMPARE(window.link().isOpen(), loaded);
    QCOMPARE(table->isEnabled(), loaded);
    QCOMPARE(child<QPushButton>(&window, "applyButton")->isEnabled(), loaded);
    QCOMPARE(shownRows(table), loaded ? QStringList {"Address="} : QStringList());
    if (!loaded) {
        QVERIFY(messages.contains(QStringLiteral("Connection closed")));
        QTRY_VERIFY(!scripted.listed.tracker.peerOpen());
    }
}

void ConfigurationReadTest::silenceAfterTheListFailsInAboutTenSeconds()
{
    TrackerSimulator::Options unended;
    unended.dumpEndingLine = false;
    ScriptedTracker scripted(TrackerSimulator(unended).dump());
    const TrackerSimulator &tracker = scripted.listed.tracker;
    QStringList messages;
    MainWindow window;
    connect(window.statusBar(), &QStatusBar::messageChanged,
        [&messages](const QString &text) { messages << text; });
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(loadFinished(window, tracker), 30000);

    QVERIFY(!window.link().isOpen());
    QVERIFY(!table->isEnabled());
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(messages.contains(QStringLiteral("Connection closed")));
    QTRY_VERIFY(!tracker.peerOpen());
    const qint64 requestedAt = timesOf(tracker, 0x03).first();
    const qint64 closedAt = tracker.hangups().last();
    QVERIFY2(closedAt - requestedAt >= 8000 && closedAt - requestedAt <= 15000,
        qPrintable(QStringLiteral("closed %1 ms after the request").arg(closedAt - requestedAt)));
}

void ConfigurationReadTest::listAlreadyOnItsWayIsNotTakenForTheAnswer()
{
    ListedTracker listed;
    TrackerSimulator &tracker = listed.tracker;
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, loadTimeoutMs);

    // The tracker is still printing a list from before a change when the reload asks.
    const QByteArray before = tracker.dump();
    tracker.setParameter(QStringLiteral("Reg"), QStringLiteral("D-KNEW"));
    QVERIFY(!before.contains("D-KNEW"));
    tracker.inject(before);
    child<QPushButton>(&window, "refreshButton")->click();

    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled(), loadTimeoutMs);
    QVERIFY(shownRows(table).contains(QStringLiteral("Reg=D-KNEW")));
}

QTEST_MAIN(ConfigurationReadTest)
#include "tst_configurationread.moc"
