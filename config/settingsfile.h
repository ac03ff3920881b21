#pragma once

#include "config/dumpline.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace tracktune {

// "Name = Value", blanks around both dropped; nothing without "=" or without a name.
std::optional<DumpLine> parseSetting(const QString &text);

// A backup or a template: one "Name = Value" a line, blank lines and "#" comments
// ignored. A name given twice keeps its first place and its last value.
struct SettingsFile
{
    QList<DumpLine> settings;
    QString problem; // the first line that is not a setting; empty when all are
};
SettingsFile parseSettingsFile(const QString &text);

// Every parameter of the dump as "Name = Value", after comment lines with the date,
// the tracker's Address and its Hard, so a backup says where it came from.
QString formatSettingsFile(const QList<DumpLine> &dump, const QDateTime &when);

// The first entry of that name, or null.
const DumpLine *findSetting(const QList<DumpLine> &settings, const QString &name);

// The settings with a name given twice kept once: first place, last value.
QList<DumpLine> lastValueWins(const QList<DumpLine> &settings);

} // namespace tracktune
