// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/trackeridentity.h"

#include <QList>
#include <QStringList>

namespace tracktune {

// Whether the edits made on the tracker `before` go back onto the tracker `now`, after the link
// dropped and came back: only onto the same chip, by the CPU id both status lines printed. Where
// either printed none nothing tells them apart, and edits never go onto another tracker.
bool editsBelongTo(const TrackerIdentity &before, const TrackerIdentity &now);

// The edits kept over a dropped link, against the list the same tracker printed once it was back.
struct KeptEdits
{
    QList<DumpLine> pending; // listed with another value: still the pilot's change
    QStringList settled; // listed with the edit's value, or no longer listed at all
};
KeptEdits keptEdits(const QList<DumpLine> &edits, const QList<DumpLine> &list);

} // namespace tracktune
