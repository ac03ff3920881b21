// SPDX-License-Identifier: GPL-3.0-or-later
// The OGN clients and "tracktune-cli ogn" against stand-ins for the servers on 127.0.0.1: nothing
// here reaches the internet.
#include "ognstandins.h"
#include "testsupport.h"
#include "trackercommands.h"

#include "ogn/aprsclient.h"
#include "ogn/ddbclient.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tracktune;

namespace {

const QByteArray registered
    = "{\"devices\":[{\"device_type\":\"O\",\"device_id\":\"2FD00F\",\"aircraft_model\":"
      "\"Ka-8\",\"registration\":\"D-1749\",\"cn\":\"W5\",\"tracked\":\"Y\",\"identified\":"
      "\"Y\"}]}";
const QByteArray hidden
    = "{\"devices\":[{\"device_type\":\"O\",\"device_id\":\"2FD00F\",\"aircraft_model\":\"\","
      "\"registration\":\"\",\"cn\":\"\",\"tracked\":\"N\",\"identified\":\"N\"}]}";

// A port nothing listens on.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

} // namespace

class TestOgnClients : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    // The command caches in the test mode's folder: each row starts without.
    void init() { QDir(DdbClient::defaultCacheFolder()).removeRecursively(); }
    void cleanupTestCase() { init(); }
    void aprsLogsInReadOnlyAndPassesOnlyItsBeacons();
    void aprsSaysWhenTheServerIsNotThere_data();
    void aprsSaysWhenTheServerIsNotThere();
    void ddbAnswers_data();
    void ddbAnswers();
    void ddbCacheStandsInWhenOffline();
    void cliEndToEnd_data();
    void cliEndToEnd();
    void cliShowsOnlyWhetherForAnUntrackedAddress_data();
    void cliShowsOnlyWhetherForAnUntrackedAddress();
};

void TestOgnClients::aprsLogsInReadOnlyAndPassesOnlyItsBeacons()
{
    AprsStandIn server(recordedAprsLines());
    AprsClient client;
    client.setServer("127.0.0.1", server.serverPort());
    client.setVersion("1.0");
    QSignalSpy beacons(&client, &AprsClient::beaconReceived);
    QSignalSpy loggedIn(&client, &AprsClient::loggedIn);
    QSignalSpy failed(&client, &AprsClient::failed);
    client.listen(0x2FD00F);
    QTRY_COMPARE(beacons.size(), 3);
    QCOMPARE(loggedIn.size(), 1);
    QCOMPARE(server.logins.value(0),
        QByteArray(
            "user TRACKTUNE pass -1 vers tracktune 1.0 filter b/OGN2FD00F/FLR2FD00F/ICA2FD00F/RND2FD00F"));
    QStringList receivers;
    for (const QList<QVariant> &signal : beacons)
        receivers << signal.at(0).value<AprsBeacon>().receiver;
    QCOMPARE(receivers, QStringList({"LZHL", "LZHU", "LZHL"}));
    QCOMPARE(beacons.last().at(0).value<AprsBeacon>().relayedBy, QString("RELAY"));
    QTest::qWait(100);
    QCOMPARE(beacons.size(), 3);
    QVERIFY(failed.isEmpty());
    // The keepalive goes out at its interval.
    client.setKeepaliveInterval(50);
    client.listen(0x2FD00F);
    QTRY_VERIFY(server.logins.contains("#keepalive"));
}

void TestOgnClients::aprsSaysWhenTheServerIsNotThere_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("why");
    QTest::newRow("nothing listens") << false << "cannot reach 127.0.0.1:";
    QTest::newRow("never answers") << true << "no answer from 127.0.0.1:";
}

void TestOgnClients::aprsSaysWhenTheServerIsNotThere()
{
    QFETCH(bool, silent);
    QFETCH(QString, why);
    AprsStandIn server({});
    server.silent = true;
    AprsClient client;
    client.setServer("127.0.0.1", silent ? server.serverPort() : closedPort());
    client.setTimeLimit(300);
    QSignalSpy failed(&client, &AprsClient::failed);
    client.listen(0x2FD00F);
    QTRY_COMPARE(failed.size(), 1);
    QVERIFY2(failed.at(0).at(0).toString().startsWith(why), qPrintable(failed.at(0).at(0).toString()));
    // Once: no retries.
    QTest::qWait(400);
    QCOMPARE(failed.size(), 1);
    QCOMPARE(server.logins.size(), 0);
}

void TestOgnClients::ddbAnswers_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("error");
    QTest::newRow("registered") << 200 << registered << 0 << true << true << "";
    QTest::newRow("not registered") << 200 << QByteArray("{\"devices\":[]}") << 0 << true << false << "";
    QTest::newRow("HTTP error") << 503 << QByteArray("busy") << 0 << false << false << "answered HTTP 503";
    QTest::newRow("not a list") << 200 << QByteArray("<html></html>") << 0 << false << false
                                << "not a device list";
    QTest::newRow("too large") << 200 << QByteArray(100 * 1024, ' ') << 0 << false << false
                               << "answered more than one address's entries";
    QTest::newRow("slow") << 200 << registered << 3000 << false << false << "within 0.3 s";
}

void TestOgnClients::ddbAnswers()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, delayMs);
    QFETCH(bool, answered);
    QFETCH(bool, found);
    QFETCH(QString, error);
    QTemporaryDir cache;
    DdbStandIn server;
    server.status = status;
    server.body = body;
    server.delayMs = delayMs;
    DdbClient client;
    client.setDownloadUrl(QUrl(server.url()));
    client.setCacheFolder(cache.path());
    client.setTimeLimit(300);
    QSignalSpy finished(&client, &DdbClient::finished);
    QElapsedTimer clock;
    clock.start();
    client.lookUp(0x2FD00F);
    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(clock.elapsed() < 2000);
    const DdbLookup lookup = finished.at(0).at(0).value<DdbLookup>();
    QCOMPARE(server.targets.value(0), QByteArray("/download/?j=1&device_id=2FD00F"));
    QCOMPARE(lookup.answered, answered);
    QCOMPARE(lookup.device.has_value(), found);
    QVERIFY2(
        error.isEmpty() ? lookup.error.isEmpty() : lookup.error.endsWith(error), qPrintable(lookup.error));
    QVERIFY(!lookup.fromCache);
}

void TestOgnClients::ddbCacheStandsInWhenOffline()
{
    QTemporaryDir cache;
    DdbStandIn server;
    server.body = registered;
    DdbClient client;
    client.setDownloadUrl(QUrl(server.url()));
    client.setCacheFolder(cache.path());
    QSignalSpy finished(&client, &DdbClient::finished);
    client.lookUp(0x2FD00F);
    QTRY_COMPARE(finished.size(), 1);
    // Within the day the cache answers and nobody is asked.
    QVERIFY(client.hasFreshAnswer(0x2FD00F));
    client.lookUp(0x2FD00F);
    QTRY_COMPARE(finished.size(), 2);
    QCOMPARE(server.targets.size(), 1);
    QVERIFY(finished.at(1).at(0).value<DdbLookup>().fromCache);
    // Older than the lifetime, offline: the old answer stands in and says why.
    client.setCacheLifetime(0);
    client.setDownloadUrl(QUrl(QString("http://127.0.0.1:%1/download/").arg(closedPort())));
    client.lookUp(0x2FD00F);
    QTRY_COMPARE(finished.size(), 3);
    const DdbLookup offline = finished.at(2).at(0).value<DdbLookup>();
    QVERIFY(offline.answered && offline.fromCache && offline.device);
    QCOMPARE(offline.device->registration, QString("D-1749"));
    QVERIFY2(offline.error.startsWith("cannot reach 127.0.0.1:"), qPrintable(offline.error));
    // Another address has no cache to stand in.
    client.lookUp(0x2FD010);
    QTRY_COMPARE(finished.size(), 4);
    QVERIFY(!finished.at(3).at(0).value<DdbLookup>().answered);
}

// The command against both stand-ins, in this process.
void TestOgnClients::cliEndToEnd_data()
{
    QTest::addColumn<QByteArray>("ddbBody");
    QTest::addColumn<bool>("aprsThere");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("beacons"); // -1: not shown
    QTest::addColumn<QString>("errorsContain");
    QTest::newRow("registered and received")
        << registered << true << 0 << 3 << "sending GET http://127.0.0.1:";
    QTest::newRow("not tracked: received yes/no only") << hidden << true << 0 << -1 << "pass -1";
    QTest::newRow("APRS server not there")
        << registered << false << 1 << 3 << "APRS: cannot reach 127.0.0.1:";
}

void TestOgnClients::cliEndToEnd()
{
    QFETCH(QByteArray, ddbBody);
    QFETCH(bool, aprsThere);
    QFETCH(int, exitCode);
    QFETCH(int, beacons);
    QFETCH(QString, errorsContain);
    DdbStandIn ddb;
    ddb.body = ddbBody;
    AprsStandIn aprs(recordedAprsLines());
    const quint16 aprsPort = aprsThere ? aprs.serverPort() : closedPort();
    QString output;
    QString errors;
    TrackerCommands commands(&output, &errors);
    const int code
        = commands.run(parseCommandLine({"tracktune-cli", "ogn", "--address", "0x2FD00F", "--seconds", "1",
            "--json", "--aprs-server", QString("127.0.0.1:%1").arg(aprsPort), "--ddb-url", ddb.url()}));
    QCOMPARE(code, exitCode);
    QVERIFY2(errors.contains(errorsContain), qPrintable(errors));
    const QJsonObject document = QJsonDocument::fromJson(output.toUtf8()).object();
    const QJsonObject aprsJson = document["aprs"].toObject();
    QCOMPARE(document["ddb"].toObject()["registered"].toBool(), true);
    if (!aprsThere) {
        QVERIFY(aprsJson["received"].isNull());
        return;
    }
    QCOMPARE(aprsJson["received"].toBool(), true);
    QCOMPARE(aprsJson.contains("beacons"), beacons >= 0);
    if (beacons < 0)
        return;
    const QJsonArray list = aprsJson["beacons"].toArray();
    QCOMPARE(list.size(), beacons);
    QCOMPARE(list.at(1).toObject()["receiver"].toString(), QString("LZHU"));
    QCOMPARE(list.at(1).toObject()["freq_offset_khz"].toDouble(), 21.3);
    QCOMPARE(list.at(2).toObject()["relayed"].toBool(), true);
    QCOMPARE(document["ddb"].toObject()["registration"].toString(), QString("D-1749"));
}

void TestOgnClients::cliShowsOnlyWhetherForAnUntrackedAddress_data()
{
    QTest::addColumn<bool>("ddbThere");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("owner does not want it tracked") << true << 0;
    QTest::newRow("database not there: not known") << false << 1;
}

void TestOgnClients::cliShowsOnlyWhetherForAnUntrackedAddress()
{
    QFETCH(bool, ddbThere);
    QFETCH(int, exitCode);
    DdbStandIn ddb;
    ddb.body = hidden;
    const QString ddbUrl = ddbThere ? ddb.url() : QString("http://127.0.0.1:%1/download/").arg(closedPort());
    AprsStandIn aprs(recordedAprsLines());
    QString output;
    QString errors;
    TrackerCommands commands(&output, &errors);
    const int code
        = commands.run(parseCommandLine({"tracktune-cli", "ogn", "--address", "2FD00F", "--seconds", "1",
            "--aprs-server", QString("127.0.0.1:%1").arg(aprs.serverPort()), "--ddb-url", ddbUrl}));
    QCOMPARE(code, exitCode);
    QVERIFY2(output.endsWith("\nreceived: yes\n"), qPrintable(output));
    QVERIFY2(!output.contains("received by") && !output.contains("dB"), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestOgnClients)
#include "tst_ognclients.moc"
