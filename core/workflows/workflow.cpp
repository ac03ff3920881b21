// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflows/workflow.h"

#include "config/changeplan.h"
#include "link/devicesession.h"

namespace tracktune {

HeldTracker holdTracker(const DeviceSession &session, bool listShown)
{
    const Serial &link = session.link();
    if (!link.isOpen())
        return {};
    const QString port = Serial::systemLocation(link.portName());
    if (!listShown)
        return {{port, QString(), QString(), QString()}, {}};
    return {trackerIdentity(port, session.lastStatusLine(), session.lastReadList()), session.lastReadList()};
}

Workflow::Workflow(DeviceSession &session, WorkflowQuestions &window)
    : session(session), window(window), held(holdTracker(session, window.listShown()))
{
}

bool Workflow::stillHeld(const QString &whileWhat, const QString &notDone)
{
    // A dialog runs an event loop: the tracker may have been unplugged, another read, or an
    // operation started by the poll meanwhile.
    const bool listShown = window.listShown();
    const TrackerIdentity now = holdTracker(session, listShown).identity;
    if (!session.isBusy() && listShown && !held.list.isEmpty() && now == held.identity
        && session.lastReadList() == held.list)
        return true;
    const QString text = now == held.identity
        ? tr("The tracker's list changed %1. %2").arg(whileWhat, notDone)
        : tr("The tracker changed %1: it started with %2, and %3 is connected now. %4")
              .arg(whileWhat, describeTracker(held.identity), describeTracker(now), notDone);
    // Plain text: the Address came from the tracker.
    window.ask({Box::Warning, tr("Tracker changed"), text});
    return false;
}

bool Workflow::mayWriteSilence()
{
    // A tracker that transmits nothing is invisible to other aircraft: never one click away.
    if (!silencingWrite(window.pendingChanges()))
        return true;
    return window.ask({Box::Warning, tr("Apply"),
               tr("The tracker will transmit nothing: other aircraft and the ground stations will not see "
                  "you. Write it?"),
               Box::Yes | Box::No, Box::No, QString(), false})
        == Box::Yes
        && stillHeld(tr("while the question was open"), tr("Nothing was written."));
}

bool CloseWithChanges::run(int pending, bool canApply, std::function<void()> closeAgain)
{
    const Box::Button answer = window.ask({Box::Question, tr("Changes not applied"),
        tr("%n change(s) have not been applied to the tracker.", nullptr, pending),
        (canApply ? Box::Apply : Box::NoButton) | Box::Discard | Box::Cancel, Box::Cancel, QString(), false});
    if (answer == Box::Discard)
        return true;
    // The window stays while the changes are written; it closes once the tracker took them all.
    // A write that failed stays in sight, with its status.
    if (answer == Box::Apply && stillHeld(tr("while the question was open"), tr("Nothing was written."))
        && mayWriteSilence()) {
        window.writeChanges([closeAgain](bool saved) {
            if (saved)
                closeAgain();
        });
    }
    return false;
}

} // namespace tracktune
