// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"

#include <QList>
#include <QString>

namespace tracktune {

// Which tracker a workflow started with: the port it was on, the Address and Hard its list
// printed, and the CPU id of its status line ("1:3:A1B2C3/0000246F28A1B2C3 ...") where the
// tracker printed one. The CPU id is the chip's own: it survives a firmware update that puts
// every setting, the Address included, back to its default.
struct TrackerIdentity
{
    QString port; // as the system names it
    QString address;
    QString hardware;
    QString cpuId; // 16 upper-case hex digits; empty when no status line gave one

    bool isEmpty() const { return port.isEmpty() && address.isEmpty() && cpuId.isEmpty(); }
};

bool operator==(const TrackerIdentity &a, const TrackerIdentity &b);
inline bool operator!=(const TrackerIdentity &a, const TrackerIdentity &b)
{
    return !(a == b);
}
bool operator==(const DumpLine &a, const DumpLine &b);

TrackerIdentity trackerIdentity(const QString &port, const QString &statusLine, const QList<DumpLine> &list);

// The same device, wherever it is plugged in and whatever its settings now: by the CPU id when
// both sides have one, else by the Address.
bool isSameDevice(const TrackerIdentity &before, const TrackerIdentity &now);

// The tracker in a few words for a message: its Address and port, or "no tracker".
QString describeTracker(const TrackerIdentity &tracker);

} // namespace tracktune
