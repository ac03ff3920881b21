// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ogn/aprsclient.h"
#include "ogn/ddbclient.h"
#include "ogn/ognservers.h"
#include "status/preflightdecoder.h"

#include <QDialog>
#include <QList>
#include <QTimer>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class Ui_OgnCheckDialog;
QT_END_NAMESPACE

class Announcer;

// "Is my tracker registered and received?": asks the OGN devices database about the tracker's
// address, then listens to the APRS stream for it and shows each beacon as it comes, then what
// the listening came to. Not modal: the pilot can watch the tracker's status meanwhile. It sends
// the address and nothing else, and only to the servers it names at the top.
class OgnCheckDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OgnCheckDialog(QWidget *parent = nullptr);
    ~OgnCheckDialog() override;

    // Starts a check of this tracker; one that runs is stopped first. The preflight status is
    // asked for when the listening ends: it tells why nothing may have come.
    void start(const tracktune::TrackerOgnIdentity &tracker, const tracktune::OgnServers &servers,
        std::function<tracktune::PreflightStatus()> preflight);
    bool isRunning() const { return stage != Stage::Idle; }
    const tracktune::TrackerOgnIdentity &tracker() const { return checked; }
    // Stops what runs, nothing sent after it, and says why.
    void stop(const QString &why);

signals:
    void runningChanged(bool running);

protected:
    // Closing stops the check: nothing listens behind a closed window.
    void hideEvent(QHideEvent *event) override;

private:
    enum class Stage { Idle, Asking, Listening };
    void setStage(Stage next);
    void onDdbFinished(const tracktune::DdbLookup &lookup);
    void onBeacon(const tracktune::AprsBeacon &beacon);
    void finishListening();
    void showTimeLeft();

    std::unique_ptr<Ui_OgnCheckDialog> ui;
    tracktune::DdbClient ddb;
    tracktune::AprsClient aprs;
    QTimer listenEnd;
    QTimer ticker; // the time left, each second
    int secondsLeft = 0;
    Stage stage = Stage::Idle;
    tracktune::TrackerOgnIdentity checked;
    tracktune::OgnServers servers;
    std::function<tracktune::PreflightStatus()> preflight;
    QList<tracktune::AprsBeacon> beacons;
    // What arrives while the focus stays on Stop, for a screen reader: the database's answer,
    // each beacon (the latest when several come at once), the summary and why it stopped.
    Announcer *announcer = nullptr;
};
