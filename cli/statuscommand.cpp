// SPDX-License-Identifier: GPL-3.0-or-later
// The preflight status: the list once, then what the tracker prints on its own.
#include "trackercommands.h"

#include "jsonreport.h"
#include "statusreport.h"
#include "stopsignals.h"

#include "config/firmwareline.h"
#include "config/settingsfile.h"
#include "status/preflightdecoder.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTime>
#include <QTimer>

using tracktune::DumpLine;
using tracktune::PreflightStatus;

namespace {

// Nothing more to wait for: the fix, whether it transmits (as far as its firmware prints it), the
// pressure sensor and the battery are all known.
bool everythingKnown(const PreflightStatus &status)
{
    const bool radioKnown = status.radio.transmitting.has_value()
        || (status.firmware == tracktune::FirmwareLine::Older && status.radio.rxPerMinute);
    return status.gps.fix && radioKnown && status.pressureSensor.present
        && (status.battery.volts || status.battery.notMeasured);
}

// With Verbose off, how long to wait for the battery's reading at most.
constexpr qint64 quietListeningMs = 2000;

} // namespace

int TrackerCommands::status()
{
    tracktune::PreflightDecoder decoder;
    QElapsedTimer clock;
    clock.start();
    // Every line, those of the list's answer too: its "Batt:" line is the battery's reading.
    const QMetaObject::Connection lines = QObject::connect(&session, &DeviceSession::lineReceived,
        [&decoder, &clock](const QByteArray &line) { decoder.take(line, clock.elapsed()); });
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump) {
        QObject::disconnect(lines);
        return tracktune::exitNoTracker;
    }
    decoder.setFirmwareLine(tracktune::firmwareLineOf(*dump));
    if (const DumpLine *verbose = tracktune::findSetting(*dump, QStringLiteral("Verbose"))) {
        bool ok = false;
        const int value = verbose->value.trimmed().toInt(&ok, 0);
        if (ok)
            decoder.setVerbose(value);
    }

    // Until all is known, the time is up or a signal, or with --watch until a signal. With Verbose
    // off nothing continuous will come: only the battery's reading, which the link's next poll
    // brings when the read's answer ended before it.
    bool lost = false;
    QStringList shown;
    const auto printChanges = [&] {
        const PreflightStatus now = decoder.status(clock.elapsed());
        const QStringList current = tracktune::statusLines(now);
        if (current == shown)
            return;
        const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss "));
        if (request.json) {
            out << QJsonDocument(tracktune::statusJson(now)).toJson(QJsonDocument::Compact) << '\n';
        } else {
            for (int i = 0; i < current.size(); ++i) {
                if (current.at(i) != shown.value(i))
                    out << time << current.at(i) << '\n';
            }
        }
        out.flush();
        shown = current;
    };
    const qint64 listeningSince = clock.elapsed();
    const auto listenedEnough = [&] {
        const PreflightStatus now = decoder.status(clock.elapsed());
        const qint64 listened = clock.elapsed() - listeningSince;
        if (!now.output.verboseOn)
            return now.battery.ageMs.has_value() || listened >= quietListeningMs;
        return listened >= qint64(request.seconds) * 1000 || everythingKnown(now);
    };
    {
        const tracktune::StopOnSignals stopping;
        QEventLoop listening;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &listening, [&] {
            if (tracktune::stopSignal() != 0)
                return listening.quit();
            if (request.watch)
                return printChanges();
            if (listenedEnough())
                listening.quit();
        });
        const QMetaObject::Connection gone
            = QObject::connect(&session, &DeviceSession::disconnected, &listening, [&lost, &listening] {
                  lost = true;
                  listening.quit();
              });
        if (request.watch)
            printChanges();
        if (request.watch || !listenedEnough()) {
            tick.start(request.watch ? 1000 : 100);
            listening.exec();
        }
        QObject::disconnect(gone);
    }
    QObject::disconnect(lines);
    const int signal = tracktune::stopSignal();
    const PreflightStatus status = decoder.status(clock.elapsed());
    if (lost) {
        complain(QStringLiteral("the tracker was lost while listening"));
        return tracktune::exitNoTracker;
    }
    const QStringList unmet = tracktune::unmetRequirements(status, request.required);
    if (!request.watch) {
        if (request.json) {
            QJsonObject document = tracktune::statusJson(status);
            document.insert(QStringLiteral("notMet"), QJsonArray::fromStringList(unmet));
            document.insert(QStringLiteral("port"), portShown());
            if (!address.isEmpty())
                document.insert(QStringLiteral("address"), address);
            out << tracktune::jsonOutput(QJsonDocument(document));
            documentPrinted = true;
        } else {
            for (const QString &line : tracktune::statusLines(status))
                out << line << '\n';
        }
    }
    // --watch ends by a signal as asked; a single look cut short says so.
    if (signal != 0 && !request.watch) {
        complain(QStringLiteral("stopped by a signal before the time was up"));
        return 128 + signal;
    }
    if (!unmet.isEmpty()) {
        complain(QStringLiteral("not met: ") + unmet.join(QStringLiteral(", ")));
        return tracktune::exitNotMet;
    }
    return tracktune::exitDone;
}
