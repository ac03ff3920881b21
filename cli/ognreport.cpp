// SPDX-License-Identifier: GPL-3.0-or-later
#include "ognreport.h"

#include <QJsonArray>

namespace tracktune {

namespace {

QJsonValue optionalJson(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

} // namespace

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
