// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetrunner.h"

#include "fleetoutput.h"
#include "jsonreport.h"
#include "stopsignals.h"

#include "link/serial.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTimer>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace tracktune {

FleetRunner::FleetRunner(const CliRequest &request, QTextStream &out, QTextStream &err,
    std::function<void(const QString &)> complain)
    : request(request), out(out), err(err), complain(std::move(complain))
{ }

int FleetRunner::run(QStringList ports)
{
    if (ports == QStringList {QStringLiteral("all")}) {
        ports = knownAdapterPorts(Serial::scanPorts());
        if (ports.isEmpty()) {
            complain(QStringLiteral("--port all: no known tracker adapter is plugged in"));
            return exitNoTracker;
        }
    }
    if (const QString problem = fleetProblem(); !problem.isEmpty()) {
        complain(usageProblemText(problem));
        return exitUsage;
    }
    const QStringList common = commonArguments();
    members = std::vector<Member>(size_t(ports.size()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(fleetMemberVariable), QStringLiteral("1"));
    environment.insert(
        QLatin1String(fleetStartedVariable), QDateTime::currentDateTime().toString(Qt::ISODate));
    const QString programPath = program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
    const StopOnSignals stopping;
    for (int i = 0; i < ports.size(); ++i) {
        Member *const member = &members[size_t(i)];
        member->port = ports.at(i);
        start(member, programPath, common, environment);
    }
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [this] { passOnStopSignal(); });
    watch.start(50);
    if (running > 0)
        loop.exec();
    relayInPortOrder();
    return gather();
}

QString FleetRunner::fleetProblem() const
{
    const QString file = request.arguments.value(0);
    if (request.command == QLatin1String("backup") && !isFolder(file))
        return QStringLiteral("the backups of several trackers go into a folder: backup DIR/");
    if (request.command == QLatin1String("apply") && isStandardStream(file))
        return QStringLiteral("several trackers read a file, not standard input");
    if (request.watch)
        return QStringLiteral("--watch follows one tracker: give one --port");
    return QString();
}

QStringList FleetRunner::commonArguments() const
{
    QStringList common {request.command};
    const QList<std::pair<bool, const char *>> flags {{request.all, "--all"}, {request.json, "--json"},
        {request.dryRun, "--dry-run"}, {request.identity, "--identity"}, {request.force, "--force"}};
    for (const auto &[set, flag] : flags) {
        if (set)
            common << QLatin1String(flag);
    }
    if (request.command == QLatin1String("status")) {
        common << QStringLiteral("--seconds") << QString::number(request.seconds);
        if (!request.required.isEmpty())
            common << QStringLiteral("--require") << request.required.join(QLatin1Char(','));
    }
    return common;
}

void FleetRunner::start(Member *const m, const QString &programPath, const QStringList &common,
    const QProcessEnvironment &environment)
{
    m->process = std::make_unique<QProcess>();
    QProcess *process = m->process.get();
    process->setProcessEnvironment(environment);
    QObject::connect(process, &QProcess::readyReadStandardOutput, process, [this, m, process] {
        const QByteArray read = process->readAllStandardOutput();
        if (request.json)
            m->output += read;
        else
            take(m, m->outLine, read, false, false);
    });
    QObject::connect(process, &QProcess::readyReadStandardError, process,
        [this, m, process] { take(m, m->errLine, process->readAllStandardError(), true, false); });
    QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process,
        [this, m, process](int exitCode, QProcess::ExitStatus status) {
            const QByteArray read = process->readAllStandardOutput();
            if (request.json)
                m->output += read;
            else
                take(m, m->outLine, read, false, true);
            take(m, m->errLine, process->readAllStandardError(), true, true);
            m->code = status == QProcess::NormalExit ? exitCode
                : stopSignal() != 0                  ? 128 + stopSignal()
                                                     : int(exitNoTracker);
            m->ended = true;
            relayInPortOrder();
            if (--running == 0)
                loop.quit();
        });
    process->start(programPath,
        common + QStringList {QStringLiteral("--port"), m->port, QStringLiteral("--")} + request.arguments);
    if (process->waitForStarted()) {
        ++running;
    } else {
        m->ended = true;
        complain(m->port + QStringLiteral(": cannot start ") + programPath + QStringLiteral(": ")
            + lowerFirst(process->errorString()));
    }
}

void FleetRunner::take(Member *const m, QByteArray &pending, const QByteArray &read, bool error, bool ending)
{
    // Whole lines only, so that two trackers' lines never mix within one.
    pending += read;
    const int end = ending ? pending.size() : pending.lastIndexOf('\n') + 1;
    if (end <= 0)
        return;
    QString lines = QString::fromUtf8(pending.left(end));
    if (!lines.endsWith(QLatin1Char('\n')))
        lines += QLatin1Char('\n');
    pending.remove(0, end);
    m->held.append({error, lines});
    relayInPortOrder();
}

void FleetRunner::relayInPortOrder()
{
    for (; relaying < members.size(); ++relaying) {
        Member &m = members[relaying];
        for (const auto &[error, lines] : std::as_const(m.held)) {
            QTextStream &stream = error ? err : out;
            stream << lines;
            stream.flush();
        }
        m.held.clear();
        if (!m.ended)
            return;
    }
}

void FleetRunner::passOnStopSignal()
{
    if (stopSignal() == 0 || forwarded)
        return;
    forwarded = true;
    for (const Member &m : members) {
        if (m.process->state() != QProcess::Running)
            continue;
#ifdef Q_OS_UNIX
        ::kill(pid_t(m.process->processId()), stopSignal());
#else
        m.process->terminate();
#endif
    }
}

int FleetRunner::gather()
{
    int worst = exitDone;
    QJsonArray documents;
    for (const Member &m : members) {
        worst = std::max(worst, m.code);
        const QJsonDocument document = QJsonDocument::fromJson(m.output);
        if (document.isObject())
            documents.append(document.object());
        else
            documents.append(
                QJsonObject {{QStringLiteral("port"), m.port}, {QStringLiteral("exitCode"), m.code}});
    }
    if (request.json)
        out << jsonOutput(QJsonDocument(documents));
    return worst;
}

} // namespace tracktune
