// SPDX-License-Identifier: GPL-3.0-or-later
// The window's "Check OGN" against a simulated tracker and stand-ins for the OGN servers on
// 127.0.0.1: nothing here reaches the internet.
#include "ognstandins.h"
#include "windowsupport.h"

#include "dialogs/ogncheckdialog.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/messagebar.h"
#include "translations/translators.h"

#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace testsupport;

namespace {

const QByteArray registered
    = "{\"devices\":[{\"device_type\":\"O\",\"device_id\":\"2FD00F\",\"aircraft_model\":"
      "\"Ka-8\",\"registration\":\"D-1749\",\"cn\":\"W5\",\"tracked\":\"Y\",\"identified\":"
      "\"Y\"}]}";

QString labelText(const QWidget *dialog, const char *name)
{
    const auto *label = child<QLabel>(dialog, name);
    return label ? label->text() : QString();
}

} // namespace

class OgnWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void checkShowsWhatTheNetworkSays_data();
    void checkShowsWhatTheNetworkSays();
    void checkStopsWhenTheTrackerChanges();

private:
    // The window on a tracker that sends this Address and Reg; false: it never showed its list.
    bool openWindow(const QString &address, int fixAfterSeconds);
    void pointAtStandIns(int listenSeconds);
    OgnCheckDialog *dialog() const { return ui->window->findChild<OgnCheckDialog *>(); }

    QTemporaryDir home;
    std::unique_ptr<DdbStandIn> ddb;
    std::unique_ptr<AprsStandIn> aprs;
    std::unique_ptr<TrackerSimulator> tracker;
    std::unique_ptr<PortListing> listing;
    std::unique_ptr<WindowUnderTest> ui;
};

void OgnWindowTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    tracktune::installTranslators(*QCoreApplication::instance());
    // The settings and the database's cache, away from the user's own.
    QVERIFY(home.isValid());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
}

void OgnWindowTest::init()
{
    // The window first, then what it used: a listing left over would unset the new one's seam.
    ui.reset();
    listing.reset();
    tracker.reset();
    QDir(home.filePath(QStringLiteral("cache"))).removeRecursively();
    QSettings().clear();
    ddb = std::make_unique<DdbStandIn>();
    aprs = std::make_unique<AprsStandIn>(recordedAprsLines());
}

void OgnWindowTest::pointAtStandIns(int listenSeconds)
{
    QSettings settings;
    settings.setValue(QStringLiteral("ogn/ddbUrl"), ddb->url());
    settings.setValue(
        QStringLiteral("ogn/aprsServer"), QStringLiteral("127.0.0.1:%1").arg(aprs->serverPort()));
    settings.setValue(QStringLiteral("ogn/listenSeconds"), QString::number(listenSeconds));
}

bool OgnWindowTest::openWindow(const QString &address, int fixAfterSeconds)
{
    TrackerSimulator::Options running;
    running.chatty = true;
    running.fixAfterSeconds = fixAfterSeconds;
    tracker = std::make_unique<TrackerSimulator>(running);
    if (!tracker->start())
        return false;
    tracker->setParameter(QStringLiteral("Address"), address);
    tracker->setParameter(QStringLiteral("Reg"), QStringLiteral("D-1749"));
    listing
        = std::make_unique<PortListing>(QHash<QString, QString> {{tracker->portPath(), "USB Serial Device"}});
    ui = std::make_unique<WindowUnderTest>();
    return QTest::qWaitFor([this] { return ui->loaded(); }, 15000);
}

// What the pilot sees: the database's word, each beacon as a row, then the summary or the
// reasons, the tracker's own status among them; asked first, and nothing sent when refused.
void OgnWindowTest::checkShowsWhatTheNetworkSays_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("fixAfterSeconds");
    QTest::addColumn<QByteArray>("ddbAnswer");
    QTest::addColumn<bool>("consent");
    QTest::addColumn<QString>("ddbSays");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("summarySays");

    QTest::newRow("registered and received")
        << "0x2FD00F" << 0 << registered << true << "OGN devices database: 2FD00F is registered as OGN\n"
        << 3 << QStringList {"Received by 2 stations in 2 s, best 32.8 dB; frequency offset"};
    QTest::newRow("not registered, not received, no fix")
        << "0x1A2B3C" << -1 << QByteArray("{\"devices\":[]}") << true
        << "OGN devices database: 1A2B3C is not registered" << 0
        << QStringList {"Not received in 2 s.", "\u2022 No GPS fix: the tracker says it has none",
               "\u2022 No OGN receiver in range", "\u2022 The frequency plan (FreqPlan)"};
    QTest::newRow("consent refused") << "0x2FD00F" << 0 << registered << false << QString() << 0
                                     << QStringList();
}

void OgnWindowTest::checkShowsWhatTheNetworkSays()
{
    QFETCH(QString, address);
    QFETCH(int, fixAfterSeconds);
    QFETCH(QByteArray, ddbAnswer);
    QFETCH(bool, consent);
    QFETCH(QString, ddbSays);
    QFETCH(int, rows);
    QFETCH(QStringList, summarySays);
    ddb->body = ddbAnswer;
    pointAtStandIns(2);
    QVERIFY(openWindow(address, fixAfterSeconds));
    // The reasons take the status panel's word: it has seen the GPS by now.
    const auto *gps = child<QLabel>(ui->window.get(), "gpsText");
    QTRY_VERIFY_WITH_TIMEOUT(
        !gps->text().isEmpty() && !gps->text().contains(QStringLiteral("waiting")), 5000);

    BoxAnswers answers(consent ? QMessageBox::Yes : QMessageBox::No);
    QPushButton *check = ui->button("buttonCheckOgn");
    QVERIFY(check && check->isEnabled());
    check->click();
    QTRY_COMPARE(answers.boxes.size(), 1);
    // Said before anything goes: the address alone, and where.
    const QString asked = answers.boxes.first().text;
    QVERIFY2(asked.contains(address.mid(2))
            && asked.contains(QStringLiteral("127.0.0.1:%1").arg(aprs->serverPort()))
            && asked.contains(QStringLiteral("127.0.0.1:%1").arg(ddb->serverPort())),
        qPrintable(asked));
    if (!consent) {
        QTRY_VERIFY(ui->messages.contains(QStringLiteral("Nothing was sent.")));
        QTest::qWait(300);
        QCOMPARE(ddb->connections, 0);
        QCOMPARE(aprs->connections, 0);
        QVERIFY(!dialog() || !dialog()->isVisible());
        return;
    }
    QTRY_VERIFY(dialog() && dialog()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(labelText(dialog(), "stateText"), QStringLiteral("Check finished."), 20000);
    QVERIFY2(labelText(dialog(), "ddbText").startsWith(ddbSays), qPrintable(labelText(dialog(), "ddbText")));
    QVERIFY(!labelText(dialog(), "ddbText").contains(QStringLiteral("mismatch")));
    QCOMPARE(ddb->targets, QList<QByteArray> {"/download/?j=1&device_id=" + address.mid(2).toLatin1()});
    QVERIFY2(aprs->logins.value(0).endsWith("filter b/OGN" + address.mid(2).toLatin1() + "/FLR"
                 + address.mid(2).toLatin1() + "/ICA" + address.mid(2).toLatin1() + "/RND"
                 + address.mid(2).toLatin1()),
        aprs->logins.value(0).constData());
    const auto *table = child<QTableWidget>(dialog(), "beaconTable");
    QCOMPARE(table->rowCount(), rows);
    if (rows > 0) {
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("LZHL"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("32.8 dB"));
        QCOMPARE(table->item(rows - 1, 4)->text(), QStringLiteral("by RELAY"));
    }
    // In order: what the status rules out is left out. Whether the tracker transmits is known
    // only after two radio reports, ten seconds apart: unknown, it is named as a possibility.
    QStringList summary = labelText(dialog(), "summaryText").split(QLatin1Char('\n'));
    if (summarySays.size() > 2 && summary.size() == summarySays.size() + 1)
        QVERIFY2(summary.takeAt(2).startsWith(QStringLiteral("\u2022 Transmitting switched off")),
            qPrintable(summary.join('|')));
    QCOMPARE(summary.size(), summarySays.size());
    for (int line = 0; line < summary.size(); ++line)
        QVERIFY2(summary.at(line).startsWith(summarySays.at(line)), qPrintable(summary.at(line)));

    // Asked once: the second check goes straight to the servers.
    check->click();
    QTRY_VERIFY(dialog()->isRunning());
    QTest::qWait(200);
    QCOMPARE(answers.boxes.size(), 1);
    dialog()->close();
    QVERIFY(!dialog()->isRunning());
}

// Another tracker on the port while the check listens: said, and the listening stops.
void OgnWindowTest::checkStopsWhenTheTrackerChanges()
{
    ddb->body = registered;
    pointAtStandIns(60);
    QSettings().setValue(QStringLiteral("ogn/sendAddressTo"),
        ddb->url() + QStringLiteral(" 127.0.0.1:%1").arg(aprs->serverPort()));
    QVERIFY(openWindow(QStringLiteral("0x2FD00F"), 0));
    ui->button("buttonCheckOgn")->click();
    QTRY_VERIFY(dialog());
    QTRY_VERIFY_WITH_TIMEOUT(labelText(dialog(), "stateText").startsWith(QStringLiteral("Listening")), 10000);
    QTRY_COMPARE(aprs->openConnections(), 1);

    TrackerSimulator::Options other;
    other.cpuId = "000024A16C5D6E7F";
    auto second = std::make_unique<TrackerSimulator>(other);
    QVERIFY(second->start());
    tracker->unplug();
    listing->set({{second->portPath(), "USB Serial Device"}});
    QTRY_VERIFY_WITH_TIMEOUT(!dialog()->isRunning(), 20000);
    const QString said = labelText(dialog(), "stateText");
    QVERIFY2(
        said.startsWith(QStringLiteral("The tracker changed during the check: it started with 0x2FD00F")),
        qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("0x5D6E7F")), qPrintable(said));
    QTRY_COMPARE(aprs->openConnections(), 0);
    QCOMPARE(labelText(dialog(), "summaryText"), QString());
}

QTEST_MAIN(OgnWindowTest)
#include "tst_ognwindow.moc"
