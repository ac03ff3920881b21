// SPDX-License-Identifier: GPL-3.0-or-later
// How "tracktune-cli ogn" reads its options and words what the OGN network said.
#pragma once

#include "ogn/aprsbeacon.h"
#include "ogn/ddbclient.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace tracktune {

// "0x2FD00F" or "2FD00F": at most six hex digits.
std::optional<quint32> parseOgnAddress(const QString &text);
// "HOST:PORT", the port 1 to 65535.
bool parseHostPort(const QString &text, QString *host, quint16 *port);
// An http or https URL with a host.
std::optional<QUrl> parseDdbUrl(const QString &text);

// One beacon as it arrives: its time, the station that received it, signal, frequency offset,
// and who relayed it.
QString ognBeaconLine(const AprsBeacon &beacon);

// What the listening came to: the stations, the best signal and the frequency offset, or why the
// tracker may not have been received.
QString ognReceptionSummary(const QList<AprsBeacon> &beacons, int seconds);

// The database's answer, a line each.
QStringList ognDdbLines(const DdbLookup &lookup, const QStringList &mismatches);

QJsonObject ognDdbJson(const DdbLookup &lookup, const QStringList &mismatches);
// onlyWhether: "received" alone, for an address whose owner does not want it tracked.
QJsonObject ognAprsJson(const QList<AprsBeacon> &beacons, bool onlyWhether);

} // namespace tracktune
