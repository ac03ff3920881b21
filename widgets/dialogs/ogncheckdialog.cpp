// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ogncheckdialog.h"

#include "mainwindow/announcer.h"
#include "ogn/ognwording.h"
#include "ui_ogncheckdialog.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>

using tracktune::AprsBeacon;

OgnCheckDialog::OgnCheckDialog(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui_OgnCheckDialog>())
{
    ui->setupUi(this);
    announcer = new Announcer(this);
    announcer->setObjectName(QStringLiteral("announcer"));
    ui->beaconTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->beaconTable->horizontalHeader()->setStretchLastSection(true);
    ui->stopButton->setEnabled(false);
    connect(
        ui->stopButton, &QPushButton::clicked, this, [this] { stop(tr("Stopped: nothing more is sent.")); });
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(&ddb, &tracktune::DdbClient::finished, this, &OgnCheckDialog::onDdbFinished);
    connect(&aprs, &tracktune::AprsClient::beaconReceived, this, &OgnCheckDialog::onBeacon);
    connect(&aprs, &tracktune::AprsClient::failed, this, [this](const QString &why) {
        ui->summaryText->setText(tr("The APRS server could not be heard: %1").arg(why));
        stop(tr("The check stopped."));
    });
    aprs.setVersion(QCoreApplication::applicationVersion());
    listenEnd.setSingleShot(true);
    connect(&listenEnd, &QTimer::timeout, this, &OgnCheckDialog::finishListening);
    ticker.setInterval(1000);
    connect(&ticker, &QTimer::timeout, this, [this] {
        secondsLeft = std::max(0, secondsLeft - 1);
        showTimeLeft();
    });
}

OgnCheckDialog::~OgnCheckDialog() = default;

void OgnCheckDialog::start(const tracktune::TrackerOgnIdentity &tracker, const tracktune::OgnServers &to,
    std::function<tracktune::PreflightStatus()> status)
{
    if (isRunning())
        stop(QString());
    checked = tracker;
    servers = to;
    preflight = std::move(status);
    beacons.clear();
    ui->beaconTable->setRowCount(0);
    ui->ddbText->clear();
    ui->summaryText->clear();
    const QString address = tracktune::addressHex(tracker.address);
    ui->sendingText->setText(tr("Checks address %1. Sends this address, and nothing else, to the OGN devices "
                                "database (%2) and to the OGN APRS server (%3).")
                                 .arg(address, servers.ddbServer(), servers.aprsServer()));
    ddb.setDownloadUrl(servers.ddbUrl);
    aprs.setServer(servers.aprsHost, servers.aprsPort);
    setStage(Stage::Asking);
    ui->stateText->setText(tr("Asking the OGN devices database..."));
    ddb.lookUp(tracker.address);
}

void OgnCheckDialog::stop(const QString &why)
{
    if (!isRunning())
        return;
    // The database's answer, should it still come, is dropped with the stage.
    aprs.stop();
    listenEnd.stop();
    ticker.stop();
    setStage(Stage::Idle);
    if (!why.isEmpty()) {
        ui->stateText->setText(why);
        announcer->say(why);
    }
}

void OgnCheckDialog::hideEvent(QHideEvent *event)
{
    stop(tr("Stopped: nothing more is sent."));
    QDialog::hideEvent(event);
}

void OgnCheckDialog::setStage(Stage next)
{
    const bool wasRunning = isRunning();
    stage = next;
    ui->stopButton->setEnabled(isRunning());
    if (wasRunning != isRunning())
        emit runningChanged(isRunning());
}

void OgnCheckDialog::onDdbFinished(const tracktune::DdbLookup &lookup)
{
    if (stage != Stage::Asking || lookup.address != checked.address)
        return;
    ui->ddbText->setText(tracktune::ognDdbLines(lookup, tracktune::ddbMismatches(lookup.device, checked))
                             .join(QLatin1Char('\n')));
    announcer->say(ui->ddbText->text());
    setStage(Stage::Listening);
    secondsLeft = servers.listenSeconds;
    showTimeLeft();
    listenEnd.start(servers.listenSeconds * 1000);
    ticker.start();
    aprs.listen(checked.address);
}

void OgnCheckDialog::onBeacon(const AprsBeacon &beacon)
{
    if (stage != Stage::Listening)
        return;
    beacons << beacon;
    const tracktune::OgnBeaconCells cells = tracktune::ognBeaconCells(beacon);
    const int row = ui->beaconTable->rowCount();
    ui->beaconTable->insertRow(row);
    const QStringList texts {cells.time, cells.station, cells.signal, cells.offset, cells.relayed};
    for (int column = 0; column < texts.size(); ++column) {
        auto *item = new QTableWidgetItem(texts.at(column));
        // A status or info beacon carries no signal: its own text says what it is.
        if (!cells.text.isEmpty())
            item->setToolTip(cells.text);
        ui->beaconTable->setItem(row, column, item);
    }
    ui->beaconTable->scrollToBottom();
    announcer->say(tr("Received by %1, %2").arg(cells.station, cells.signal), QStringLiteral("beacon"));
}

void OgnCheckDialog::finishListening()
{
    if (stage != Stage::Listening)
        return;
    aprs.stop();
    ticker.stop();
    if (beacons.isEmpty()) {
        const tracktune::PreflightStatus status = preflight ? preflight() : tracktune::PreflightStatus();
        QStringList text {
            tr("Not received in %1 s. Likely reasons, the most likely first:").arg(servers.listenSeconds)};
        for (const QString &reason : tracktune::ognNotReceivedReasons(status))
            text << QStringLiteral("\u2022 ") + reason;
        ui->summaryText->setText(text.join(QLatin1Char('\n')));
    } else {
        ui->summaryText->setText(tracktune::ognReceptionSummary(beacons, servers.listenSeconds));
    }
    setStage(Stage::Idle);
    ui->stateText->setText(tr("Check finished."));
    announcer->say(ui->summaryText->text());
}

void OgnCheckDialog::showTimeLeft()
{
    ui->stateText->setText(tr("Listening for the tracker's beacons: %1 s left").arg(secondsLeft));
}
