// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

namespace tracktune {

// A value as the tracker printed it, in a form that does not depend on the firmware line, so
// that two lines compare equal where they mean the same ("0x0" and "0" for Stealth, "0x01" and
// "1"): a catalogued number, list index, level or mask as a qlonglong ("0x00FF", "+14", "115200"),
// one in tenths as a double ("+1.5"); an info text with the newer firmware's "\xHH" bytes
// decoded (decodedText); any other text, a name the catalogue lacks and a number the tracker
// printed in no number's form as the QString printed.
QVariant normalizedValue(const QString &name, const QString &printed);

} // namespace tracktune
