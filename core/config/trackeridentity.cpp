// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/trackeridentity.h"

#include "config/settingsfile.h"
#include "config/verification.h"

#include <QCoreApplication>

namespace tracktune {

bool operator==(const TrackerIdentity &a, const TrackerIdentity &b)
{
    return a.port == b.port && a.address == b.address && a.hardware == b.hardware && a.cpuId == b.cpuId;
}

bool operator==(const DumpLine &a, const DumpLine &b)
{
    return a.name == b.name && a.value == b.value && a.comment == b.comment;
}

TrackerIdentity trackerIdentity(const QString &port, const QString &statusLine, const QList<DumpLine> &list)
{
    const auto valueOf = [&list](const QString &name) {
        const DumpLine *entry = findSetting(list, name);
        return entry ? entry->value : QString();
    };
    const std::optional<StatusLine> status = parseStatusLine(statusLine);
    return {port, valueOf(QStringLiteral("Address")), valueOf(QStringLiteral("Hard")),
        status ? status->cpuId : QString()};
}

bool isSameDevice(const TrackerIdentity &before, const TrackerIdentity &now)
{
    if (!before.cpuId.isEmpty() && !now.cpuId.isEmpty())
        return before.cpuId == now.cpuId;
    return !before.address.isEmpty() && reportsAsWritten(before.address, now.address);
}

QString describeTracker(const TrackerIdentity &tracker)
{
    if (tracker.isEmpty())
        return QCoreApplication::translate("tracktune", "no tracker");
    const QString address = tracker.address.isEmpty()
        ? QCoreApplication::translate("tracktune", "a tracker without an address")
        : tracker.address;
    return tracker.port.isEmpty()
        ? address
        : QCoreApplication::translate("tracktune", "%1 on %2").arg(address, tracker.port);
}

} // namespace tracktune
