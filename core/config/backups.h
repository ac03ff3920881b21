// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The settings files the program keeps by itself, before each firmware update.
namespace tracktune {

// How many automatic backups of one tracker are kept.
constexpr int keptAutomaticBackups = 20;

// The tracker's address as a file name may carry it: letters and digits only, so that a
// value from the device never becomes a path; "unknown" when nothing is left.
QString addressForFileName(const QString &address);

// "<address>-before-update-<date and time>.txt": names that sort by their time.
QString automaticBackupName(const QString &address, const QDateTime &when);

// "<address>-<date>.txt", what the window offers when the pilot saves.
QString settingsFileName(const QString &address, const QDate &date);

// A file in the backups folder: its name and when it was last written.
struct BackupFile
{
    QString name;
    QDateTime modified;
};

// Of the files in the backups folder, the automatic backups of this address beyond the
// newest keep by the time they were written, oldest first. The one just written (its name)
// is always kept and counts among them, even when a clock set back names it as the oldest.
// Names the program did not write, and other trackers' backups, are never among them.
QStringList backupsToPrune(const QList<BackupFile> &files, const QString &address, const QString &justWritten,
    int keep = keptAutomaticBackups);

// Where the program keeps settings files (AppDataLocation/backups), made when needed.
QString backupsFolder();

// The path of the backup written before a firmware update at that time, in the backups folder.
QString backupPathBeforeUpdate(const QString &address, const QDateTime &when);

// Writes the list as a backup at path (whole or not at all), then removes from its folder what
// backupsToPrune names. Why not, when it could not be written; empty when it was. A backup
// that cannot be removed stays, unsaid.
QString writeBackup(const QString &path, const QList<DumpLine> &list, const QString &address,
    const QDateTime &when, const QString &cpuId = QString(), int keep = keptAutomaticBackups);

} // namespace tracktune
