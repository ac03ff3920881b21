// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QString>
#include <QStringList>

namespace tracktune {

// What the window's outcomes and questions say of a parameter, in the program's language: its
// label for the firmware's name, an option's text for the number the tracker prints ("Address
// type: OGN -> ICAO"). The command line keeps the firmware's names and values, which scripts read.
QString labelInWords(const QString &name);
QString labelsInWords(const QStringList &names); // "Radio address, Registration"
QString valueInWords(const QString &name, const QString &value, FirmwareLine line);

} // namespace tracktune
