// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "firmware/espimage.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the external flasher on the tracker's port: finds the firmware folder of
// the hardware, checks the folder, its components and its argument template, builds
// the arguments, starts the flasher, relays its output line by line as it comes and
// reports how it ended.
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
    // A flasher still running is ended by its QProcess, and its end told to no one.
    ~FirmwareUpdate() override;

    // Why no update can run, as the user reads it, its first line fit for a title; empty when
    // one can: an architecture that names no folder of ours, or everything missing at once (the
    // folder, the flasher, any argument template), each with where to get it.
    QString problem() const;
    // The same for an image of this kind, once problem() said nothing: its argument template
    // and, for an application image, the bootloader and partition table, all missing named at
    // once; or an unusable template. Reads the template for start().
    QString problemFor(tracktune::EspImage::Kind kind);
    // The firmware folder in use: the first that exists of those looked in; empty when none
    // does, or when it leads outside the firmware folders.
    QString folder() const { return firmwareFolder; }

    // Starts the flasher for this port and image and returns at once; finished() tells how it
    // ended. Once, and only after problemFor() said nothing.
    void start(const QString &port, const QString &firmwareFile);
    // Stops the running flasher; finished() then says Cancelled.
    void cancel();

signals:
    // Standard output as read: a line with its line feed, what has come of one so far,
    // or a piece of maxOutputLineLength bytes of a longer one.
    void outputLine(const QString &line);
    // Once, after the flasher has exited and all its output is relayed, or when it could
    // not be started; never from inside start().
    void finished(const FirmwareUpdate::Outcome &outcome);

private:
    void relayOutput();
    void keepErrors();
    void conclude(const Outcome &outcome);
    Outcome exitOutcome() const;

    QString arch;
    QStringList candidates;
    QString firmwareFolder; // the first candidate that exists; empty: none
    QString flasher; // the folder's own, else one on the PATH (not on Windows); empty: none
    QString refusal; // set by the constructor when the architecture leads astray
    QString templateText;
    QProcess *process = nullptr; // the flasher, from start() on
    // A line cut at the cap may end inside a character: its first bytes wait for the rest.
    QByteArray heldBack;
    QByteArray errors; // the end of its standard error
    bool cancelled = false;
    bool exited = false; // its output may still wait to be relayed
    bool relayQueued = false;
    bool concluded = false;
};

Q_DECLARE_METATYPE(FirmwareUpdate::Outcome)
