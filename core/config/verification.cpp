// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/verification.h"

#include "config/settingsfile.h"
#include "config/trackerstorage.h"
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
        const QString before = was ? was->value : QString();
        SettingChange change {setting.name, before, setting.value, shown ? shown->value : QString(),
            shown && showsAsWritten(setting.name, setting.value, before, shown->value)};
        change.shownInPart = shown && shownInPart(setting.name, setting.value, shown->value);
        changes << change;
    }
    return changes;
}

QList<SettingChange> unwrittenChanges(
    const QList<DumpLine> &written, const QList<DumpLine> &before, const QList<DumpLine> &after)
{
    QList<SettingChange> changes;
    const SettingLookup was(before);
    const SettingLookup sent(written);
    const SettingLookup shown(after);
    for (const DumpLine &entry : after) {
        // The first entry of each name is the one every command reads.
        if (shown.find(entry.name) != &entry || sent.find(entry.name))
            continue;
        const DumpLine *previous = was.find(entry.name);
        if (previous && !reportsAsWritten(previous->value, entry.value))
            changes << SettingChange {entry.name, previous->value, QString(), entry.value, false};
    }
    return changes;
}

} // namespace tracktune
