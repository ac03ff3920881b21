// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>

namespace tracktune {

// The signal that asked the program to stop while a StopOnSignals lived; 0 while none did.
int stopSignal();

// The signal a Windows console control event stands for when it asks a write to stop: Ctrl+C
// and Ctrl+Break are SIGINT, closing the console window, logging off and shutting down SIGTERM;
// 0 for any other event.
int stopSignalForConsoleEvent(unsigned long event);

// While it lives, SIGINT and SIGTERM ask the write to stop instead of ending the program
// between two sentences, so that it can still say what went out. On Windows the console's
// control events do the same instead of ending the program at once; Windows sends no POSIX
// signals but Ctrl+C.
class StopOnSignals
{
public:
    StopOnSignals();
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

private:
    using SignalHandler = void (*)(int);
    struct Caught
    {
        int signal;
        bool installed = false;
        SignalHandler previous = SIG_DFL;
    };
    Caught caughtSignals[2] = {{SIGINT, false, SIG_DFL}, {SIGTERM, false, SIG_DFL}};
};

} // namespace tracktune
