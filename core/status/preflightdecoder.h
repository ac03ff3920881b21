// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QByteArray>
#include <QList>

#include <optional>

// "Is my tracker working?" from what it prints on its own: the GPS's fix, the radio, the
// pressure sensor, the battery and whether it prints anything continuous at all. The decoder has
// no clock: each line comes with the time it was received and the status is read for a time.
namespace tracktune {

// How an item looks before a flight.
enum class ItemState {
    Unknown, // nothing printed tells
    Good,
    Warning, // works, with a reservation (a 2-D fix, a low battery)
    Bad, // not ready (no fix, nothing sent, no sensor, battery empty)
};

struct GpsStatus
{
    ItemState state = ItemState::Unknown;
    bool fix = false; // by the firmware's own rule, as of the last second
    int fixMode = 0; // GSA's: 0 not said, 1 none, 2 2-D, 3 3-D
    bool dateRejected = false; // the GPS gives a date the firmware does not take (1980)
    std::optional<int> satellites; // used in the fix (GGA)
    std::optional<int> satellitesInView; // the newer line's SatSNR report
    std::optional<double> signalDb; // their mean signal, the same report
    std::optional<double> hdop;
    std::optional<double> altitudeM; // above mean sea level (GGA)
    std::optional<qint64> sinceFixMs; // since the last second with a fix; none: no fix seen
    std::optional<qint64> ageMs; // since the last sentence of the GPS; none: none seen
};

struct RadioStatus
{
    ItemState state = ItemState::Unknown;
    // Whether the OGN packets sent rose between the last two Radio reports of the newer line;
    // none while fewer than two came, for the older line (which prints no such count) and
    // once the last report is older than 25 s.
    std::optional<bool> transmitting;
    std::optional<qint64> ognSent; // OGN packets sent since start-up
    std::optional<qint64> ognSentRecently; // between the last two reports
    qint64 recentSpanMs = 0; // the time between them
    std::optional<double> rxPerMinute; // packets received
    std::optional<double> noiseDbm; // the receiver's background
    std::optional<int> freqPlan;
    std::optional<double> txCreditS; // what is left of the duty-cycle budget
    std::optional<qint64> ageMs; // since the last radio report of either kind
};

struct PressureSensorStatus
{
    ItemState state = ItemState::Unknown;
    std::optional<bool> present;
    std::optional<double> pressureHpa;
    std::optional<qint64> ageMs;
};

struct BatteryStatus
{
    ItemState state = ItemState::Unknown;
    std::optional<double> volts; // none: never read, or not measured
    bool notMeasured = false; // the tracker printed 0 V: this board does not measure it
    std::optional<qint64> ageMs;
};

struct OutputStatus
{
    ItemState state = ItemState::Unknown;
    bool continuous = false; // its continuous output came within the last 5 s
    std::optional<int> verbose; // the list's Verbose, when told
    bool verboseOn = true; // what that value means on the firmware line (on while not told)
    std::optional<qint64> ageMs; // since the last continuous line
};

struct PreflightStatus
{
    FirmwareLine firmware = FirmwareLine::Unknown;
    GpsStatus gps;
    RadioStatus radio;
    PressureSensorStatus pressureSensor;
    BatteryStatus battery;
    OutputStatus output;
};

class PreflightDecoder
{
public:
    // Forgets everything, what the list told too (another tracker, or the same one restarted);
    // listening begins at the time given, which tells whether continuous output should have come.
    // Without it, listening begins with the first line.
    void reset(qint64 atMs);
    // From the list: its line and its Verbose. Lines only the newer line prints tell it too.
    void setFirmwareLine(FirmwareLine line);
    void setVerbose(int verbose);
    // One line as the link tells it. False when it was not taken: not whole (cut, a sentence
    // whose *hh does not match), not text, or a line no item reads.
    bool take(const QByteArray &line, qint64 atMs);
    PreflightStatus status(qint64 nowMs) const;

private:
    bool takeSentence(const QByteArray &line, qint64 atMs);
    bool takeGps(const QByteArray &type, const QList<QByteArray> &fields, qint64 atMs);
    void decideFix(qint64 atMs);
    void takeRadioCounters(const QList<qint64> &sent, qint64 atMs);
    FirmwareLine firmwareLine() const;
    GpsStatus gpsStatus(qint64 nowMs) const;
    RadioStatus radioStatus(qint64 nowMs) const;

    FirmwareLine toldLine = FirmwareLine::Unknown;
    FirmwareLine seenLine = FirmwareLine::Unknown;
    std::optional<int> verbose;
    std::optional<qint64> listeningSince;
    std::optional<qint64> lastContinuous;

    // The GPS: each sentence's last, with when it came.
    std::optional<qint64> lastGps, lastGga, lastRmc, lastGsa;
    int fixQuality = 0, satellites = 0, gsaMode = 0;
    bool ggaTimeValid = false, rmcTimeValid = false, dateValid = false, rmcDatePresent = false;
    std::optional<double> hdop, altitude;
    bool fixNow = false;
    std::optional<qint64> lastDecided, lastFix;
    std::optional<qint64> lastSignals;
    int signalsFixMode = 0, inView = 0;
    std::optional<double> signalDb;

    // The radio.
    std::optional<qint64> lastRadio, lastCounters;
    qint64 ognSent = 0;
    std::optional<qint64> ognRise;
    qint64 riseSpan = 0;
    std::optional<double> rxPerMinute, noise, txCredit;
    std::optional<int> freqPlan;

    std::optional<bool> sensorPresent;
    std::optional<double> pressure;
    std::optional<qint64> lastSensor;

    std::optional<double> volts;
    bool voltsNotMeasured = false;
    std::optional<qint64> lastBattery;
};

} // namespace tracktune
