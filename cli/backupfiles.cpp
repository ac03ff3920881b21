// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace tracktune {

namespace {

// How long a tracker waits for the others of its fleet to write theirs: each holds the folder
// for one small file.
constexpr int folderWaitMs = 20000;

// ASCII letters and digits only, at most 64 of them.
QString fileNamePart(const QString &text)
{
    QString part;
    for (const QChar c : text) {
        if (c.unicode() < 128 && c.isLetterOrNumber() && part.size() < 64)
            part += c;
    }
    return part;
}

QString portPart(QString port)
{
    for (const QLatin1String prefix : {QLatin1String("/dev/"), QLatin1String("\\\\.\\")}) {
        if (port.startsWith(prefix)) {
            port.remove(0, prefix.size());
            break;
        }
    }
    return fileNamePart(port);
}

// The text whole under path, or why not; what was there before stays until it is.
QString writeWhole(const QString &path, const QByteArray &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    file.write(text);
    return file.commit() ? QString() : file.errorString();
}

bool beginsWith(const QString &path, const QByteArray &firstLine)
{
    // A regular file only: reading a pipe named like a backup would never end.
    if (firstLine.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text)
        && file.readLine(firstLine.size() + 1) == firstLine;
}

} // namespace

QStringList backupFileNames(
    const QString &address, const QString &cpuId, const QString &port, const QDate &date)
{
    static const QRegularExpression chipId(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    const QString addressPart = fileNamePart(address);
    const QString base = addressPart.isEmpty() ? QStringLiteral("tracker") : addressPart;
    const QString ending = QLatin1Char('-') + date.toString(Qt::ISODate) + QStringLiteral(".txt");
    QStringList names;
    if (!addressPart.isEmpty())
        names << addressPart + ending;
    if (chipId.match(cpuId).hasMatch())
        names << base + QLatin1Char('-') + cpuId.toUpper() + ending;
    if (const QString portName = portPart(port); !portName.isEmpty())
        names << base + QLatin1Char('-') + portName + ending;
    if (names.isEmpty())
        names << base + ending;
    return names;
}

SavedBackup saveBackupInto(
    const QString &folder, const QStringList &names, const QByteArray &text, bool replace)
{
    const QDir dir(folder);
    QLockFile lock(dir.filePath(QStringLiteral(".tracktune-backup.lock")));
    if (!lock.tryLock(folderWaitMs)) {
        return {SavedBackup::Failed, folder,
            lock.error() == QLockFile::LockFailedError
                ? QStringLiteral("another backup into the folder did not finish in time")
                : QStringLiteral("the folder cannot be locked")};
    }
    const QByteArray firstLine = text.left(text.indexOf('\n') + 1);
    SavedBackup taken {SavedBackup::Taken, QString(), QString()};
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        taken.path = path;
        // Made here, or not ours: no other process can have made it since the name was chosen.
        QFile claim(path);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            claim.close();
            const QString problem = writeWhole(path, text);
            if (problem.isEmpty())
                return {SavedBackup::Saved, path, QString()};
            QFile::remove(path);
            return {SavedBackup::Failed, path, problem};
        }
        const QFileInfo existing(path);
        if (!existing.exists() && !existing.isSymLink())
            return {SavedBackup::Failed, path, claim.errorString()};
        if (beginsWith(path, firstLine))
            continue; // another tracker's of this run
        if (!replace)
            return {SavedBackup::Exists, path, QString()};
        const QString problem = writeWhole(path, text);
        return {problem.isEmpty() ? SavedBackup::Saved : SavedBackup::Failed, path, problem};
    }
    return taken;
}

} // namespace tracktune
