// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/trackerstorage.h"

#include "config/valueencoding.h"
#include "config/verification.h"

#include <QRegularExpression>

#include <cstring>

namespace tracktune {

namespace {

// The tenths a printed "+1.2" stands for; nothing for any other text.
std::optional<qint64> printedTenths(const QString &printed)
{
    static const QRegularExpression tenths(QStringLiteral("^([+-]?)([0-9]{1,9})\\.([0-9])$"));
    const QRegularExpressionMatch match = tenths.match(printed.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 magnitude = match.captured(2).toLongLong() * 10 + match.captured(3).toLongLong();
    return match.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
}

// The value sent for one the tracker prints, so that it keeps the quarters it printed it from;
// nothing when it prints no such value.
std::optional<qint64> sentForPrinted(qint64 printed, Storage storage)
{
    const qint64 near = quartersKept(printed, storage);
    for (qint64 quarters = near - 1; quarters <= near + 1; ++quarters) {
        if (tenthsPrinted(quarters) != printed)
            continue;
        if (quartersKept(printed, storage) == quarters)
            return printed;
        for (qint64 away = 1; away <= 3; ++away) {
            for (qint64 candidate : {printed + away, printed - away}) {
                if (quartersKept(candidate, storage) == quarters)
                    return candidate;
            }
        }
    }
    return std::nullopt;
}

quint64 lowDigits(quint64 value, int digits)
{
    return digits >= 16 ? value : value & ((quint64(1) << (4 * digits)) - 1);
}

} // namespace

qint64 quartersKept(qint64 tenths, Storage storage)
{
    switch (storage) {
    case Storage::Tenths:
        break;
    case Storage::QuartersCut:
        return 4 * tenths / 10; // towards zero, as the tracker divides
    case Storage::QuartersRounded:
        return tenths < 0 ? -((-4 * tenths + 5) / 10) : (4 * tenths + 5) / 10;
    }
    return tenths;
}

qint64 tenthsPrinted(qint64 quarters)
{
    return quarters * 10 / 4;
}

std::optional<qint64> tenthsToSend(qint64 typed, Storage storage)
{
    if (storage == Storage::Tenths)
        return typed;
    const qint64 printed = tenthsPrinted(quartersKept(typed, storage));
    if (printed == typed)
        return typed;
    if (const std::optional<qint64> sent = sentForPrinted(typed, storage))
        return sent;
    // What the program itself sends for a printed value is taken back as it is.
    if (sentForPrinted(printed, storage) == typed)
        return typed;
    return std::nullopt;
}

QList<qint64> printedNeighbours(qint64 typed, Storage storage)
{
    std::optional<qint64> below;
    std::optional<qint64> above;
    const qint64 near = quartersKept(typed, storage);
    for (qint64 quarters = near - 3; quarters <= near + 3; ++quarters) {
        const qint64 printed = tenthsPrinted(quarters);
        if (printed < typed && (!below || printed > *below))
            below = printed;
        if (printed > typed && (!above || printed < *above))
            above = printed;
    }
    QList<qint64> neighbours;
    if (below)
        neighbours << *below;
    if (above)
        neighbours << *above;
    return neighbours;
}

bool takenAsIs(char byte, FirmwareLine line)
{
    const auto c = static_cast<unsigned char>(byte);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    if (c != 0 && std::strchr(".@-+_/#", c) != nullptr)
        return true;
    return line == FirmwareLine::Newer && c == ':';
}

QString escapedText(const QByteArray &bytes, FirmwareLine line)
{
    QString text;
    for (const char byte : bytes) {
        if (takenAsIs(byte, line))
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x")
                + QString::number(uint(static_cast<unsigned char>(byte)), 16)
                      .toUpper()
                      .rightJustified(2, QLatin1Char('0'));
    }
    return text;
}

int fieldHexDigits(const KnownParameter &known, FirmwareLine line)
{
    int digits = 0;
    for (quint64 rest = quint64(qMax<qint64>(maximumOn(known, line), 0)); rest != 0; rest >>= 4)
        ++digits;
    return digits;
}

bool shownInPart(const QString &name, const QString &written, const QString &printed)
{
    const KnownParameter *known = findKnownParameter(name);
    const int printedDigits = hexDigitsOf(printed.trimmed());
    return known && known->kind != ParameterKind::Text && printedDigits > 0
        && hexDigitsOf(oneLineValue(written)) > printedDigits;
}

bool writesHiddenBits(const QString &name, const QString &value, const QString &printed, FirmwareLine line)
{
    const KnownParameter *known = findKnownParameter(name);
    if (!known || known->kind != ParameterKind::Number)
        return false;
    const int printedDigits = hexDigitsOf(printed.trimmed());
    const int fieldDigits = fieldHexDigits(*known, line);
    return printedDigits > 0 && fieldDigits > printedDigits && hexDigitsOf(value) < fieldDigits;
}

bool showsAsWritten(
    const QString &name, const QString &written, const QString &printedBefore, const QString &after)
{
    const KnownParameter *known = findKnownParameter(name);
    const QString sent = oneLineValue(written);
    if (known && known->kind == ParameterKind::Text && !known->pattern)
        return textBytes(sent.trimmed()) == textBytes(after.trimmed());
    if (known && known->decimals == 1 && known->storage != Storage::Tenths) {
        const std::optional<qint64> sentTenths = printedTenths(sent);
        const std::optional<qint64> shown = printedTenths(after);
        return sentTenths && shown && tenthsPrinted(quartersKept(*sentTenths, known->storage)) == *shown;
    }
    // A field printed short is checked by the digits it shows.
    const int printedDigits = hexDigitsOf(after.trimmed());
    if (shownInPart(name, sent, after) || shownInPart(name, sent, printedBefore)) {
        const std::optional<qint64> sentNumber = valueAsNumber(sent);
        const std::optional<qint64> shown = valueAsNumber(after);
        return sentNumber && shown && lowDigits(quint64(*sentNumber), printedDigits) == quint64(*shown);
    }
    return reportsAsWritten(sent, after);
}

} // namespace tracktune
