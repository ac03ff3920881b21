// SPDX-License-Identifier: GPL-3.0-or-later
#include "jsonreport.h"

#include "config/terminaltext.h"

namespace tracktune {

QString jsonOutput(const QJsonDocument &document)
{
    return jsonText(QString::fromUtf8(document.toJson()));
}

QJsonArray changesJson(const QList<SettingChange> &changes)
{
    QJsonArray list;
    for (const SettingChange &change : changes)
        list.append(QJsonObject {{QStringLiteral("name"), change.name},
            {QStringLiteral("before"), change.before}, {QStringLiteral("after"), change.after}});
    return list;
}

QJsonArray namesJson(const QList<DumpLine> &settings)
{
    QJsonArray names;
    for (const DumpLine &setting : settings)
        names.append(setting.name);
    return names;
}

QJsonObject finishedReport(QJsonObject report, const QString &port, const QString &address, int exitCode,
    const QStringList &messages)
{
    report.insert(QStringLiteral("port"), port);
    if (!address.isEmpty())
        report.insert(QStringLiteral("address"), address);
    report.insert(QStringLiteral("exitCode"), exitCode);
    report.insert(QStringLiteral("messages"), QJsonArray::fromStringList(messages));
    return report;
}

} // namespace tracktune
