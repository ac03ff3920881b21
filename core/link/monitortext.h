// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tracktune {

// The longest line the serial monitor shows before breaking it: laying out one line
// costs in its length, so a device that never sends a line feed must not grow one.
constexpr int longestMonitorLine = 4096;

// The text with a line feed put in wherever a line would run past longest characters;
// openLine is the length of the unfinished last line shown so far, updated for the next call.
QString withLinesCapped(const QString &text, int &openLine, int longest = longestMonitorLine);

} // namespace tracktune
