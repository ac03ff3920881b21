// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the serial monitor what the link passes on at each poll, about 2.5 KB
// of parameter dump, and prints the time per poll at 10 KB shown and after
// 10 MB fed, and the peak memory along the way.
#include "dialogs/serialmonitor.h"
#include "trackersimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int tickBytes = 2560;
const qint64 fedBytes = 10 * 1024 * 1024;
const int samples = 101;

// The device's dump, repeated and cut to one poll's worth, lines split across polls as on the wire.
QString pollText()
{
    TrackerSimulator::Options options;
    options.variant = TrackerSimulator::Variant::Vendor;
    const QByteArray dump = TrackerSimulator(options).dump();
    QByteArray text;
    while (text.size() < tickBytes)
        text += dump;
    return QString::fromUtf8(text.left(tickBytes));
}

double medianMs(std::vector<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds[nanoseconds.size() / 2] / 1e6;
}

double percentileMs(std::vector<qint64> nanoseconds, double fraction)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds[static_cast<size_t>(fraction * (nanoseconds.size() - 1))] / 1e6;
}

double peakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
#ifdef __APPLE__
    return usage.ru_maxrss / (1024.0 * 1024.0);
#else
    return usage.ru_maxrss / 1024.0;
#endif
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString text = pollText();
    SerialMonitor monitor;
    monitor.show();
    QCoreApplication::processEvents();
    auto *output = monitor.findChild<QPlainTextEdit *>(QStringLiteral("textSerialOutput"));
    auto *clean = monitor.findChild<QPushButton *>(QStringLiteral("buttonClean"));

    // One poll: the text goes in and the window repaints.
    const auto tick = [&] {
        QElapsedTimer clock;
        clock.start();
        monitor.append(text);
        QCoreApplication::processEvents();
        return clock.nsecsElapsed();
    };

    std::vector<qint64> small;
    for (int i = 0; i < samples; ++i) {
        clean->click();
        for (int fill = 0; fill < 3; ++fill)
            tick();
        small.push_back(tick());
    }
    const double smallMs = medianMs(small);
    std::printf("poll of %d bytes at %d KB shown: median %.3f ms; peak memory %.1f MiB\n", tickBytes,
        4 * tickBytes / 1024, smallMs, peakMemoryMiB());

    clean->click();
    std::vector<qint64> all;
    qint64 fed = 0;
    qint64 nextReport = fedBytes / 4;
    while (fed < fedBytes) {
        all.push_back(tick());
        fed += tickBytes;
        if (fed >= nextReport) {
            std::printf("  %5.1f MB fed: %6d lines, %8d characters shown, peak memory %.1f MiB\n",
                fed / (1024.0 * 1024.0), output->blockCount(), output->document()->characterCount(),
                peakMemoryMiB());
            nextReport += fedBytes / 4;
        }
    }
    const std::vector<qint64> late(all.end() - samples, all.end());
    const double lateMs = medianMs(late);
    std::printf("poll of %d bytes after %.0f MB fed: median %.3f ms, 95th percentile %.3f ms, slowest of all "
                "%.3f ms\n",
        tickBytes, fed / (1024.0 * 1024.0), lateMs, percentileMs(late, 0.95),
        *std::max_element(all.begin(), all.end()) / 1e6);
    std::printf("ratio late/early: %.2fx (goal at most 2x); goal per poll under 5 ms\n", lateMs / smallMs);
    std::printf("peak memory: %.1f MiB\n", peakMemoryMiB());
    return 0;
}
