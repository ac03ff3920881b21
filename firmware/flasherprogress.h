#pragma once

#include <QString>

#include <optional>

// Reading the flasher's progress from the lines it prints.
namespace tracktune {

// The text without a terminal's colour and character set codes, which some
// flashers print and a text box would show as stray characters.
QString withoutTerminalCodes(QString text);

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
