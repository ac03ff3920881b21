// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "config/catalogue.h"
#include "config/settingsfile.h"
#include "ui_mainwindow.h"
#include "workflows/workflow.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

QList<tracktune::DumpLine> MainWindow::pendingChanges() const
{
    // The table's marks are the newest; edits its view hides are kept as they were.
    QList<tracktune::DumpLine> changes = configurationLoaded ? ui->table->changes() : pendingEdits;
    if (!configurationLoaded)
        return changes;
    for (const tracktune::DumpLine &edit : pendingEdits) {
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
