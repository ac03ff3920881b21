// SPDX-License-Identifier: GPL-3.0-or-later
#include "ogn/ognwording.h"

#include "config/settingsfile.h"

#include <QCoreApplication>
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

QString typeWord(QChar type)
{
    const QString word = deviceTypeWord(type);
    return word.isEmpty() ? QString(type) : word;
}

QString shown(const QString &text)
{
    return text.isEmpty() ? QCoreApplication::translate("tracktune", "(hidden or blank)") : text;
}

QString yesNo(bool value)
{
    return value ? QCoreApplication::translate("tracktune", "yes")
                 : QCoreApplication::translate("tracktune", "no");
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

std::optional<TrackerOgnIdentity> trackerOgnIdentity(const QList<DumpLine> &list)
{
    const DumpLine *addressLine = findSetting(list, QStringLiteral("Address"));
    const std::optional<quint32> address = addressLine ? parseOgnAddress(addressLine->value) : std::nullopt;
    if (!address)
        return std::nullopt;
    TrackerOgnIdentity identity;
    identity.address = *address;
    if (const DumpLine *type = findSetting(list, QStringLiteral("AddrType"))) {
        bool ok = false;
        const int value = type->value.trimmed().toInt(&ok, 0);
        if (ok)
            identity.addressType = value;
    }
    if (const DumpLine *reg = findSetting(list, QStringLiteral("Reg")))
        identity.registration = reg->value;
    return identity;
}

OgnBeaconCells ognBeaconCells(const AprsBeacon &beacon)
{
    OgnBeaconCells cells;
    cells.time = beacon.time.toString(QStringLiteral("HH:mm:ss"));
    cells.station = beacon.receiver;
    if (beacon.signalDb)
        cells.signal = QCoreApplication::translate("tracktune", "%1 dB")
                           .arg(QString::number(*beacon.signalDb, 'f', 1));
    if (beacon.frequencyOffsetKHz)
        cells.offset = QCoreApplication::translate("tracktune", "%1 kHz")
                           .arg(signedNumber(*beacon.frequencyOffsetKHz));
    cells.relayed = beacon.relayedBy.isEmpty()
        ? QCoreApplication::translate("tracktune", "no")
        : QCoreApplication::translate("tracktune", "by %1").arg(beacon.relayedBy);
    if (beacon.kind != AprsBeacon::Kind::Position)
        cells.text = beacon.text;
    return cells;
}

QString ognBeaconLine(const AprsBeacon &beacon)
{
    const OgnBeaconCells cells = ognBeaconCells(beacon);
    QString line
        = QCoreApplication::translate("tracktune", "%1 UTC  received by %2").arg(cells.time, cells.station);
    for (const QString &cell : {cells.signal, cells.offset}) {
        if (!cell.isEmpty())
            line += QStringLiteral("  ") + cell;
    }
    if (beacon.kind == AprsBeacon::Kind::Status)
        line
            += QStringLiteral("  ") + QCoreApplication::translate("tracktune", "status: %1").arg(beacon.text);
    else if (beacon.kind == AprsBeacon::Kind::Info)
        line += QStringLiteral("  ") + QCoreApplication::translate("tracktune", "info: %1").arg(beacon.text);
    if (!beacon.relayedBy.isEmpty())
        line += QStringLiteral("  ")
            + QCoreApplication::translate("tracktune", "relayed by %1").arg(beacon.relayedBy);
    return line;
}

QString ognReceptionSummary(const QList<AprsBeacon> &beacons, int seconds)
{
    if (beacons.isEmpty())
        return QCoreApplication::translate("tracktune",
            "Not received in %1 s. Likely reasons: no OGN receiver in range (on the ground few are), "
            "no GPS fix yet (no position goes out without one), transmitting switched off "
            "(TxProtMask, TxPower) or a large frequency offset (FreqCorr).")
            .arg(seconds);
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
    // Two texts rather than a plural form: the command line has no translation to pick one.
    QString summary = stations.size() == 1
        ? QCoreApplication::translate("tracktune", "Received by 1 station in %1 s").arg(seconds)
        : QCoreApplication::translate("tracktune", "Received by %1 stations in %2 s")
              .arg(stations.size())
              .arg(seconds);
    if (best)
        summary
            += QCoreApplication::translate("tracktune", ", best %1 dB").arg(QString::number(*best, 'f', 1));
    if (offsets > 0) {
        const double offset = offsetSum / offsets;
        summary += QCoreApplication::translate("tracktune", "; frequency offset %1 kHz")
                       .arg(signedNumber(offset));
        if (std::abs(offset) >= offsetWorthCorrecting)
            summary += QCoreApplication::translate("tracktune", ": consider FreqCorr");
    }
    return summary;
}

QStringList ognNotReceivedReasons(const PreflightStatus &status)
{
    QStringList reasons;
    if (status.gps.state == ItemState::Unknown)
        reasons << QCoreApplication::translate(
            "tracktune", "No GPS fix yet: no position goes out without one.");
    else if (!status.gps.fix)
        reasons << QCoreApplication::translate(
            "tracktune", "No GPS fix: the tracker says it has none, and no position goes out without one.");
    // Unknown (the older line prints no count of packets sent): a possibility, not a fact.
    if (!status.radio.transmitting)
        reasons << QCoreApplication::translate(
            "tracktune", "Transmitting may be switched off (TxProtMask, TxPower).");
    else if (!*status.radio.transmitting)
        reasons << QCoreApplication::translate("tracktune",
            "Not transmitting: the tracker's count of packets sent does not rise (TxProtMask, "
            "TxPower).");
    reasons << QCoreApplication::translate("tracktune", "No OGN receiver in range: on the ground few are.");
    reasons << QCoreApplication::translate("tracktune",
        "The frequency plan (FreqPlan) does not suit the region, or the frequency offset is "
        "large (FreqCorr).");
    return reasons;
}

QStringList ognDdbLines(const DdbLookup &lookup, const QStringList &mismatches)
{
    QStringList lines;
    const QString id = addressHex(lookup.address);
    if (!lookup.answered)
        return {QCoreApplication::translate("tracktune", "OGN devices database: no answer (%1)")
                    .arg(lookup.error)};
    QString source = QCoreApplication::translate("tracktune", "OGN devices database");
    if (lookup.fromCache) {
        const QString age = QString::number(lookup.cacheAgeSeconds / 3600.0, 'f', 1);
        source += QLatin1Char(' ')
            + (lookup.error.isEmpty()
                    ? QCoreApplication::translate("tracktune", "(cached answer, %1 h old)").arg(age)
                    : QCoreApplication::translate("tracktune", "(cached answer, %1 h old; %2)")
                          .arg(age, lookup.error));
    }
    if (!lookup.device) {
        lines << QCoreApplication::translate("tracktune", "%1: %2 is not registered").arg(source, id);
    } else {
        const DdbDevice &device = *lookup.device;
        lines << QCoreApplication::translate("tracktune", "%1: %2 is registered as %3")
                     .arg(source, id, typeWord(device.deviceType));
        lines << QStringLiteral("  ")
                + QCoreApplication::translate("tracktune", "registration %1, model %2, CN %3")
                      .arg(shown(device.registration), shown(device.aircraftModel), shown(device.cn));
        lines << QStringLiteral("  ")
                + QCoreApplication::translate("tracktune", "tracked: %1, identified: %2")
                      .arg(yesNo(device.tracked), yesNo(device.identified));
    }
    for (const QString &mismatch : mismatches)
        lines << QStringLiteral("  ")
                + QCoreApplication::translate("tracktune", "mismatch: %1").arg(mismatch);
    return lines;
}

} // namespace tracktune
