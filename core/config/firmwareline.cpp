// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/firmwareline.h"

#include "config/valueencoding.h"

namespace tracktune {

FirmwareLine firmwareLineOf(const QList<DumpLine> &list)
{
    // The surest sign first: a parameter only one line has, then how Stealth is printed, then
    // how wide the protocol masks are.
    int stealth = 0;
    int masks = 0;
    for (const DumpLine &entry : list) {
        const QString value = entry.value.trimmed();
        if (entry.name == QLatin1String("Ghost"))
            return FirmwareLine::Newer;
        if (entry.name == QLatin1String("AltitudeUnit") || entry.name == QLatin1String("SpeedUnit")
            || entry.name == QLatin1String("VarioUnit"))
            return FirmwareLine::Older;
        if (entry.name == QLatin1String("Stealth") && stealth == 0)
            stealth = value.startsWith(QLatin1String("0x")) ? -1 : 1;
        if ((entry.name == QLatin1String("TxProtMask") || entry.name == QLatin1String("RxProtMask"))
            && masks == 0)
            masks = hexDigitsOf(value) == 2 ? -1 : hexDigitsOf(value) == 4 ? 1 : 0;
    }
    const int sign = stealth != 0 ? stealth : masks;
    return sign < 0 ? FirmwareLine::Older : sign > 0 ? FirmwareLine::Newer : FirmwareLine::Unknown;
}

} // namespace tracktune
