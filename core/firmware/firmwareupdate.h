// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the external flasher on the tracker's port: finds the firmware folder of
// the hardware, checks the folder, its components and its argument template, builds
// the arguments, relays the flasher's output line by line and reports how it ended.
class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    // How the flasher ended.
    struct Outcome
    {
        enum class Kind { Finished, Failed, NotStarted, Cancelled };
        Kind kind = Kind::NotStarted;
        int exitCode = 0; // meaningful only when it failed without crashing
        bool crashed = false;
        QStringList lastErrors; // the last lines of its standard error, printable
    };

    // Looks in firmwareFolders(applicationDir, the data folders, architecture), and only
    // when the architecture is a plain folder name.
    FirmwareUpdate(const QString &applicationDir, const QString &architecture, QObject *parent = nullptr);

    // Why the update cannot run, as the user reads it, its first line fit for a title;
    // empty when it can. Only the first problem is named: an architecture that names no
    // folder of ours, a missing folder or component, an unusable config.txt. Reads
    // config.txt for run().
    QString problem();

    // Starts the flasher for this port and image and returns once it has exited
    // and all its output is relayed. Pumps events meanwhile: the flasher runs
    // inside the slot that started it. Only after problem() said nothing.
    Outcome run(const QString &port, const QString &firmwareFile);
    // Stops the flasher that run() waits for; run() then returns Cancelled.
    void cancel();

signals:
    // Standard output as read: a line with its line feed, what has come of one so far,
    // or a piece of maxOutputLineLength bytes of a longer one.
    void outputLine(const QString &line);

private:
    QString arch;
    QStringList candidates;
    QString firmwareFolder; // the first candidate that exists; empty: none
    QString refusal; // set by the constructor when the architecture leads astray
    QString templateText;
    bool cancelled = false;
    QProcess *running = nullptr; // while run() waits for it
};
