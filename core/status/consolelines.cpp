// SPDX-License-Identifier: GPL-3.0-or-later
#include "status/consolelines.h"

#include <QRegularExpression>

namespace tracktune {

namespace {

// The line without its line end.
QByteArray withoutLineEnd(const QByteArray &line)
{
    int end = line.size();
    while (end > 0 && (line.at(end - 1) == '\n' || line.at(end - 1) == '\r'))
        --end;
    return line.left(end);
}

bool isPrintable(const QByteArray &text)
{
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Two digits from the position, -1 when they are not digits.
int twoDigits(const QByteArray &field, int at)
{
    const char high = field.at(at), low = field.at(at + 1);
    if (high < '0' || high > '9' || low < '0' || low > '9')
        return -1;
    return (high - '0') * 10 + (low - '0');
}

bool allDigits(const QByteArray &text)
{
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return !text.isEmpty();
}

QList<qint64> counters(const QString &text)
{
    QList<qint64> values;
    for (const QString &part : text.split(QLatin1Char(':')))
        values << part.toLongLong();
    return values;
}

} // namespace

std::optional<NmeaSentence> readNmeaSentence(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line);
    const int start = text.lastIndexOf('$');
    if (start < 0)
        return std::nullopt;
    QByteArray body = text.mid(start + 1);
    if (!isPrintable(body))
        return std::nullopt;
    NmeaSentence sentence;
    const int star = body.indexOf('*');
    if (star >= 0) {
        if (body.size() != star + 3)
            return std::nullopt;
        const int high = hexDigit(body.at(star + 1)), low = hexDigit(body.at(star + 2));
        if (high < 0 || low < 0)
            return std::nullopt;
        unsigned char sum = 0;
        for (int i = 0; i < star; ++i)
            sum ^= static_cast<unsigned char>(body.at(i));
        if (sum != high * 16 + low)
            return std::nullopt;
        body.truncate(star);
        sentence.checksummed = true;
    } else if (start > 0) {
        return std::nullopt;
    }
    sentence.fields = body.split(',');
    const QByteArray address = sentence.fields.takeFirst();
    if (address.size() < 2 || !isPrintable(address))
        return std::nullopt;
    for (const char c : address) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    }
    if (address.size() == 5 && !address.startsWith('P')) {
        sentence.talker = address.left(2);
        sentence.type = address.mid(2);
    } else {
        sentence.type = address; // "$POGNR", and "$LK8EX1" of a variometer's protocol
    }
    return sentence;
}

bool isGnssTalker(const QByteArray &talker)
{
    return talker == "GP" || talker == "GN" || talker == "GL" || talker == "GA" || talker == "BD"
        || talker == "QZ";
}

bool isValidNmeaTime(const QByteArray &field)
{
    if (field.size() < 6)
        return false;
    const int hour = twoDigits(field, 0), minute = twoDigits(field, 2), second = twoDigits(field, 4);
    if (hour < 0 || minute < 0 || second < 0 || hour > 23 || minute > 59 || second > 60)
        return false;
    const QByteArray fraction = field.mid(6);
    return fraction.isEmpty()
        || (fraction.startsWith('.') && (fraction.size() == 1 || allDigits(fraction.mid(1))));
}

bool isValidNmeaDate(const QByteArray &field)
{
    if (field.size() != 6)
        return false;
    const int day = twoDigits(field, 0), month = twoDigits(field, 2), year = twoDigits(field, 4);
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 0 && year < 70;
}

bool hasFix(const FixEvidence &evidence)
{
    return evidence.timeValid && evidence.dateValid && evidence.fixQuality != 0 && evidence.fixMode != 1
        && evidence.satellites > 0;
}

std::optional<RadioCounters> readRadioCounters(const QByteArray &line)
{
    static const QRegularExpression format(QStringLiteral(
        "^Radio: Tx: (\\d+(?::\\d+){6}) +Rx: (\\d+(?::\\d+){6}) +(-?\\d+\\.\\d)dBm (\\d+) pkts "
        "(\\d+\\.\\d) pkt/s (-?\\d+\\.\\d)s \\[-?\\d+\\]$"));
    const QByteArray text = withoutLineEnd(line);
    if (!text.startsWith("Radio: ") || !isPrintable(text))
        return std::nullopt;
    const QRegularExpressionMatch match = format.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    RadioCounters radio;
    radio.sent = counters(match.captured(1));
    radio.received = counters(match.captured(2));
    radio.noiseDbm = match.captured(3).toDouble();
    radio.packetsLast10s = match.captured(4).toInt();
    radio.packetsPerSecond = match.captured(5).toDouble();
    radio.txCreditS = match.captured(6).toDouble();
    return radio;
}

std::optional<SatelliteSignals> readSatelliteSignals(const QByteArray &line)
{
    static const QRegularExpression format(QStringLiteral(
        "^SatSNR:((?: [A-Z]{2}:\\d+/ *\\d+\\.\\d:\\d+/ *\\d+\\.\\ddB)*) ([0-3]):(\\d+\\.\\d)/(\\d+\\.\\d)/"
        "(\\d+\\.\\d)$"));
    static const QRegularExpression system(
        QStringLiteral("([A-Z]{2}):(\\d+)/ *(\\d+\\.\\d):(\\d+)/ *(\\d+\\.\\d)dB"));
    const QByteArray text = withoutLineEnd(line);
    if (!text.startsWith("SatSNR:") || !isPrintable(text))
        return std::nullopt;
    const QRegularExpressionMatch match = format.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    SatelliteSignals found;
    double snrSum = 0;
    QRegularExpressionMatchIterator each = system.globalMatch(match.captured(1));
    while (each.hasNext()) {
        const QRegularExpressionMatch one = each.next();
        const int used = one.captured(2).toInt();
        found.used += used;
        snrSum += used * one.captured(3).toDouble();
        found.inView += one.captured(4).toInt();
    }
    if (found.used > 0)
        found.usedSnrDb = snrSum / found.used;
    found.fixMode = match.captured(2).toInt();
    found.hdop = match.captured(4).toDouble();
    return found;
}

std::optional<double> readBatteryVolts(const QByteArray &line)
{
    const QByteArray text = withoutLineEnd(line).trimmed();
    if (!text.startsWith("Batt:") || !isPrintable(text))
        return std::nullopt;
    const QByteArray rest = text.mid(5).trimmed();
    const int unit = rest.indexOf('V');
    if (unit <= 0)
        return std::nullopt;
    const QByteArray number = rest.left(unit);
    const int point = number.indexOf('.');
    if (point <= 0 || !allDigits(number.left(point)) || !allDigits(number.mid(point + 1)))
        return std::nullopt;
    return number.toDouble();
}

std::optional<bool> readSensorStartup(const QByteArray &line)
{
    static const QRegularExpression format(
        QStringLiteral("^TaskSENS: [A-Z0-9]+: +(?:(@[0-9A-Fa-f]{2})|(not detected|\\?!))$"));
    const QByteArray text = withoutLineEnd(line);
    if (!text.startsWith("TaskSENS: ") || !isPrintable(text))
        return std::nullopt;
    const QRegularExpressionMatch match = format.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return std::nullopt;
    return match.capturedLength(1) > 0;
}

bool verboseOutputOn(int verbose, FirmwareLine line)
{
    return line == FirmwareLine::Newer ? (verbose & 1) != 0 : verbose != 0;
}

} // namespace tracktune
