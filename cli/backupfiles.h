// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace tracktune {

// The names "backup DIR/" may give a tracker's backup, in the order they are tried: its Address
// and the date, "0xDD1001-2025-07-01.txt", as ever; then with its CPU id (16 hex digits of its
// status line) after the Address, and last with its port, each only when it has one. Without an
// Address "tracker" stands for it and the first name goes. Each part keeps only ASCII letters
// and digits (a port's "/dev/" or "\\.\" first dropped), so nothing from the tracker or the
// command line becomes a path.
QStringList backupFileNames(
    const QString &address, const QString &cpuId, const QString &port, const QDate &date);

// How a backup into a folder ended.
struct SavedBackup
{
    enum Outcome {
        Saved, // written whole under path
        Exists, // path is an older file; nothing replaces it without replace
        Taken, // every name was another tracker's of this run; path is the last one tried
        Failed, // path could not be written: problem says why
    };
    Outcome outcome = Failed;
    QString path;
    QString problem;
};

// Writes text into folder under the first of names free of another tracker's backup of this
// run: one that begins with the same first line as text (the date and time every tracker of
// one run is dated by). Each file is made exclusively, then its text written beside it and
// renamed over it, whole or not at all; the trackers of a fleet (and other runs into the same
// folder) take their turns through a lock file in the folder, which is left only when a process
// dies holding it, and taken over from a dead one. An older file with that name is replaced
// only when replace is set.
SavedBackup saveBackupInto(
    const QString &folder, const QStringList &names, const QByteArray &text, bool replace);

} // namespace tracktune
