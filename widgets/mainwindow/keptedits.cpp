// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/keptedits.h"

#include "config/settingsfile.h"
#include "config/verification.h"

namespace tracktune {

bool editsBelongTo(const TrackerIdentity &before, const TrackerIdentity &now)
{
    return !before.cpuId.isEmpty() && before.cpuId == now.cpuId;
}

KeptEdits keptEdits(const QList<DumpLine> &edits, const QList<DumpLine> &list)
{
    KeptEdits kept;
    for (const DumpLine &edit : edits) {
        const DumpLine *listed = findSetting(list, edit.name);
        if (listed && !reportsAsWritten(edit.value, listed->value))
            kept.pending << edit;
        else
            kept.settled << edit.name;
    }
    return kept;
}

} // namespace tracktune
