// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingsfile.h"

#include "config/textfile.h"

#include "config/terminaltext.h"
#include "config/valueencoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace tracktune {

namespace {

const QString notRestorableMark = QStringLiteral("  (not restorable: ");

// "# Name = value  (not restorable: why)" as "Name: why"; empty for any other comment.
QString notRestorableNote(const QString &comment)
{
    const int mark = comment.lastIndexOf(notRestorableMark);
    const int equals = comment.indexOf(QStringLiteral(" = "));
    if (mark < 0 || equals < 0 || equals > mark || !comment.endsWith(QLatin1Char(')')))
        return QString();
    const QString name = comment.mid(1, equals - 1).trimmed();
    const QString why = comment.mid(mark + notRestorableMark.size());
    return name + QStringLiteral(": ") + why.left(why.size() - 1);
}

} // namespace

const DumpLine *findSetting(const QList<DumpLine> &settings, const QString &name)
{
    const auto found = std::find_if(
        settings.cbegin(), settings.cend(), [&name](const DumpLine &entry) { return entry.name == name; });
    return found == settings.cend() ? nullptr : &*found;
}

SettingLookup::SettingLookup(const QList<DumpLine> &settings) : settings(settings)
{
    firstIndex.reserve(settings.size());
    for (int i = settings.size() - 1; i >= 0; --i)
        firstIndex.insert(settings.at(i).name, i);
}

const DumpLine *SettingLookup::find(const QString &name) const
{
    const auto found = firstIndex.constFind(name);
    return found == firstIndex.cend() ? nullptr : &settings.at(*found);
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
    QSet<QString> noted;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('#'))) {
            static const QRegularExpression chip(QStringLiteral("^#\\s*CPU\\s*=\\s*([0-9A-Fa-f]{16})$"));
            if (const QRegularExpressionMatch match = chip.match(line); match.hasMatch()) {
                file.cpuId = match.captured(1).toUpper();
                continue;
            }
            static const QRegularExpression recordedLine(
                QStringLiteral("^#\\s*Firmware line\\s*=\\s*(older|newer)$"),
                QRegularExpression::CaseInsensitiveOption);
            if (const QRegularExpressionMatch match = recordedLine.match(line); match.hasMatch()) {
                file.line = match.captured(1).compare(QLatin1String("older"), Qt::CaseInsensitive) == 0
                    ? FirmwareLine::Older
                    : FirmwareLine::Newer;
                continue;
            }
            // The header's "# Address = ..." repeats an entry: one note a name.
            const QString note = notRestorableNote(line);
            if (!note.isEmpty() && !noted.contains(note.section(QStringLiteral(": "), 0, 0))) {
                noted.insert(note.section(QStringLiteral(": "), 0, 0));
                file.notRestorable << note;
            }
            continue;
        }
        if (line.isEmpty())
            continue;
        const std::optional<DumpLine> setting = parseSetting(line);
        if (!setting) {
            file.problem = QCoreApplication::translate("tracktune", "line %1 is not \"Name = Value\": %2")
                               .arg(i + 1)
                               .arg(line);
            return file;
        }
        file.settings << *setting;
        if (!file.lineOf.contains(setting->name))
            file.lineOf.insert(setting->name, i + 1);
    }
    file.settings = lastValueWins(file.settings);
    return file;
}

SettingsFile readSettingsFile(QIODevice &file)
{
    SettingsFile refused;
    // Checked before anything is read, so a device file or a stray image costs no memory;
    // a stream has no size, so one byte past the limit tells.
    if (!file.isSequential() && file.size() > maxSettingsFileBytes) {
        refused.problem = tooLargeProblem(maxSettingsFileBytes);
        return refused;
    }
    QByteArray bytes;
    while (bytes.size() <= maxSettingsFileBytes) {
        const QByteArray piece = file.read(maxSettingsFileBytes + 1 - bytes.size());
        if (piece.isEmpty())
            break; // the end, or an error: what was read is judged
        bytes += piece;
    }
    const TextFile text = decodeTextFile(bytes, maxSettingsFileBytes);
    if (!text.problem.isEmpty()) {
        refused.problem = text.problem;
        return refused;
    }
    return parseSettingsFile(text.text);
}

SettingsFile readSettingsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SettingsFile unread;
        unread.problem = file.errorString();
        return unread;
    }
    return readSettingsFile(file);
}

bool isBackupOf(const SettingsFile &file, const QString &cpuId)
{
    return !file.cpuId.isEmpty() && file.cpuId.compare(cpuId, Qt::CaseInsensitive) == 0;
}

FirmwareLine lineOfFile(const SettingsFile &file)
{
    if (file.line != FirmwareLine::Unknown)
        return file.line;
    const FirmwareLine shown = firmwareLineOf(file.settings);
    return shown == FirmwareLine::Unknown ? FirmwareLine::Newer : shown;
}

QList<DumpLine> withEdits(const QList<DumpLine> &settings, const QList<DumpLine> &edits)
{
    return lastValueWins(settings + edits);
}

QString formatSettingsFile(
    const QList<DumpLine> &dump, const QDateTime &when, const QString &cpuId, FirmwareLine line)
{
    QString text = QStringLiteral("# tracktune backup, ") + when.toString(Qt::ISODate) + QLatin1Char('\n');
    const SettingLookup lookup(dump);
    for (const char *name : {"Address", "Hard"}) {
        const QString key = QLatin1String(name);
        const DumpLine *entry = lookup.find(key);
        text += QStringLiteral("# ") + key + QStringLiteral(" = ")
            + (entry ? terminalText(oneLineValue(entry->value)) : QString()) + QLatin1Char('\n');
    }
    static const QRegularExpression chip(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    if (chip.match(cpuId).hasMatch())
        text += QStringLiteral("# CPU = ") + cpuId.toUpper() + QLatin1Char('\n');
    if (line == FirmwareLine::Unknown)
        line = firmwareLineOf(dump);
    if (line != FirmwareLine::Unknown) {
        text += QStringLiteral("# Firmware line = ")
            + (line == FirmwareLine::Older ? QStringLiteral("older") : QStringLiteral("newer"))
            + QLatin1Char('\n');
    }
    for (const DumpLine &entry : dump) {
        const QString value = oneLineValue(entry.value);
        const QString refusal = sentenceRefusal(entry.name, value);
        if (refusal.isEmpty()) {
            text += entry.name + QStringLiteral(" = ") + value + QLatin1Char('\n');
        } else {
            text += QStringLiteral("# ") + terminalText(entry.name) + QStringLiteral(" = ")
                + terminalText(value) + notRestorableMark + refusal + QStringLiteral(")\n");
        }
    }
    return text;
}

QList<DumpLine> lastValueWins(const QList<DumpLine> &settings)
{
    QList<DumpLine> kept;
    QHash<QString, int> placeOf;
    placeOf.reserve(settings.size());
    for (const DumpLine &setting : settings) {
        const auto same = placeOf.constFind(setting.name);
        if (same == placeOf.cend()) {
            placeOf.insert(setting.name, kept.size());
            kept << setting;
        } else {
            kept[*same].value = setting.value;
        }
    }
    return kept;
}

QString writeSettingsFile(const QString &path, const QList<DumpLine> &dump, const QDateTime &when,
    const QString &cpuId, FirmwareLine line)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    file.write(formatSettingsFile(dump, when, cpuId, line).toUtf8());
    return file.commit() ? QString() : file.errorString();
}

} // namespace tracktune
