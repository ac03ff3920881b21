// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The lines a tracker prints on its own between answers, read one at a time: the GPS's NMEA
// sentences it passes on, its own radio, pressure and battery reports and a few lines of its
// start-up. Each reader takes a line as the link tells it (its CR and LF may stay) and gives
// nothing for a line that is not whole, not text or not the kind it reads.
namespace tracktune {

// One NMEA sentence: "$GPGGA,..." has the talker "GP" and the type "GGA"; a proprietary one
// ("$POGNR,...", "$LK8EX1,...") has no talker and its whole address as its type.
struct NmeaSentence
{
    QByteArray talker;
    QByteArray type;
    QList<QByteArray> fields; // after the address, split at every comma
    bool checksummed = false; // it ended in "*hh", which matched
};

// The sentence from the line's last "$": printable ASCII only, a "*hh" checked where present.
// A sentence without one must be the whole line, since stray bytes before it may mean another
// line ran into it.
std::optional<NmeaSentence> readNmeaSentence(const QByteArray &line);

// A GNSS receiver's talker: GP, GN, GL, GA, BD, QZ.
bool isGnssTalker(const QByteArray &talker);

// "hhmmss" with any fraction; the firmware takes a time only when each part is in range.
bool isValidNmeaTime(const QByteArray &field);
// "ddmmyy"; the firmware rejects a two-digit year of 70 or more, the 1980 of a GPS without a fix.
bool isValidNmeaDate(const QByteArray &field);

// What the firmware decides a position by: time and date valid, a GGA fix quality other than
// 0, a GSA mode other than 1 (0 when no GSA came, which it allows) and at least one satellite.
struct FixEvidence
{
    bool timeValid = false;
    bool dateValid = false;
    int fixQuality = 0;
    int fixMode = 0;
    int satellites = 0;
};
bool hasFix(const FixEvidence &evidence);

// The newer line's "Radio: Tx: a:b:c:d:e:f:g  Rx: ...  -110.5dBm 6 pkts 0.6 pkt/s 58.3s [1234]",
// every 10 s: packets sent and received per system since start-up (index 0 FLARM, 1 OGN,
// 2 ADS-L, 3 Remote ID, 4 FANET, 5 PilotAware, 6 HDR).
struct RadioCounters
{
    QList<qint64> sent;
    QList<qint64> received;
    double noiseDbm = 0;
    int packetsLast10s = 0;
    double packetsPerSecond = 0;
    double txCreditS = 0;
};
std::optional<RadioCounters> readRadioCounters(const QByteArray &line);
constexpr int ognSystem = 1;

// The newer line's "SatSNR: GP:7/32.5:11/28.1dB GL:... 3:1.8/1.2/1.4", every 10 s.
struct SatelliteSignals
{
    int used = 0; // in the fix, every system together
    int inView = 0;
    std::optional<double> usedSnrDb; // the mean over those used
    int fixMode = 0; // 1 none, 2 2-D, 3 3-D
    double hdop = 0;
};
std::optional<SatelliteSignals> readSatelliteSignals(const QByteArray &line);

// The volts of a "Batt:4.1230V +00.0mV/min" line (the answer to 0x03), of the older line's
// power chip's "Batt:4.012V 0.123-0.000A ..." and of the newer line's start-up "  Batt: 4.123V".
std::optional<double> readBatteryVolts(const QByteArray &line);

// The pressure sensor's start-up line: "TaskSENS: BME280: @76" found, "... not detected" (newer
// line) or "...:  ?!" (older line) not.
std::optional<bool> readSensorStartup(const QByteArray &line);

// Whether a Verbose value lets the tracker print its continuous output: the newer line reads
// bit 0 only, the older any value but 0.
bool verboseOutputOn(int verbose, FirmwareLine line);

} // namespace tracktune
