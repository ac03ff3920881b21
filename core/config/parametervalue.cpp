// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/parametervalue.h"

#include "config/conversions.h"
#include "config/valueencoding.h"
#include "config/verification.h"

namespace tracktune {

ParameterValue::ParameterValue(const KnownParameter &known, const QString &printed, FirmwareLine line)
    : parameter(known), printedValue(printed), firmwareLine(line)
{ }

ParameterValue::Editor ParameterValue::editor() const
{
    switch (parameter.kind) {
    case ParameterKind::Text:
        break;
    case ParameterKind::Number:
        return parameter.list ? Editor::List : Editor::Text;
    case ParameterKind::Select:
    case ParameterKind::SelectInt:
        return Editor::List;
    case ParameterKind::StringHashInt:
        return Editor::Levels;
    case ParameterKind::MenuCheckboxMask:
        return Editor::Mask;
    }
    return Editor::Text;
}

QList<QPair<int, QString>> ParameterValue::options() const
{
    QList<QPair<int, QString>> options;
    if (parameter.list) {
        for (int index = 0; index < parameter.list->size(); ++index)
            options << qMakePair(index, parameter.list->at(index));
    } else if (const QHash<int, QString> *keyed = optionsOn(parameter, firmwareLine)) {
        for (int key : ascendingKeys(*keyed))
            options << qMakePair(key, keyed->value(key));
    }
    return options;
}

int ParameterValue::key() const
{
    switch (parameter.kind) {
    case ParameterKind::Select:
        return indexFromHexValue(printedValue);
    case ParameterKind::SelectInt:
        return indexFromDecimalValue(printedValue);
    case ParameterKind::StringHashInt:
        return numberFromValue(printedValue);
    case ParameterKind::Number: {
        const std::optional<qint64> number = valueAsNumber(printedValue);
        return number && *number >= 0 && *number <= 0x7FFFFFFF ? int(*number) : -1;
    }
    case ParameterKind::Text:
    case ParameterKind::MenuCheckboxMask:
        break;
    }
    return -1;
}

QString ParameterValue::withKey(int key) const
{
    switch (parameter.kind) {
    case ParameterKind::Select:
        return hexIndexValue(key);
    case ParameterKind::SelectInt:
        return decimalIndexValue(key);
    case ParameterKind::StringHashInt:
        return keyValue(key);
    case ParameterKind::Number:
        // The tracker's own value as it printed it, another in that form: "1" on the newer
        // firmware, "0x1" on the older.
        if (valueAsNumber(printedValue) == key)
            return printedValue;
        return typed(QString::number(key)).value;
    case ParameterKind::Text:
    case ParameterKind::MenuCheckboxMask:
        break;
    }
    return QString();
}

quint32 ParameterValue::mask() const
{
    return maskFromHexValue(printedValue);
}

QString ParameterValue::withMask(quint32 checked) const
{
    const QHash<int, QString> *bits = optionsOn(parameter, firmwareLine);
    if (!bits)
        return QString();
    return hexMaskValue(mergeMask(checked, mask(), *bits), hexDigitsOf(printedValue));
}

bool ParameterValue::printsBit(quint32 bit) const
{
    // A protocol beyond the digits the tracker prints is one its firmware lacks.
    const int digits = hexDigitsOf(printedValue);
    return digits == 0 || digits >= 8 || bit < (quint32(1) << (4 * digits));
}

SettingValue ParameterValue::typed(const QString &text) const
{
    return settingValue(parameter.name, text, printedValue, firmwareLine);
}

} // namespace tracktune
