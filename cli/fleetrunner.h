// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline.h"

#include <QByteArray>
#include <QEventLoop>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

namespace tracktune {

// One command on several ports: one process of this program for each, side by side from one
// event loop; their lines relayed in whole lines and in port order, each tracker's together (the
// first port's as they come, the next one's from when the first has ended), their JSON objects
// gathered into one list in port order, SIGINT and SIGTERM passed on to each, the highest exit
// code returned.
class FleetRunner
{
public:
    // complain tells standard error about this process's own trouble, as every command does.
    FleetRunner(const CliRequest &request, QTextStream &out, QTextStream &err,
        std::function<void(const QString &)> complain);
    // The program each tracker gets a process of, the running one by default.
    void setProgram(const QString &path) { program = path; }
    // The ports named, or "all" for every known adapter plugged in.
    int run(QStringList ports);

private:
    struct Member
    {
        QString port;
        std::unique_ptr<QProcess> process;
        QByteArray output, outLine, errLine;
        // Whole lines not yet relayed, in the order they came, each with whether it is an error's.
        QList<QPair<bool, QString>> held;
        bool ended = false;
        int code = exitNoTracker;
    };

    // Why the request cannot go to several trackers; empty when it can.
    QString fleetProblem() const;
    // The command and its flags, as each process gets them before its port.
    QStringList commonArguments() const;
    void start(Member *member, const QString &programPath, const QStringList &common,
        const QProcessEnvironment &environment);
    // The whole lines of what a member's process wrote, held for their turn.
    void take(Member *member, QByteArray &pending, const QByteArray &read, bool error, bool ending);
    // Relays what is held up to the first member still running.
    void relayInPortOrder();
    // A signal to this process is passed on to each: each finishes its sentence in flight and tells.
    void passOnStopSignal();
    // The highest exit code; with --json the list of the trackers' objects goes out first.
    int gather();

    const CliRequest &request;
    QTextStream &out;
    QTextStream &err;
    const std::function<void(const QString &)> complain;
    QString program;
    std::vector<Member> members;
    QEventLoop loop;
    int running = 0;
    size_t relaying = 0; // the first member whose lines are not all relayed
    bool forwarded = false;
};

} // namespace tracktune
