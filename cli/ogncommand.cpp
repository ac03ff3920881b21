// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the OGN network knows the tracker (its devices database) and hears it (the APRS stream).
#include "trackercommands.h"

#include "jsonreport.h"
#include "ognreport.h"
#include "stopsignals.h"

#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "ogn/aprsclient.h"
#include "ogn/ddbclient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QTimer>

using tracktune::AprsBeacon;
using tracktune::DdbLookup;

int TrackerCommands::ogn()
{
    QString aprsHost = tracktune::AprsClient::defaultHost();
    quint16 aprsPort = tracktune::AprsClient::defaultPort;
    if (!request.aprsServer.isEmpty()
        && !tracktune::parseHostPort(request.aprsServer, &aprsHost, &aprsPort)) {
        complain(tracktune::usageProblemText(QStringLiteral("--aprs-server takes HOST:PORT")));
        return tracktune::exitUsage;
    }
    QUrl ddbUrl = tracktune::DdbClient::defaultUrl();
    if (!request.ddbUrl.isEmpty()) {
        const std::optional<QUrl> url = tracktune::parseDdbUrl(request.ddbUrl);
        if (!url) {
            complain(tracktune::usageProblemText(QStringLiteral("--ddb-url takes an http or https URL")));
            return tracktune::exitUsage;
        }
        ddbUrl = *url;
    }

    // The address typed, or the tracker's own with what it sends it as.
    tracktune::TrackerOgnIdentity identity;
    const bool ownTracker = request.ognAddress.isEmpty();
    if (!ownTracker) {
        const std::optional<quint32> typed = tracktune::parseOgnAddress(request.ognAddress);
        if (!typed) {
            complain(
                tracktune::usageProblemText(QStringLiteral("--address takes six hex digits, as 0x2FD00F")));
            return tracktune::exitUsage;
        }
        identity.address = *typed;
    } else {
        const std::optional<QList<tracktune::DumpLine>> dump = readTracker();
        if (!dump)
            return tracktune::exitNoTracker;
        const std::optional<tracktune::TrackerOgnIdentity> read = tracktune::trackerOgnIdentity(*dump);
        if (!read) {
            complain(QStringLiteral("the tracker printed no Address"));
            return tracktune::exitNoTracker;
        }
        identity = *read;
    }

    // The database first: whether its owner wants the address tracked decides what is shown.
    tracktune::DdbClient ddb;
    ddb.setDownloadUrl(ddbUrl);
    DdbLookup lookup;
    if (ddb.hasFreshAnswer(identity.address))
        complain(QStringLiteral("using the devices database's answer of the last day from the cache"));
    else
        complain(QStringLiteral("sending GET ") + ddb.queryUrl(identity.address).toString());
    {
        QEventLoop asking;
        QObject::connect(
            &ddb, &tracktune::DdbClient::finished, &asking, [&lookup, &asking](const DdbLookup &done) {
                lookup = done;
                asking.quit();
            });
        ddb.lookUp(identity.address);
        asking.exec();
    }
    const QStringList mismatches
        = ownTracker ? tracktune::ddbMismatches(lookup.device, identity) : QStringList();
    if (!lookup.error.isEmpty())
        complain(QStringLiteral("devices database: ") + lookup.error);
    if (!request.json) {
        for (const QString &line : tracktune::ognDdbLines(lookup, mismatches))
            out << tracktune::terminalText(line) << '\n';
        out.flush();
    }
    // Someone else's address: only whether it was heard, unless its owner lets it be tracked.
    const bool onlyWhether = !ownTracker && !(lookup.device ? lookup.device->tracked : lookup.answered);

    tracktune::AprsClient aprs;
    aprs.setServer(aprsHost, aprsPort);
    aprs.setVersion(QCoreApplication::applicationVersion());
    complain(QStringLiteral("sending to ") + aprsHost + QLatin1Char(':') + QString::number(aprsPort)
        + QStringLiteral(": ") + QString::fromLatin1(aprs.loginLine(identity.address).trimmed()));
    QList<AprsBeacon> beacons;
    QString aprsError;
    int signal = 0;
    {
        const tracktune::StopOnSignals stopping;
        QEventLoop listening;
        QObject::connect(
            &aprs, &tracktune::AprsClient::beaconReceived, &listening, [&](const AprsBeacon &beacon) {
                beacons << beacon;
                if (!request.json && !onlyWhether) {
                    out << tracktune::terminalText(tracktune::ognBeaconLine(beacon)) << '\n';
                    out.flush();
                }
            });
        QObject::connect(&aprs, &tracktune::AprsClient::failed, &listening, [&](const QString &why) {
            aprsError = why;
            listening.quit();
        });
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &listening, [&listening] {
            if (tracktune::stopSignal() != 0)
                listening.quit();
        });
        QTimer::singleShot(request.seconds * 1000, &listening, &QEventLoop::quit);
        tick.start(200);
        aprs.listen(identity.address);
        listening.exec();
        aprs.stop();
        signal = tracktune::stopSignal();
    }
    if (!aprsError.isEmpty())
        complain(QStringLiteral("APRS: ") + aprsError);

    if (request.json) {
        QJsonObject aprsJson = tracktune::ognAprsJson(beacons, onlyWhether);
        if (!aprsError.isEmpty()) {
            aprsJson.insert(QStringLiteral("received"), QJsonValue(QJsonValue::Null));
            aprsJson.insert(QStringLiteral("error"), aprsError);
        }
        QJsonObject document;
        document.insert(QStringLiteral("address"), tracktune::addressHex(identity.address));
        document.insert(QStringLiteral("ddb"), tracktune::ognDdbJson(lookup, mismatches));
        document.insert(QStringLiteral("aprs"), aprsJson);
        out << tracktune::jsonOutput(QJsonDocument(document));
        documentPrinted = true;
    } else if (aprsError.isEmpty()) {
        if (onlyWhether)
            out << "received: " << (beacons.isEmpty() ? "no" : "yes") << '\n';
        else
            out << tracktune::terminalText(tracktune::ognReceptionSummary(beacons, request.seconds)) << '\n';
    }
    if (signal != 0)
        return 128 + signal;
    // A database answer from the cache counts: the check ran, on what was known a while ago.
    return lookup.answered && aprsError.isEmpty() ? tracktune::exitDone : tracktune::exitServerUnreachable;
}
