#include "config/settingsfile.h"

#include <QStringList>

#include <algorithm>

namespace tracktune {

const DumpLine *findSetting(const QList<DumpLine> &settings, const QString &name)
{
    const auto found = std::find_if(
        settings.cbegin(), settings.cend(), [&name](const DumpLine &entry) { return entry.name == name; });
    return found == settings.cend() ? nullptr : &*found;
}

std::optional<DumpLine> parseSetting(const QString &text)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QString name = text.left(equals).trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char(' ')))
        return std::nullopt;
    return DumpLine {name, text.mid(equals + 1).trimmed()};
}

SettingsFile parseSettingsFile(const QString &text)
{
    SettingsFile file;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const std::optional<DumpLine> setting = parseSetting(line);
        if (!setting) {
            file.problem = QStringLiteral("line %1 is not \"Name = Value\": %2").arg(i + 1).arg(line);
            return file;
        }
        file.settings << *setting;
    }
    file.settings = lastValueWins(file.settings);
    return file;
}

QString formatSettingsFile(const QList<DumpLine> &dump, const QDateTime &when)
{
    QString text = QStringLiteral("# tracktune backup, ") + when.toString(Qt::ISODate) + QLatin1Char('\n');
    for (const char *name : {"Address", "Hard"}) {
        const QString key = QLatin1String(name);
        const DumpLine *entry = findSetting(dump, key);
        text += QStringLiteral("# ") + key + QStringLiteral(" = ") + (entry ? entry->value : QString())
            + QLatin1Char('\n');
    }
    for (const DumpLine &entry : dump)
        text += entry.name + QStringLiteral(" = ") + entry.value + QLatin1Char('\n');
    return text;
}

QList<DumpLine> lastValueWins(const QList<DumpLine> &settings)
{
    QList<DumpLine> kept;
    for (const DumpLine &setting : settings) {
        auto same = std::find_if(kept.begin(), kept.end(),
            [&setting](const DumpLine &entry) { return entry.name == setting.name; });
        if (same == kept.end())
            kept << setting;
        else
            same->value = setting.value;
    }
    return kept;
}

} // namespace tracktune
