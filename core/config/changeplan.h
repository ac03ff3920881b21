// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tracktune {

// The parameters that make one aircraft this aircraft: two trackers sending the same
// radio address are a hazard, so they are copied from another tracker only on request.
bool isIdentityParameter(const QString &name);
// "Hard" and "Soft" describe the device itself; they are never written.
bool describesDevice(const QString &name);

// What to write to a tracker, decided before anything goes on the wire.
struct ChangePlan
{
    QList<DumpLine> writes; // in the value form the window writes, in the order asked
    QStringList problems; // any of them means nothing may be written
    QStringList skipped; // lines passed over, each with its reason
};

// Settings given one by one: each must name a parameter of the dump and carry a value it
// takes; every one is written, also when the tracker already holds it.
ChangePlan planSettings(const QList<DumpLine> &requested, const QList<DumpLine> &reported);

// A backup or template: only the values that differ from the tracker's are written.
// Identity parameters go only onto the tracker the file came from (same Address), or
// when writeIdentity is set; names the tracker lacks are skipped.
ChangePlan planFile(const QList<DumpLine> &file, const QList<DumpLine> &reported, bool writeIdentity);

} // namespace tracktune
