// SPDX-License-Identifier: GPL-3.0-or-later
#include "aprsbeacon.h"

#include <QRegularExpression>
#include <QStringList>

namespace tracktune {

namespace {

std::optional<quint32> hexAddress(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 6)
        return std::nullopt;
    return quint32(value);
}

// "ddmm.mm" or "dddmm.mm" with the hemisphere; the "!Wab!" digits refine it later.
double degrees(const QString &whole, const QString &minutes, QChar hemisphere)
{
    const double value = whole.toInt() + minutes.toDouble() / 60.0;
    return (hemisphere == QLatin1Char('S') || hemisphere == QLatin1Char('W')) ? -value : value;
}

std::optional<AprsDeviceId> deviceId(const QString &hex)
{
    bool ok = false;
    const qulonglong value = hex.toULongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    AprsDeviceId id;
    if (hex.size() == 8) { // STtt ttaa, then the address
        const uint detail = uint(value >> 24);
        id.stealth = detail & 0x80;
        id.noTracking = detail & 0x40;
        id.aircraftType = int((detail >> 2) & 0x0F);
        id.addressType = int(detail & 0x03);
        id.address = quint32(value & 0xFFFFFF);
        return id;
    }
    if (hex.size() == 10) { // STtt ttaa aaaa rrrr, then the address
        const uint detail = uint(value >> 24);
        id.stealth = detail & 0x8000;
        id.noTracking = detail & 0x4000;
        id.aircraftType = int((detail >> 10) & 0x0F);
        id.addressType = int((detail >> 4) & 0x3F);
        id.address = quint32(value & 0xFFFFFF);
        return id;
    }
    return std::nullopt;
}

// The comment of a position: one field per blank-separated word, unknown words kept in text.
void readComment(AprsBeacon &beacon, const QString &comment)
{
    static const QRegularExpression refine(QStringLiteral("^!W([0-9])([0-9])!$"));
    static const QRegularExpression id(QStringLiteral("^id([0-9A-Fa-f]{8}|[0-9A-Fa-f]{10})$"));
    static const QRegularExpression climb(QStringLiteral("^([+-]?[0-9]+)fpm$"));
    static const QRegularExpression signal(QStringLiteral("^([+-]?[0-9]+(?:\\.[0-9]+)?)dB$"));
    static const QRegularExpression errors(QStringLiteral("^([0-9]+)e$"));
    static const QRegularExpression offset(QStringLiteral("^([+-]?[0-9]+(?:\\.[0-9]+)?)kHz$"));
    static const QRegularExpression gps(QStringLiteral("^gps([0-9]+)x([0-9]+)$"));
    static const QRegularExpression power(QStringLiteral("^([+-]?[0-9]+(?:\\.[0-9]+)?)dBm$"));
    QStringList rest;
    for (const QString &word : comment.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QRegularExpressionMatch m;
        if ((m = refine.match(word)).hasMatch()) {
            if (beacon.latitude && beacon.longitude) {
                const double lat = m.captured(1).toInt() / 60000.0;
                const double lon = m.captured(2).toInt() / 60000.0;
                *beacon.latitude += *beacon.latitude < 0 ? -lat : lat;
                *beacon.longitude += *beacon.longitude < 0 ? -lon : lon;
            }
        } else if ((m = id.match(word)).hasMatch()) {
            beacon.id = deviceId(m.captured(1));
        } else if ((m = climb.match(word)).hasMatch()) {
            beacon.climbFpm = m.captured(1).toInt();
        } else if ((m = signal.match(word)).hasMatch()) {
            beacon.signalDb = m.captured(1).toDouble();
        } else if ((m = errors.match(word)).hasMatch()) {
            beacon.bitErrors = m.captured(1).toInt();
        } else if ((m = offset.match(word)).hasMatch()) {
            beacon.frequencyOffsetKHz = m.captured(1).toDouble();
        } else if ((m = gps.match(word)).hasMatch()) {
            beacon.gpsHorizontalM = m.captured(1).toInt();
            beacon.gpsVerticalM = m.captured(2).toInt();
        } else if ((m = power.match(word)).hasMatch()) {
            beacon.powerDbm = m.captured(1).toDouble();
        } else {
            rest << word;
        }
    }
    beacon.text = rest.join(QLatin1Char(' '));
}

bool readPosition(AprsBeacon &beacon, const QString &body)
{
    static const QRegularExpression position(QStringLiteral(
        "^[/@]([0-9]{6})h([0-9]{2})([0-9]{2}\\.[0-9]{2})([NS])(.)([0-9]{3})([0-9]{2}\\.[0-9]{2})([EW])(.)"
        "(?:([0-9]{3})/([0-9]{3}))?(?:/A=(-?[0-9]{5,6}))?(.*)$"));
    const QRegularExpressionMatch m = position.match(body);
    if (!m.hasMatch())
        return false;
    beacon.kind = AprsBeacon::Kind::Position;
    beacon.time = QTime::fromString(m.captured(1), QStringLiteral("HHmmss"));
    beacon.latitude = degrees(m.captured(2), m.captured(3), m.captured(4).at(0));
    beacon.longitude = degrees(m.captured(6), m.captured(7), m.captured(8).at(0));
    if (!m.captured(12).isEmpty())
        beacon.altitudeFeet = m.captured(12).toInt();
    readComment(beacon, m.captured(13));
    return true;
}

bool readStatus(AprsBeacon &beacon, const QString &body)
{
    static const QRegularExpression status(QStringLiteral("^>([0-9]{6})h ?(.*)$"));
    static const QRegularExpression info(QStringLiteral("^[A-Za-z]+="));
    const QRegularExpressionMatch m = status.match(body);
    if (!m.hasMatch())
        return false;
    beacon.time = QTime::fromString(m.captured(1), QStringLiteral("HHmmss"));
    beacon.text = m.captured(2).trimmed();
    beacon.kind = info.match(beacon.text).hasMatch() ? AprsBeacon::Kind::Info : AprsBeacon::Kind::Status;
    return true;
}

} // namespace

std::optional<AprsBeacon> parseAprsLine(const QByteArray &line)
{
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const int colon = text.indexOf(QLatin1Char(':'));
    const int arrow = text.indexOf(QLatin1Char('>'));
    if (colon < 0 || arrow <= 0 || arrow > colon)
        return std::nullopt;
    AprsBeacon beacon;
    beacon.source = text.left(arrow);
    QStringList path = text.mid(arrow + 1, colon - arrow - 1).split(QLatin1Char(','));
    beacon.destination = path.takeFirst();
    if (beacon.destination.isEmpty())
        return std::nullopt;
    // The q construct names the station that gave the line to the network; what comes before it
    // with a "*" repeated it (a receiver's own line comes over TCPIP).
    bool qFound = false;
    for (int i = 0; i < path.size(); ++i) {
        const QString &hop = path.at(i);
        if (hop.startsWith(QLatin1String("qA")) && hop.size() == 3) {
            beacon.receiver = path.value(i + 1);
            qFound = true;
            break;
        }
        if (hop == QLatin1String("TCPIP*"))
            beacon.fromReceiver = true;
        else if (hop.endsWith(QLatin1Char('*')))
            beacon.relayedBy = hop.chopped(1);
    }
    if (!qFound || beacon.receiver.isEmpty())
        return std::nullopt;
    if (beacon.destination.startsWith(QLatin1String("OGNSDR")))
        beacon.fromReceiver = true;
    static const QRegularExpression addressCall(QStringLiteral("^([A-Z]{3})([0-9A-F]{6})$"));
    const QRegularExpressionMatch call = addressCall.match(beacon.source);
    if (call.hasMatch() && !beacon.fromReceiver) {
        beacon.prefix = call.captured(1);
        beacon.callAddress = hexAddress(call.captured(2));
    }
    const QString body = text.mid(colon + 1);
    if (!readPosition(beacon, body) && !readStatus(beacon, body))
        return std::nullopt;
    return beacon;
}

std::optional<quint32> beaconAddress(const AprsBeacon &beacon)
{
    if (beacon.id)
        return beacon.id->address;
    return beacon.callAddress;
}

QString aprsAddressFilter(quint32 address)
{
    const QString hex = QStringLiteral("%1").arg(address & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    QStringList calls;
    for (const char *prefix : {"OGN", "FLR", "ICA", "RND"})
        calls << QLatin1String(prefix) + hex;
    return QStringLiteral("b/") + calls.join(QLatin1Char('/'));
}

QByteArray aprsLogin(const QString &user, const QString &version, const QString &filter)
{
    QString login = QStringLiteral("user ") + user + QStringLiteral(" pass -1 vers tracktune ") + version;
    if (!filter.isEmpty())
        login += QStringLiteral(" filter ") + filter;
    return login.toLatin1() + "\r\n";
}

} // namespace tracktune
