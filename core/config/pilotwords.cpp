// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/pilotwords.h"

#include "config/catalogue.h"
#include "config/parametervalue.h"
#include "config/valueencoding.h"

#include <QCoreApplication>
#include <QStringList>

namespace tracktune {

QString labelInWords(const QString &name)
{
    const char *label = labelOf(name);
    return label ? QCoreApplication::translate("ParameterLabel", label) : name;
}

QString labelsInWords(const QStringList &names)
{
    QStringList labels;
    for (const QString &name : names)
        labels << labelInWords(name);
    return labels.join(QStringLiteral(", "));
}

QString valueInWords(const QString &name, const QString &value, FirmwareLine line)
{
    const KnownParameter *known = findKnownParameter(name);
    if (!known)
        return value;
    const ParameterValue parameter(*known, value, line);
    switch (parameter.editor()) {
    case ParameterValue::Editor::List:
    case ParameterValue::Editor::Levels: {
        const int key = parameter.key();
        for (const auto &[option, text] : parameter.options()) {
            if (option == key)
                return QCoreApplication::translate("Options", text.toUtf8().constData());
        }
        return value; // between the levels, or a number no option names
    }
    case ParameterValue::Editor::Mask: {
        QStringList ticked;
        for (const auto &[bit, text] : parameter.options()) {
            if (parameter.mask() & quint32(bit))
                ticked << QCoreApplication::translate("Options", text.toUtf8().constData());
        }
        return ticked.isEmpty() ? QCoreApplication::translate("tracktune", "none")
                                : ticked.join(QStringLiteral(", "));
    }
    case ParameterValue::Editor::Text:
        break;
    }
    const QString text = decodedText(value);
    return text.isEmpty() ? QCoreApplication::translate("tracktune", "(empty)") : text;
}

} // namespace tracktune
