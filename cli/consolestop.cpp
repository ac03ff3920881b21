// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolestop.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#endif

namespace {

// The console control events, as Windows numbers them.
const unsigned long ctrlC = 0;
const unsigned long ctrlBreak = 1;
const unsigned long consoleClosed = 2;
const unsigned long loggingOff = 5;
const unsigned long shuttingDown = 6;

#ifdef _WIN32
static_assert(ctrlC == CTRL_C_EVENT && ctrlBreak == CTRL_BREAK_EVENT && consoleClosed == CTRL_CLOSE_EVENT
        && loggingOff == CTRL_LOGOFF_EVENT && shuttingDown == CTRL_SHUTDOWN_EVENT,
    "console control events");

// The handler runs on a thread of its own that Windows starts for each event.
std::atomic<void (*)(int)> stopRequest {nullptr};

BOOL WINAPI onConsoleEvent(DWORD event)
{
    const int signal = tracktune::stopSignalForConsoleEvent(event);
    void (*const stop)(int) = stopRequest.load();
    if (signal == 0 || stop == nullptr)
        return FALSE;
    stop(signal);
    // After a close, a log-off or a shutdown Windows ends the program as soon as this returns
    // (and after 5 s at the latest): the sentence in flight gets that long to go out.
    if (signal == SIGTERM) {
        for (int waited = 0; waited < 4500 && stopRequest.load() != nullptr; waited += 20)
            Sleep(20);
    }
    return TRUE;
}
#endif

} // namespace

namespace tracktune {

int stopSignalForConsoleEvent(unsigned long event)
{
    switch (event) {
    case ctrlC:
    case ctrlBreak:
        return SIGINT;
    case consoleClosed:
    case loggingOff:
    case shuttingDown:
        return SIGTERM;
    default:
        return 0;
    }
}

ConsoleStop::ConsoleStop(void (*stop)(int))
{
#ifdef _WIN32
    stopRequest.store(stop);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#else
    (void)stop;
#endif
}

ConsoleStop::~ConsoleStop()
{
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    stopRequest.store(nullptr);
#endif
}

} // namespace tracktune
