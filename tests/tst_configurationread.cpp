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
#include <memory>

using namespace testsupport;

Q_DECLARE_METATYPE(TrackerSimulator::Options)

namespace {

const int loadTimeoutMs = 20000;

// Lines a tracker prints besides its list: position sentences, status and task lines.
QByteArray noiseLines(int count)
{
    const QList<QByteArray> noise
        = QByteArray("$GPRMC,120001.00,A,4736.7380,N,01114.0700,E,0.0,0.0,140725,,,A*6C\r\n"
                     "GPS: 57600bps,5.00Hz,3D-fix,09/12sats,47.6123N,011.2345E,612m\n"
                     "$POGNR,0,1,,-105.5,8.5,0,0*6A\r\nIDLE          0   128    74\n"
                     "Batt:4.12V/4.20V -0.015A 87%\nAddress")
              .split('\n');
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += noise.at(i % noise.size()) + '\n';
    return lines;
}

// A list of these lines, ended by an empty line.
QByteArray listOf(const QStringList &lines)
{
    return lines.join(QStringLiteral(";\n")).toUtf8() + ";\n\n";
}

// A silent tracker that answers the next dump request with the bytes it is given.
struct ScriptedTracker
{
    ScriptedTracker()
        : listed([] {
              TrackerSimulator::Options options;
              options.silent = true;
              return options;
          }())
    {
        // Runs inside the read, which pumps events while it waits for lines.
        QObject::connect(&trigger, &QTimer::timeout, &trigger, [this] {
            // The read waits a second for quiet before it asks: a watchdog poll on its way
            // when the answer was set is not the request.
            const QList<qint64> requests = timesOf(listed.tracker, 0x03);
            if (requests.isEmpty() || requests.last() < answerSetAt + 500)
                return;
            trigger.stop();
            listed.tracker.inject(answer);
            // A failed load is then not followed by another search.
            if (unlistAfter)
                listed.listing.set({});
        });
    }

    void answerNext(const QByteArray &bytes, bool thenUnlist = false)
    {
        answer = bytes;
        unlistAfter = thenUnlist;
        answerSetAt = listed.tracker.elapsed();
        trigger.start(5);
    }

    ListedTracker listed;
    QTimer trigger;
    QByteArray answer;
    bool unlistAfter = false;
    qint64 answerSetAt = 0;
};

// Rows 20 pixels high with fixed names. Values are typed in expert mode, and in standard
// mode where no list or menu edits them.
void checkEditors(QTableWidget *table, bool expert)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString name = table->item(row, 0)->text();
        QCOMPARE(table->rowHeight(row), 20);
        QVERIFY2(!(table->item(row, 0)->flags() & Qt::ItemIsEditable), qPrintable(name));
        QWidget *editor = table->cellWidget(row, 1);
        auto *box = qobject_cast<QComboBox *>(editor);
        if (expert || QStringList {"Address", "Reg", "APN"}.contains(name))
            QVERIFY2(!editor && (table->item(row, 1)->flags() & Qt::ItemIsEditable), qPrintable(name));
        else if (name != QLatin1String("TxProtMask"))
            QVERIFY2(box && !box->isEditable(), qPrintable(name));
    }
}

// "name=shown", and " (marked)" after the rows Apply would write.
QStringList tableRows(QTableWidget *table)
{
    QStringList rows = shownRows(table);
    const QStringList marked = markedRows(table);
    for (QString &row : rows) {
        if (marked.contains(row.section(QLatin1Char('='), 0, 0)))
            row += QStringLiteral(" (marked)");
    }
    return rows;
}

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
    void loadShowsKnownParametersExpertModeAll_data();
    void loadShowsKnownParametersExpertModeAll();
    void failedLoadClosesTheLink_data();
    void failedLoadClosesTheLink();
    // Last: one window on a scripted tracker for all cases.
    void answerIsReadUpToTheEndOfTheList_data();
    void answerIsReadUpToTheEndOfTheList();

private:
    std::unique_ptr<ScriptedTracker> scripted;
    std::unique_ptr<MainWindow> window;
};

void ConfigurationReadTest::loadShowsKnownParametersExpertModeAll_data()
{
    QTest::addColumn<TrackerSimulator::Options>("options");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("firmwareFolder");

    const QStringList standard = {"Address=0x1A2B3C", "AddrType=OGN", "AcftType=(Moto-)glider",
        "Reg=", "FreqPlan=Automatic", "TxPower=NORMAL", "TxProtMask=OGN ADS-L PilotAware FANET RemoteID "};
    QStringList vendor = standard;
    vendor.insert(6, "APN=internet");

    TrackerSimulator::Options vendorCrLf;
    vendorCrLf.lineEnding = TrackerSimulator::LineEnding::CrLf;
    vendorCrLf.variant = TrackerSimulator::Variant::Vendor;
    vendorCrLf.chatty = true;
    QTest::newRow("LF, plain tracker") << TrackerSimulator::Options() << standard << "esp32-tracker";
    QTest::newRow("CR LF, ZRN-LTE with APN, chatty") << vendorCrLf << vendor << "esp32s3-tracker";
}

void ConfigurationReadTest::loadShowsKnownParametersExpertModeAll()
{
    QFETCH(TrackerSimulator::Options, options);
    QFETCH(QStringList, rows);
    QFETCH(QString, firmwareFolder);

    ListedTracker listed(options);
    TrackerSimulator &tracker = listed.tracker;
    MainWindow window;
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(table->isEnabled() && table->rowCount() > 0, loadTimeoutMs);

    QCOMPARE(tableRows(table), rows);
    QCOMPARE(window.firmwareArchitecture(), firmwareFolder);
    QVERIFY(child<QPushButton>(&window, "applyButton")->isEnabled());
    QVERIFY(child<QPushButton>(&window, "refreshButton")->isEnabled());
    checkEditors(table, false);
    auto *button = qobject_cast<QToolButton *>(table->cellWidget(rowOf(table, "TxProtMask"), 1));
    QVERIFY(button && button->menu() && button->autoRaise());
    QCOMPARE(button->popupMode(), QToolButton::InstantPopup);
    QStringList actions;
    for (QAction *action : button->menu()->actions())
        actions << action->text() + (action->isCheckable() ? "" : " (not checkable)");
    QCOMPARE(actions, (QStringList {"OGN", "ADS-L", "PilotAware", "FANET", "RemoteID"}));

    // The tracker is still printing a list from before a change when expert mode reloads.
    const QByteArray before = tracker.dump();
    tracker.setParameter(QStringLiteral("Reg"), QStringLiteral("D-KNEW"));
    QVERIFY(!before.contains("D-KNEW"));
    tracker.inject(before);
    child<QPushButton>(&window, "buttonAdvanced")->click();
    QVERIFY(table->isEnabled());

    QStringList dumped;
    for (const TrackerSimulator::Parameter &parameter : tracker.parameters())
        dumped << parameter.name + QLatin1Char('=') + QString(parameter.value).remove(QLatin1Char(' '));
    QVERIFY(dumped.contains(QStringLiteral("Reg=D-KNEW")));
    QCOMPARE(tableRows(table), dumped);
    checkEditors(table, true);
}

void ConfigurationReadTest::failedLoadClosesTheLink_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");

    TrackerSimulator::Options unended;
    unended.dumpEndingLine = false;
    // Measured from the request to the hang-up.
    QTest::newRow("list of 9 bytes") << QByteArray("Address \n$\n") << 0 << 5000;
    QTest::newRow("silence after the list") << TrackerSimulator(unended).dump() << 8000 << 15000;
}

void ConfigurationReadTest::failedLoadClosesTheLink()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);

    ScriptedTracker scripted;
    const TrackerSimulator &tracker = scripted.listed.tracker;
    scripted.answerNext(answer, true);
    QStringList messages;
    MainWindow window;
    connect(window.statusBar(), &QStatusBar::messageChanged,
        [&messages](const QString &text) { messages << text; });
    auto *table = child<QTableWidget>(&window, "table");
    QTRY_VERIFY_WITH_TIMEOUT(loadFinished(window, tracker), 30000);

    QVERIFY(!window.link().isOpen());
    QVERIFY(!table->isEnabled());
    QVERIFY(!child<QPushButton>(&window, "applyButton")->isEnabled());
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(messages.contains(QStringLiteral("Connection closed")));
    QTRY_VERIFY(!tracker.peerOpen());
    const qint64 closedAfter = tracker.hangups().last() - timesOf(tracker, 0x03).first();
    QVERIFY2(closedAfter >= minMs && closedAfter <= maxMs,
        qPrintable(QStringLiteral("closed %1 ms after the request").arg(closedAfter)));
}

void ConfigurationReadTest::answerIsReadUpToTheEndOfTheList_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("firmwareFolder"); // empty: as it was before
    QTest::addColumn<int>("requests");

    const QByteArray list = "Address        = 0x1A2B3C; # [24-bit]\nReg            = D-KABC; #  [char]\n";
    const QByteArray start = "$POGNR,0,1,,-105.5,8.5,0,0*6A\r\n" + list;
    const QByteArray after = "APN            = web; #  [char]\nBatt:4.12V/4.20V\n";
    const QStringList cut = {"Address=0x1A2B3C", "Reg=D-KABC"};
    const QStringList goesOn = cut + QStringList {"APN=web"};

    // The request goes again at every 11th line until the list has started.
    QTest::newRow("9 lines before: asked once") << noiseLines(9) + list + "Batt\n" << cut << "" << 1;
    QTest::newRow("10 lines before: asked again, list still read") << noiseLines(10) + list + "Batt\n"
                                                                   << cut << "" << 2;
    QTest::newRow("21 lines before: asked three times") << noiseLines(21) + list + "Batt\n" << cut << "" << 3;

    // With an "=" in it, so that only its "$" ends the list.
    QTest::newRow("$ sentence ends") << start + "$POGNS,Pilot=Jo\r\n" + after << cut << "" << 1;
    QTest::newRow("empty CR LF line ends") << start + "\r\n" + after << cut << "" << 1;
    QTest::newRow("line without = ends") << start + "Batt:charger idle\n" + after << cut << "" << 1;
    QTest::newRow("unknown parameter goes on")
        << start + "Pilot          = Jo; #  [char]\n" + after << goesOn << "" << 1;
    QTest::newRow("Address= does not start the list")
        << QByteArray("Address=0x111111\nReg = X-A;\n") + start + after << goesOn << "" << 1;
    QTest::newRow("second Address ends the table")
        << start + "APN = web;\nAddress = 0x1A2B3C;\nAcftType = 0x3;\n\n"
        << goesOn << "" << 1;
    QTest::newRow("rows in dump order, missing ones absent")
        << listOf({"Address = 0x1", "TxPower = +22", "APN = a", "AcftType = 0x9"})
        << QStringList {"Address=0x1", "TxPower=HIGH", "APN=a", "AcftType=Jet aircraft"} << "" << 1;
    QTest::newRow("Hard names the folder, is no row")
        << listOf({"Address = 0x1", "Hard = ZRN-C3; #  [char]", "Reg = A"})
        << QStringList {"Address=0x1", "Reg=A"} << "esp32c3-tracker" << 1;
    // AcftType "10" is hex 16, past the list; read as decimal it would be "UFO".
    QTest::newRow("editors: hex and decimal readings")
        << listOf({"Address = 1", "AddrType=0x2", "AcftType=F", "FreqPlan=2", "TxPower=10", "TxProtMask=12"})
        << QStringList {"Address=1", "AddrType=FLARM", "AcftType=Static object", "FreqPlan=USA/Canada",
               "TxPower=LOW", "TxProtMask=OGN FANET "}
        << "" << 1;
    QTest::newRow("editors: beyond the lists, a power between levels")
        << listOf(
               {"Address = 1", "AddrType=4", "AcftType=10", "FreqPlan=10", "TxPower=+17", "TxProtMask=0x60"})
        << QStringList {"Address=1", "AddrType=", "AcftType=", "FreqPlan=", "TxPower=NORMAL (marked)",
               "TxProtMask="}
        << "" << 1;
    QTest::newRow("editors: not numbers read as 0")
        << listOf(
               {"Address = 1", "AddrType=x", "AcftType=zz", "FreqPlan=0x3", "TxPower=max", "TxProtMask=none"})
        << QStringList {"Address=1", "AddrType=Random", "AcftType=Unknown", "FreqPlan=Automatic",
               "TxPower=LOW (marked)", "TxProtMask="}
        << "" << 1;
    QTest::newRow("10 bytes are a list")
        << QByteArray("Address =\n$\n") << QStringList {"Address="} << "" << 1;
}

void ConfigurationReadTest::answerIsReadUpToTheEndOfTheList()
{
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, rows);
    QFETCH(QString, firmwareFolder);
    QFETCH(int, requests);

    if (!window) {
        scripted = std::make_unique<ScriptedTracker>();
        scripted->answerNext(listOf({"Address = 0x1", "Hard = ZRN-S3"}));
        window = std::make_unique<MainWindow>();
        QTRY_VERIFY_WITH_TIMEOUT(loadFinished(*window, scripted->listed.tracker), loadTimeoutMs);
        QCOMPARE(window->firmwareArchitecture(), QStringLiteral("esp32s3-tracker"));
    }
    const TrackerSimulator &tracker = scripted->listed.tracker;
    const QString folderBefore = window->firmwareArchitecture();
    auto *table = child<QTableWidget>(window.get(), "table");

    scripted->answerNext(answer);
    child<QPushButton>(window.get(), "refreshButton")->click();
    const qint64 loadedAt = tracker.elapsed();
    QVERIFY(window->link().isOpen());
    QVERIFY(table->isEnabled());
    QCOMPARE(tableRows(table), rows);
    QCOMPARE(window->firmwareArchitecture(), firmwareFolder.isEmpty() ? folderBefore : firmwareFolder);

    // The watchdog polls again only a second after the read.
    const auto requestsOfThisRead = [&] {
        const QList<qint64> times = timesOf(tracker, 0x03);
        return int(std::count_if(times.cbegin(), times.cend(),
            [&](qint64 msecs) { return msecs >= scripted->answerSetAt + 500 && msecs <= loadedAt + 500; }));
    };
    QTRY_COMPARE(requestsOfThisRead(), requests);
}

QTEST_MAIN(ConfigurationReadTest)
#include "tst_configurationread.moc"
