// SPDX-License-Identifier: GPL-3.0-or-later
#include "ognreport.h"

#include <QJsonArray>
#include <QSet>

#include <cmath>

namespace tracktune {

namespace {

// Receivers tolerate some offset; beyond this a tracker's crystal is worth correcting.
constexpr double offsetWorthCorrecting = 10.0;

QString signedNumber(double value)
{
    return (value >= 0 ? QStringLiteral("+") : QString()) + QString::number(value, 'f', 1);
}

QJsonValue optionalJson(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QString typeWord(QChar type)
{
    if (type == QLatin1Char('F'))
        return QStringLiteral("FLARM");
    if (type == QLatin1Char('O'))
        return QStringLiteral("OGN");
    if (type == QLatin1Char('I'))
        return QStringLiteral("ICAO");
    return QString(type);
}

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("(hidden or blank)") : text;
}

} // namespace

std::optional<quint32> parseOgnAddress(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || digits.size() > 6)
        return std::nullopt;
    return quint32(value);
}

bool parseHostPort(const QString &text, QString *host, quint16 *port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || number < 1 || number > 65535)
        return false;
    *host = text.left(colon);
    *port = quint16(number);
    return true;
}

std::optional<QUrl> parseDdbUrl(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return std::nullopt;
    return url;
}

QString ognBeaconLine(const AprsBeacon &beacon)
{
    QString line = beacon.time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" UTC  received by ")
        + beacon.receiver;
    if (beacon.signalDb)
        line += QStringLiteral("  ") + QString::number(*beacon.signalDb, 'f', 1) + QStringLiteral(" dB");
    if (beacon.frequencyOffsetKHz)
        line += QStringLiteral("  ") + signedNumber(*beacon.frequencyOffsetKHz) + QStringLiteral(" kHz");
    if (beacon.kind == AprsBeacon::Kind::Status)
        line += QStringLiteral("  status: ") + beacon.text;
    else if (beacon.kind == AprsBeacon::Kind::Info)
        line += QStringLiteral("  info: ") + beacon.text;
    if (!beacon.relayedBy.isEmpty())
        line += QStringLiteral("  relayed by ") + beacon.relayedBy;
    return line;
}

QString ognReceptionSummary(const QList<AprsBeacon> &beacons, int seconds)
{
    const QString during = QStringLiteral(" in ") + QString::number(seconds) + QStringLiteral(" s");
    if (beacons.isEmpty())
        return QStringLiteral("Not received") + during
            + QStringLiteral(". Likely reasons: no OGN receiver in range (on the ground few are), no GPS fix "
                             "yet (no position goes out without one), transmitting switched off (TxProtMask, "
                             "TxPower) or a large frequency offset (FreqCorr).");
    QSet<QString> stations;
    std::optional<double> best;
    double offsetSum = 0;
    int offsets = 0;
    for (const AprsBeacon &beacon : beacons) {
        stations.insert(beacon.receiver);
        if (beacon.signalDb && (!best || *beacon.signalDb > *best))
            best = beacon.signalDb;
        // A relayed packet's offset is the relaying tracker's, not this one's.
        if (beacon.frequencyOffsetKHz && beacon.relayedBy.isEmpty()) {
            offsetSum += *beacon.frequencyOffsetKHz;
            ++offsets;
        }
    }
    QString summary = QStringLiteral("Received by ") + QString::number(stations.size())
        + (stations.size() == 1 ? QStringLiteral(" station") : QStringLiteral(" stations")) + during;
    if (best)
        summary += QStringLiteral(", best ") + QString::number(*best, 'f', 1) + QStringLiteral(" dB");
    if (offsets > 0) {
        const double offset = offsetSum / offsets;
        summary += QStringLiteral("; frequency offset ") + signedNumber(offset) + QStringLiteral(" kHz");
        if (std::abs(offset) >= offsetWorthCorrecting)
            summary += QStringLiteral(": consider FreqCorr");
    }
    return summary;
}

QStringList ognDdbLines(const DdbLookup &lookup, const QStringList &mismatches)
{
    QStringList lines;
    const QString id = addressHex(lookup.address);
    if (!lookup.answered)
        return {QStringLiteral("OGN devices database: no answer (") + lookup.error + QLatin1Char(')')};
    QString source = QStringLiteral("OGN devices database");
    if (lookup.fromCache)
        source += QStringLiteral(" (cached answer, ")
            + QString::number(lookup.cacheAgeSeconds / 3600.0, 'f', 1) + QStringLiteral(" h old")
            + (lookup.error.isEmpty() ? QString() : QStringLiteral("; ") + lookup.error) + QLatin1Char(')');
    if (!lookup.device) {
        lines << source + QStringLiteral(": ") + id + QStringLiteral(" is not registered");
    } else {
        const DdbDevice &device = *lookup.device;
        lines << source + QStringLiteral(": ") + id + QStringLiteral(" is registered as ")
                + typeWord(device.deviceType);
        lines << QStringLiteral("  registration ") + shown(device.registration) + QStringLiteral(", model ")
                + shown(device.aircraftModel) + QStringLiteral(", CN ") + shown(device.cn);
        lines << QStringLiteral("  tracked: ")
                + (device.tracked ? QStringLiteral("yes") : QStringLiteral("no"))
                + QStringLiteral(", identified: ")
                + (device.identified ? QStringLiteral("yes") : QStringLiteral("no"));
    }
    for (const QString &mismatch : mismatches)
        lines << QStringLiteral("  mismatch: ") + mismatch;
    return lines;
}

QJsonObject ognDdbJson(const DdbLookup &lookup, const QStringList &mismatches)
{
    QJsonObject json;
    const QJsonValue none(QJsonValue::Null);
    const std::optional<DdbDevice> &device = lookup.device;
    json.insert(QStringLiteral("registered"), lookup.answered ? QJsonValue(device.has_value()) : none);
    json.insert(QStringLiteral("device_type"), device ? QJsonValue(QString(device->deviceType)) : none);
    json.insert(QStringLiteral("registration"), device ? QJsonValue(device->registration) : none);
    json.insert(QStringLiteral("aircraft_model"), device ? QJsonValue(device->aircraftModel) : none);
    json.insert(QStringLiteral("cn"), device ? QJsonValue(device->cn) : none);
    json.insert(QStringLiteral("tracked"), device ? QJsonValue(device->tracked) : none);
    json.insert(QStringLiteral("identified"), device ? QJsonValue(device->identified) : none);
    json.insert(QStringLiteral("mismatches"), QJsonArray::fromStringList(mismatches));
    json.insert(QStringLiteral("from_cache"), lookup.fromCache);
    if (lookup.fromCache)
        json.insert(QStringLiteral("cache_age_s"), double(lookup.cacheAgeSeconds));
    if (!lookup.error.isEmpty())
        json.insert(QStringLiteral("error"), lookup.error);
    return json;
}

QJsonObject ognAprsJson(const QList<AprsBeacon> &beacons, bool onlyWhether)
{
    QJsonObject json;
    json.insert(QStringLiteral("received"), !beacons.isEmpty());
    if (onlyWhether)
        return json;
    QJsonArray list;
    for (const AprsBeacon &beacon : beacons) {
        QJsonObject item;
        item.insert(QStringLiteral("time"), beacon.time.toString(QStringLiteral("HH:mm:ss")));
        item.insert(QStringLiteral("receiver"), beacon.receiver);
        item.insert(QStringLiteral("signal_db"), optionalJson(beacon.signalDb));
        item.insert(QStringLiteral("freq_offset_khz"), optionalJson(beacon.frequencyOffsetKHz));
        item.insert(QStringLiteral("relayed"), !beacon.relayedBy.isEmpty());
        list.append(item);
    }
    json.insert(QStringLiteral("beacons"), list);
    return json;
}

} // namespace tracktune
