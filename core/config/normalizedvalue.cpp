// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/normalizedvalue.h"

#include "config/catalogue.h"
#include "config/valueencoding.h"

#include <QRegularExpression>

namespace tracktune {

namespace {

// "0x" and at most 15 hex digits (a wider one would not fit), or a sign and decimal digits.
QVariant integerIn(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^0x([0-9A-Fa-f]{1,15})$"));
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    bool ok = false;
    qlonglong number = 0;
    if (const QRegularExpressionMatch match = hex.match(text); match.hasMatch())
        number = match.captured(1).toLongLong(&ok, 16);
    else if (decimal.match(text).hasMatch())
        number = text.toLongLong(&ok, 10);
    return ok ? QVariant(number) : QVariant();
}

// A sign, digits and at most one decimal, as the tracker prints a value in tenths.
QVariant tenthsIn(const QString &text)
{
    static const QRegularExpression tenths(QStringLiteral("^[+-]?[0-9]{1,15}(\\.[0-9])?$"));
    if (!tenths.match(text).hasMatch())
        return QVariant();
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok ? QVariant(number) : QVariant();
}

} // namespace

QVariant normalizedValue(const QString &name, const QString &printed)
{
    const KnownParameter *known = findKnownParameter(name);
    if (!known)
        return printed;
    const QString text = oneLineValue(printed);
    QVariant number;
    switch (known->kind) {
    case ParameterKind::Text:
        return known->escapes ? decodedText(text) : text;
    case ParameterKind::Number:
        number = known->decimals > 0 ? tenthsIn(text) : integerIn(text);
        break;
    case ParameterKind::Select:
    case ParameterKind::SelectInt:
    case ParameterKind::StringHashInt:
    case ParameterKind::MenuCheckboxMask:
        number = integerIn(text);
        break;
    }
    return number.isValid() ? number : QVariant(text);
}

} // namespace tracktune
