// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "config/catalogue.h"
#include "config/settingsfile.h"
#include "mainwindow/keptedits.h"
#include "ui_mainwindow.h"
#include "workflows/workflow.h"

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

QList<tracktune::DumpLine> MainWindow::pendingChanges() const
{
    // The table's marks are the newest; edits its view hides are kept as they were. A file
    // shown without a tracker has edits of its own.
    const bool tableShowsEdits = configurationLoaded || shownFile;
    const QList<tracktune::DumpLine> &kept = shownFile ? shownFile->edits : pendingEdits;
    QList<tracktune::DumpLine> changes = tableShowsEdits ? ui->table->changes() : kept;
    if (!tableShowsEdits)
        return changes;
    for (const tracktune::DumpLine &edit : kept) {
        const bool shown = tracktune::findSetting(changes, edit.name);
        if (!shown && ui->table->findItems(edit.name, Qt::MatchExactly).isEmpty())
            changes << edit;
    }
    return changes;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // An edit still open in a cell is the pilot's change too.
    ui->table->commitOpenEditor();
    if (session.isBusy()) {
        event->ignore();
        // A flasher stopped halfway can leave the tracker without a firmware that starts.
        if (session.updateInProgress()) {
            QMessageBox box(QMessageBox::Warning, tr("Firmware update in progress"),
                tr("The firmware update is still running. Close the window once it has ended?"),
                QMessageBox::Yes | QMessageBox::Cancel, this);
            box.setDefaultButton(QMessageBox::Cancel);
            if (box.exec() != QMessageBox::Yes)
                return;
        }
        // Closing waits for the device operation that runs; then the window asks as usual.
        closeRequested = true;
        ui->statusBar->showMessage(tr("The window closes once the tracker has answered..."));
        return;
    }
    closeRequested = false;
    const int pending = int(pendingChanges().size());
    if (shownFile && pending > 0) {
        using Box = tracktune::Box;
        const bool discard = ask({Box::Question, tr("Changes not saved"),
                                 tr("%n change(s) to %1 have not been saved.", nullptr, pending)
                                     .arg(QDir::toNativeSeparators(shownFile->path)),
                                 Box::Discard | Box::Cancel, Box::Cancel})
            == Box::Discard;
        event->setAccepted(discard);
        return;
    }
    // Apply only where a tracker can take the changes.
    if (pending == 0
        || tracktune::CloseWithChanges(session, *this).run(pending, ui->applyButton->isEnabled(), [this] {
               QTimer::singleShot(0, this, &QWidget::close);
           }))
        event->accept();
    else
        event->ignore();
}

void MainWindow::markChanges(const QList<tracktune::DumpLine> &changes)
{
    const QList<tracktune::DumpLine> shown = ui->table->restoreEdits(changes);
    bool onlyExpertShows = false;
    for (const tracktune::DumpLine &change : changes) {
        if (tracktune::findSetting(shown, change.name))
            continue;
        const tracktune::KnownParameter *known = tracktune::findKnownParameter(change.name);
        onlyExpertShows = onlyExpertShows || !known || !known->everyday;
        pendingEdits.erase(
            std::remove_if(pendingEdits.begin(), pendingEdits.end(),
                [&change](const tracktune::DumpLine &edit) { return edit.name == change.name; }),
            pendingEdits.end());
        pendingEdits << change;
    }
    if (onlyExpertShows && !expertMode)
        ui->buttonAdvanced->setChecked(true);
}

void MainWindow::takeUpKeptEdits(
    const tracktune::TrackerIdentity &now, const QList<tracktune::DumpLine> &list)
{
    if (pendingEdits.isEmpty())
        return;
    const int count = int(pendingEdits.size());
    if (!tracktune::editsBelongTo(editsTracker, now)) {
        // Another aircraft never gets this one's changes, not even one Apply away.
        messageBar->showMessage(MessageBar::Kind::Warning,
            tr("Another tracker is connected (%1): the %n change(s) not yet applied to %2 were discarded.",
                nullptr, count)
                .arg(tracktune::describeTracker(now), tracktune::describeTracker(editsTracker)));
        pendingEdits.clear();
        return;
    }
    if (restoreOffer && tracktune::isSameDevice(restoreOffer->tracker, now)) {
        // The update may have put every setting back: what was planned on the old list is not
        // mixed into the restore that is offered next, which writes every pending change.
        messageBar->showMessage(MessageBar::Kind::Warning,
            tr("After the firmware update, the %n change(s) not yet applied were discarded: the update "
               "may have reset the settings they were made on.",
                nullptr, count));
        pendingEdits.clear();
        return;
    }
    const tracktune::KeptEdits kept = tracktune::keptEdits(pendingEdits, list);
    pendingEdits = kept.pending;
    QString text = kept.pending.isEmpty()
        ? tr("The same tracker is back.")
        : tr("The same tracker is back: %n change(s) not yet applied are marked again.", nullptr,
            int(kept.pending.size()));
    if (!kept.settled.isEmpty()) {
        text += QLatin1Char(' ')
            + tr("No longer pending, as the tracker holds the value or lacks the parameter: %1.")
                  .arg(kept.settled.join(QStringLiteral(", ")));
    }
    messageBar->showMessage(MessageBar::Kind::Information, text);
}
