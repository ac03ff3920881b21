// SPDX-License-Identifier: GPL-3.0-or-later
// "Check OGN": whether the OGN network knows the connected tracker and hears it. Nothing goes to
// the network before the pilot presses it, and the first time the window says what goes where.
#include "mainwindow/mainwindow.h"

#include "dialogs/ogncheckdialog.h"
#include "mainwindow/statuspanel.h"
#include "ogn/ognwording.h"
#include "ui_mainwindow.h"
#include "workflows/workflow.h"

#include <QPushButton>
#include <QSettings>

namespace {

const QString ddbUrlKey = QStringLiteral("ogn/ddbUrl");
const QString aprsServerKey = QStringLiteral("ogn/aprsServer");
const QString listenSecondsKey = QStringLiteral("ogn/listenSeconds");
// The servers the pilot agreed to send the address to: asked again when they change.
const QString consentKey = QStringLiteral("ogn/sendAddressTo");

bool sameOgnIdentity(const tracktune::TrackerOgnIdentity &a, const tracktune::TrackerOgnIdentity &b)
{
    return a.address == b.address && a.addressType == b.addressType
        && a.registration.trimmed() == b.registration.trimmed();
}

} // namespace

void MainWindow::setUpOgnCheck()
{
    auto *button = new QPushButton(tr("Check &OGN"), this);
    button->setObjectName(QStringLiteral("buttonCheckOgn"));
    button->setToolTip(tr("Asks the OGN network whether it knows this tracker and hears it"));
    button->setMinimumSize(ui->buttonLoadSettings->minimumSize());
    ui->horizontalLayout->insertWidget(ui->horizontalLayout->indexOf(ui->buttonLoadSettings) + 1, button);
    QWidget::setTabOrder(ui->buttonLoadSettings, button);
    QWidget::setTabOrder(button, ui->applyButton);
    connect(button, &QPushButton::clicked, this, &MainWindow::checkOgn);
    connect(&session, &DeviceSession::listRead, this, &MainWindow::followOgnTracker);
}

void MainWindow::checkOgn()
{
    // A click queued while a device operation ran.
    if (session.isBusy() || !configurationLoaded)
        return;
    if (ognDialog && ognDialog->isRunning()) {
        ognDialog->raise();
        ognDialog->activateWindow();
        return;
    }
    const tracktune::HeldTracker held = tracktune::holdTracker(session, true);
    const std::optional<tracktune::TrackerOgnIdentity> identity = tracktune::trackerOgnIdentity(held.list);
    if (!identity) {
        messageBar->showMessage(
            MessageBar::Kind::Warning, tr("The tracker's list has no Address: there is nothing to check."));
        return;
    }
    QSettings settings;
    const tracktune::OgnServers servers = tracktune::ognServers(settings.value(ddbUrlKey).toString(),
        settings.value(aprsServerKey).toString(), settings.value(listenSecondsKey).toString());
    const QString destinations = servers.ddbUrl.toString() + QLatin1Char(' ') + servers.aprsServer();
    if (settings.value(consentKey).toString() != destinations) {
        tracktune::Workflow workflow(session, *this);
        using Box = tracktune::Box;
        if (ask({Box::Question, tr("Check OGN"),
                tr("Check OGN sends the tracker's address, %1, and nothing else, to the OGN devices database "
                   "(%2) and to the OGN APRS server (%3). Both are public servers on the internet. Send it?")
                    .arg(tracktune::addressHex(identity->address), servers.ddbServer(), servers.aprsServer()),
                Box::Yes | Box::No, Box::No})
            != Box::Yes) {
            messageBar->showMessage(MessageBar::Kind::Information, tr("Nothing was sent."));
            return;
        }
        if (!workflow.stillHeld(tr("while the question was open"), tr("Nothing was sent.")))
            return;
        settings.setValue(consentKey, destinations);
    }
    ognTracker = held.identity;
    if (!ognDialog)
        ognDialog = new OgnCheckDialog(this);
    ognDialog->start(*identity, servers, [this] { return statusPanel->status(); });
    ognDialog->show();
    ognDialog->raise();
    ognDialog->activateWindow();
}

void MainWindow::followOgnTracker(const QList<tracktune::DumpLine> &list)
{
    if (!ognDialog || !ognDialog->isRunning())
        return;
    // The list just read is the session's last.
    const tracktune::TrackerIdentity now = tracktune::holdTracker(session, true).identity;
    const std::optional<tracktune::TrackerOgnIdentity> sends = tracktune::trackerOgnIdentity(list);
    if (tracktune::isSameDevice(ognTracker, now) && sends && sameOgnIdentity(*sends, ognDialog->tracker()))
        return;
    ognDialog->stop(tr("The tracker changed during the check: it started with %1, and %2 is connected now. "
                       "The check stopped.")
                        .arg(tracktune::describeTracker(ognTracker), tracktune::describeTracker(now)));
}
