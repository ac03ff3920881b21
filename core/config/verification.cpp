// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/verification.h"

#include "config/settingsfile.h"
#include "config/valueencoding.h"

#include <QRegularExpression>

namespace tracktune {

std::optional<qint64> valueAsNumber(const QString &value)
{
    static const QRegularExpression hex(QStringLiteral("^0[xX]([0-9A-Fa-f]{1,15})$"));
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,19}$"));
    const QString text = value.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (const QRegularExpressionMatch match = hex.match(text); match.hasMatch())
        number = match.captured(1).toLongLong(&ok, 16);
    else if (decimal.match(text).hasMatch())
        number = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(number) : std::nullopt;
}

bool reportsAsWritten(const QString &written, const QString &reported)
{
    // What went out on the wire, and the dump's line end, do not count.
    const QString sent = oneLineValue(written);
    const std::optional<qint64> sentNumber = valueAsNumber(sent);
    const std::optional<qint64> reportedNumber = valueAsNumber(reported);
    if (sentNumber && reportedNumber)
        return *sentNumber == *reportedNumber;
    // The dump cannot show blanks around a value, so they count on neither side.
    return sent.trimmed() == reported.trimmed();
}

QList<SettingChange> settingChanges(
    const QList<DumpLine> &written, const QList<DumpLine> &before, const QList<DumpLine> &after)
{
    QList<SettingChange> changes;
    for (const DumpLine &setting : written) {
        const DumpLine *was = findSetting(before, setting.name);
        const DumpLine *shown = findSetting(after, setting.name);
        changes << SettingChange {setting.name, was ? was->value : QString(), setting.value,
            shown ? shown->value : QString(), shown && reportsAsWritten(setting.value, shown->value)};
    }
    return changes;
}

} // namespace tracktune
