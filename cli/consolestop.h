// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tracktune {

// The signal a Windows console control event stands for when it asks a write to stop: Ctrl+C
// and Ctrl+Break are SIGINT, closing the console window, logging off and shutting down SIGTERM;
// 0 for any other event.
int stopSignalForConsoleEvent(unsigned long event);

// While it lives, on Windows, the console's control events call stop with that signal instead
// of ending the program at once; Windows sends no POSIX signals but Ctrl+C. Elsewhere it does
// nothing: the signals themselves arrive.
class ConsoleStop
{
public:
    explicit ConsoleStop(void (*stop)(int));
    ~ConsoleStop();
    ConsoleStop(const ConsoleStop &) = delete;
    ConsoleStop &operator=(const ConsoleStop &) = delete;
};

} // namespace tracktune
