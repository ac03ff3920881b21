// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/trackeridentity.h"
#include "link/devicesession.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

class FirmwareUpdate;
class QObject;

// The pilot's workflows, without a widget: each asks its questions through the window's
// WorkflowQuestions and holds the tracker it started with. Their texts are the window's.
namespace tracktune {

// What a workflow plans from: the tracker connected at its start and the list read from it.
struct HeldTracker
{
    TrackerIdentity identity;
    QList<DumpLine> list; // what the workflow plans from
};

// A box the window shows and waits for. Icons and buttons have the values of the window's boxes.
struct Box
{
    enum Icon { NoIcon = 0, Information = 1, Warning = 2, Critical = 3, Question = 4 };
    enum Button {
        NoButton = 0,
        Ok = 0x400,
        Yes = 0x4000,
        No = 0x10000,
        Cancel = 0x400000,
        Discard = 0x800000,
        Apply = 0x2000000
    };
    Icon icon = NoIcon;
    QString title;
    QString text;
    int buttons = Ok;
    Button byDefault = NoButton; // none: the box chooses
    QString details = QString(); // hidden until asked for
    bool plainText = true; // what it quotes came from a file or the tracker and is never markup
};

// What a workflow asks of the window. Every question runs an event loop: anything may happen
// meanwhile, so a workflow checks stillHeld after each.
class WorkflowQuestions
{
public:
    enum class Note { Information, Warning, Error };
    enum class FileChoice { Save, Open };

    virtual ~WorkflowQuestions() = default;
    virtual Box::Button ask(const Box &box) = 0; // the button that closed it; Escape is the escape button's
    // The path chosen; empty when cancelled.
    virtual QString chooseFile(
        FileChoice choice, const QString &title, const QString &start, const QString &filter)
        = 0;
    virtual void showStatus(const QString &text) = 0; // the short state, in the status bar
    virtual void note(Note kind, const QString &text, const QString &file = QString()) = 0; // above the table
    virtual void clearNote() = 0;
    virtual bool listShown() const = 0; // the table shows the list of the open link
    virtual QList<DumpLine> pendingChanges() const = 0;
    virtual void markChanges(const QList<DumpLine> &changes) = 0; // as the pilot's edits
    // Writes the pending changes; then is told whether the tracker took every one.
    virtual void writeChanges(std::function<void(bool saved)> then) = 0;
    // Shows the flasher's progress until it has finished; told before the workflow's own end.
    virtual void showProgress(FirmwareUpdate *flasher) = 0;
};

// The tracker connected now and its list; empty parts where no list has been read from it.
HeldTracker holdTracker(const DeviceSession &session, bool listShown);

// The base of each workflow: the tracker it holds from its start.
class Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    Workflow(DeviceSession &session, WorkflowQuestions &window);

    // After a question: true when the tracker is still the one the workflow started with, idle,
    // with the list it planned from. Else a box names both and says what was not done.
    bool stillHeld(const QString &whileWhat, const QString &notDone);
    // True unless the pending changes would leave the tracker transmitting nothing, or set
    // digits of a field it does not print, and the pilot does not confirm it (or the tracker
    // changed while asked).
    bool mayWriteSilence();

protected:
    DeviceSession &session;
    WorkflowQuestions &window;
    const HeldTracker held;
};

// Closing the window with changes not applied: asks Apply, Discard or Cancel. True when the
// window may close now; with Apply it stays while the changes are written and closeAgain is
// called once the tracker took them all.
class CloseWithChanges : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Workflow::Workflow;
    bool run(int pending, bool canApply, std::function<void()> closeAgain);
};

// Refresh: asks before pending changes are dropped by reading the tracker again.
class DiscardChanges : public Workflow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    using Workflow::Workflow;
    // True when nothing is pending, or the pilot lets it go and the tracker is still held.
    bool run();
};

// Tells what a write did: the short state in the status bar, what names parameters and reasons
// above the table, a change of the aircraft's identity made by the tracker in a box. True when
// the tracker took every change; readBack: the list was read after it, else the link was lost.
struct WriteOutcome
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    static bool tell(WorkflowQuestions &window, const DeviceSession::WriteReport &report, bool readBack);
};

} // namespace tracktune
