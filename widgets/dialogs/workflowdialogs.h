// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflows/workflow.h"

class QWidget;

// The boxes, file choosers and the flasher's progress the pilot's workflows ask through, each
// modal over the window.
class WorkflowDialogs : public tracktune::WorkflowQuestions
{
public:
    explicit WorkflowDialogs(QWidget *window) : window(window) { }

    tracktune::Box::Button ask(const tracktune::Box &question) override;
    QString chooseFile(
        FileChoice choice, const QString &title, const QString &start, const QString &filter) override;
    // One progress dialog at a time: the last update's goes, whatever it said.
    void showProgress(FirmwareUpdate *flasher) override;

private:
    QWidget *window;
};
