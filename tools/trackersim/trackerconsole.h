// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trackersimulator.h"

#include <QByteArray>
#include <QList>

#include <array>

// What a running tracker prints on its console between answers, composed from the moment alone
// so the formats and rates can be read and checked in one place. The serving loop calls
// runningOutput() on every half-second tick.
namespace trackersim {

using Parameter = TrackerSimulator::Parameter;

// Half a second: the pressure sensor's period; everything else prints on whole seconds.
const qint64 tickMsecs = 500;

struct Moment
{
    // Since the simulator started: the GPS's clock, which runs on through a restart of the tracker.
    // Its UTC is noon then, so UTC % 10 is the same phase as seconds since the start.
    qint64 msecsSinceStart = 0;
    // Since the tracker last booted: its radio's counters start there.
    qint64 msecsSinceBoot = 0;
};

// Verbose on: any value but 0 on the older line, bit 0 on the newer one.
bool verboseOn(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// The GPS has its fix at this moment.
bool hasFix(qint64 msecsSinceStart, const TrackerSimulator::Options &options);

// Packets sent and heard since boot, by system: 0 FLR, 1 OGN, 2 ADS-L, 3 RID, 4 FNT, 5 PAW, 6 HDR.
struct RadioCounts
{
    std::array<int, 7> tx {};
    std::array<int, 7> rx {};
    int lastTenSeconds = 0; // packets heard in the last 10 s
    int lastMinute = 0;
    int lastSixtyFourSeconds = 0;
};
RadioCounts radioCounts(const Moment &moment, const TrackerSimulator::Options &options);

// One second's sentences from the GPS as the firmware passes them on: GGA, RMC, GSA, and on the
// older line GSV too. Each CR LF ended.
QByteArray gpsSentences(qint64 msecsSinceStart, const TrackerSimulator::Options &options);

// "$POGNR,...": the frequency plan, packets heard, noise, TX credit, chip temperature.
QByteArray pognrSentence(
    const Moment &moment, const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// The newer line's "Radio: Tx: ... Rx: ..." line, CR LF ended.
QByteArray radioLine(const Moment &moment, const TrackerSimulator::Options &options);

// The newer line's "SatSNR: ..." line.
QByteArray satSnrLine(qint64 msecsSinceStart, const TrackerSimulator::Options &options);

// "$POGNB", "$PGRMZ", "$LK8EX1" of one half-second reading.
QByteArray baroSentences(qint64 msecsSinceStart, const TrackerSimulator::Options &options);

// The lines the radio and pressure sensor tasks print as the tracker boots.
QByteArray bootStatusLines(const TrackerSimulator::Options &options);

// Everything printed at a tick (msecsSinceStart a multiple of tickMsecs), in the order it prints.
QByteArray runningOutput(
    const Moment &moment, const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

} // namespace trackersim
