// SPDX-License-Identifier: GPL-3.0-or-later
// How the OGN check words what the network said: the window and "tracktune-cli ogn" use the same
// sentences. The window's translations apply; the command line has none and stays English.
#pragma once

#include "config/dumpline.h"
#include "ogn/aprsbeacon.h"
#include "ogn/ddbclient.h"
#include "status/preflightdecoder.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

// "0x2FD00F" or "2FD00F": at most six hex digits.
std::optional<quint32> parseOgnAddress(const QString &text);

// What a tracker's list says it sends: its Address (none: the list has no readable one), its
// AddrType and its Reg.
std::optional<TrackerOgnIdentity> trackerOgnIdentity(const QList<DumpLine> &list);

// One beacon as it arrives: its time, the station that received it, signal, frequency offset,
// and who relayed it.
QString ognBeaconLine(const AprsBeacon &beacon);

// The same, a cell each, for a table.
struct OgnBeaconCells
{
    QString time; // "09:32:13"
    QString station;
    QString signal; // "32.8 dB"; empty when the beacon gave none
    QString offset; // "+21.3 kHz"; empty when the beacon gave none
    QString relayed; // "no", or "by RELAY"
    QString text; // a status or info beacon's own text
};
OgnBeaconCells ognBeaconCells(const AprsBeacon &beacon);

// What the listening came to: the stations, the best signal and the frequency offset, or why the
// tracker may not have been received.
QString ognReceptionSummary(const QList<AprsBeacon> &beacons, int seconds);

// Why a tracker was not received, most likely first: no fix, not transmitting, no station in
// range, the frequency plan. What the tracker's own status rules out is left out; what it shows
// is said as fact.
QStringList ognNotReceivedReasons(const PreflightStatus &status);

// The database's answer, a line each.
QStringList ognDdbLines(const DdbLookup &lookup, const QStringList &mismatches);

} // namespace tracktune
