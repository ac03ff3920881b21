// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how much longer applying one file to eight simulated trackers at once (one
// tracktune-cli per port) takes than applying it to one tracker alone.
#include "trackersimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const int fleetSize = 8;
const char fleetTemplate[] = "# club fleet\nAcftType = Para-glider\nTxPower = HIGH\nFreqPlan = 1\n";

// Wall time until every process has finished; -1 when one failed.
double applyToAll(const QStringList &ports, const QString &file)
{
    std::vector<std::unique_ptr<QProcess>> runs;
    QElapsedTimer clock;
    clock.start();
    for (const QString &port : ports) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(
            QStringLiteral(TRACKTUNE_CLI), {QStringLiteral("apply"), QStringLiteral("--port"), port, file});
    }
    bool allDone = true;
    for (const auto &run : runs)
        allDone = run->waitForFinished(60000) && run->exitCode() == 0 && allDone;
    return allDone ? clock.nsecsElapsed() / 1e6 : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("fleet.txt"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(fleetTemplate) < 0)
        return 1;
    out.close();

    std::vector<std::unique_ptr<TrackerSimulator>> trackers;
    QStringList ports;
    for (int i = 0; i < fleetSize; ++i) {
        trackers.push_back(std::make_unique<TrackerSimulator>()); // quiet, paced at 115200 baud
        if (!trackers.back()->start())
            return 1;
        ports << trackers.back()->portPath();
    }
    const QList<TrackerSimulator::Parameter> factory = trackers.front()->parameters();

    const double aloneMs = applyToAll({ports.first()}, file);
    // Back to factory values, so the fleet run writes as much as the single one did.
    for (const auto &tracker : trackers)
        tracker->setParameters(factory);
    const double fleetMs = applyToAll(ports, file);
    if (aloneMs < 0 || fleetMs < 0) {
        std::printf("apply failed on a tracker\n");
        return 1;
    }
    std::printf("apply, 3 changed values, one tracktune-cli per tracker:\n");
    std::printf("  1 tracker   %8.1f ms\n", aloneMs);
    std::printf("  %d trackers  %8.1f ms\n", fleetSize, fleetMs);
    std::printf("  ratio       %8.2f (goal at most 1.5)\n", fleetMs / aloneMs);
    return 0;
}
