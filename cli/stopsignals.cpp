// SPDX-License-Identifier: GPL-3.0-or-later
#include "stopsignals.h"

#include <QtGlobal>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#endif

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {

// The signal that asked a write to stop; 0 while none did.
volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void onStopSignal(int signal)
{
    caughtSignal = signal;
}

// Whether the program was started with the signal ignored, as a shell does for a background
// job of a script: then it stays ignored.
bool ignoredSignal(int signal)
{
#ifdef Q_OS_UNIX
    struct sigaction current = {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
#else
    const auto previous = std::signal(signal, SIG_IGN);
    std::signal(signal, previous);
    return previous == SIG_IGN;
#endif
}

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

int stopSignal()
{
    return caughtSignal;
}

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

StopOnSignals::StopOnSignals()
{
#ifdef _WIN32
    stopRequest.store(onStopSignal);
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
#endif
    caughtSignal = 0;
    for (Caught &caught : caughtSignals) {
        caught.installed = !ignoredSignal(caught.signal);
        if (caught.installed)
            caught.previous = std::signal(caught.signal, onStopSignal);
    }
}

StopOnSignals::~StopOnSignals()
{
    for (const Caught &caught : caughtSignals) {
        if (caught.installed)
            std::signal(caught.signal, caught.previous);
    }
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    stopRequest.store(nullptr);
#endif
}

} // namespace tracktune
