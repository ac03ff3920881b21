// SPDX-License-Identifier: GPL-3.0-or-later
#include "statusreport.h"

#include "config/settingvalue.h"

#include <QJsonValue>

#include <cmath>

namespace tracktune {

namespace {

QString decimal(double value, int decimals = 1)
{
    return QString::number(value, 'f', decimals);
}

QString counted(qint64 count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

// Numbers rounded for a script; null when not known.
template<typename T> QJsonValue jsonNumber(const std::optional<T> &value, int decimals = 1)
{
    if (!value)
        return QJsonValue(QJsonValue::Null);
    const double scale = std::pow(10.0, decimals);
    return QJsonValue(std::round(double(*value) * scale) / scale);
}

QJsonValue jsonSeconds(const std::optional<qint64> &ms)
{
    return ms ? QJsonValue(std::round(double(*ms) / 100.0) / 10.0) : QJsonValue(QJsonValue::Null);
}

QJsonValue jsonBool(const std::optional<bool> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString stateName(ItemState state)
{
    switch (state) {
    case ItemState::Unknown:
        return QStringLiteral("unknown");
    case ItemState::Good:
        return QStringLiteral("good");
    case ItemState::Warning:
        return QStringLiteral("warning");
    case ItemState::Bad:
        return QStringLiteral("bad");
    }
    return QString();
}

QString firmwareName(FirmwareLine line)
{
    switch (line) {
    case FirmwareLine::Unknown:
        return QStringLiteral("unknown");
    case FirmwareLine::Older:
        return QStringLiteral("older");
    case FirmwareLine::Newer:
        return QStringLiteral("newer");
    }
    return QString();
}

// The GPS goes quiet for longer than this: said instead of the fix.
constexpr qint64 gpsSilentMs = 5000;

} // namespace

QString durationText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms / 1000);
    if (seconds < 10)
        return QString::number(seconds) + QStringLiteral(" s");
    if (seconds < 60)
        return QString::number(seconds / 10 * 10) + QStringLiteral(" s");
    if (seconds < 3600)
        return QString::number(seconds / 60) + QStringLiteral(" min");
    return QString::number(seconds / 3600) + QStringLiteral(" h ") + QString::number(seconds % 3600 / 60)
        + QStringLiteral(" min");
}

QString gpsText(const GpsStatus &gps)
{
    if (!gps.ageMs)
        return QStringLiteral("GPS: no output seen");
    if (*gps.ageMs > gpsSilentMs)
        return QStringLiteral("GPS: silent for ") + durationText(*gps.ageMs);
    QStringList parts;
    if (gps.fix) {
        parts << (gps.fixMode == 3 ? QStringLiteral("3-D fix")
                : gps.fixMode == 2 ? QStringLiteral("2-D fix")
                                   : QStringLiteral("fix"));
        if (gps.satellites)
            parts << counted(*gps.satellites, "satellite", "satellites");
        if (gps.hdop)
            parts << QStringLiteral("HDOP ") + decimal(*gps.hdop);
    } else {
        parts << (gps.sinceFixMs ? QStringLiteral("no fix for ") + durationText(*gps.sinceFixMs)
                                 : QStringLiteral("no fix"));
        if (gps.satellitesInView)
            parts << counted(*gps.satellitesInView, "satellite", "satellites") + QStringLiteral(" in view");
        else if (gps.satellites && *gps.satellites > 0)
            parts << counted(*gps.satellites, "satellite", "satellites");
        if (gps.dateRejected)
            parts << QStringLiteral("no valid date yet");
    }
    return QStringLiteral("GPS: ") + parts.join(QStringLiteral(", "));
}

QString radioText(const RadioStatus &radio, FirmwareLine firmware)
{
    if (radio.transmitting) {
        const QString span = durationText(radio.recentSpanMs);
        return *radio.transmitting
            ? QStringLiteral("Radio: transmitting (OGN, ")
                + counted(*radio.ognSentRecently, "packet", "packets") + QStringLiteral(" in the last ")
                + span + QLatin1Char(')')
            : QStringLiteral("Radio: not transmitting (no OGN packet in the last ") + span + QLatin1Char(')');
    }
    if (radio.ognSent)
        return QStringLiteral("Radio: ") + counted(*radio.ognSent, "OGN packet", "OGN packets")
            + QStringLiteral(
                " sent since start-up; the next report (every 10 s) tells whether it transmits now");
    if (firmware == FirmwareLine::Older)
        return QStringLiteral("Radio: transmit status not printed by this firmware");
    return QStringLiteral("Radio: no transmit report seen");
}

QString receiverText(const RadioStatus &radio)
{
    if (!radio.rxPerMinute)
        return QStringLiteral("Receiver: no radio report seen");
    QStringList parts {
        counted(qRound64(*radio.rxPerMinute), "packet", "packets") + QStringLiteral(" a minute")};
    if (radio.noiseDbm)
        parts << QStringLiteral("noise ") + decimal(*radio.noiseDbm) + QStringLiteral(" dBm");
    if (radio.freqPlan) {
        const QString plan = optionTextFor(QStringLiteral("FreqPlan"), QString::number(*radio.freqPlan));
        parts << QStringLiteral("frequency plan ") + QString::number(*radio.freqPlan)
                + (plan.isEmpty() ? QString() : QStringLiteral(" (") + plan + QLatin1Char(')'));
    }
    if (radio.txCreditS)
        parts << QStringLiteral("transmit budget ") + decimal(*radio.txCreditS) + QStringLiteral(" s");
    return QStringLiteral("Receiver: ") + parts.join(QStringLiteral(", "));
}

QString pressureSensorText(const PressureSensorStatus &sensor)
{
    if (!sensor.present)
        return QStringLiteral("Pressure sensor: no reading seen");
    if (!*sensor.present)
        return QStringLiteral("Pressure sensor: not detected");
    return QStringLiteral("Pressure sensor: found")
        + (sensor.pressureHpa ? QStringLiteral(", ") + decimal(*sensor.pressureHpa) + QStringLiteral(" hPa")
                              : QString());
}

QString batteryText(const BatteryStatus &battery)
{
    if (battery.volts)
        return QStringLiteral("Battery: ") + decimal(*battery.volts, 2) + QStringLiteral(" V")
            + (battery.state == ItemState::Bad            ? QStringLiteral(" (empty)")
                    : battery.state == ItemState::Warning ? QStringLiteral(" (low)")
                                                          : QString());
    if (battery.notMeasured)
        return QStringLiteral("Battery: not measured by this board");
    return QStringLiteral("Battery: no reading");
}

QString outputText(const OutputStatus &output)
{
    if (output.continuous)
        return QStringLiteral("Output: continuous");
    if (!output.verboseOn)
        return QStringLiteral("Output: none: with Verbose=") + QString::number(*output.verbose)
            + QStringLiteral(" the tracker prints nothing continuous; switch it on with: tracktune-cli set "
                             "Verbose=1");
    if (output.state == ItemState::Bad)
        return QStringLiteral("Output: nothing continuous seen")
            + (output.ageMs ? QStringLiteral(" for ") + durationText(*output.ageMs) : QString());
    return QStringLiteral("Output: none seen yet");
}

QStringList statusLines(const PreflightStatus &status)
{
    return {gpsText(status.gps), radioText(status.radio, status.firmware), receiverText(status.radio),
        pressureSensorText(status.pressureSensor), batteryText(status.battery), outputText(status.output)};
}

QJsonObject statusJson(const PreflightStatus &status)
{
    const GpsStatus &gps = status.gps;
    const RadioStatus &radio = status.radio;
    const QJsonValue mode = gps.fixMode == 3 ? QJsonValue(QStringLiteral("3-D"))
        : gps.fixMode == 2                   ? QJsonValue(QStringLiteral("2-D"))
                                             : QJsonValue(QJsonValue::Null);
    return QJsonObject {{QStringLiteral("firmware"), firmwareName(status.firmware)},
        {QStringLiteral("gps"),
            QJsonObject {{QStringLiteral("fix"), gps.fix}, {QStringLiteral("mode"), mode},
                {QStringLiteral("satellites"), jsonNumber(gps.satellites, 0)},
                {QStringLiteral("satellites_in_view"), jsonNumber(gps.satellitesInView, 0)},
                {QStringLiteral("hdop"), jsonNumber(gps.hdop)},
                {QStringLiteral("altitude_m"), jsonNumber(gps.altitudeM)},
                {QStringLiteral("age_s"), jsonSeconds(gps.ageMs)},
                {QStringLiteral("since_fix_s"), jsonSeconds(gps.sinceFixMs)},
                {QStringLiteral("state"), stateName(gps.state)}}},
        {QStringLiteral("radio"),
            QJsonObject {{QStringLiteral("transmitting"), jsonBool(radio.transmitting)},
                {QStringLiteral("ogn_tx"), jsonNumber(radio.ognSent, 0)},
                {QStringLiteral("ogn_tx_recent"), jsonNumber(radio.ognSentRecently, 0)},
                {QStringLiteral("rx_per_minute"), jsonNumber(radio.rxPerMinute)},
                {QStringLiteral("noise_dbm"), jsonNumber(radio.noiseDbm)},
                {QStringLiteral("freq_plan"), jsonNumber(radio.freqPlan, 0)},
                {QStringLiteral("tx_credit_s"), jsonNumber(radio.txCreditS)},
                {QStringLiteral("age_s"), jsonSeconds(radio.ageMs)},
                {QStringLiteral("state"), stateName(radio.state)}}},
        {QStringLiteral("battery"),
            QJsonObject {{QStringLiteral("volts"), jsonNumber(status.battery.volts, 3)},
                {QStringLiteral("measured"), !status.battery.notMeasured},
                {QStringLiteral("age_s"), jsonSeconds(status.battery.ageMs)},
                {QStringLiteral("state"), stateName(status.battery.state)}}},
        {QStringLiteral("pressure_sensor"), jsonBool(status.pressureSensor.present)},
        {QStringLiteral("pressure_hpa"), jsonNumber(status.pressureSensor.pressureHpa)},
        {QStringLiteral("verbose"), status.output.continuous},
        {QStringLiteral("verbose_setting"), jsonNumber(status.output.verbose, 0)}};
}

QStringList knownRequirements()
{
    return {QStringLiteral("fix"), QStringLiteral("transmitting"), QStringLiteral("pressure-sensor"),
        QStringLiteral("verbose")};
}

QStringList unmetRequirements(const PreflightStatus &status, const QStringList &required)
{
    QStringList unmet;
    for (const QString &name : required) {
        const bool met = name == QLatin1String("fix")  ? status.gps.fix
            : name == QLatin1String("transmitting")    ? status.radio.transmitting.value_or(false)
            : name == QLatin1String("pressure-sensor") ? status.pressureSensor.present.value_or(false)
            : name == QLatin1String("verbose")         ? status.output.continuous
                                                       : false;
        if (!met)
            unmet << name;
    }
    return unmet;
}

} // namespace tracktune
