#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Runs the external flasher on the tracker's port: finds the firmware folder of
// the hardware, checks its components, builds the arguments from its template,
// and relays the flasher's output line by line.
class FirmwareUpdate : public QObject
{
    Q_OBJECT

public:
    // Looks in firmwareFolders(applicationDir, the data folders, architecture).
    FirmwareUpdate(const QString &applicationDir, const QString &architecture, QObject *parent = nullptr);

    QString architecture() const { return arch; }
    QString folder() const { return firmwareFolder; } // the first that exists; empty: none
    QStringList searchedFolders() const { return candidates; }

    // Why the update cannot run, as the user reads it; empty when the folder holds
    // every component. Only the first missing component is named.
    QString missingComponents() const;

    // Starts the flasher for this port and image and returns once it has exited
    // and all its output is relayed. Pumps events meanwhile: the flasher runs
    // inside the slot that started it.
    void run(const QString &port, const QString &firmwareFile);

signals:
    void outputLine(const QString &line);
    void finished(); // the flasher's output has ended
    void failed(); // it could not be started, crashed or failed to talk

private:
    QString arch;
    QStringList candidates;
    QString firmwareFolder;
};
