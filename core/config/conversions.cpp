// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/conversions.h"

namespace tracktune {

int maskFromChecks(const QHash<QString, bool> &checks, const QHash<int, QString> &bits)
{
    int mask = 0;
    for (auto it = bits.constBegin(); it != bits.constEnd(); ++it) {
        if (checks.value(it.value(), false))
            mask += it.key();
    }
    return mask;
}

quint32 mergeMask(quint32 checkedMask, quint32 reportedMask, const QHash<int, QString> &bits)
{
    quint32 listedBits = 0;
    for (auto it = bits.constBegin(); it != bits.constEnd(); ++it)
        listedBits |= static_cast<quint32>(it.key());
    return checkedMask | (reportedMask & ~listedBits);
}

} // namespace tracktune
