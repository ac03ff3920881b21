// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tracktune {

// Text from a tracker or a file as a terminal may show it: control characters (C0 but
// tab, DEL, C1) written as "\x1b", so that no byte from outside moves the cursor,
// clears the screen or retitles the window.
QString terminalText(const QString &text);

} // namespace tracktune
