// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/conversions.h"

#include <QList>

#include <algorithm>

namespace tracktune {

QHash<QString, bool> checksFromMask(int mask, const QHash<int, QString> &bits)
{
    QHash<QString, bool> checks;
    for (auto it = bits.constBegin(); it != bits.constEnd(); ++it)
        checks.insert(it.value(), (mask & it.key()) != 0);
    return checks;
}

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

int nearestOptionKey(int value, const QHash<int, QString> &options)
{
    if (options.isEmpty() || options.contains(value))
        return value;
    QList<int> keys = options.keys();
    std::sort(keys.begin(), keys.end());
    if (keys.last() < value)
        return keys.last();

    int lower = keys.first();
    int upper = keys.first();
    for (int i = 1; i < keys.size(); ++i) {
        lower = keys.at(i - 1);
        upper = keys.at(i);
        if (upper >= value)
            break;
    }
    // Wide arithmetic: the device may report any number.
    const qint64 belowDistance = qint64(value) - lower;
    const qint64 aboveDistance = qint64(upper) - value;
    return belowDistance >= aboveDistance ? upper : lower;
}

} // namespace tracktune
