// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackerconsole.h"

#include "trackerdump.h"

#include <QString>

#include <algorithm>
#include <limits>

namespace trackersim {

namespace {

const qint64 noon = 12 * 3600;
// With a fix: one OGN packet every 2 s and one ADS-L packet every 5 s. Without one, the last
// packet is sent again at an eighth of that.
const int ognSeconds = 2;
const int adslSeconds = 5;
const int withoutFixSlower = 8;
// Another aircraft in range: one OGN packet heard every 4 s.
const int heardSeconds = 4;

struct Satellite
{
    int prn;
    int elevation;
    int azimuth;
    int snr;
};

// The first eight are used in the fix.
const Satellite satellites[] = {{2, 45, 120, 40}, {5, 62, 300, 42}, {7, 30, 45, 38}, {9, 55, 210, 41},
    {13, 25, 80, 36}, {15, 70, 160, 44}, {20, 35, 260, 37}, {30, 20, 330, 34}, {12, 8, 10, 28},
    {18, 5, 190, 25}, {25, 10, 280, 27}};
const int usedSatellites = 8;
const int visibleSatellites = sizeof satellites / sizeof satellites[0];

QByteArray sentence(const QByteArray &body)
{
    return '$' + body + '*' + nmeaChecksum(body) + "\r\n";
}

qint64 parameterNumber(const QList<Parameter> &parameters, const char *name, qint64 fallback)
{
    for (const Parameter &parameter : parameters) {
        if (parameter.name != QLatin1String(name))
            continue;
        bool ok = false;
        const QString value = parameter.value;
        const qint64 number = value.startsWith(QLatin1String("0x")) ? value.mid(2).toLongLong(&ok, 16)
                                                                    : value.toLongLong(&ok, 10);
        return ok ? number : fallback;
    }
    return fallback;
}

// "hhmmss.00": with a fix the UTC, without one the clock of a GPS that knows no time, counting
// from midnight as it started.
QByteArray gpsTime(qint64 msecsSinceStart, bool fixed)
{
    const qint64 seconds = msecsSinceStart / 1000 + (fixed ? noon : 0);
    return QString::asprintf(
        "%02lld%02lld%02lld.00", (seconds / 3600) % 24, (seconds / 60) % 60, seconds % 60)
        .toLatin1();
}

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

QByteArray gsvSentences(bool fixed)
{
    if (!fixed)
        return sentence("GPGSV,1,1,00");
    const int count = (visibleSatellites + 3) / 4;
    QByteArray out;
    for (int part = 0; part < count; ++part) {
        QByteArray body = "GPGSV," + QByteArray::number(count) + ',' + QByteArray::number(part + 1) + ','
            + twoDigits(visibleSatellites);
        for (int i = part * 4; i < std::min(visibleSatellites, part * 4 + 4); ++i) {
            const Satellite &s = satellites[i];
            body += ',' + twoDigits(s.prn) + ',' + twoDigits(s.elevation) + ','
                + QByteArray::number(s.azimuth).rightJustified(3, '0') + ',' + twoDigits(s.snr);
        }
        out += sentence(body);
    }
    return out;
}

double averageSnr(int count)
{
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += satellites[i].snr;
    return count > 0 ? double(sum) / count : 0.0;
}

} // namespace

bool verboseOn(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const qint64 verbose = parameterNumber(parameters, "Verbose", 1);
    return options.olderFirmware ? verbose != 0 : (verbose & 1) != 0;
}

bool hasFix(qint64 msecsSinceStart, const TrackerSimulator::Options &options)
{
    return options.fixAfterSeconds >= 0 && msecsSinceStart >= options.fixAfterSeconds * qint64(1000);
}

RadioCounts radioCounts(const Moment &moment, const TrackerSimulator::Options &options)
{
    RadioCounts counts;
    if (!options.radioChip)
        return counts;
    const qint64 now = moment.msecsSinceStart / 1000;
    const qint64 sinceBoot = std::max<qint64>(0, moment.msecsSinceBoot / 1000);
    const qint64 boot = now - sinceBoot;
    const auto heard = [](qint64 seconds) { return int(std::max<qint64>(0, seconds) / heardSeconds); };
    counts.rx[1] = heard(sinceBoot);
    counts.lastTenSeconds = counts.rx[1] - heard(sinceBoot - 10);
    counts.lastMinute = counts.rx[1] - heard(sinceBoot - 60);
    counts.lastSixtyFourSeconds = counts.rx[1] - heard(sinceBoot - 64);
    if (options.neverTransmits)
        return counts;
    const qint64 fix
        = options.fixAfterSeconds < 0 ? std::numeric_limits<qint64>::max() : options.fixAfterSeconds;
    const qint64 withFix = std::max<qint64>(0, now - std::max(boot, fix));
    const qint64 withoutFix = std::max<qint64>(0, std::min(now, fix) - boot);
    counts.tx[1] = int(withFix / ognSeconds + withoutFix / (ognSeconds * withoutFixSlower));
    counts.tx[2] = int(withFix / adslSeconds + withoutFix / (adslSeconds * withoutFixSlower));
    return counts;
}

QByteArray gpsSentences(qint64 msecsSinceStart, const TrackerSimulator::Options &options)
{
    const bool fixed = hasFix(msecsSinceStart, options);
    const QByteArray time = gpsTime(msecsSinceStart, fixed);
    QByteArray out;
    if (fixed) {
        QByteArray used;
        for (int i = 0; i < 12; ++i)
            used += ',' + (i < usedSatellites ? twoDigits(satellites[i].prn) : QByteArray());
        out += sentence("GPGGA," + time + ",4736.7380,N,01114.0700,E,1," + twoDigits(usedSatellites)
            + ",1.0,545.0,M,47.0,M,,");
        out += sentence("GPRMC," + time + ",A,4736.7380,N,01114.0700,E,0.0,0.0,140725,,,A");
        out += sentence("GPGSA,A,3" + used + ",1.8,1.0,1.5");
    } else {
        // A GPS without a fix: no position, no satellites, and the date it starts from, 1980.
        out += sentence("GPGGA," + time + ",,,,,0,00,99.99,,M,,M,,");
        out += sentence("GPRMC," + time + ",V,,,,,,,060180,,,N");
        out += sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99");
    }
    // The newer line keeps GSV to itself and prints its "SatSNR:" summary instead.
    if (options.olderFirmware)
        out += gsvSentences(fixed);
    return out;
}

QByteArray pognrSentence(
    const Moment &moment, const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const RadioCounts counts = radioCounts(moment, options);
    qint64 plan = parameterNumber(parameters, "FreqPlan", 0);
    // The newer line picks the plan from its first position when none is set: Europe here.
    if (plan == 0 && !options.olderFirmware && hasFix(moment.msecsSinceStart, options))
        plan = 1;
    if (options.olderFirmware) {
        return sentence("POGNR," + QByteArray::number(plan) + ','
            + QByteArray::number(counts.lastSixtyFourSeconds) + ",,-105.5,+60.0,+25,,");
    }
    // An SX1262 reports no temperature.
    return sentence("POGNR," + QByteArray::number(plan) + ',' + QByteArray::number(counts.lastMinute)
        + ",,-110.5,+60.0,,,");
}

QByteArray radioLine(const Moment &moment, const TrackerSimulator::Options &options)
{
    const RadioCounts counts = radioCounts(moment, options);
    const auto joined = [](const std::array<int, 7> &values) {
        QByteArray text;
        for (int value : values)
            text += (text.isEmpty() ? "" : ":") + QByteArray::number(value);
        return text;
    };
    return "Radio: Tx: " + joined(counts.tx) + "  Rx: " + joined(counts.rx) + "  -110.5dBm "
        + QByteArray::number(counts.lastTenSeconds) + " pkts "
        + QByteArray::number(counts.lastTenSeconds / 10.0, 'f', 1) + " pkt/s 60.0s [1340]\r\n";
}

QByteArray satSnrLine(qint64 msecsSinceStart, const TrackerSimulator::Options &options)
{
    QByteArray line = "SatSNR:";
    if (hasFix(msecsSinceStart, options)) {
        line += QString::asprintf(" GP:%d/%4.1f:%d/%4.1fdB 3:1.8/1.0/1.5", usedSatellites,
            averageSnr(usedSatellites), visibleSatellites, averageSnr(visibleSatellites))
                    .toLatin1();
    } else {
        line += " 1:99.9/99.9/99.9"; // no satellite in view
    }
    return line + lineEnd(options.lineEnding);
}

QByteArray baroSentences(qint64 msecsSinceStart, const TrackerSimulator::Options &options)
{
    const qint64 hundredths = (msecsSinceStart / 10) % 6000;
    const QByteArray second
        = QString::asprintf("%02lld.%02lld", hundredths / 100, hundredths % 100).toLatin1();
    // Standing still at 95000 Pa: 540.4 m (1773 ft) in the standard atmosphere.
    const QByteArray volts = options.batterySensing ? "4.123" : "0.000";
    return sentence("POGNB," + second + ",+21.5,95000.0,0.8,+540.4,+540.4,+0.00,+45.0,")
        + sentence("PGRMZ,1773,f,3") + sentence("LK8EX1,95000,540,0,21.5," + volts);
}

QByteArray bootStatusLines(const TrackerSimulator::Options &options)
{
    const QByteArray eol = lineEnd(options.lineEnding);
    if (options.olderFirmware) {
        // The radio's version byte; a missing chip reads 00, printed each second instead.
        const QByteArray radio = options.radioChip ? QByteArray("TaskRF: v12\r\n") : QByteArray();
        return radio + (options.pressureSensor ? "TaskSENS: BME280:  @76" : "TaskSENS: BME280:  ?!") + eol;
    }
    return QByteArray("RF chip SX1262") + (options.radioChip ? "" : " NOT") + " detected" + eol
        + (options.pressureSensor ? "TaskSENS: BME280: @76" : "TaskSENS: BME280: not detected") + eol;
}

QByteArray runningOutput(
    const Moment &moment, const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    QByteArray out;
    const bool wholeSecond = moment.msecsSinceStart % 1000 == 0;
    const qint64 phase = (moment.msecsSinceStart / 1000) % 10;
    // The older line's radio task looks for its chip each second, whatever Verbose says.
    if (wholeSecond && options.olderFirmware && !options.radioChip)
        out += "TaskRF: v00\r\n";
    if (!verboseOn(parameters, options))
        return out;
    if (wholeSecond) {
        out += gpsSentences(moment.msecsSinceStart, options);
        if (!options.olderFirmware && phase == 7)
            out += satSnrLine(moment.msecsSinceStart, options);
        out += pognrSentence(moment, parameters, options);
        if (!options.olderFirmware && phase == 5)
            out += radioLine(moment, options);
    }
    if (options.pressureSensor)
        out += baroSentences(moment.msecsSinceStart, options);
    return out;
}

} // namespace trackersim
