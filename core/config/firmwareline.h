// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"

#include <QList>

namespace tracktune {

// Which of the two lines of the tracker's firmware a list came from; each stores and prints some
// parameters its own way.
enum class FirmwareLine {
    Unknown,
    Older, // prints Stealth as "0x0", two-digit protocol masks and the display units
    Newer, // prints Ghost, Stealth as "0", four-digit protocol masks, info texts with "\xHH"
};

// The line a list came from, by what only one line prints; Unknown when it shows neither.
FirmwareLine firmwareLineOf(const QList<DumpLine> &list);

} // namespace tracktune
