// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include <algorithm>

#include "link/portorder.h"
#include "mainwindow/busycontrols.h"
#include "mainwindow/elidedlabel.h"
#include "mainwindow/statuspanel.h"
#include "ui_mainwindow.h"
#include "workflows/workflow.h"

#include <QSignalBlocker>

namespace {
const int connectMessageMs = 5000;
} // namespace

void MainWindow::refreshPortList()
{
    // Filling the list must not count as the user's choice.
    disconnect(ui->serialPortList, &QComboBox::currentTextChanged, nullptr, nullptr);
    ui->serialPortList->clear();
    const QHash<QString, QString> ports = Serial::scanPorts();
    const QStringList names = tracktune::naturalPortOrder(ports.keys());
    for (const QString &name : names)
        ui->serialPortList->addItem(tracktune::portEntryText(name, ports.value(name)));
    connect(
        ui->serialPortList, &QComboBox::currentTextChanged, this, &MainWindow::on_serialPortList_selected);
}

void MainWindow::on_serialPortList_selected(const QString &arg1)
{
    const QString name = arg1.split(QStringLiteral(" (")).first();
    // Edits meant for this tracker are not dropped by a slip on the list: asked as Refresh asks.
    const bool keepEdits = !session.isBusy() && !pendingChanges().isEmpty()
        && ask({tracktune::Box::Question, tr("Serial port"),
               tr("Discard the changes not yet applied and connect to %1?").arg(name),
               tracktune::Box::Yes | tracktune::Box::No, tracktune::Box::No})
            != tracktune::Box::Yes;
    // A pick that arrives while a device operation runs is undone, not followed.
    if (keepEdits
        || !session.run(DeviceSession::Operation::Search, [this, &name] { session.connectTo(name); })) {
        selectPortEntry(session.link().portName());
        return;
    }
    // Let go by the pilot: not kept for a tracker that comes back.
    pendingEdits.clear();
}

void MainWindow::selectPortEntry(const QString &portName)
{
    const QSignalBlocker notAPick(ui->serialPortList);
    const QString location = Serial::systemLocation(portName);
    for (int i = 0; i < ui->serialPortList->count(); ++i) {
        // The entry of this port, by its whole name: "COM1" must not pick "COM10 (...)".
        const QString entryName = ui->serialPortList->itemText(i).section(QStringLiteral(" ("), 0, 0);
        if (Serial::systemLocation(entryName) == location) {
            ui->serialPortList->setCurrentIndex(i);
            return;
        }
    }
}

void MainWindow::showNoTrackerHelp()
{
    // A file shown without a tracker keeps its message: the pilot works without one.
    if (session.link().isOpen() || shownFile)
        return;
    QStringList ports = Serial::scanPorts().keys();
    std::sort(ports.begin(), ports.end());
    for (QString &port : ports)
        port = Serial::systemLocation(port);
    noTrackerHelpText = tr("No tracker found yet. Check that the tracker is switched on and that its USB "
                           "cable and adapter are "
                           "plugged in, and that no other program (a serial terminal, another configurator) "
                           "holds its port.")
        + QLatin1Char(' ')
#ifdef Q_OS_LINUX
        + tr("On Linux your user must be in the \"dialout\" group (log in again after adding it).")
        + QLatin1Char(' ')
#endif
        + (ports.isEmpty() ? tr("The system lists no serial port.")
                           : tr("Ports the system lists: %1.").arg(ports.join(QStringLiteral(", "))));
    messageBar->showMessage(MessageBar::Kind::Information, noTrackerHelpText);
}

void MainWindow::onConnected(const QString &deviceName)
{
    noTrackerHelp.stop();
    if (!noTrackerHelpText.isEmpty() && messageBar->text() == noTrackerHelpText)
        messageBar->clear();
    noTrackerHelpText.clear();
    statusPanel->reset();
    statusPanel->show();
    ui->statusBar->showMessage(tr("Connected to OGN device found on %1").arg(deviceName), connectMessageMs);
    // The edits kept over a dropped link wait for the list: only it tells whether this is the
    // tracker they were made for.
    linkRenewed = true;
    serialMonitor.updateConnection(deviceName);
    selectPortEntry(deviceName);
    // The session reads the list next and says what came.
}

void MainWindow::onDisconnected()
{
    statusPanel->reset();
    // What a tracker prints means nothing without one.
    statusPanel->hide();
    ui->statusBar->showMessage(tr("Connection closed"));
    // Kept so that a close or a mode switch still finds them, and the tracker finds them again
    // when it comes back.
    if (configurationLoaded)
        pendingEdits = pendingChanges();
    trackerField->clear();
    configurationLoaded = false;
    tracktune::setUsable(ui->table, false, session.isBusy());
    if (shownFile)
        showFile();
    updateControls();
}

void MainWindow::showTracker(const QList<tracktune::DumpLine> &entries)
{
    const auto valueOf = [&entries](const char *name) {
        for (const tracktune::DumpLine &entry : entries) {
            if (entry.name == QLatin1String(name))
                return entry.value;
        }
        return QString();
    };
    // Short, beside the status messages; its tooltip says what each part is.
    const QString hardware = valueOf("Hard");
    QStringList parts {Serial::systemLocation(session.link().portName()),
        hardware.isEmpty() ? tr("standard hardware") : hardware};
    if (!valueOf("Soft").isEmpty())
        parts << valueOf("Soft");
    parts << valueOf("Address");
    trackerField->setText(parts.join(QStringLiteral(" \u00b7 ")));
    // Whole in its tip where the status bar is too narrow for it.
    trackerField->setToolTip(
        tr("Port, hardware, software and address of the tracker") + QLatin1Char('\n') + trackerField->text());
    // Read with the name of each part.
    QStringList named {tr("port %1").arg(parts.at(0)), tr("hardware %1").arg(parts.at(1))};
    if (!valueOf("Soft").isEmpty())
        named << tr("software %1").arg(valueOf("Soft"));
    named << tr("address %1").arg(valueOf("Address"));
    trackerField->setAccessibleName(tr("Tracker: %1").arg(named.join(QStringLiteral(", "))));
}
