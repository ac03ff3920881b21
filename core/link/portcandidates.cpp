// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/portcandidates.h"

#include "link/portorder.h"
#include "link/serial.h"

namespace tracktune {

QStringList portCandidates(const QHash<QString, QString> &ports)
{
    const QStringList known = knownAdapterPorts(ports);
    QStringList others;
    for (auto port = ports.cbegin(); port != ports.cend(); ++port) {
        if (port.value().contains(QLatin1String("USB")) && !known.contains(port.key()))
            others << port.key();
    }
    return known + naturalPortOrder(others);
}

} // namespace tracktune
