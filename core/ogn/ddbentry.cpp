// SPDX-License-Identifier: GPL-3.0-or-later
#include "ddbentry.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

namespace tracktune {

namespace {

bool isDeviceId(const QString &id)
{
    if (id.size() != 6)
        return false;
    bool ok = false;
    id.toUInt(&ok, 16);
    return ok;
}

QString typeName(QChar type)
{
    const QString word = deviceTypeWord(type);
    return word.isEmpty() ? QCoreApplication::translate("tracktune", "type %1").arg(type)
                          : QStringLiteral("%1 (%2)").arg(word, type);
}

// Registrations as pilots write them: "D-1749", "d 1749" and "D1749" are one.
QString comparable(const QString &registration)
{
    QString text;
    for (const QChar c : registration) {
        if (c.isLetterOrNumber())
            text += c.toUpper();
    }
    return text;
}

QChar firstCharacter(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

} // namespace

std::optional<QList<DdbDevice>> parseDdbJson(const QByteArray &answer)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(answer, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue list = document.object().value(QStringLiteral("devices"));
    if (!list.isArray())
        return std::nullopt;
    QList<DdbDevice> devices;
    for (const QJsonValue &value : list.toArray()) {
        const QJsonObject object = value.toObject();
        DdbDevice device;
        device.deviceType = firstCharacter(object.value(QStringLiteral("device_type")).toString());
        device.deviceId = object.value(QStringLiteral("device_id")).toString().toUpper();
        device.aircraftModel = object.value(QStringLiteral("aircraft_model")).toString();
        device.registration = object.value(QStringLiteral("registration")).toString();
        device.cn = object.value(QStringLiteral("cn")).toString();
        device.tracked = object.value(QStringLiteral("tracked")).toString() == QLatin1String("Y");
        device.identified = object.value(QStringLiteral("identified")).toString() == QLatin1String("Y");
        if (isDeviceId(device.deviceId))
            devices << device;
    }
    return devices;
}

std::optional<QList<DdbDevice>> parseDdbCsv(const QByteArray &answer)
{
    QList<DdbDevice> devices;
    bool header = false;
    for (const QByteArray &raw : answer.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('#'))) {
            header = header || line.startsWith(QLatin1String("#DEVICE_TYPE"));
            continue;
        }
        if (line.isEmpty())
            continue;
        QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 7)
            return std::nullopt;
        for (QString &field : fields) {
            if (field.size() < 2 || !field.startsWith(QLatin1Char('\''))
                || !field.endsWith(QLatin1Char('\'')))
                return std::nullopt;
            field = field.mid(1, field.size() - 2);
        }
        DdbDevice device {firstCharacter(fields.at(0)), fields.at(1).toUpper(), fields.at(2), fields.at(3),
            fields.at(4), fields.at(5) == QLatin1String("Y"), fields.at(6) == QLatin1String("Y")};
        if (!isDeviceId(device.deviceId))
            return std::nullopt;
        devices << device;
    }
    // An answer without a single device is only an answer with its header.
    if (devices.isEmpty() && !header)
        return std::nullopt;
    return devices;
}

std::optional<QList<DdbDevice>> parseDdbAnswer(const QByteArray &answer)
{
    if (answer.trimmed().startsWith('{'))
        return parseDdbJson(answer);
    return parseDdbCsv(answer);
}

std::optional<DdbDevice> findDdbDevice(const QList<DdbDevice> &devices, quint32 address)
{
    const QString id = addressHex(address);
    for (const DdbDevice &device : devices) {
        if (device.deviceId == id)
            return device;
    }
    return std::nullopt;
}

QUrl ddbQueryUrl(const QUrl &download, quint32 address)
{
    QUrl url = download;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("j"), QStringLiteral("1"));
    query.addQueryItem(QStringLiteral("device_id"), addressHex(address));
    url.setQuery(query);
    return url;
}

QString addressHex(quint32 address)
{
    return QStringLiteral("%1").arg(address & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

QChar ddbTypeOfAddressType(int addressType)
{
    switch (addressType) {
    case 1:
        return QLatin1Char('I');
    case 2:
        return QLatin1Char('F');
    case 3:
        return QLatin1Char('O');
    default:
        return QChar();
    }
}

QStringList ddbMismatches(const std::optional<DdbDevice> &entry, const TrackerOgnIdentity &tracker)
{
    QStringList problems;
    if (tracker.addressType == 0)
        problems << QCoreApplication::translate("tracktune",
            "AddrType=0 (random) changes the address after each landing: a database entry cannot follow it");
    if (!entry)
        return problems;
    if (tracker.addressType) {
        const QChar expected = ddbTypeOfAddressType(*tracker.addressType);
        if (!expected.isNull() && entry->deviceType != expected)
            problems << QCoreApplication::translate(
                "tracktune", "the database registers %1 as %2, the tracker sends it as %3 (AddrType=%4)")
                            .arg(entry->deviceId, typeName(entry->deviceType), typeName(expected),
                                QString::number(*tracker.addressType));
    }
    if (!entry->registration.isEmpty() && !tracker.registration.trimmed().isEmpty()
        && comparable(entry->registration) != comparable(tracker.registration))
        problems << QCoreApplication::translate("tracktune",
            "this address is registered to another aircraft: %1 in the database, Reg=%2 on the tracker")
                        .arg(entry->registration, tracker.registration.trimmed());
    return problems;
}

QString deviceTypeWord(QChar type)
{
    if (type == QLatin1Char('F'))
        return QStringLiteral("FLARM");
    if (type == QLatin1Char('O'))
        return QStringLiteral("OGN");
    if (type == QLatin1Char('I'))
        return QStringLiteral("ICAO");
    return QString();
}

} // namespace tracktune
