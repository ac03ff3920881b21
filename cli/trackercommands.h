#pragma once

#include "commandline.h"
#include "config/dumpline.h"
#include "link/devicesession.h"

#include <QList>
#include <QString>
#include <QTextStream>

#include <optional>

// The commands of the command line, run against one tracker link. Each returns its
// exit code; what went wrong goes to standard error, results to standard output.
class TrackerCommands
{
public:
    TrackerCommands(); // standard output and standard error
    TrackerCommands(QString *output, QString *errors); // collected, for a caller in the same process
    int run(const tracktune::CliRequest &request);

private:
    int listPorts();
    int show();
    int set();
    int backup();
    int apply();

    // Opens the named port, or the one the search chooses, and reads the dump.
    std::optional<QList<tracktune::DumpLine>> readTracker();
    std::optional<QList<tracktune::DumpLine>> readDump(bool quiet = false);
    // Writes, reads back and names on standard error what the tracker did not take.
    // SIGINT and SIGTERM stop it after the sentence in flight.
    int writeAndVerify(const QList<tracktune::DumpLine> &writes, const QList<tracktune::DumpLine> &before);
    void printChanges(const QList<tracktune::DumpLine> &writes, const QList<tracktune::DumpLine> &before,
        const QList<tracktune::DumpLine> &after);
    bool noProblems(const QStringList &problems);
    bool writes() const;
    void complain(const QString &text);
    void tellRefusals();
    QString portShown() const;

    tracktune::CliRequest request;
    DeviceSession session;
    QTextStream out;
    QTextStream err;
};
