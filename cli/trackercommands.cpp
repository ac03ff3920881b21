// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackercommands.h"

#include "fleetrunner.h"
#include "jsonreport.h"
#include "stopsignals.h"

#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "link/listcollector.h"
#include "link/portcandidates.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSerialPort>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

using tracktune::DumpLine;
using tracktune::lowerFirst;
using tracktune::namesJson;
using tracktune::StopOnSignals;
using tracktune::terminalText;

namespace {

// Escapes are for a person at a terminal; a file or a pipe gets the bytes as they are.
bool standardOutputIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

QString namesOf(const QList<DumpLine> &settings)
{
    QStringList names;
    for (const DumpLine &setting : settings)
        names << setting.name;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// Why the named port does not open, in the window's words where it has them; empty when it
// opens. The link itself only tells whether it is open.
QString openRefusal(const QString &portName)
{
    const QSerialPort::SerialPortError error = Serial::tryOpen(portName);
    if (error == QSerialPort::DeviceNotFoundError)
        return QStringLiteral("cannot open ") + portName + QStringLiteral(": no such port");
    if (error == QSerialPort::TimeoutError)
        return QStringLiteral("cannot open ") + portName + QStringLiteral(": the port did not open in time");
    if (error == QSerialPort::PermissionError)
        return lowerFirst(tracktune::portRefusalMessage(portName, error, Serial::isPermitted(portName)));
    // Anything else is found out by the open that follows.
    return QString();
}

} // namespace

TrackerCommands::TrackerCommands() : out(stdout), err(stderr), outputIsTerminal(standardOutputIsTerminal())
{
    tellRefusals();
}

TrackerCommands::TrackerCommands(QString *output, QString *errors) : out(output), err(errors)
{
    tellRefusals();
}

void TrackerCommands::tellRefusals()
{
    // A known adapter the search could not open is most often a missing group membership or
    // a program that grabbed the port: the user can fix both.
    QObject::connect(&session.link(), &Serial::portRefused, &session.link(),
        [this](const QString &portName, QSerialPort::SerialPortError error, bool permitted) {
            const QString message = tracktune::portRefusalMessage(portName, error, permitted);
            if (!message.isEmpty())
                complain(lowerFirst(message));
        });
}

int TrackerCommands::run(const tracktune::CliRequest &request)
{
    this->request = request;
    if (request.usage) {
        err << tracktune::usageText();
        return tracktune::exitUsage;
    }
    if (!request.problem.isEmpty()) {
        complain(tracktune::usageProblemText(request.problem));
        return tracktune::exitUsage;
    }
    if (request.version) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return tracktune::exitDone;
    }
    if (request.command.isEmpty()) {
        out << tracktune::usageText();
        return tracktune::exitDone;
    }
    QStringList ports = request.ports;
    ports.removeDuplicates();
    if (ports.size() > 1 || ports == QStringList {QStringLiteral("all")}) {
        // One aircraft's identity on several trackers: two aircraft sending one address.
        if (const QString copied = identityForAFleet(); !copied.isEmpty()) {
            complain(tracktune::usageProblemText(copied));
            return tracktune::exitUsage;
        }
        tracktune::FleetRunner fleet(request, out, err, [this](const QString &text) { complain(text); });
        fleet.setProgram(program);
        return fleet.run(ports);
    }
    target = ports.value(0); // a message before the read names it too
    member = tracktune::isFleetMember() && !out.string();
    if (member)
        memberOutput.hold(out, err);
    const int code = finishJson(runCommand());
    relay(true);
    return code;
}

QString TrackerCommands::identityForAFleet() const
{
    if (request.command == QLatin1String("apply") && request.identity)
        return QStringLiteral("--identity with several ports would give every tracker the file's identity; "
                              "apply each aircraft's own file to its own port");
    if (request.command != QLatin1String("set"))
        return QString();
    QStringList names;
    for (const QString &argument : request.arguments) {
        const std::optional<DumpLine> setting = tracktune::parseSetting(argument);
        if (setting && tracktune::isIdentityParameter(setting->name))
            names << setting->name;
    }
    return names.isEmpty() ? QString()
                           : QStringLiteral("set with several ports would give every tracker the same ")
            + names.join(QStringLiteral(", ")) + QStringLiteral("; set it on each tracker's own port");
}

int TrackerCommands::runCommand()
{
    if (request.command == QLatin1String("ports"))
        return listPorts();
    if (request.command == QLatin1String("show"))
        return show();
    if (request.command == QLatin1String("status"))
        return status();
    if (request.command == QLatin1String("ogn"))
        return ogn();
    if (request.command == QLatin1String("image"))
        return checkImage();
    if (request.command == QLatin1String("set"))
        return set();
    if (request.command == QLatin1String("backup"))
        return backup();
    return apply();
}

int TrackerCommands::finishJson(int code)
{
    // A tracker show has read prints its own document; one that failed says why as the others do.
    if (!request.json || request.command == QLatin1String("ports")
        || (request.command == QLatin1String("show") && code == tracktune::exitDone) || documentPrinted)
        return code;
    out << tracktune::jsonOutput(
        QJsonDocument(tracktune::finishedReport(report, portShown(), address, code, complaints)));
    return code;
}

void TrackerCommands::relay(bool ending)
{
    if (!member || (!settled && !ending))
        return;
    out.flush();
    err.flush();
    // A JSON document is one tracker's already; the list gathers them.
    memberOutput.pass(prefixShown(), !request.json, ending);
}

std::optional<QList<DumpLine>> TrackerCommands::readTracker()
{
    Serial &link = session.link();
    const QString noneFound
        = QStringLiteral("no tracker found: no port has a known adapter or \"USB\" in its description");
    target = request.ports.value(0);
    if (target.isEmpty() && !needsOnePort()) {
        if (!link.findDevice()) {
            complain(noneFound);
            return std::nullopt;
        }
        complain(QStringLiteral("using ") + link.portName());
    } else {
        if (target.isEmpty()) {
            // A write goes only where no other port could be the tracker: the search would take
            // the first of two aircraft, or pass a busy tracker for another aircraft's.
            const QStringList candidates = tracktune::portCandidates(Serial::scanPorts());
            if (candidates.isEmpty()) {
                complain(noneFound);
                return std::nullopt;
            }
            if (candidates.size() > 1) {
                complain(QStringLiteral("several ports may hold a tracker: name one with --port: ")
                    + candidates.join(QStringLiteral(", ")));
                return std::nullopt;
            }
            target = candidates.first();
            complain(QStringLiteral("using ") + target);
        }
        const QString refusal = openRefusal(target);
        if (!refusal.isEmpty()) {
            settled = true;
            complain(refusal);
            return std::nullopt;
        }
        session.connectTo(target);
    }
    if (!link.isOpen()) {
        settled = true;
        complain(QStringLiteral("cannot open ") + portShown());
        return std::nullopt;
    }
    // The read ends when the list has ended, by the tracker's own end rules.
    std::optional<QList<DumpLine>> dump;
    QEventLoop reading;
    const QMetaObject::Connection read = QObject::connect(
        &session, &DeviceSession::listRead, [&dump, &reading](const QList<DumpLine> &list) {
            dump = list;
            reading.quit();
        });
    const QMetaObject::Connection failed
        = QObject::connect(&session, &DeviceSession::readFailed, &reading, &QEventLoop::quit);
    if (session.startRead())
        reading.exec();
    QObject::disconnect(read);
    QObject::disconnect(failed);
    if (dump)
        if (const DumpLine *entry = tracktune::findSetting(*dump, QStringLiteral("Address")))
            address = entry->value;
    settled = true;
    relay();
    // Why: a port that closed, a silent device or one that never printed a list call for
    // different hands.
    if (!dump) {
        const std::optional<tracktune::ReadFailure> failure = session.lastReadFailure();
        complain(QStringLiteral("no list from ") + portShown() + QStringLiteral(": ")
            + (failure ? lowerFirst(tracktune::readFailureText(*failure))
                       : QStringLiteral("the tracker did not answer")));
    }
    return dump;
}

int TrackerCommands::writeAndConfirm(const QList<DumpLine> &writes)
{
    DeviceSession::WriteReport report;
    {
        const StopOnSignals stopping;
        QEventLoop writing;
        const QMetaObject::Connection written = QObject::connect(&session, &DeviceSession::writeFinished,
            [&report, &writing](const DeviceSession::WriteReport &finished) {
                report = finished;
                writing.quit();
            });
        if (session.startWrite(writes, [] { return tracktune::stopSignal() != 0; }))
            writing.exec();
        QObject::disconnect(written);
    }
    const int signal = tracktune::stopSignal();
    if (report.readBack)
        printChanges(report.changes, report.changedByTracker);
    this->report.insert(QStringLiteral("written"), namesJson(report.sent));
    this->report.insert(QStringLiteral("notWritten"), namesJson(report.notSent));
    this->report.insert(QStringLiteral("notTaken"), QJsonArray::fromStringList(report.notTaken));
    const QString told = QStringLiteral("written: ") + namesOf(report.sent)
        + QStringLiteral("; not written: ") + namesOf(report.notSent);
    // One that came after the last sentence had gone out stopped nothing, but it still ends
    // the program as asked, once what the tracker holds now is told.
    if (signal != 0) {
        complain((report.stopped ? QStringLiteral("stopped by a signal: ")
                                 : QStringLiteral("a signal after the last sentence: "))
            + told
            + (report.readBack ? QString() : QStringLiteral("; the tracker did not answer the read-back")));
        if (report.readBack && !report.notTaken.isEmpty())
            complain(
                QStringLiteral("the tracker did not take: ") + report.notTaken.join(QStringLiteral(", ")));
        return 128 + signal;
    }
    if (report.linkLost) {
        // The last sentence written went out, but nothing tells whether the tracker took it.
        complain(QStringLiteral("the tracker was lost while writing: ") + told);
        return tracktune::exitNoTracker;
    }
    if (!report.readBack) {
        complain(QStringLiteral("the values were sent but could not be read back: ") + namesOf(report.sent));
        return tracktune::exitNoTracker;
    }
    if (!report.notSent.isEmpty()) {
        for (const QString &reason : report.refused)
            complain(reason);
        complain(QStringLiteral("no sentence could carry: ") + namesOf(report.notSent));
        return tracktune::exitNotTaken;
    }
    if (!report.notTaken.isEmpty()) {
        complain(QStringLiteral("the tracker did not take: ") + report.notTaken.join(QStringLiteral(", ")));
        return tracktune::exitNotTaken;
    }
    return tracktune::exitDone;
}

bool TrackerCommands::needsOnePort() const
{
    return request.command != QLatin1String("show") && request.command != QLatin1String("status");
}

void TrackerCommands::complain(const QString &text)
{
    // Results and complaints stay in the order they happened when both go to a terminal.
    out.flush();
    err << "tracktune-cli: " << terminalText(text) << '\n';
    err.flush();
    complaints << text;
    relay();
}

QString TrackerCommands::portShown() const
{
    return target.isEmpty() ? session.link().portName() : target;
}

QString TrackerCommands::prefixShown() const
{
    return address.isEmpty() ? portShown() : address;
}
