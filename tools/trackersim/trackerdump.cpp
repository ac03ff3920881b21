// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackerdump.h"

#include <QRegularExpression>

#include <cstring>

namespace trackersim {

namespace {

enum class Kind { Hex, Signed, Unsigned, Text };

struct Slot
{
    const char *name;
    Kind kind;
    int digits; // hex only: the fixed width the dump prints
    qint64 min;
    qint64 max;
    const char *value;
    const char *comment;
    bool vendorOnly;
};

// The firmware's parameter table, in the order it prints it.
const Slot firmwareTable[] = {
    {"Address", Kind::Hex, 6, 0, 0xFFFFFF, "0x1A2B3C", " # [24-bit]", false},
    {"AddrType", Kind::Hex, 1, 0, 3, "0x3", " #  [2-bit]", false},
    {"AcftType", Kind::Hex, 1, 0, 15, "0x1", " #  [4-bit]", false},
    {"NoTrack", Kind::Hex, 1, 0, 1, "0x0", " #  [1-bit]", false},
    {"Stealth", Kind::Hex, 1, 0, 1, "0x0", " #  [1-bit]", false},
    {"Reg", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Pilot", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Crew", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Base", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Manuf", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Model", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Type", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"SN", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"ID", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"Class", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"ICE", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"PilotID", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"FreqPlan", Kind::Unsigned, 0, 0, 5, "0", " #  [0..5]", false},
    {"TxPower", Kind::Signed, 0, -32, 32, "+14", " #  [  dBm]", false},
    {"FreqCorr", Kind::Signed, 0, -100, 100, "+0", " #  [0.1ppm]", false},
    {"TimeZone", Kind::Signed, 0, -48, 56, "+0", " #  [15min]", false},
    {"TempCorr", Kind::Signed, 0, -100, 100, "+0", " #  [ degC]", false},
    {"Hard", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"APN", Kind::Text, 0, 0, 0, "internet", " #  [char]", true},
    {"TxProtMask", Kind::Hex, 2, 0, 0xFF, "0xFF", " #  [8-bit]", false},
    {"RxProtMask", Kind::Hex, 2, 0, 0xFF, "0xFF", " #  [8-bit]", false},
    {"PageMask", Kind::Hex, 4, 0, 0xFFFF, "0x0FFF", " # [16-bit]", false},
    {"InitialPage", Kind::Unsigned, 0, 0, 15, "0", " #  [0..15]", false},
    {"VerbMask", Kind::Hex, 2, 0, 0xFF, "0x07", " #  [8-bit]", false},
    {"NMEAout", Kind::Hex, 2, 0, 0xFF, "0x1F", " #  [8-bit]", false},
    {"LogMask", Kind::Hex, 2, 0, 0xFF, "0x00", " #  [8-bit]", false},
    {"CONbaud", Kind::Unsigned, 0, 1200, 921600, "115200", " #  [  bps]", false},
    {"GNSSbaud", Kind::Unsigned, 0, 1200, 921600, "57600", " #  [  bps]", false},
    {"NavModel", Kind::Unsigned, 0, 0, 8, "7", " #  [0..8]", false},
    {"GNSSrate", Kind::Unsigned, 0, 1, 10, "5", " #  [   Hz]", false},
    {"PPSdelay", Kind::Unsigned, 0, 0, 1000, "100", " #  [   ms]", false},
    {"AltCorr", Kind::Signed, 0, -500, 500, "+0", " #  [    m]", false},
    {"GeoidSepar", Kind::Signed, 0, -1000, 1000, "+0", " #  [ 0.1m]", false},
    {"PressCorr", Kind::Signed, 0, -10000, 10000, "+0", " #  [0.25Pa]", false},
    {"ClimbAvg", Kind::Unsigned, 0, 1, 30, "10", " #  [    s]", false},
    {"BeaconRate", Kind::Unsigned, 0, 1, 60, "1", " #  [    s]", false},
    {"RelayMask", Kind::Hex, 2, 0, 0xFF, "0x00", " #  [8-bit]", false},
    {"RelayLimit", Kind::Unsigned, 0, 0, 16, "4", " #  [  pkt]", false},
    {"MinSpeed", Kind::Unsigned, 0, 0, 100, "20", " #  [0.1m/s]", false},
    {"Encrypt", Kind::Hex, 1, 0, 1, "0x0", " #  [1-bit]", false},
    {"EncryptKey", Kind::Hex, 8, 0, 0xFFFFFFFFLL, "0x00000000", " # [32-bit]", false},
    {"BTname", Kind::Text, 0, 0, 0, "", " #  [char]", false},
    {"LEDmode", Kind::Hex, 1, 0, 3, "0x1", " #  [2-bit]", false},
    {"BTon", Kind::Hex, 1, 0, 1, "0x0", " #  [1-bit]", false},
    {"IdleSleep", Kind::Unsigned, 0, 0, 3600, "300", " #  [    s]", false},
    {"BattMin", Kind::Unsigned, 0, 3000, 4000, "3300", " #  [   mV]", false},
};

const char vendorHardware[] = "ZRN-LTE";
// The low 24 bits of the CPU id the status line prints: the Address of a fresh tracker.
const int maxTextLength = 15;

const Slot *findSlot(const QString &name)
{
    for (const Slot &slot : firmwareTable) {
        if (name == QLatin1String(slot.name))
            return &slot;
    }
    return nullptr;
}

// A parameter the firmware table does not know (set by a test) is typed by how it prints.
Slot inferSlot(const Parameter &parameter)
{
    static const QRegularExpression hex(QStringLiteral("^0x([0-9A-F]+)$"));
    static const QRegularExpression sign(QStringLiteral("^[+-][0-9]+$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    Slot slot {nullptr, Kind::Text, 0, 0, 0, nullptr, nullptr, false};
    const QRegularExpressionMatch match = hex.match(parameter.value);
    if (match.hasMatch()) {
        slot.kind = Kind::Hex;
        slot.digits = match.capturedLength(1);
        slot.max
            = slot.digits >= 15 ? Q_INT64_C(0x7FFFFFFFFFFFFFFF) : (Q_INT64_C(1) << (4 * slot.digits)) - 1;
    } else if (sign.match(parameter.value).hasMatch()) {
        slot.kind = Kind::Signed;
        slot.min = -2147483648LL;
        slot.max = 2147483647LL;
    } else if (digits.match(parameter.value).hasMatch()) {
        slot.kind = Kind::Unsigned;
        slot.max = 4294967295LL;
    }
    return slot;
}

Slot slotFor(const Parameter &parameter)
{
    if (const Slot *slot = findSlot(parameter.name))
        return *slot;
    return inferSlot(parameter);
}

// An optional sign and decimal digits, or "0x" and hex digits.
bool parseInteger(const QByteArray &text, qint64 *value)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    static const QRegularExpression hex(QStringLiteral("^0[xX][0-9A-Fa-f]{1,15}$"));
    const QString s = QString::fromLatin1(text);
    bool ok = false;
    if (decimal.match(s).hasMatch())
        *value = s.toLongLong(&ok, 10);
    else if (hex.match(s).hasMatch())
        *value = s.mid(2).toLongLong(&ok, 16);
    return ok;
}

bool isTextCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
        || std::strchr(".@-+_/#", c) != nullptr;
}

// The value as the dump prints it, or a null string when it does not fit.
QString formatValue(const Slot &slot, const QByteArray &text)
{
    if (slot.kind == Kind::Text) {
        if (text.size() > maxTextLength)
            return QString();
        for (char c : text) {
            if (!isTextCharacter(c))
                return QString();
        }
        return text.isEmpty() ? QStringLiteral("") : QString::fromLatin1(text);
    }
    qint64 value = 0;
    if (!parseInteger(text, &value) || value < slot.min || value > slot.max)
        return QString();
    switch (slot.kind) {
    case Kind::Hex:
        return QStringLiteral("0x")
            + QString::number(value, 16).toUpper().rightJustified(slot.digits, QLatin1Char('0'));
    case Kind::Signed:
        return (value >= 0 ? QStringLiteral("+") : QString()) + QString::number(value);
    case Kind::Unsigned:
    case Kind::Text:
        break;
    }
    return QString::number(value);
}

qint64 integerValue(const QList<Parameter> &parameters, const char *name, qint64 fallback)
{
    for (const Parameter &parameter : parameters) {
        if (parameter.name == QLatin1String(name)) {
            qint64 value = 0;
            return parseInteger(parameter.value.toLatin1(), &value) ? value : fallback;
        }
    }
    return fallback;
}

} // namespace

QList<Parameter> defaultParameters(TrackerSimulator::Variant variant)
{
    const bool vendor = variant == TrackerSimulator::Variant::Vendor;
    QList<Parameter> parameters;
    for (const Slot &slot : firmwareTable) {
        if (slot.vendorOnly && !vendor)
            continue;
        QString value = QString::fromLatin1(slot.value);
        if (vendor && std::strcmp(slot.name, "Hard") == 0)
            value = QString::fromLatin1(vendorHardware);
        parameters.append({QString::fromLatin1(slot.name), value, QString::fromLatin1(slot.comment)});
    }
    return parameters;
}

QByteArray lineEnd(TrackerSimulator::LineEnding ending)
{
    return ending == TrackerSimulator::LineEnding::CrLf ? QByteArray("\r\n") : QByteArray("\n");
}

QByteArray parameterLine(const Parameter &parameter)
{
    // Names are padded to 14 columns; a longer name pushes the '=' along.
    return parameter.name.leftJustified(14, QLatin1Char(' ')).toLatin1() + " = " + parameter.value.toLatin1()
        + ';' + parameter.comment.toLatin1();
}

QByteArray statusLine(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const qint64 acftType = integerValue(parameters, "AcftType", 1);
    const qint64 addrType = integerValue(parameters, "AddrType", 3);
    const qint64 address = integerValue(parameters, "Address", 0x1A2B3C);
    const qint64 txPower = integerValue(parameters, "TxPower", 14);
    const qint64 baud = integerValue(parameters, "CONbaud", 115200);
    const QByteArray line
        = QStringLiteral("%1:%2:%3/%6 RFM95/%4dBm +0.0ppm CON:%5bps")
              .arg(QString::number(acftType, 16).toUpper(), QString::number(addrType, 16).toUpper(),
                  QString::number(address, 16).toUpper().rightJustified(6, QLatin1Char('0')),
                  (txPower >= 0 ? QStringLiteral("+") : QString()) + QString::number(txPower),
                  QString::number(baud), QString::fromLatin1(options.cpuId))
              .toLatin1();
    return line + lineEnd(options.lineEnding);
}

QByteArray composeDump(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const QByteArray eol = lineEnd(options.lineEnding);
    QByteArray dump = statusLine(parameters, options);
    dump += "GPS: 57600bps,5.00Hz,3D-fix,09/12sats,HDOP:1.2,47.6123N,011.2345E,612m,UTC:12:00:00" + eol;
    const char *const tasks[] = {
        "Task         Pr. Stack Free  CPU%  Runs/s",
        "IDLE          0   128    74  81.2    1000",
        "Tmr Svc       2   256   112   0.4      12",
        "CONS          2   320    96   1.9     100",
        "GPS           3   320   140   3.1      50",
        "PROC          2   480   188   4.6      10",
        "RF            4   256    92   5.3     200",
        "LOG           1   384   210   0.8       2",
        "SENS          2   256   120   1.2      20",
        "CTRL          2   448   164   0.9      10",
        "KNOB          1   192    88   0.1       5",
        "BATT          1   192    96   0.5       1",
    };
    for (const char *line : tasks)
        dump += QByteArray(line) + eol;
    for (int i = 0; i < parameters.size(); ++i) {
        if (i == options.insideListAfter)
            dump += options.insideList;
        dump += parameterLine(parameters.at(i)) + eol;
    }
    if (options.dumpEndingLine) {
        dump += "Batt:4.12V/4.20V -0.015A 87% (1450mAh)" + eol;
        dump += "Batt:charger idle, +24.5C" + eol;
    }
    return dump;
}

QByteArray bootBanner(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const QByteArray eol = lineEnd(options.lineEnding);
    return eol + "Tracker restart: firmware 0.9.8, Jul 14 2025" + eol + "Parameters loaded from flash" + eol
        + statusLine(parameters, options);
}

QByteArray nmeaChecksum(const QByteArray &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QByteArray nmeaSentences(qint64 msecsSinceStart)
{
    // A tracker standing on the ground, its clock starting at noon.
    const qint64 seconds = 12 * 3600 + msecsSinceStart / 1000;
    const QByteArray time = QStringLiteral("%1%2%3.00")
                                .arg((seconds / 3600) % 24, 2, 10, QLatin1Char('0'))
                                .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                                .toLatin1();
    const QByteArray rmc = "GPRMC," + time + ",A,4736.7380,N,01114.0700,E,0.0,0.0,140725,,,A";
    const QByteArray ognr = "POGNR,0,1,,-105.5,8.5,0,0";
    return '$' + rmc + '*' + nmeaChecksum(rmc) + "\r\n" + '$' + ognr + '*' + nmeaChecksum(ognr) + "\r\n";
}

namespace {

// What the newer firmware does to the Address before it stores a new AddrType.
void resetAddressForType(QList<Parameter> &parameters, qint64 cpuAddress)
{
    const qint64 type = integerValue(parameters, "AddrType", 3);
    qint64 address = 0;
    if (type == 3) {
        address = cpuAddress;
    } else if (type == 0) {
        // As the firmware mixes the checksum of its parameter block with the CPU's address.
        quint32 checksum = 0;
        for (const Parameter &parameter : std::as_const(parameters)) {
            for (char c : parameterLine(parameter))
                checksum = checksum * 31 + quint8(c);
        }
        address = ((quint64(checksum) * 1664525 + 1013904223) ^ quint64(cpuAddress)) & 0xFFFFFF;
    } else {
        return;
    }
    for (Parameter &parameter : parameters) {
        if (parameter.name == QLatin1String("Address"))
            parameter.value = formatValue(slotFor(parameter), "0x" + QByteArray::number(address, 16));
    }
}

} // namespace

bool applySentence(
    const QByteArray &sentence, QList<Parameter> &parameters, bool addrTypeResetsAddress, qint64 cpuAddress)
{
    if (!sentence.startsWith('$'))
        return false;
    QByteArray body = sentence.mid(1);
    const int star = body.indexOf('*');
    if (star >= 0) {
        const QByteArray sum = body.mid(star + 1);
        static const QRegularExpression twoHex(QStringLiteral("^[0-9A-Fa-f]{2}$"));
        if (!twoHex.match(QString::fromLatin1(sum)).hasMatch())
            return false;
        body.truncate(star);
        if (nmeaChecksum(body) != sum.toUpper())
            return false;
    }
    QList<QByteArray> fields = body.split(',');
    if (fields.takeFirst() != "POGNS")
        return false;

    QList<Parameter> updated = parameters;
    for (const QByteArray &field : fields) {
        if (field.isEmpty())
            continue;
        const int equals = field.indexOf('=');
        if (equals <= 0)
            return false;
        const QString name = QString::fromLatin1(field.left(equals));
        // Only a value the type takes resets the Address, before the type is stored.
        if (addrTypeResetsAddress && name == QLatin1String("AddrType")
            && !formatValue(slotFor({name, QString(), QString()}), field.mid(equals + 1)).isNull())
            resetAddressForType(updated, cpuAddress);
        for (Parameter &parameter : updated) {
            if (parameter.name != name)
                continue;
            const QString value = formatValue(slotFor(parameter), field.mid(equals + 1));
            if (value.isNull())
                return false;
            parameter.value = value;
        }
    }
    parameters = updated;
    return true;
}

} // namespace trackersim
