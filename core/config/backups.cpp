// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/backups.h"

#include "config/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace tracktune {

namespace {

const QString automaticMark = QStringLiteral("-before-update-");
const QString timeFormat = QStringLiteral("yyyy-MM-dd-HHmmss");

} // namespace

QString addressForFileName(const QString &address)
{
    QString name;
    for (const QChar c : address) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            name += c;
    }
    return name.isEmpty() ? QStringLiteral("unknown") : name.left(32);
}

QString automaticBackupName(const QString &address, const QDateTime &when)
{
    return addressForFileName(address) + automaticMark + when.toString(timeFormat) + QStringLiteral(".txt");
}

QString settingsFileName(const QString &address, const QDate &date)
{
    return addressForFileName(address) + QLatin1Char('-') + date.toString(Qt::ISODate)
        + QStringLiteral(".txt");
}

QStringList backupsToPrune(
    const QList<BackupFile> &files, const QString &address, const QString &justWritten, int keep)
{
    const QRegularExpression ours(QLatin1Char('^') + QRegularExpression::escape(addressForFileName(address))
        + automaticMark + QStringLiteral("\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.txt$"));
    QList<BackupFile> older;
    bool justWrittenListed = false;
    for (const BackupFile &file : files) {
        if (!ours.match(file.name).hasMatch())
            continue;
        if (file.name == justWritten)
            justWrittenListed = true;
        else
            older << file;
    }
    // Newest first; files written within the same second go by their names.
    std::sort(older.begin(), older.end(), [](const BackupFile &a, const BackupFile &b) {
        return a.modified != b.modified ? a.modified > b.modified : a.name > b.name;
    });
    const int room = std::max(0, keep - (justWrittenListed ? 1 : 0));
    QStringList pruned;
    for (int i = int(older.size()) - 1; i >= room; --i)
        pruned << older.at(i).name;
    return pruned;
}

QString backupsFolder()
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
    QDir().mkpath(folder);
    return folder;
}

QString backupPathBeforeUpdate(const QString &address, const QDateTime &when)
{
    return backupsFolder() + QLatin1Char('/') + automaticBackupName(address, when);
}

QString writeBackup(const QString &path, const QList<DumpLine> &list, const QString &address,
    const QDateTime &when, const QString &cpuId, int keep)
{
    const QString error = writeSettingsFile(path, list, when, cpuId);
    if (!error.isEmpty())
        return error;
    const QString folder = QFileInfo(path).path();
    QList<BackupFile> files;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        files << BackupFile {file.fileName(), file.lastModified()};
    for (const QString &name : backupsToPrune(files, address, QFileInfo(path).fileName(), keep))
        QFile::remove(folder + QLatin1Char('/') + name);
    return QString();
}

} // namespace tracktune
