// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tracktune {

// Text from a tracker or a file as a terminal may show it: control characters (C0 but
// tab, DEL, C1) written as "\x1b" and the bidirectional controls as "\u202e", so that no
// character from outside moves the cursor, clears the screen, retitles the window or shows
// the text around it in another order.
QString terminalText(const QString &text);
// Every line of the text as terminalText shows it, the line breaks kept.
QString terminalLines(const QString &text);

// JSON text with DEL, the C1 controls and the bidirectional controls written as "\u009b",
// "\u202e": QJsonDocument leaves them raw, and a terminal that shows the JSON acts on them.
// Outside strings JSON holds none of them, so the escape changes no value.
QString jsonText(const QString &json);

} // namespace tracktune
