// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tracktune {

// What the command line promises scripts.
enum ExitCode : int {
    exitDone = 0,
    exitNoTracker = 1, // none found, the port would not open or the tracker did not answer
    exitUsage = 2, // nothing was written
    exitNotTaken = 3, // the tracker did not take every value
    exitNotMet = 1, // status: the tracker does not meet what --require names
    exitServerUnreachable = 1, // ogn: the devices database or the APRS server could not be reached
    exitRefused = 1, // image: the file is no image the board's tracker can take
};

// One run of the command line, as typed.
struct CliRequest
{
    QString command; // "ports", "show", "status", "set", "backup", "apply", "ogn", "image"; empty with --help
                     // or --version
    bool usage = false; // nothing at all was asked: the usage goes to standard error
    bool version = false;
    QStringList ports; // names or paths, or "all"; empty: search as the window does
    bool all = false;
    bool json = false;
    bool dryRun = false;
    bool identity = false;
    bool force = false; // writes a TxProtMask that transmits nothing, replaces a backup
    bool watch = false; // status: prints each change until stopped
    int seconds = 12; // status: listens at most this long
    QStringList required; // status: fix, transmitting, ...
    QString ognAddress; // ogn: --address as typed; empty: the tracker's
    QString aprsServer; // ogn: HOST:PORT as typed; empty: the public server
    QString ddbUrl; // ogn: the devices database's download as typed; empty: the public one
    QString board; // image: --board, the tracker's Hard as typed; empty: any chip
    QStringList arguments; // NAME=VALUE... or the FILE
    QString problem; // a usage error; empty when the request is whole
};

// Reads the arguments (the program's name first) without touching anything.
CliRequest parseCommandLine(const QStringList &arguments);

QString usageText();

// The one line a usage error gets on standard error, after the program's name: what was
// wrong and where to read more; the usage itself is for --help.
QString usageProblemText(const QString &problem);

// The FILE "-": standard output for backup, standard input for apply.
bool isStandardStream(const QString &file);

// "backup DIR/": a folder named as one, or one that exists.
bool isFolder(const QString &path);

// A sentence of the window's or of Qt's in the style of every message here.
QString lowerFirst(QString text);

} // namespace tracktune
