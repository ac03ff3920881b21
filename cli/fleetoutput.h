// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QTextStream>

namespace tracktune {

// Set for each process a fleet starts: it is one tracker of several and prefixes its lines.
extern const char fleetMemberVariable[];

// Whether this process is one tracker of a fleet.
bool isFleetMember();

// Set for each process of a fleet to the time the fleet began (ISO 8601).
extern const char fleetStartedVariable[];

// The time a backup is dated by: the fleet's start in one of its processes, so that every tracker
// of one run writes the same date and time and each tells the others' files from older ones;
// the current time elsewhere, or when the variable holds no time.
QDateTime backupTime();

// What one tracker of a fleet prints: held until the tracker's Address is known to prefix
// each line with (or until the process ends, with the port's name), then passed on in whole
// lines as they come.
class FleetMemberOutput
{
public:
    // From now on the streams write into what is held.
    void hold(QTextStream &out, QTextStream &err);
    // Passes on the whole lines held so far, or everything at the end, each line prefixed with
    // the prefix; standard output's only when prefixOutput (a JSON document is one tracker's
    // already: the fleet's list gathers them).
    void pass(const QString &prefix, bool prefixOutput, bool ending);

private:
    QString outBuffer, errBuffer;
    int outRelayed = 0, errRelayed = 0;
};

} // namespace tracktune
