// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/firmwareline.h"

#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

// The largest settings file or template read; anything larger is no settings file.
constexpr qint64 maxSettingsFileBytes = 1024 * 1024;

// "Name = Value", blanks around both dropped; nothing without "=" or without a name.
std::optional<DumpLine> parseSetting(const QString &text);

// A backup or a template: one "Name = Value" a line, blank lines and "#" comments
// ignored. A name given twice keeps its first place and its last value.
struct SettingsFile
{
    QList<DumpLine> settings;
    QHash<QString, int> lineOf; // the line (from 1) each name is first given on
    // Lines a backup wrote as comments because no sentence can carry them, each as
    // "Name: why"; restoring the backup reports them.
    QStringList notRestorable;
    QString problem; // the first line that is not a setting; empty when all are
    // The CPU id of the tracker a backup came from ("# CPU = ..."), upper case; empty when it names none.
    QString cpuId;
    // The firmware line the file was saved from ("# Firmware line = ..."); Unknown when it names none.
    FirmwareLine line = FirmwareLine::Unknown;
};
// Whether the file is a backup of the tracker with this CPU id: its chip outlives a reset of its
// settings, its Address does not.
bool isBackupOf(const SettingsFile &file, const QString &cpuId);
SettingsFile parseSettingsFile(const QString &text);

// Reads an opened settings file or template whole, at most maxSettingsFileBytes: a larger
// one, one with a NUL byte or one that is not UTF-8 is refused (problem set, no settings).
SettingsFile readSettingsFile(QIODevice &file);
// The same for the file at path; why not in problem when it cannot be opened.
SettingsFile readSettingsFile(const QString &path);

// The firmware line whose editors and checks a file is read with: the one it names, else the one
// its values show, else the newer line.
FirmwareLine lineOfFile(const SettingsFile &file);

// Every parameter of the dump as "Name = Value", after comment lines with the date,
// the tracker's Address and its Hard, its CPU id when known and its firmware line (the one given,
// else the one the dump shows), so a backup says where it came from (comments, which older
// versions skip). A parameter no sentence can carry (sentenceRefusal) is a comment saying so,
// its text escaped.
QString formatSettingsFile(const QList<DumpLine> &dump, const QDateTime &when,
    const QString &cpuId = QString(), FirmwareLine line = FirmwareLine::Unknown);

// Writes formatSettingsFile's text to path, whole or not at all: why not, when it could not be
// written; empty when it was.
QString writeSettingsFile(const QString &path, const QList<DumpLine> &dump, const QDateTime &when,
    const QString &cpuId = QString(), FirmwareLine line = FirmwareLine::Unknown);

// The settings with each edit's value in place of its own; an edit of a name they lack comes last.
QList<DumpLine> withEdits(const QList<DumpLine> &settings, const QList<DumpLine> &edits);

// The first entry of that name, or null. One look-up: a linear search.
const DumpLine *findSetting(const QList<DumpLine> &settings, const QString &name);

// Many look-ups among the same settings: the first entry of each name, by a hash. The
// settings must outlive it unchanged.
class SettingLookup
{
public:
    explicit SettingLookup(const QList<DumpLine> &settings);
    const DumpLine *find(const QString &name) const;

private:
    const QList<DumpLine> &settings;
    QHash<QString, int> firstIndex;
};

// The settings with a name given twice kept once: first place, last value.
QList<DumpLine> lastValueWins(const QList<DumpLine> &settings);

} // namespace tracktune
