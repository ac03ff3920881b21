// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline.h"
#include "config/changeplan.h"
#include "config/dumpline.h"
#include "config/verification.h"
#include "fleetoutput.h"
#include "link/devicesession.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// The commands of the command line, run against one tracker link. Each returns its
// exit code; what went wrong goes to standard error, results to standard output.
// Several ports go to a tracktune::FleetRunner, one process each.
class TrackerCommands
{
public:
    TrackerCommands(); // standard output and standard error
    TrackerCommands(QString *output, QString *errors); // collected, for a caller in the same process
    int run(const tracktune::CliRequest &request);
    // The program a fleet's trackers each get a process of, the running one by default.
    void setProgram(const QString &path) { program = path; }

private:
    int runCommand();
    // Why the command may not go to several trackers: it would copy one aircraft's identity onto
    // each. Empty when it may.
    QString identityForAFleet() const;
    // A process of a fleet holds its lines until it knows the tracker's Address to prefix them
    // with (or until it ends, with the port's name).
    void relay(bool ending = false);
    int finishJson(int code);

    // The commands that only read (readcommands.cpp)
    int listPorts();
    int show();
    int backup();
    // The preflight status (statuscommand.cpp): the list, then what the tracker prints on its own.
    int status();
    // Whether the OGN network knows and hears the tracker (ogncommand.cpp): the devices database,
    // then the APRS stream.
    int ogn();
    int checkImage();

    // The commands that write (writecommands.cpp)
    int set();
    int apply();
    // The tracker already holds every value: said so, exit 0.
    int nothingToChange();
    void printChanges(const QList<tracktune::SettingChange> &changes,
        const QList<tracktune::SettingChange> &byTracker = {});
    // Why the writes may not go out without --force; empty when they may.
    QStringList silenceProblems(
        const QList<tracktune::DumpLine> &writes, const QList<tracktune::DumpLine> &reported) const;
    // A write that sets digits the tracker does not print, without naming them all, only with --force.
    QStringList hiddenBitProblems(const tracktune::ChangePlan &plan) const;
    bool noProblems(const QStringList &problems);

    // Opens the named port, or the one the search chooses, and reads the dump. Without a port
    // a command that needs one port takes the one candidate by name and refuses when there
    // are more.
    std::optional<QList<tracktune::DumpLine>> readTracker();
    // Writes, reads back and names on standard error what the tracker did not take.
    // SIGINT and SIGTERM stop it after the sentence in flight.
    int writeAndConfirm(const QList<tracktune::DumpLine> &writes);
    // Whether the command may go only to a port named or to the one port the search could take:
    // all but show and status, which take what the search finds as the window does.
    bool needsOnePort() const;
    void complain(const QString &text);
    void tellRefusals();
    QString portShown() const;
    QString prefixShown() const;

    tracktune::CliRequest request;
    QString target; // the port named, or the one candidate a write goes to; empty: the search's
    DeviceSession session;
    QTextStream out;
    QTextStream err;
    bool outputIsTerminal = false; // only then does "backup -" escape what it prints
    QString program;
    QString address; // the tracker's, once read
    QJsonObject report; // what --json prints for set, apply, backup and a show that failed
    bool documentPrinted = false; // show or status printed its own --json document
    QStringList complaints;
    bool member = false; // one tracker of a fleet: every line prefixed
    bool settled = false; // the prefix is known
    tracktune::FleetMemberOutput memberOutput;
};
