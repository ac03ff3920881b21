// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflows/workflow.h"

#include <optional>

namespace tracktune {

// The settings a firmware update saved, offered back once the same tracker is found.
struct RestoreOffer
{
    TrackerIdentity tracker;
    QList<DumpLine> settings;
};

// The firmware update from its button to the flasher's end: the firmware folder from the held
// Hard, the image chosen and confirmed, the held list saved as the backup (no backup, no
// update), the held port flashed, and how it ended told.
class FirmwareUpdateWorkflow : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // The flasher, once started, is owner's until it has ended.
    FirmwareUpdateWorkflow(
        DeviceSession &session, WorkflowQuestions &window, const QString &applicationFolder, QObject *owner);
    // Runs up to the flasher's start; the settings to offer back once they are saved.
    std::optional<RestoreOffer> run();

private:
    void tellFailure(const QString &title, const QString &text, const QString &backup = QString());

    QString applicationFolder;
    QObject *owner;
};

// After an update, offers the settings from before it to the same tracker and writes them.
class RestoreSettings : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Workflow::Workflow;
    // Nothing unless the held tracker is the same device; the offer is used up then.
    void run(std::optional<RestoreOffer> &offer);
};

} // namespace tracktune
