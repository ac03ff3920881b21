// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingvalue.h"

#include "config/catalogue.h"
#include "config/conversions.h"
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
    // One digit is the same index in either base: "AcftType=7" means 0x7.
    static const QRegularExpression digit(QStringLiteral("^[0-9]$"));
    int index = -1;
    SettingValue ambiguity;
    if (hex ? isHexForm(typed) || digit.match(typed).hasMatch() : isDecimalForm(typed, false))
        index = static_cast<int>(typed.toUInt(nullptr, hex && isHexForm(typed) ? 16 : 10));
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
    if (isDecimalForm(typed, true)) {
        const int number = typed.toInt();
        return {(number >= 0 ? QStringLiteral("+") : QString()) + QString::number(number), QString()};
    }
    SettingValue ambiguity;
    if (const std::optional<QString> text
        = listedText(known.name, typed, textsInKeyOrder(*known.options), &ambiguity))
        return {optionKeyValue(*text, *known.options), QString()};
    if (!ambiguity.problem.isEmpty())
        return ambiguity;
    return refused(known.name,
        QCoreApplication::translate("tracktune", "a signed number or one of: %1")
            .arg(textsInKeyOrder(*known.options).join(QStringLiteral(", "))));
}

SettingValue maskValue(const KnownParameter &known, const QString &typed, const QString &reported)
{
    // As wide as the tracker prints it: a newer tracker prints four digits.
    const int digits = hexDigitsOf(reported);
    if (isHexForm(typed))
        return {hexMaskValue(typed.toUInt(nullptr, 16), digits), QString()};
    const QStringList texts = textsInKeyOrder(*known.options);
    QHash<QString, bool> checks;
    const QStringList picked = typed.split(QLatin1Char(','));
    for (const QString &typedText : picked) {
        SettingValue ambiguity;
        const std::optional<QString> text = listedText(known.name, typedText, texts, &ambiguity);
        if (!ambiguity.problem.isEmpty())
            return ambiguity;
        if (!text) {
            return refused(known.name,
                QCoreApplication::translate(
                    "tracktune", "a hexadecimal mask or names separated by commas: %1")
                    .arg(texts.join(QStringLiteral(", "))));
        }
        checks.insert(*text, true);
    }
    const auto checked = static_cast<quint32>(maskFromChecks(checks, *known.options));
    // Exactly the named protocols among those the catalogue knows; only bits no firmware
    // defines are kept from the tracker, so one template gives one mask across a fleet.
    return {hexMaskValue(mergeMask(checked, maskFromHexValue(reported), *known.options), digits), QString()};
}

} // namespace

OptionMatch matchOption(const QString &typed, const QStringList &texts)
{
    const QString key = folded(typed);
    if (key.isEmpty())
        return {};
    OptionMatch match;
    for (const QString &text : texts) {
        if (folded(text) == key)
            return {text, {text}};
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

SettingValue settingValue(const QString &name, const QString &typed, const QString &reported)
{
    if (roleOf(name) == ParameterRole::LinkCritical && valueAsNumber(typed) != linkBaud) {
        return {QString(),
            QCoreApplication::translate("tracktune",
                "CONbaud: only 115200 is written, the speed this program talks at; another speed would cut "
                "the link")};
    }
    const KnownParameter *known = findKnownParameter(name);
    if (!known || reportsAsWritten(typed, reported))
        return {typed, QString()};
    switch (known->kind) {
    case ParameterKind::Text:
        break;
    case ParameterKind::Select:
    case ParameterKind::SelectInt:
        return listIndexValue(*known, typed);
    case ParameterKind::StringHashInt:
        return levelValue(*known, typed);
    case ParameterKind::MenuCheckboxMask:
        return maskValue(*known, typed, reported);
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
