// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/settingsfile.h"
#include "workflows/workflow.h"

#include <optional>

namespace tracktune {

// Save settings: the held tracker's list, as it holds it, to a file the pilot chooses.
class SaveSettings : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Workflow::Workflow;
    void run();
};

// Load settings: a file's settings planned on the held list, marked as the pilot's changes.
class LoadSettings : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Workflow::Workflow;
    void run();

    struct Chosen
    {
        QString path;
        SettingsFile file;
    };
    // The settings file the pilot picks, read whole; nothing when cancelled, or when it cannot be
    // read, which a box then says. With a tracker or without.
    static std::optional<Chosen> chooseFile(WorkflowQuestions &window);
};

} // namespace tracktune
