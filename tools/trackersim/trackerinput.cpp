// SPDX-License-Identifier: GPL-3.0-or-later
// How the tracker reads a "$POGNS" sentence and each of its fields.
#include "trackerdump.h"

#include <cstdlib>
#include <cstring>
#include <optional>

namespace trackersim {

namespace {

// From '$' to the last byte before the line end; a longer one is dropped whole.
const int newerSentenceLimit = 104;
const int olderSentenceLimit = 120;
// Fields past these are never looked at.
const int indexedFields = 24;

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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A sign, then "0x" (lower-case x only) and up to 8 hex digits, else decimal digits; reading
// stops at the first byte that does not fit. No digit at all: nothing is read.
std::optional<qint64> readInteger(const QByteArray &text)
{
    int at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    qint64 value = 0;
    int digits = 0;
    if (text.mid(at, 2) == "0x") {
        for (at += 2; at < text.size() && digits < 8 && hexDigit(text[at]) >= 0; ++at, ++digits)
            value = value * 16 + hexDigit(text[at]);
    } else {
        for (; at < text.size() && digits < 10 && isDigit(text[at]); ++at, ++digits)
            value = value * 10 + (text[at] - '0');
    }
    if (digits == 0)
        return std::nullopt;
    // Into a 32-bit integer, without an overflow check.
    return qint64(qint32(quint32(negative ? -value : value)));
}

// A sign, digits, and up to two decimals kept to one, the second rounding half up; a lone sign
// reads as 0.
std::optional<qint64> readTenths(const QByteArray &text)
{
    int at = 0;
    bool negative = false;
    bool sign = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at++] == '-';
        sign = true;
    }
    qint64 whole = 0;
    int digits = 0;
    for (; at < text.size() && digits < 9 && isDigit(text[at]); ++at, ++digits)
        whole = whole * 10 + (text[at] - '0');
    qint64 tenths = whole * 10;
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (at < text.size() && isDigit(text[at]))
            tenths += text[at++] - '0';
        if (at < text.size() && isDigit(text[at]) && text[at] >= '5')
            ++tenths;
    }
    if (digits == 0 && !sign)
        return std::nullopt;
    return negative ? -tenths : tenths;
}

bool takenInText(char c, bool olderLine)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
        || (c != '\0' && std::strchr(".@-+_/#", c) != nullptr) || (!olderLine && c == ':');
}

// The bytes the tracker keeps of a text: cut at the first byte it does not take, at most the
// field's size. The newer line also takes any byte written "\xHH". Nothing taken: empty.
QByteArray readText(const QByteArray &text, int size, bool olderLine)
{
    QByteArray kept("");
    for (int at = 0; at < text.size() && kept.size() < size; ++at) {
        if (!olderLine && text[at] == '\\' && at + 3 < text.size() && text[at + 1] == 'x'
            && hexDigit(text[at + 2]) >= 0 && hexDigit(text[at + 3]) >= 0) {
            kept += char(hexDigit(text[at + 2]) * 16 + hexDigit(text[at + 3]));
            at += 3;
        } else if (takenInText(text[at], olderLine)) {
            kept += text[at];
        } else {
            break;
        }
    }
    return kept;
}

QString printedText(const Slot &slot, const QByteArray &bytes, bool olderLine)
{
    if (!slot.escaped || olderLine)
        return QString::fromLatin1(bytes.constData(), int(qstrnlen(bytes.constData(), uint(bytes.size()))));
    QString printed(QLatin1String(""));
    for (char c : bytes) {
        if (takenInText(c, false))
            printed += QLatin1Char(c);
        else
            printed += QStringLiteral("\\x")
                + QString::number(quint8(c), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return printed;
}

qint64 fitted(const Slot &slot, qint64 value)
{
    if (slot.fit == Fit::Flag)
        return value != 0 ? 1 : 0;
    if (value >= slot.minimum && value <= slot.maximum)
        return value;
    switch (slot.fit) {
    case Fit::Clamp:
        return qBound(slot.minimum, value, slot.maximum);
    case Fit::Reset:
        return std::strtoll(slot.resetTo, nullptr, 10);
    case Fit::FloorThenWrap:
        if (value < slot.minimum)
            return slot.minimum;
        break;
    case Fit::Flag:
    case Fit::Wrap:
        break;
    }
    const qint64 span = slot.maximum - slot.minimum + 1;
    return ((value - slot.minimum) % span + span) % span + slot.minimum;
}

// A number as the tracker's list writes it; a hex one with every digit its field holds, of which
// the dump prints only the low ones.
QString numberText(const Slot &slot, qint64 value)
{
    switch (slot.format) {
    case Format::Hex:
        return QStringLiteral("0x")
            + QString::number(value, 16).toUpper().rightJustified(slot.digits, QLatin1Char('0'));
    case Format::Signed:
        return (value >= 0 ? QStringLiteral("+") : QString()) + QString::number(value);
    case Format::Tenths: {
        const qint64 magnitude = value < 0 ? -value : value;
        return QStringLiteral("%1%2.%3")
            .arg(value < 0 ? QLatin1Char('-') : QLatin1Char('+'))
            .arg(magnitude / 10)
            .arg(magnitude % 10);
    }
    case Format::Unsigned:
    case Format::Text:
        break;
    }
    return QString::number(value);
}

Parameter *find(QList<Parameter> &parameters, const QString &name)
{
    for (Parameter &parameter : parameters) {
        if (parameter.name == name)
            return &parameter;
    }
    return nullptr;
}

// The newer line, about to store a readable AddrType, first gives the Address the type it
// still has: the CPU's address for OGN, a new random one for random.
void resetAddressForType(QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    Parameter *type = find(parameters, QStringLiteral("AddrType"));
    Parameter *address = find(parameters, QStringLiteral("Address"));
    if (!type || !address)
        return;
    const int current = type->value.mid(2).toInt(nullptr, 16);
    qint64 value = 0;
    if (current == 3) {
        value = cpuAddress(options);
    } else if (current == 0) {
        // As the firmware mixes the checksum of its parameter block with the CPU's address.
        quint32 checksum = 0;
        for (const Parameter &parameter : std::as_const(parameters)) {
            for (char c : parameterLine(parameter))
                checksum = checksum * 31 + quint8(c);
        }
        value = ((quint64(checksum) * 1664525 + 1013904223) ^ quint64(cpuAddress(options))) & 0xFFFFFF;
    } else {
        return;
    }
    address->value = numberText(slotFor(*address, false), value);
}

// The value a field's text gives this parameter as the tracker holds it; null when the firmware
// reads nothing from it and keeps the old value.
QString readValue(const Slot &slot, const QByteArray &text, bool olderLine)
{
    if (slot.format == Format::Text)
        return printedText(slot, readText(text, int(slot.maximum), olderLine), olderLine);
    std::optional<qint64> value = slot.format == Format::Tenths ? readTenths(text) : readInteger(text);
    if (!value && slot.zeroWhenUnreadable)
        value = 0;
    if (!value)
        return QString();
    // Kept in quarters, printed back in tenths rounded toward zero.
    if (slot.steps == Steps::Quarters)
        *value = *value * 4 / 10;
    else if (slot.steps == Steps::RoundedQuarters)
        *value = (*value * 4 + (*value < 0 ? -5 : 5)) / 10;
    qint64 stored = fitted(slot, *value);
    if (slot.steps != Steps::Tenths)
        stored = stored * 10 / 4;
    return numberText(slot, stored);
}

void applyField(
    const QByteArray &field, QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const bool older = options.olderFirmware;
    const int equals = field.indexOf('=');
    if (equals <= 0)
        return;
    const QString name = QString::fromLatin1(field.left(equals));
    const QByteArray text = field.mid(equals + 1);
    if (name == QLatin1String("Defaults")) {
        if (readInteger(text) == 1) {
            parameters = defaultParameters(options);
            // The newer line names its build again only at the next boot.
            for (const char *refilled : {"Hard", "Soft"}) {
                if (Parameter *parameter = find(parameters, QLatin1String(refilled)); parameter && !older)
                    parameter->value = QStringLiteral("");
            }
        }
        return;
    }
    Parameter *parameter = find(parameters, name);
    if (!parameter)
        return;
    const Slot slot = slotFor(*parameter, older);
    if (!slot.taken || options.untaken.contains(name))
        return;
    const QString value = readValue(slot, text, older);
    if (value.isNull())
        return;
    if (!older && name == QLatin1String("AddrType"))
        resetAddressForType(parameters, options);
    parameter->value = value;
}

} // namespace

SentenceOutcome applySentence(
    const QByteArray &sentence, QList<Parameter> &parameters, const TrackerSimulator::Options &options)
{
    const int limit = options.olderFirmware ? olderSentenceLimit : newerSentenceLimit;
    if (!sentence.startsWith("$POGNS") || sentence.size() > limit)
        return {};
    QByteArray body = sentence.mid(1);
    // A checksum is optional, but one that is there must be right and in upper-case hex.
    const bool checksummed = body.size() >= 3 && body.at(body.size() - 3) == '*';
    if (checksummed) {
        const QByteArray sum = body.right(2);
        body.chop(3);
        if (sum != nmeaChecksum(body))
            return {};
    }
    // A sentence of the full length fills the firmware's receive buffer and leaves no terminator:
    // the last field's value runs on into the byte behind the buffer. Here that byte is the
    // sentence's length, which is what it held when the firmware itself was fed such sentences
    // ('h' is 104, 'x' 120). A value that ends at a checksum's '*' never reaches it.
    if (sentence.size() == limit && !checksummed)
        body += char(limit);
    SentenceOutcome outcome {true, statusLine(parameters, options)};
    QList<QByteArray> fields = body.split(',');
    if (fields.size() == 1) {
        outcome.reply += pognsDump(parameters, options);
        return outcome;
    }
    for (int index = 1; index < fields.size() && index < indexedFields; ++index) {
        // A value ends at a '*' as well: the firmware reads up to the checksum.
        applyField(fields.at(index).split('*').first(), parameters, options);
    }
    outcome.reply += statusLine(parameters, options);
    return outcome;
}

} // namespace trackersim
