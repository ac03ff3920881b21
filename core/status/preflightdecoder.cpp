// SPDX-License-Identifier: GPL-3.0-or-later
#include "status/preflightdecoder.h"

#include "status/consolelines.h"

namespace tracktune {

namespace {

// The GPS sends its sentences once a second: a sentence older than this belongs to no fix now.
constexpr qint64 burstMs = 2500;
// Longer without a sentence, the GPS has gone quiet; longer without a decision, the fix is old.
constexpr qint64 gpsSilentMs = 5000;
constexpr qint64 fixStaleMs = 3000;
// The newer line's Radio and SatSNR reports come every 10 s.
constexpr qint64 reportStaleMs = 25000;
// Continuous output comes at least once a second while Verbose lets it.
constexpr qint64 outputStaleMs = 5000;
// A single lithium cell under load.
constexpr double batteryLowV = 3.6;
constexpr double batteryEmptyV = 3.4;
// A fix this imprecise is still one, but a poor one.
constexpr double poorHdop = 5.0;

bool recent(const std::optional<qint64> &at, qint64 now, qint64 within)
{
    return at && now - *at <= within;
}

std::optional<qint64> since(const std::optional<qint64> &at, qint64 now)
{
    return at ? std::optional<qint64>(now - *at) : std::nullopt;
}

std::optional<double> number(const QByteArray &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Whether the sentence has the fields read from it; one without a checksum must have every field
// it is printed with, as it may have been cut.
bool whole(const NmeaSentence &sentence, int read, int printed)
{
    return sentence.fields.size() >= (sentence.checksummed ? read : printed);
}

} // namespace

void PreflightDecoder::reset(qint64 atMs)
{
    *this = PreflightDecoder();
    listeningSince = atMs;
}

void PreflightDecoder::setFirmwareLine(FirmwareLine line)
{
    toldLine = line;
}

void PreflightDecoder::setVerbose(int value)
{
    verbose = value;
}

FirmwareLine PreflightDecoder::firmwareLine() const
{
    return toldLine != FirmwareLine::Unknown ? toldLine : seenLine;
}

bool PreflightDecoder::take(const QByteArray &line, qint64 atMs)
{
    if (!listeningSince)
        listeningSince = atMs;
    if (line.contains('$'))
        return takeSentence(line, atMs);
    if (const std::optional<RadioCounters> radio = readRadioCounters(line)) {
        seenLine = FirmwareLine::Newer;
        lastContinuous = lastRadio = atMs;
        takeRadioCounters(radio->sent, atMs);
        return true;
    }
    if (const std::optional<SatelliteSignals> found = readSatelliteSignals(line)) {
        seenLine = FirmwareLine::Newer;
        lastContinuous = lastGps = lastSignals = atMs;
        signalsFixMode = found->fixMode;
        inView = found->inView;
        signalDb = found->usedSnrDb;
        return true;
    }
    if (const std::optional<double> battery = readBatteryVolts(line)) {
        voltsNotMeasured = *battery <= 0;
        volts = voltsNotMeasured ? std::nullopt : battery;
        lastBattery = atMs;
        return true;
    }
    if (const std::optional<bool> sensor = readSensorStartup(line)) {
        sensorPresent = *sensor;
        lastSensor = atMs;
        return true;
    }
    return false;
}

bool PreflightDecoder::takeSentence(const QByteArray &line, qint64 atMs)
{
    const std::optional<NmeaSentence> sentence = readNmeaSentence(line);
    if (!sentence)
        return false;
    const QList<QByteArray> &fields = sentence->fields;
    if (isGnssTalker(sentence->talker)) {
        const QByteArray &type = sentence->type;
        const bool read = (type == "GGA" && whole(*sentence, 9, 14))
            || (type == "RMC" && whole(*sentence, 9, 11)) || (type == "GSA" && whole(*sentence, 2, 17));
        if (type == "GGA" || type == "RMC" || type == "GSA") {
            if (!read || !takeGps(type, fields, atMs))
                return false;
        } else if (!sentence->checksummed) {
            return false; // another sentence of the GPS, only as evidence that it talks
        }
        lastContinuous = lastGps = atMs;
        return true;
    }
    const QByteArray &type = sentence->type;
    if (type == "POGNR" && whole(*sentence, 5, 8)) {
        const std::optional<double> plan = number(fields.at(0)), received = number(fields.at(1));
        if (!plan || !received)
            return false;
        freqPlan = int(*plan);
        // The older line counts the packets of the last 64 s, the newer one gives a rate.
        rxPerMinute = firmwareLine() == FirmwareLine::Older ? *received * 60.0 / 64.0 : *received;
        noise = number(fields.at(3));
        txCredit = number(fields.at(4));
        lastContinuous = lastRadio = atMs;
        return true;
    }
    const bool baro = type == "POGNB" && whole(*sentence, 3, 8);
    const bool lk8 = type == "LK8EX1" && whole(*sentence, 5, 5);
    if (baro || lk8 || (type == "PGRMZ" && whole(*sentence, 1, 3))) {
        sensorPresent = true;
        // $POGNB's pressure has the decimal the others round away.
        if (baro) {
            if (const std::optional<double> pascal = number(fields.at(2)); pascal && *pascal > 0)
                pressure = *pascal / 100.0;
        }
        if (lk8) {
            // The battery the firmware measures; 0 where this board does not.
            if (const std::optional<double> battery = number(fields.at(4)); battery && *battery < 100) {
                voltsNotMeasured = *battery <= 0;
                volts = voltsNotMeasured ? std::nullopt : battery;
                lastBattery = atMs;
            }
        }
        lastContinuous = lastSensor = atMs;
        return true;
    }
    // Traffic and the own position's flags: output, but no item's evidence ($PFLAU's "TX" field
    // only says that there is a position).
    if ((type == "PFLAU" || type == "PFLAA" || type == "POGNT") && sentence->checksummed) {
        lastContinuous = atMs;
        return true;
    }
    return false;
}

bool PreflightDecoder::takeGps(const QByteArray &type, const QList<QByteArray> &fields, qint64 atMs)
{
    if (type == "GGA") {
        bool ok = false;
        const int quality = fields.at(5).isEmpty() ? 0 : fields.at(5).toInt(&ok);
        if (!fields.at(5).isEmpty() && !ok)
            return false;
        fixQuality = quality;
        satellites = fields.at(6).toInt();
        ggaTimeValid = isValidNmeaTime(fields.at(0));
        hdop = number(fields.at(7));
        altitude = number(fields.at(8));
        lastGga = atMs;
    } else if (type == "RMC") {
        rmcTimeValid = isValidNmeaTime(fields.at(0));
        rmcDatePresent = !fields.at(8).isEmpty();
        dateValid = isValidNmeaDate(fields.at(8));
        lastRmc = atMs;
    } else {
        bool ok = false;
        const int mode = fields.at(1).toInt(&ok);
        if (!ok || mode < 1 || mode > 3)
            return false;
        gsaMode = mode;
        lastGsa = atMs;
    }
    decideFix(atMs);
    return true;
}

void PreflightDecoder::decideFix(qint64 atMs)
{
    const bool gga = recent(lastGga, atMs, burstMs), rmc = recent(lastRmc, atMs, burstMs);
    FixEvidence evidence;
    evidence.timeValid = (rmc && rmcTimeValid) || (gga && ggaTimeValid);
    evidence.dateValid = rmc && dateValid;
    evidence.fixQuality = gga ? fixQuality : 0;
    evidence.fixMode = recent(lastGsa, atMs, burstMs) ? gsaMode : 0;
    evidence.satellites = gga ? satellites : 0;
    fixNow = hasFix(evidence);
    lastDecided = atMs;
    if (fixNow)
        lastFix = atMs;
}

void PreflightDecoder::takeRadioCounters(const QList<qint64> &sent, qint64 atMs)
{
    const qint64 ogn = sent.at(ognSystem);
    // Counted since start-up: one that went down belongs to a tracker that restarted.
    if (lastCounters && ogn >= ognSent) {
        ognRise = ogn - ognSent;
        riseSpan = atMs - *lastCounters;
    } else {
        ognRise.reset();
    }
    ognSent = ogn;
    lastCounters = atMs;
}

PreflightStatus PreflightDecoder::status(qint64 nowMs) const
{
    PreflightStatus status;
    status.firmware = firmwareLine();
    status.gps = gpsStatus(nowMs);
    status.radio = radioStatus(nowMs);

    PressureSensorStatus &sensor = status.pressureSensor;
    sensor.present = sensorPresent;
    sensor.pressureHpa = pressure;
    sensor.ageMs = since(lastSensor, nowMs);
    sensor.state = !sensorPresent ? ItemState::Unknown : *sensorPresent ? ItemState::Good : ItemState::Bad;

    BatteryStatus &battery = status.battery;
    battery.volts = volts;
    battery.notMeasured = voltsNotMeasured;
    battery.ageMs = since(lastBattery, nowMs);
    battery.state = !volts       ? ItemState::Unknown
        : *volts < batteryEmptyV ? ItemState::Bad
        : *volts < batteryLowV   ? ItemState::Warning
                                 : ItemState::Good;

    OutputStatus &output = status.output;
    output.verbose = verbose;
    output.verboseOn = !verbose || verboseOutputOn(*verbose, status.firmware);
    output.continuous = recent(lastContinuous, nowMs, outputStaleMs);
    output.ageMs = since(lastContinuous, nowMs);
    const bool listenedLongEnough = listeningSince && nowMs - *listeningSince >= outputStaleMs;
    output.state = output.continuous                ? ItemState::Good
        : (!output.verboseOn || listenedLongEnough) ? ItemState::Bad
                                                    : ItemState::Unknown;
    return status;
}

GpsStatus PreflightDecoder::gpsStatus(qint64 nowMs) const
{
    GpsStatus gps;
    gps.ageMs = since(lastGps, nowMs);
    if (!lastGps)
        return gps;
    gps.fix = fixNow && recent(lastDecided, nowMs, fixStaleMs);
    gps.sinceFixMs = since(lastFix, nowMs);
    gps.dateRejected = recent(lastRmc, nowMs, fixStaleMs) && rmcDatePresent && !dateValid;
    if (recent(lastGsa, nowMs, fixStaleMs))
        gps.fixMode = gsaMode;
    else if (recent(lastSignals, nowMs, reportStaleMs))
        gps.fixMode = signalsFixMode;
    if (lastGga) {
        gps.satellites = satellites;
        gps.hdop = hdop;
        gps.altitudeM = altitude;
    }
    if (lastSignals) {
        gps.satellitesInView = inView;
        gps.signalDb = signalDb;
    }
    if (!gps.fix || !recent(lastGps, nowMs, gpsSilentMs))
        gps.state = ItemState::Bad;
    else if (gps.fixMode == 2 || (gps.hdop && *gps.hdop > poorHdop))
        gps.state = ItemState::Warning;
    else
        gps.state = ItemState::Good;
    return gps;
}

RadioStatus PreflightDecoder::radioStatus(qint64 nowMs) const
{
    RadioStatus radio;
    radio.ageMs = since(lastRadio, nowMs);
    if (lastCounters)
        radio.ognSent = ognSent;
    if (ognRise && recent(lastCounters, nowMs, reportStaleMs)) {
        radio.transmitting = *ognRise > 0;
        radio.ognSentRecently = ognRise;
        radio.recentSpanMs = riseSpan;
    }
    radio.rxPerMinute = rxPerMinute;
    radio.noiseDbm = noise;
    radio.freqPlan = freqPlan;
    radio.txCreditS = txCredit;
    radio.state = !radio.transmitting ? ItemState::Unknown
        : *radio.transmitting         ? ItemState::Good
                                      : ItemState::Bad;
    return radio;
}

} // namespace tracktune
