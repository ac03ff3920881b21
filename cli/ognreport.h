// SPDX-License-Identifier: GPL-3.0-or-later
// How "tracktune-cli ogn" reads its options and puts what the OGN network said into JSON.
#pragma once

#include "ogn/aprsbeacon.h"
#include "ogn/ddbclient.h"
#include "ogn/ognservers.h"
#include "ogn/ognwording.h" // the sentences, shared with the window

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace tracktune {

QJsonObject ognDdbJson(const DdbLookup &lookup, const QStringList &mismatches);
// onlyWhether: "received" alone, for an address whose owner does not want it tracked.
QJsonObject ognAprsJson(const QList<AprsBeacon> &beacons, bool onlyWhether);

} // namespace tracktune
