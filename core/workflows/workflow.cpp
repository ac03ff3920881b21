// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflows/workflow.h"

#include "config/changeplan.h"
#include "config/pilotwords.h"
#include "config/valueencoding.h"
#include "config/verification.h"

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
{ }

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
    const QList<DumpLine> pending = window.pendingChanges();
    if (silencingWrite(pending, firmwareLineOf(held.list))
        && !(window.ask({Box::Warning, tr("Apply"),
                 tr("The tracker will transmit nothing: other aircraft and the ground stations will not see "
                    "you. Write it?"),
                 Box::Yes | Box::No, Box::No, QString(), false})
                == Box::Yes
            && stillHeld(tr("while the question was open"), tr("Nothing was written."))))
        return false;
    // A field the tracker prints short: a value that does not name every digit sets the hidden
    // ones too, which the pilot could not see.
    const QStringList hidden = hiddenBitWrites(pending, held.list);
    if (hidden.isEmpty())
        return true;
    return window.ask({Box::Warning, tr("Apply"),
               tr("%1\n\nThe tracker does not show those digits, so this may change a setting you cannot "
                  "see. Write it?")
                   .arg(hidden.join(QLatin1Char('\n'))),
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

bool DiscardChanges::run()
{
    if (window.pendingChanges().isEmpty())
        return true;
    return window.ask({Box::Question, tr("Refresh"),
               tr("Discard the changes not yet applied and read the tracker again?"), Box::Yes | Box::No,
               Box::No, QString(), false})
        == Box::Yes
        && stillHeld(tr("while the question was open"), tr("Nothing was read again."));
}

bool WriteOutcome::tell(WorkflowQuestions &window, const DeviceSession::WriteReport &report, bool readBack)
{
    using Note = WorkflowQuestions::Note;
    if (!readBack) {
        QStringList notSent;
        for (const DumpLine &setting : report.notSent)
            notSent << setting.name;
        window.note(Note::Error,
            tr("Changes not confirmed: the connection was lost")
                + (notSent.isEmpty() ? QString()
                                     : tr("; not sent: %1").arg(notSent.join(QStringLiteral(", ")))));
        return false;
    }
    // A value the gate refused was never sent: it would set another value, parameter or none.
    const QStringList refusals = report.refused;
    QStringList problems;
    if (!report.notTaken.isEmpty())
        problems << tr("Not saved: %1").arg(report.notTaken.join(QStringLiteral(", ")));
    if (!refusals.isEmpty())
        problems << tr("Not sent: %1").arg(refusals.join(QStringLiteral(", ")));
    // What the tracker changed by itself (writing AddrType may reset the Address) is named;
    // a change of the aircraft's identity in a box, since other aircraft see it.
    QStringList byTracker;
    QStringList identity;
    const FirmwareLine line = firmwareLineOf(report.readBack.value_or(QList<DumpLine>()));
    for (const SettingChange &change : report.changedByTracker) {
        const QString text
            = tr("%1: %2 -> %3")
                  .arg(labelInWords(change.name), valueInWords(change.name, change.before, line),
                      valueInWords(change.name, change.after, line));
        byTracker << text;
        if (isIdentityParameter(change.name))
            identity << text;
    }
    // The short state goes to the status bar; what names parameters and reasons, above the table.
    window.showStatus(problems.isEmpty() ? tr("Changes saved") : tr("Not every change was saved"));
    if (!byTracker.isEmpty())
        problems << tr("changed by the tracker: %1").arg(byTracker.join(QStringLiteral(", ")));
    // Checked by the digits the tracker prints; the pilot learns that the others were not seen.
    for (const SettingChange &change : report.changes) {
        if (change.taken && change.shownInPart)
            problems << tr("%1: written as %2; the tracker shows only its last %n digit(s)", nullptr,
                hexDigitsOf(change.after.trimmed()))
                            .arg(change.name, change.written);
    }
    if (!problems.isEmpty())
        window.note(Note::Warning, problems.join(QStringLiteral("; ")));
    if (!identity.isEmpty()) {
        // Plain text: the values came from the tracker.
        window.ask({Box::Warning, tr("Changed by the tracker"),
            tr("The tracker changed the aircraft's identity by itself while the changes were written:\n%1\n\n"
               "Check the values and set them again if they are wrong.")
                .arg(identity.join(QLatin1Char('\n')))});
    }
    return report.notTaken.isEmpty() && refusals.isEmpty();
}

} // namespace tracktune
