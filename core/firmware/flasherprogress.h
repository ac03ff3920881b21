// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Reading the flasher's progress from the lines it prints.
namespace tracktune {

// The text without a terminal's colour and character set codes, which some
// flashers print and a text box would show as stray characters.
QString withoutTerminalCodes(QString text);

// The text without control characters (line breaks, tabs and escapes included), which a
// message box would show as boxes or take as layout.
QString withoutControlCharacters(QString text);

// The last few non-blank lines of what the flasher wrote to its standard error, oldest
// first, decoded as UTF-8, without terminal codes and control characters: what the user
// is shown when it fails. A carriage return ends a line as a line feed does.
QStringList lastErrorLines(const QByteArray &standardError, int count);

// The longest line of the flasher's output that is relayed and shown as one: a flasher
// that prints without line breaks must not make one line the window cannot lay out.
constexpr int maxOutputLineLength = 4096;

// A line that reports writing to the device: it contains "Writing at 0x".
bool isProgressLine(const QString &line);

// The percentage a progress line reports, taken from its last update when
// carriage returns put several into one line. With "(" the number runs from
// the first "(" to the next blank and is 0 when that is not a number
// ("(42 %)" gives 42, "(42%)" and "( 42 %)" give 0); without "(" it is the
// number before the last "%" ("[===>  ]  33.3% 81920/245760" gives 33).
// Empty for other lines, for a bar that shows no number yet and for a number
// above 100 before "%".
std::optional<int> progressPercent(const QString &line);

} // namespace tracktune
