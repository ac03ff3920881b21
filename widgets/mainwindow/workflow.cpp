// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

#include <QMessageBox>

tracktune::TrackerIdentity MainWindow::currentTracker() const
{
    const Serial &link = session.link();
    if (!link.isOpen())
        return {};
    const QString port = Serial::systemLocation(link.portName());
    if (!configurationLoaded)
        return {port, QString(), QString(), QString()};
    return tracktune::trackerIdentity(port, session.lastStatusLine(), session.lastReadList());
}

MainWindow::HeldTracker MainWindow::holdTracker() const
{
    return {currentTracker(), configurationLoaded ? session.lastReadList() : QList<tracktune::DumpLine>()};
}

bool MainWindow::stillHeld(const HeldTracker &held, const QString &whileWhat, const QString &notDone)
{
    // A dialog runs an event loop: the tracker may have been unplugged, another read, or an
    // operation started by the poll meanwhile.
    const tracktune::TrackerIdentity now = currentTracker();
    if (!session.isBusy() && configurationLoaded && !held.list.isEmpty() && now == held.identity
        && session.lastReadList() == held.list)
        return true;
    const QString text = now == held.identity
        ? tr("The tracker's list changed %1. %2").arg(whileWhat, notDone)
        : tr("The tracker changed %1: it started with %2, and %3 is connected now. %4")
              .arg(whileWhat, tracktune::describeTracker(held.identity), tracktune::describeTracker(now),
                  notDone);
    QMessageBox box(QMessageBox::Warning, tr("Tracker changed"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText); // the Address came from the tracker
    box.exec();
    return false;
}

void MainWindow::closeWhenIdle()
{
    closeRequested = true;
    ui->statusBar->showMessage(tr("The window closes once the tracker has answered..."));
}
