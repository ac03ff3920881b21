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

// The option text as the list spells it, for a text typed in any case.
QString listedText(const QString &typed, const QStringList &texts)
{
    for (const QString &text : texts) {
        if (text.compare(typed.trimmed(), Qt::CaseInsensitive) == 0)
            return text;
    }
    return QString();
}

SettingValue refused(const QString &name, const QString &takes)
{
    return {QString(), QCoreApplication::translate("tracktune", "%1 takes %2").arg(name, takes)};
}

SettingValue listIndexValue(const KnownParameter &known, const QString &typed)
{
    const bool hex = known.kind == ParameterKind::Select;
    int index = -1;
    if (hex ? isHexForm(typed) : isDecimalForm(typed, false))
        index = static_cast<int>(typed.toUInt(nullptr, hex ? 16 : 10));
    else
        index = known.list->indexOf(listedText(typed, *known.list));
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
    const QString text = listedText(typed, textsInKeyOrder(*known.options));
    if (!text.isEmpty())
        return {optionKeyValue(text, *known.options), QString()};
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
        const QString text = listedText(typedText, texts);
        if (text.isEmpty()) {
            return refused(known.name,
                QCoreApplication::translate(
                    "tracktune", "a hexadecimal mask or names separated by commas: %1")
                    .arg(texts.join(QStringLiteral(", "))));
        }
        checks.insert(text, true);
    }
    const auto checked = static_cast<quint32>(maskFromChecks(checks, *known.options));
    // Exactly the named protocols among those the catalogue knows; only bits no firmware
    // defines are kept from the tracker, so one template gives one mask across a fleet.
    return {hexMaskValue(mergeMask(checked, maskFromHexValue(reported), *known.options), digits), QString()};
}

} // namespace

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
