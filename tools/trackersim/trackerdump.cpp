// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackerdump.h"

#include <QRegularExpression>

namespace trackersim {

namespace {

enum class Lines { Both, Older, Newer, Vendor };

struct Entry
{
    Lines lines;
    Slot slot;
};

Slot number(const char *name, Format format, qint64 minimum, qint64 maximum, Fit fit, const char *value,
    const char *comment, int digits = 0)
{
    Slot slot;
    slot.name = name;
    slot.format = format;
    slot.digits = digits;
    slot.minimum = minimum;
    slot.maximum = maximum;
    slot.fit = fit;
    slot.value = value;
    slot.comment = comment;
    return slot;
}

Slot hex(const char *name, int digits, qint64 maximum, const char *value, const char *comment)
{
    return number(name, Format::Hex, 0, maximum, Fit::Wrap, value, comment, digits);
}

Slot text(const char *name, int bytes, bool escaped = false, const char *value = "")
{
    Slot slot = number(name, Format::Text, 0, bytes, Fit::Wrap, value, " #  [char]");
    slot.escaped = escaped;
    return slot;
}

// A bool stored as 0 or 1, printed as a number.
Slot flag(const char *name, const char *value, const char *comment)
{
    return number(name, Format::Unsigned, 0, 1, Fit::Flag, value, comment);
}

Slot inQuarters(Slot slot, Steps steps = Steps::Quarters)
{
    slot.steps = steps;
    return slot;
}

Slot zeroWhenUnreadable(Slot slot)
{
    slot.zeroWhenUnreadable = true;
    return slot;
}

Slot runsInto(Slot slot, const char *next)
{
    slot.runsInto = next;
    return slot;
}

// An info text: the newer line prints the bytes it does not take as "\xHH". The fifteen are
// stored one behind the other in the order they print.
Slot info(const char *name, const char *next = nullptr)
{
    return runsInto(text(name, 16, true), next);
}

Slot resetsTo(Slot slot, const char *value)
{
    slot.resetTo = value;
    return slot;
}

Slot printedOnly(Slot slot)
{
    slot.taken = false;
    return slot;
}

// Both firmware lines' parameters in the order they print them: a parameter one line lacks is
// skipped on it. Two entries of one name print differently on the two lines.
const QVector<Entry> &firmwareTable()
{
    using F = Format;
    static const QVector<Entry> table {
        {Lines::Both, hex("Address", 6, 0xFFFFFF, "", " # [24-bit]")},
        {Lines::Both, hex("AcftType", 1, 0xF, "0x1", " #  [4-bit]")},
        {Lines::Both, hex("AddrType", 1, 0x3, "0x3", " #  [2-bit]")},
        {Lines::Older, hex("Stealth", 1, 0x1, "0x0", " #  [ bool]")},
        {Lines::Newer, flag("Stealth", "0", " #  [ bool]")},
        {Lines::Newer, number("Ghost", F::Hex, 0, 3, Fit::Clamp, "0x0", " #  [2-bit]", 1)},
        {Lines::Both, number("CONbaud", F::Unsigned, 0, 0xFFFFFF, Fit::Wrap, "115200", " #  [  bps]")},
        // Eight bits held, one digit printed.
        {Lines::Both, hex("CONprot", 1, 0xFF, "0xFF", " #  [ mask]")},
        {Lines::Both, number("TxPower", F::Signed, -32, 31, Fit::Clamp, "+14", " #  [  dBm]")},
        {Lines::Both, flag("TxHW", "1", " #  [ bool]")},
        {Lines::Older, hex("TxProtMask", 2, 0xFFFF, "0xFF", " #  [ mask]")},
        {Lines::Newer, hex("TxProtMask", 4, 0xFFFF, "0xFFFF", " #  [ mask]")},
        {Lines::Older, hex("RxProtMask", 2, 0xFFFF, "0xFF", " #  [ mask]")},
        {Lines::Newer, hex("RxProtMask", 4, 0xFFFF, "0xFFFF", " #  [ mask]")},
        {Lines::Both, number("FreqPlan", F::Unsigned, 0, 5, Fit::Clamp, "0", " #  [ 0..5]")},
        {Lines::Both, number("FreqCorr", F::Tenths, -2048, 2047, Fit::Wrap, "+0.0", " #  [  ppm]")},
        {Lines::Both, printedOnly(number("TempCorr", F::Signed, -8, 7, Fit::Wrap, "+0", " #  [ degC]"))},
        {Lines::Both,
            inQuarters(number("PressCorr", F::Tenths, -32768, 32767, Fit::Wrap, "+0.0", " #  [   Pa]"))},
        {Lines::Both, number("TimeCorr", F::Signed, -4, 3, Fit::Wrap, "+0", " #  [    s]")},
        // The older line sets GeoidSepar to 0 when the value has no number; the newer one keeps it.
        {Lines::Older,
            zeroWhenUnreadable(
                number("GeoidSepar", F::Tenths, -32768, 32767, Fit::Wrap, "+40.0", " #  [    m]"))},
        {Lines::Newer, number("GeoidSepar", F::Tenths, -32768, 32767, Fit::Wrap, "+40.0", " #  [    m]")},
        {Lines::Both, flag("manGeoidSepar", "0", " #  [  1|0]")},
        {Lines::Both, number("NavMode", F::Unsigned, 0, 7, Fit::Wrap, "6", " #  [ 0..7]")},
        {Lines::Both, number("NavRate", F::Unsigned, 0, 7, Fit::FloorThenWrap, "0", " #  [  1,2]")},
        {Lines::Both, hex("Verbose", 2, 3, "0x01", " #  [ 0..3]")},
        {Lines::Both, hex("GNSS", 2, 0xFF, "0x67", " #  [ mask]")},
        {Lines::Both, hex("PageMask", 4, 0x1FFFFF, "0xFFFF", " #  [ mask]")},
        {Lines::Both, number("InitialPage", F::Unsigned, 0, 31, Fit::Wrap, "0", " #  [     ]")},
        {Lines::Older, number("AltitudeUnit", F::Unsigned, 0, 3, Fit::Wrap, "0", " #  [     ]")},
        {Lines::Older, number("SpeedUnit", F::Unsigned, 0, 3, Fit::Wrap, "0", " #  [     ]")},
        {Lines::Older, number("VarioUnit", F::Unsigned, 0, 3, Fit::Wrap, "0", " #  [     ]")},
        {Lines::Both, number("PPSdelay", F::Unsigned, 0, 255, Fit::Clamp, "100", " #  [   ms]")},
        // The older line stores APname right behind BTname; a full BTname on the newer line prints alone.
        {Lines::Older, runsInto(text("BTname", 16), "APname")},
        {Lines::Newer, text("BTname", 16)},
        // The older line's usual build has the tracker's own Wi-Fi access point.
        {Lines::Older, text("APname", 16)},
        {Lines::Older, text("APpass", 16)},
        {Lines::Older,
            resetsTo(number("APport", F::Unsigned, 1, 65535, Fit::Reset, "2000", " #  [port]"), "30011")},
        {Lines::Older,
            inQuarters(number("APtxPwr", F::Tenths, 0, 80, Fit::Clamp, "+10.0", " #  [ dBm]"),
                Steps::RoundedQuarters)},
        {Lines::Both, info("Pilot", "Manuf")},
        {Lines::Both, info("Manuf", "Model")},
        {Lines::Both, info("Model", "Type")},
        {Lines::Both, info("Type", "SN")},
        {Lines::Both, info("SN", "Reg")},
        {Lines::Both, info("Reg", "ID")},
        {Lines::Both, info("ID", "Class")},
        {Lines::Both, info("Class", "Task")},
        {Lines::Both, info("Task", "Base")},
        {Lines::Both, info("Base", "ICE")},
        {Lines::Both, info("ICE", "PilotID")},
        {Lines::Both, info("PilotID", "Hard")},
        {Lines::Both, info("Hard", "Soft")},
        {Lines::Both, info("Soft", "Crew")},
        {Lines::Both, info("Crew")},
        // A vendor's model with a modem.
        {Lines::Vendor, text("APN", 16, false, "internet")},
    };
    return table;
}

bool printedOn(Lines lines, bool olderLine, bool vendor)
{
    switch (lines) {
    case Lines::Both:
        return true;
    case Lines::Older:
        return olderLine;
    case Lines::Newer:
        return !olderLine;
    case Lines::Vendor:
        return vendor;
    }
    return false;
}

const Slot *findSlot(const QString &name, bool olderLine)
{
    for (const Entry &entry : firmwareTable()) {
        if (name == QLatin1String(entry.slot.name) && printedOn(entry.lines, olderLine, true))
            return &entry.slot;
    }
    return nullptr;
}

// A parameter the firmware does not declare (set by a test) is typed by how it prints.
Slot inferSlot(const Parameter &parameter)
{
    static const QRegularExpression hexValue(QStringLiteral("^0x([0-9A-F]{1,8})$"));
    static const QRegularExpression sign(QStringLiteral("^[+-][0-9]+$"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    const QRegularExpressionMatch match = hexValue.match(parameter.value);
    if (match.hasMatch()) {
        const int width = match.capturedLength(1);
        return hex(
            nullptr, width, width >= 8 ? Q_INT64_C(0xFFFFFFFF) : (Q_INT64_C(1) << (4 * width)) - 1, "", "");
    }
    if (sign.match(parameter.value).hasMatch())
        return number(nullptr, Format::Signed, INT32_MIN, INT32_MAX, Fit::Wrap, "", "");
    if (digits.match(parameter.value).hasMatch())
        return number(nullptr, Format::Unsigned, 0, UINT32_MAX, Fit::Wrap, "", "");
    return text(nullptr, 16);
}

qint64 integerValue(const QList<Parameter> &parameters, const char *name, qint64 fallback)
{
    for (const Parameter &parameter : parameters) {
        if (parameter.name == QLatin1String(name)) {
            bool ok = false;
            const QString value = parameter.value;
            const qint64 number = value.startsWith(QLatin1String("0x")) ? value.mid(2).toLongLong(&ok, 16)
                                                                        : value.toLongLong(&ok, 10);
            return ok ? number : fallback;
        }
    }
    return fallback;
}

QString valueOf(const QList<Parameter> &parameters, const char *name)
{
    for (const Parameter &parameter : parameters) {
        if (parameter.name == QLatin1String(name))
            return parameter.value;
    }
    return QString();
}

QByteArray signedNumber(qint64 value)
{
    return (value >= 0 ? QByteArray("+") : QByteArray()) + QByteArray::number(value);
}

QByteArray sentence(const QByteArray &body)
{
    return '$' + body + '*' + nmeaChecksum(body) + "\r\n";
}

// The radio chip the build names after the CPU id; the newer line names only an SX1262.
QByteArray chipText(const TrackerSimulator::Options &options)
{
    return options.olderFirmware ? QByteArray(" RFM95") : QByteArray(" SX1262");
}

// What the newer line writes into Hard and Soft at every boot.
QString hardName(const TrackerSimulator::Options &options)
{
    return options.variant == TrackerSimulator::Variant::Vendor ? QStringLiteral("ZRN-LTE")
                                                                : QStringLiteral("TBeam10-sx1262");
}

const char *const softName = "OGNv0.1.18";

// The kind of address in three letters and the Address: "OGN1A2B3C".
QString callSign(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    static const char *const kinds[] = {"RND", "ICA", "FLR", "OGN"};
    const qint64 address = integerValue(parameters, "Address", cpuAddress(options)) & 0xFFFFFF;
    return QLatin1String(kinds[integerValue(parameters, "AddrType", 3) & 3])
        + QString::number(address, 16).toUpper().rightJustified(6, QLatin1Char('0'));
}

// The bytes a text holds: the newer line's "\xHH" in an info text is one.
int storedBytes(const Slot &slot, const QString &value, bool olderLine)
{
    static const QRegularExpression escape(QStringLiteral("\\\\x[0-9A-Fa-f]{2}"));
    return (slot.escaped && !olderLine) ? value.size() - 3 * int(value.count(escape)) : value.size();
}

// A text as printed: one of its full size has no terminator and runs on into the field stored
// behind it, and on through that one if it is full too.
QString runOn(const QList<Parameter> &parameters, int index, bool olderLine)
{
    const Parameter &parameter = parameters.at(index);
    const Slot slot = slotFor(parameter, olderLine);
    if (!slot.runsInto || storedBytes(slot, parameter.value, olderLine) != slot.maximum)
        return parameter.value;
    for (int next = 0; next < parameters.size(); ++next) {
        if (parameters.at(next).name == QLatin1String(slot.runsInto))
            return parameter.value + runOn(parameters, next, olderLine);
    }
    return parameter.value;
}

} // namespace

Slot slotFor(const Parameter &parameter, bool olderLine)
{
    if (const Slot *slot = findSlot(parameter.name, olderLine))
        return *slot;
    return inferSlot(parameter);
}

qint64 cpuAddress(const TrackerSimulator::Options &options)
{
    return options.cpuId.right(6).toLongLong(nullptr, 16);
}

QList<Parameter> defaultParameters(const TrackerSimulator::Options &options)
{
    const bool older = options.olderFirmware;
    const bool vendor = options.variant == TrackerSimulator::Variant::Vendor;
    const QString address
        = QString::number(cpuAddress(options), 16).toUpper().rightJustified(6, QLatin1Char('0'));
    QList<Parameter> parameters;
    for (const Entry &entry : firmwareTable()) {
        if (!printedOn(entry.lines, older, vendor))
            continue;
        const QString name = QString::fromLatin1(entry.slot.name);
        QString value = QString::fromLatin1(entry.slot.value);
        if (name == QLatin1String("Address"))
            value = QStringLiteral("0x") + address;
        else if (name == QLatin1String("BTname"))
            value = QStringLiteral("OGN") + address; // the tracker's call sign
        else if (name == QLatin1String("APname") && older)
            value = QStringLiteral("OGN") + address;
        // The newer line names its build at every boot.
        else if (name == QLatin1String("Hard") && !older)
            value = hardName(options);
        else if (name == QLatin1String("Soft") && !older)
            value = QString::fromLatin1(softName);
        parameters.append({name, value, QString::fromLatin1(entry.slot.comment)});
    }
    return parameters;
}

void restart(QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    if (options.olderFirmware)
        return;
    const QString sign = callSign(parameters, options);
    for (Parameter &parameter : parameters) {
        if (parameter.name == QLatin1String("BTname") && parameter.value.isEmpty())
            parameter.value = sign;
        else if (parameter.name == QLatin1String("Hard"))
            parameter.value = hardName(options);
        else if (parameter.name == QLatin1String("Soft"))
            parameter.value = QString::fromLatin1(softName);
    }
}

QList<Parameter> printedParameters(const QList<Parameter> &parameters, bool olderLine)
{
    QList<Parameter> printed = parameters;
    for (int index = 0; index < printed.size(); ++index) {
        Parameter &parameter = printed[index];
        const Slot slot = slotFor(parameter, olderLine);
        if (slot.format == Format::Text) {
            parameter.value = runOn(parameters, index, olderLine);
        } else if (slot.format == Format::Hex && parameter.value.startsWith(QLatin1String("0x"))
            && parameter.value.size() - 2 > slot.digits) {
            parameter.value = QStringLiteral("0x") + parameter.value.right(slot.digits);
        }
    }
    return printed;
}

QByteArray lineEnd(TrackerSimulator::LineEnding ending)
{
    return ending == TrackerSimulator::LineEnding::CrLf ? QByteArray("\r\n") : QByteArray("\n");
}

QByteArray parameterLine(const Parameter &parameter)
{
    // The Wi-Fi networks print unpadded; other names are padded to 14 columns, and a longer name
    // pushes the '=' along.
    if (parameter.name.startsWith(QLatin1String("WIFIname"))
        || parameter.name.startsWith(QLatin1String("WIFIpass")))
        return parameter.name.toLatin1() + '=' + parameter.value.toLatin1() + ';'
            + parameter.comment.toLatin1();
    return parameter.name.leftJustified(14, QLatin1Char(' ')).toLatin1() + " = " + parameter.value.toLatin1()
        + ';' + parameter.comment.toLatin1();
}

QByteArray statusLine(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const qint64 acftType = integerValue(parameters, "AcftType", 1);
    const qint64 addrType = integerValue(parameters, "AddrType", 3);
    const qint64 address = integerValue(parameters, "Address", cpuAddress(options));
    const QByteArray line = QByteArray::number(acftType & 0xF, 16).toUpper() + ':'
        + QByteArray::number(addrType & 3) + ':'
        + QByteArray::number(address & 0xFFFFFF, 16).toUpper().rightJustified(6, '0') + '/' + options.cpuId
        + chipText(options) + '/' + signedNumber(integerValue(parameters, "TxPower", 14)) + "dBm "
        + valueOf(parameters, "FreqCorr").toLatin1()
        + "ppm CON:" + QByteArray::number(integerValue(parameters, "CONbaud", 115200)) + "bps";
    return line + lineEnd(options.lineEnding);
}

QByteArray composeDump(const QList<Parameter> &held, const TrackerSimulator::Options &options)
{
    const QByteArray eol = lineEnd(options.lineEnding);
    const QList<Parameter> parameters = printedParameters(held, options.olderFirmware);
    QByteArray dump = statusLine(parameters, options);
    // Written with its CR LF on both lines, whatever the others end with.
    dump += "GPS: 115200bps,1.000s,PPS,NMEA,UBX,BaudOK,ModeOK\r\n";
    if (options.olderFirmware) {
        // More lines than a reader may wait for before it asks again.
        const char *const tasks[] = {
            "Task            Pr. Stack, 123.456kB free",
            "CTRL            01 712",
            "GPS             04 1104",
            "PROC            03 1460",
            "RF              04 880",
            "LOG             01 1240",
            "SENS            03 936",
            "KNOB            01 412",
            "DISP            01 1680",
            "BT              05 1012",
            "WIFI            05 2216",
            "ipc0            24 488",
            "ipc1            24 492",
            "Tmr Svc         01 1584",
            "IDLE            00 524",
        };
        for (const char *line : tasks)
            dump += QByteArray(line) + eol;
    }
    for (const Parameter &parameter : parameters)
        dump += parameterLine(parameter) + eol;
    if (!options.olderFirmware)
        dump += "Firmware built on May 14 2026 09:12:44" + eol;
    // A board that cannot read its battery prints 0, not an empty battery.
    dump += (options.batterySensing ? "Batt:4.1230V +00.0mV/min" : "Batt:0.0000V +00.0mV/min") + eol;
    if (options.olderFirmware && options.powerChip)
        dump += "Batt:4.123V 0.000-0.000A USB:5.000V 0.040A CC:0.0-0.0mAh Temp:+30.0degC" + eol;
    return dump;
}

QByteArray pognsDump(const QList<Parameter> &held, const TrackerSimulator::Options &options)
{
    const QList<Parameter> parameters = printedParameters(held, options.olderFirmware);
    const auto fields = [&parameters](std::initializer_list<const char *> names) {
        QByteArray body = "POGNS";
        for (const char *name : names)
            body += ',' + QByteArray(name) + '=' + valueOf(parameters, name).toLatin1();
        return sentence(body);
    };
    const QByteArray first = "POGNS,CPU=0x" + options.cpuId
        + ",Address=" + valueOf(parameters, "Address").toLatin1()
        + ",AddrType=" + QByteArray::number(integerValue(parameters, "AddrType", 3))
        + ",Stealth=" + QByteArray::number(integerValue(parameters, "Stealth", 0))
        + ",AcftType=" + valueOf(parameters, "AcftType").toLatin1()
        + ",FreqPlan=" + valueOf(parameters, "FreqPlan").toLatin1()
        + ",TxPower=" + valueOf(parameters, "TxPower").toLatin1();
    QByteArray dump = sentence(first) + fields({"Pilot", "Crew", "Reg", "Base"})
        + fields({"Manuf", "Model", "Type", "SN"}) + fields({"Class", "ID", "Task"});
    if (options.olderFirmware) {
        // The firmware misspells the password's name here; the sentence it takes says "APpass".
        dump += sentence("POGNS,APname=" + valueOf(parameters, "APname").toLatin1() + ",APass="
            + valueOf(parameters, "APpass").toLatin1() + ",APport=" + valueOf(parameters, "APport").toLatin1()
            + ",APtxPwr=" + valueOf(parameters, "APtxPwr").toLatin1() + ",APminSig=-70");
    }
    return dump;
}

QByteArray bootBanner(const QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const QByteArray eol = lineEnd(options.lineEnding);
    QByteArray banner;
    if (!options.olderFirmware) {
        banner += "OGN-Tracker: Hard:" + valueOf(parameters, "Hard").toLatin1()
            + " Soft:" + valueOf(parameters, "Soft").toLatin1() + eol;
        banner += "Heap: 210344 bytes free" + eol;
    }
    return banner + sentence("POGNS,SysStart") + pognsDump(parameters, options);
}

QByteArray nmeaChecksum(const QByteArray &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

} // namespace trackersim
