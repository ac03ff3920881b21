// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingvalue.h"

#include "config/catalogue.h"
#include "config/conversions.h"
#include "config/trackerstorage.h"
#include "config/valueencoding.h"
#include "config/verification.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace tracktune {

namespace {

const qint64 linkBaud = 115200;

bool isHexForm(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^0[xX][0-9A-Fa-f]{1,8}$"));
    return hex.match(text).hasMatch();
}

// The hex digits of a typed "0x..." or "0X...", leading zeros included; 0 for any other text.
int typedHexDigits(const QString &text)
{
    return isHexForm(text) ? int(text.size()) - 2 : 0;
}

bool isDecimalForm(const QString &text, bool withSign)
{
    static const QRegularExpression unsignedDecimal(QStringLiteral("^[0-9]{1,9}$"));
    static const QRegularExpression signedDecimal(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    return (withSign ? signedDecimal : unsignedDecimal).match(text).hasMatch();
}

// Lower-case letters and digits only: "(Moto-)glider" and "motoglider" are the same text.
QString folded(const QString &text)
{
    QString letters;
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            letters += c.toLower();
    }
    return letters;
}

// The option text as the list spells it; a text that could be several is refused naming them.
std::optional<QString> listedText(
    const QString &name, const QString &typed, const QStringList &texts, SettingValue *ambiguity)
{
    const OptionMatch match = matchOption(typed, texts);
    if (!match.text.isEmpty())
        return match.text;
    if (match.candidates.size() > 1) {
        *ambiguity = {QString(),
            QCoreApplication::translate("tracktune", "%1: \"%2\" could be any of: %3")
                .arg(name, typed.trimmed(), match.candidates.join(QStringLiteral(", ")))};
    }
    return std::nullopt;
}

SettingValue refused(const QString &name, const QString &takes)
{
    return {QString(), QCoreApplication::translate("tracktune", "%1 takes %2").arg(name, takes)};
}

SettingValue listIndexValue(const KnownParameter &known, const QString &typed)
{
    const bool hex = known.kind == ParameterKind::Select;
    // The tracker reads "0x" as hexadecimal and anything else as decimal: "AcftType=10" is 0xA.
    int index = -1;
    SettingValue ambiguity;
    if (hex && isHexForm(typed))
        index = static_cast<int>(qMin(typed.toUInt(nullptr, 16), 0x7FFFFFFFu));
    else if (isDecimalForm(typed, false))
        index = typed.toInt();
    else if (const std::optional<QString> text = listedText(known.name, typed, *known.list, &ambiguity))
        index = known.list->indexOf(*text);
    if (!ambiguity.problem.isEmpty())
        return ambiguity;
    if (index >= 0 && index < known.list->size())
        return {hex ? hexIndexValue(index) : decimalIndexValue(index), QString()};
    const int last = known.list->size() - 1;
    return refused(known.name,
        QCoreApplication::translate("tracktune", "%1 or one of: %2")
            .arg(hex ? hexIndexValue(0) + QStringLiteral("..") + hexIndexValue(last)
                     : QStringLiteral("0..") + QString::number(last),
                known.list->join(QStringLiteral(", "))));
}

SettingValue levelValue(const KnownParameter &known, const QString &typed)
{
    const bool ranged = known.maximum > known.minimum;
    if (isDecimalForm(typed, true)
        && (!ranged || (typed.toLongLong() >= known.minimum && typed.toLongLong() <= known.maximum))) {
        const int number = typed.toInt();
        return {(number >= 0 ? QStringLiteral("+") : QString()) + QString::number(number), QString()};
    }
    SettingValue ambiguity;
    if (const std::optional<QString> text
        = listedText(known.name, typed, textsInKeyOrder(*known.options), &ambiguity))
        return {optionKeyValue(*text, *known.options), QString()};
    if (!ambiguity.problem.isEmpty())
        return ambiguity;
    if (ranged) {
        const QString unit = known.unit ? QStringLiteral(" ") + QString::fromLatin1(known.unit) : QString();
        return refused(known.name,
            QCoreApplication::translate("tracktune", "%1 or one of: %2")
                .arg(
                    keyValue(int(known.minimum)) + QStringLiteral("..") + keyValue(int(known.maximum)) + unit,
                    textsInKeyOrder(*known.options).join(QStringLiteral(", "))));
    }
    return refused(known.name,
        QCoreApplication::translate("tracktune", "a signed number or one of: %1")
            .arg(textsInKeyOrder(*known.options).join(QStringLiteral(", "))));
}

SettingValue maskValue(
    const KnownParameter &known, const QString &typed, const QString &reported, FirmwareLine line)
{
    const QHash<int, QString> &options = *optionsOn(known, line);
    // As wide as the tracker prints it (a newer tracker prints four digits), or as typed.
    const int digits = hexDigitsOf(reported);
    if (isHexForm(typed)) {
        // The tracker cuts a mask to its field: a bit beyond it would clear the whole field.
        const quint32 mask = typed.toUInt(nullptr, 16);
        const qint64 maximum = maximumOn(known, line);
        if (maximum > 0 && mask > quint64(maximum))
            return refused(
                known.name, QStringLiteral("0x0..0x%1").arg(QString::number(maximum, 16).toUpper()));
        return {hexMaskValue(mask, qMax(digits, typedHexDigits(typed))), QString()};
    }
    const QStringList texts = textsInKeyOrder(options);
    QHash<QString, bool> checks;
    const QStringList picked = typed.split(QLatin1Char(','));
    for (const QString &typedText : picked) {
        SettingValue ambiguity;
        const std::optional<QString> text = listedText(known.name, typedText, texts, &ambiguity);
        if (!ambiguity.problem.isEmpty())
            return ambiguity;
        if (text) {
            checks.insert(*text, true);
            continue;
        }
        // A protocol of the other firmware line: the older one's bit 0 is a spare, and it has
        // no Meshtastic.
        if (&options != known.options
            && matchOption(typedText, textsInKeyOrder(*known.options)).candidates.size() == 1) {
            return {QString(),
                QCoreApplication::translate(
                    "tracktune", "%1: this tracker's firmware has no %2; it takes: %3")
                    .arg(known.name, typedText.trimmed(), texts.join(QStringLiteral(", ")))};
        }
        return refused(known.name,
            QCoreApplication::translate("tracktune", "a hexadecimal mask or names separated by commas: %1")
                .arg(texts.join(QStringLiteral(", "))));
    }
    const auto checked = static_cast<quint32>(maskFromChecks(checks, options));
    // Exactly the named protocols among those the line knows; only bits it defines no name for
    // are kept from the tracker, so one template gives one mask across a fleet.
    return {hexMaskValue(mergeMask(checked, maskFromHexValue(reported), options), digits), QString()};
}

// A character as a message can show it: a blank as "␣", a control character by its code.
QString visibleCharacter(QChar c)
{
    if (c == QLatin1Char(' '))
        return QStringLiteral("\u2423");
    if (!c.isPrint())
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return QString(c);
}

// Whether a character may stand in a text at all: no control, format or unassigned character
// (a right-to-left override in a registration would make it read backwards).
bool isStorableCharacter(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
        return false;
    default:
        return true;
    }
}

// Letters, digits and ". @ + - _ / #" are what both lines of the firmware take in a text; it cuts
// the text silently at any other byte. The newer line also takes ":" and "\xHH" for any byte,
// so there the program writes each other byte as an escape; the older line has no escapes.
SettingValue textValue(const KnownParameter &known, const QString &typed, FirmwareLine line)
{
    if (known.pattern) {
        if (QRegularExpression(QString::fromLatin1(known.pattern)).match(typed).hasMatch())
            return {typed, QString()};
        return refused(known.name,
            QCoreApplication::translate(
                "tracktune", "four groups of 8 hexadecimal digits separated by \":\""));
    }
    const QString also = known.alsoTakes ? QString::fromLatin1(known.alsoTakes) : QString();
    // Only the newer line prints "\xHH"; on a list that shows no line, an info text printed so
    // is taken as the newer line's.
    const bool escapes = line == FirmwareLine::Newer || (line == FirmwareLine::Unknown && known.escapes);
    for (int at = 0; at < typed.size(); ++at) {
        // "\xHH", as the newer firmware prints a byte, stands for that byte.
        if (escapes && escapedByteAt(typed, at) >= 0) {
            at += 3;
            continue;
        }
        const QChar c = typed.at(at);
        const bool asciiLetterOrDigit = c.unicode() < 0x80 && c.isLetterOrNumber();
        const bool taken = asciiLetterOrDigit || QStringLiteral(".@+-_/#").contains(c) || also.contains(c);
        if (!isStorableCharacter(c) || (!taken && !escapes)) {
            return {QString(),
                QCoreApplication::translate("tracktune",
                    "%1: \"%2\" cannot be stored: the tracker takes only letters A-Z, digits and . @ + - _ / "
                    "#%3 and would cut the text there")
                    .arg(known.name, visibleCharacter(c),
                        also.isEmpty() ? QString() : QStringLiteral(" ") + also)};
        }
    }
    const QByteArray bytes = escapes ? textBytes(typed) : typed.toUtf8();
    if (known.maxLength > 0 && bytes.size() > known.maxLength) {
        return {QString(),
            QCoreApplication::translate("tracktune", "%1: at most %2 characters (this is %3)")
                .arg(known.name)
                .arg(known.maxLength)
                .arg(bytes.size())};
    }
    return {escapes ? escapedText(bytes, FirmwareLine::Newer) : typed, QString()};
}

// A whole number in decimal ("+14", "7") or hexadecimal ("0x1F"), or with a decimal ("-1.5";
// a second one rounds half up, as the tracker reads it) where the tracker keeps tenths; checked
// against the range it takes and written in the form the tracker printed.
SettingValue numberValue(
    const KnownParameter &known, const QString &typed, const QString &reported, FirmwareLine line)
{
    const qint64 maximum = maximumOn(known, line);
    const auto shown = [&known](qint64 number) {
        if (known.hexDigits > 0)
            return QStringLiteral("0x")
                + QString::number(number, 16).toUpper().rightJustified(known.hexDigits, QLatin1Char('0'));
        if (known.decimals == 1) {
            const qint64 whole = (number < 0 ? -number : number);
            return QStringLiteral("%1%2.%3")
                .arg(number < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                .arg(whole / 10)
                .arg(whole % 10);
        }
        return QString::number(number);
    };
    const bool hexPrinted = known.hexDigits == 0 && reported.startsWith(QLatin1String("0x"));
    const QString range = known.hexDigits > 0
        ? QCoreApplication::translate("tracktune", "%1 hexadecimal digits").arg(known.hexDigits)
        : hexPrinted ? QStringLiteral("0x0..0x%1").arg(QString::number(maximum, 16).toUpper())
                     : QStringLiteral("%1..%2").arg(shown(known.minimum), shown(maximum));
    std::optional<qint64> number;
    static const QRegularExpression tenths(QStringLiteral("^([+-]?)([0-9]{1,6})(?:\\.([0-9])([0-9])?)?$"));
    static const QRegularExpression sixHex(QStringLiteral("^(?:0[xX])?([0-9A-Fa-f]{6})$"));
    if (known.hexDigits > 0) {
        if (const QRegularExpressionMatch hex = sixHex.match(typed); hex.hasMatch())
            number = hex.captured(1).toLongLong(nullptr, 16);
    } else if (known.decimals == 1) {
        if (const QRegularExpressionMatch match = tenths.match(typed); match.hasMatch()) {
            const bool roundsUp = match.captured(4).toInt() >= 5;
            number
                = match.captured(2).toLongLong() * 10 + match.captured(3).toLongLong() + (roundsUp ? 1 : 0);
            if (match.captured(1) == QLatin1String("-"))
                number = -*number;
        }
    } else if (isHexForm(typed)) {
        number = typed.mid(2).toLongLong(nullptr, 16);
    } else if (isDecimalForm(typed, true)) {
        number = typed.toLongLong();
    } else if (known.list) {
        // A switch takes its option texts too: "on", "Off".
        SettingValue ambiguity;
        if (const std::optional<QString> text = listedText(known.name, typed, *known.list, &ambiguity))
            number = known.list->indexOf(*text);
    }
    const QString unit = known.unit ? QStringLiteral(" ") + QString::fromLatin1(known.unit) : QString();
    if (!number || *number < known.minimum || *number > maximum)
        return refused(known.name, range + unit);
    // Kept in quarters: only what the tracker can keep and print again is written.
    if (const std::optional<qint64> sent = tenthsToSend(*number, known.storage))
        number = sent;
    else {
        QStringList near;
        for (qint64 printed : printedNeighbours(*number, known.storage))
            near << shown(printed);
        return {QString(),
            QCoreApplication::translate(
                "tracktune", "%1: the tracker keeps quarters and cannot show %2; it can show %3")
                .arg(
                    known.name, shown(*number), near.join(QCoreApplication::translate("tracktune", " or ")))};
    }
    // As the tracker printed it: hexadecimal as wide as its digits (or as typed, where the
    // field holds more than it prints), a sign where it prints one.
    QString value = shown(*number);
    if (known.hexDigits == 0 && known.decimals == 0) {
        if (hexPrinted)
            value = QStringLiteral("0x")
                + QString::number(*number, 16)
                      .toUpper()
                      .rightJustified(qMax(hexDigitsOf(reported), typedHexDigits(typed)), QLatin1Char('0'));
        else if (*number >= 0
            && (reported.startsWith(QLatin1Char('+')) || reported.startsWith(QLatin1Char('-'))))
            value.prepend(QLatin1Char('+'));
    }
    return {value, QString()};
}

} // namespace

OptionMatch matchOption(const QString &typed, const QStringList &texts)
{
    const QString key = folded(typed);
    if (key.isEmpty())
        return {};
    OptionMatch match;
    // "glider" is "(Moto-)glider" with its optional part left out, before it is a word of
    // "Hang-glider" and "Para-glider" too.
    static const QRegularExpression optionalPart(QStringLiteral("\\([^)]*\\)"));
    for (const QString &text : texts) {
        if (folded(text) == key || folded(QString(text).remove(optionalPart)) == key)
            return {text, {text}};
    }
    for (const QString &text : texts) {
        static const QRegularExpression between(QStringLiteral("[^\\p{L}\\p{N}]+"));
        bool begun = folded(text).startsWith(key);
        for (const QString &word : text.split(between)) {
            if (!begun)
                begun = folded(word).startsWith(key);
        }
        if (begun)
            match.candidates << text;
    }
    if (match.candidates.size() == 1)
        match.text = match.candidates.first();
    return match;
}

SettingValue settingValue(
    const QString &name, const QString &typed, const QString &reported, FirmwareLine line)
{
    const KnownParameter *known = findKnownParameter(name);
    // The console's speed: the only link-critical number.
    if (known && known->role == ParameterRole::LinkCritical && known->kind == ParameterKind::Number
        && valueAsNumber(typed) != linkBaud) {
        return {QString(),
            QCoreApplication::translate("tracktune",
                "CONbaud: only 115200 is written, the speed this program talks at; another speed would cut "
                "the link")};
    }
    if (!known)
        return {typed, QString()};
    // The same value as the tracker's goes back in the tracker's own form: a typed "0X1A2B3C" or
    // "0x00000001" means it too, but the tracker reads neither as it is meant.
    // Not where the field holds more than it prints: "0x0F" names a digit "0xF" does not show.
    if (reportsAsWritten(typed, reported) && typedHexDigits(typed) <= hexDigitsOf(reported.trimmed()))
        return {reported.trimmed(), QString()};
    switch (known->kind) {
    case ParameterKind::Text:
        return textValue(*known, typed, line);
    case ParameterKind::Number:
        return numberValue(*known, typed, reported, line);
    case ParameterKind::Select:
    case ParameterKind::SelectInt:
        return listIndexValue(*known, typed);
    case ParameterKind::StringHashInt:
        return levelValue(*known, typed);
    case ParameterKind::MenuCheckboxMask:
        return maskValue(*known, typed, reported, line);
    }
    return {typed, QString()};
}

QString optionTextFor(const QString &name, const QString &value)
{
    const KnownParameter *known = findKnownParameter(name);
    if (!known)
        return QString();
    bool isNumber = false;
    switch (known->kind) {
    case ParameterKind::Text:
        break;
    case ParameterKind::Number: {
        const std::optional<qint64> number = valueAsNumber(value);
        return known->list && number && *number >= 0 && *number < known->list->size()
            ? known->list->at(int(*number))
            : QString();
    }
    case ParameterKind::Select:
    case ParameterKind::SelectInt: {
        const uint index = value.toUInt(&isNumber, known->kind == ParameterKind::Select ? 16 : 10);
        return isNumber && index < uint(known->list->size()) ? known->list->at(int(index)) : QString();
    }
    case ParameterKind::StringHashInt: {
        const int level = value.toInt(&isNumber, 10);
        return isNumber ? known->options->value(level) : QString();
    }
    case ParameterKind::MenuCheckboxMask: {
        const quint32 mask = value.toUInt(&isNumber, 16);
        if (!isNumber)
            return QString();
        QStringList set;
        for (int key : ascendingKeys(*known->options)) {
            if (mask & quint32(key))
                set << known->options->value(key);
        }
        return set.isEmpty() ? QStringLiteral("none") : set.join(QStringLiteral(", "));
    }
    }
    return QString();
}

} // namespace tracktune
