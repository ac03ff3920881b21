// SPDX-License-Identifier: GPL-3.0-or-later
// The window's "Check OGN" against a simulated tracker and stand-ins for the OGN servers on
// 127.0.0.1: nothing here reaches the internet.
#include "ognstandins.h"
#include "windowsupport.h"

#include "dialogs/ogncheckdialog.h"
#include "mainwindow/announcer.h"
#include "mainwindow/mainwindow.h"

#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace testsupport;

class OgnWindowTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
        // The settings and the database's cache, away from the user's own.
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toUtf8());
    }
    void checkShowsWhatTheNetworkSays_data();
    void checkShowsWhatTheNetworkSays();
};

// What the pilot sees: the database's word, each beacon as a row, then the summary or the
// reasons, the tracker's own status among them; asked first, nothing sent when refused; and
// another tracker on the port while the check listens stops it.
void OgnWindowTest::checkShowsWhatTheNetworkSays_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("fixAfterSeconds");
    QTest::addColumn<QByteArray>("ddbAnswer");
    QTest::addColumn<bool>("consent");
    QTest::addColumn<bool>("trackerChanges");
    QTest::addColumn<QString>("ddbSays");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("summarySays");
    const QByteArray registered
        = "{\"devices\":[{\"device_type\":\"O\",\"device_id\":\"2FD00F\",\"aircraft_model\":\"Ka-8\","
          "\"registration\":\"D-1749\",\"cn\":\"W5\",\"tracked\":\"Y\",\"identified\":\"Y\"}]}";
    const QString isRegistered = "OGN devices database: 2FD00F is registered as OGN\n";
    QTest::newRow("registered and received")
        << "0x2FD00F" << 0 << registered << true << false << isRegistered << 3
        << QStringList {"Received by 2 stations in 2 s, best 32.8 dB; frequency offset"};
    QTest::newRow("not registered, not received, no fix")
        << "0x1A2B3C" << -1 << QByteArray("{\"devices\":[]}") << true << false
        << "OGN devices database: 1A2B3C is not registered" << 0
        << QStringList {"Not received in 2 s.", "\u2022 No GPS fix: the tracker says it has none",
               "\u2022 Transmitting may be switched off", "\u2022 No OGN receiver in range",
               "\u2022 The frequency plan (FreqPlan)"};
    QTest::newRow("consent refused") << "0x2FD00F" << 0 << registered << false << false << QString() << 0
                                     << QStringList();
    QTest::newRow("tracker changes") << "0x2FD00F" << 0 << registered << true << true << isRegistered << 3
                                     << QStringList();
}

void OgnWindowTest::checkShowsWhatTheNetworkSays()
{
    QFETCH(QString, address);
    QFETCH(int, fixAfterSeconds);
    QFETCH(bool, consent);
    QFETCH(bool, trackerChanges);
    QFETCH(int, rows);
    QFETCH(QStringList, summarySays);
    QDir(home.filePath(QStringLiteral("cache"))).removeRecursively();
    DdbStandIn ddb;
    QFETCH(QByteArray, ddbAnswer);
    ddb.body = ddbAnswer;
    AprsStandIn aprs(recordedAprsLines());
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("ogn/ddbUrl"), ddb.url());
    settings.setValue(
        QStringLiteral("ogn/aprsServer"), QStringLiteral("127.0.0.1:%1").arg(aprs.serverPort()));
    settings.setValue(QStringLiteral("ogn/listenSeconds"), trackerChanges ? "60" : "2");
    TrackerSimulator::Options running;
    running.chatty = true;
    running.fixAfterSeconds = fixAfterSeconds;
    running.olderFirmware = true; // prints no count of packets sent: whether it transmits stays unknown
    TrackerSimulator tracker(running);
    QVERIFY(tracker.start());
    tracker.setParameter(QStringLiteral("Address"), address);
    tracker.setParameter(QStringLiteral("Reg"), QStringLiteral("D-1749"));
    PortListing listing({{tracker.portPath(), "USB Serial Device"}});
    listing.follow(&tracker);
    TrackerSimulator::Options other;
    other.cpuId = "000024A16C5D6E7F";
    TrackerSimulator second(other); // outlives the window, which may hold its port
    WindowUnderTest ui;
    QVERIFY(QTest::qWaitFor([&ui] { return ui.loaded(); }, 15000));
    const auto dialog = [&ui] { return ui.window->findChild<OgnCheckDialog *>(); };
    const auto said = [&dialog](const char *label) { return child<QLabel>(dialog(), label)->text(); };
    // The reasons take the status panel's word: it has seen the GPS by now.
    const auto *gps = child<QLabel>(ui.window.get(), "gpsText");
    QTRY_VERIFY_WITH_TIMEOUT(
        !gps->text().isEmpty() && !gps->text().contains(QStringLiteral("waiting")), 5000);

    BoxAnswers answers(consent ? QMessageBox::Yes : QMessageBox::No);
    QPushButton *check = ui.button("buttonCheckOgn");
    QVERIFY(check && check->isEnabled());
    check->click();
    QTRY_COMPARE(answers.boxes.size(), 1);
    // Said before anything goes: the address alone, and where.
    const QString asked = answers.boxes.first().text;
    QVERIFY2(asked.contains(address.mid(2))
            && asked.contains(QStringLiteral("127.0.0.1:%1").arg(aprs.serverPort()))
            && asked.contains(QStringLiteral("127.0.0.1:%1").arg(ddb.serverPort())),
        qPrintable(asked));
    if (!consent) {
        QTRY_VERIFY(ui.messages.contains(QStringLiteral("Nothing was sent.")));
        QTest::qWait(300);
        QCOMPARE(ddb.connections + aprs.connections, 0);
        QVERIFY(!dialog() || !dialog()->isVisible());
        return;
    }
    QTRY_VERIFY(dialog() && dialog()->isVisible());
    if (trackerChanges) {
        QTRY_VERIFY_WITH_TIMEOUT(said("stateText").startsWith(QStringLiteral("Listening")), 10000);
        QVERIFY(second.start());
        tracker.unplug();
        listing.set({{second.portPath(), "USB Serial Device"}});
        QTRY_VERIFY_WITH_TIMEOUT(!dialog()->isRunning(), 20000);
        QCOMPARE(said("stateText"),
            QStringLiteral(
                "The tracker changed during the check: it started with 0x2FD00F on %1, and 0x5D6E7F "
                "on %2 is connected now. The check stopped.")
                .arg(tracker.portPath(), second.portPath()));
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(said("stateText"), QStringLiteral("Check finished."), 20000);
    }
    QFETCH(QString, ddbSays);
    QVERIFY2(said("ddbText").startsWith(ddbSays) && !said("ddbText").contains("mismatch"),
        qPrintable(said("ddbText")));
    QCOMPARE(ddb.targets, QList<QByteArray> {"/download/?j=1&device_id=" + address.mid(2).toLatin1()});
    const auto *table = child<QTableWidget>(dialog(), "beaconTable");
    QTRY_COMPARE(table->rowCount(), rows);
    if (rows > 0) {
        QCOMPARE(table->item(0, 1)->text() + ' ' + table->item(0, 2)->text(), QStringLiteral("LZHL 32.8 dB"));
        QCOMPARE(table->item(rows - 1, 4)->text(), QStringLiteral("by RELAY"));
    }
    // A check stopped says nothing of what it did not finish.
    QCOMPARE(said("summaryText").isEmpty(), trackerChanges);
    if (trackerChanges)
        return;
    // In order: what the status rules out is left out.
    const QStringList summary = said("summaryText").split(QLatin1Char('\n'));
    QCOMPARE(summary.size(), summarySays.size());
    for (int line = 0; line < summary.size(); ++line)
        QVERIFY2(summary.at(line).startsWith(summarySays.at(line)), qPrintable(summary.at(line)));
    // Spoken as well: the focus stays on Stop while it comes.
    QTRY_VERIFY(
        child<Announcer>(dialog(), "announcer")->spokenText().contains(said("summaryText").simplified()));
    // Asked once: the second check goes straight to the servers.
    check->click();
    QTRY_VERIFY(dialog()->isRunning());
    QTest::qWait(200);
    QCOMPARE(answers.boxes.size(), 1);
    dialog()->close();
    QVERIFY(!dialog()->isRunning());
}

QTEST_MAIN(OgnWindowTest)
#include "tst_ognwindow.moc"
