// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/statuspanel.h"

#include "config/firmwareline.h"
#include "config/settingsfile.h"
#include "config/verification.h"

#include "ui_statuspanel.h"

#include <QAccessible>
#include <QLabel>
#include <QLocale>

#include <cmath>

namespace {

// "45 s", "2 min": coarse enough that the words do not change every second.
QString duration(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    if (seconds < 60)
        return StatusPanel::tr("%n s", nullptr, int(seconds / 10 * 10));
    return StatusPanel::tr("%n min", nullptr, int(seconds / 60));
}

QString number(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

QString gpsWords(const tracktune::GpsStatus &gps, QString *brief)
{
    using tracktune::ItemState;
    if (gps.fix) {
        *brief = gps.fixMode == 2 ? StatusPanel::tr("GPS: 2-D fix") : StatusPanel::tr("GPS: fix");
        QString words = gps.fixMode == 2
            ? StatusPanel::tr("GPS: 2-D fix, %n satellite(s)", nullptr, gps.satellites.value_or(0))
            : StatusPanel::tr("GPS: 3-D fix, %n satellite(s)", nullptr, gps.satellites.value_or(0));
        if (gps.hdop)
            words += StatusPanel::tr(", HDOP %1").arg(number(*gps.hdop, 1));
        return words;
    }
    if (!gps.ageMs) {
        *brief = StatusPanel::tr("GPS: nothing heard");
        return StatusPanel::tr("GPS: nothing heard yet");
    }
    *brief = StatusPanel::tr("GPS: no fix");
    if (gps.sinceFixMs)
        return StatusPanel::tr("GPS: fix lost %1 ago").arg(duration(*gps.sinceFixMs));
    if (gps.dateRejected)
        return StatusPanel::tr("GPS: no fix yet (its date is not valid)");
    return StatusPanel::tr("GPS: no fix: the antenna needs open sky");
}

QString radioWords(const tracktune::RadioStatus &radio, tracktune::FirmwareLine line, QString *brief)
{
    if (radio.transmitting == true) {
        *brief = StatusPanel::tr("Radio: transmitting");
        return StatusPanel::tr("Radio: transmitting (OGN, %n packet(s) in the last %1 s)", nullptr,
            int(radio.ognSentRecently.value_or(0)))
            .arg(radio.recentSpanMs / 1000);
    }
    if (radio.transmitting == false) {
        *brief = StatusPanel::tr("Radio: not transmitting");
        return StatusPanel::tr("Radio: not transmitting: no OGN packet sent in the last %1 s")
            .arg(radio.recentSpanMs / 1000);
    }
    if (!radio.ageMs) {
        *brief = StatusPanel::tr("Radio: nothing heard");
        return StatusPanel::tr("Radio: nothing heard yet");
    }
    const QString receiving = radio.rxPerMinute
        ? StatusPanel::tr("; receiving %n packet(s) a minute", nullptr, int(std::lround(*radio.rxPerMinute)))
        : QString();
    if (line == tracktune::FirmwareLine::Older) {
        *brief = StatusPanel::tr("Radio: transmit status not printed");
        return StatusPanel::tr("Radio: transmit status not printed by this firmware") + receiving;
    }
    *brief = StatusPanel::tr("Radio: waiting for its report");
    return StatusPanel::tr("Radio: waiting for its report (every 10 s)") + receiving;
}

QString batteryWords(const tracktune::BatteryStatus &battery, QString *brief)
{
    if (battery.volts) {
        *brief = battery.state == tracktune::ItemState::Good ? StatusPanel::tr("Battery: good")
                                                             : StatusPanel::tr("Battery: low");
        return StatusPanel::tr("Battery: %1 V").arg(number(*battery.volts, 2));
    }
    *brief = battery.notMeasured ? StatusPanel::tr("Battery: not measured")
                                 : StatusPanel::tr("Battery: not read");
    return battery.notMeasured ? StatusPanel::tr("Battery: not measured by this board")
                               : StatusPanel::tr("Battery: not read yet");
}

QString sensorWords(const tracktune::PressureSensorStatus &sensor, QString *brief)
{
    if (sensor.present == true) {
        *brief = StatusPanel::tr("Pressure sensor: found");
        return sensor.pressureHpa
            ? StatusPanel::tr("Pressure sensor: found, %1 hPa").arg(number(*sensor.pressureHpa, 1))
            : *brief;
    }
    *brief = sensor.present == false ? StatusPanel::tr("Pressure sensor: none found")
                                     : StatusPanel::tr("Pressure sensor: not reported");
    return *brief;
}

// Green, amber, red or grey: the words say it too.
QString markColour(tracktune::ItemState state)
{
    switch (state) {
    case tracktune::ItemState::Good:
        return QStringLiteral("#2e7d32");
    case tracktune::ItemState::Warning:
        return QStringLiteral("#c77c00");
    case tracktune::ItemState::Bad:
        return QStringLiteral("#c62828");
    case tracktune::ItemState::Unknown:
        break;
    }
    return QStringLiteral("#9e9e9e");
}

} // namespace

StatusPanel::StatusPanel(QWidget *parent) : QFrame(parent), ui(new Ui_StatusPanel)
{
    ui->setupUi(this);
    for (QLabel *mark : {ui->gpsMark, ui->radioMark, ui->batteryMark, ui->sensorMark}) {
        const int side = fontMetrics().height() * 2 / 3;
        mark->setFixedSize(side, side);
        mark->setAccessibleName(QString()); // the words beside it say it all
    }
    for (QLabel *text : {ui->gpsText, ui->radioText, ui->batteryText, ui->sensorText, ui->outputText})
        text->setTextFormat(Qt::PlainText);
    // Two lines kept for each item: a report that wraps is read whole, even where the table
    // takes the height, and the table does not move as the reports come and go.
    for (QLabel *text : {ui->gpsText, ui->radioText, ui->batteryText, ui->sensorText})
        text->setMinimumHeight(text->fontMetrics().lineSpacing() * 2);
    ui->switchOnButton->hide();
    connect(ui->switchOnButton, &QPushButton::clicked, this, &StatusPanel::switchOnRequested);
    clock.start();
    decoder.reset(clock.elapsed());
    ticker.setInterval(1000);
    connect(&ticker, &QTimer::timeout, this, &StatusPanel::refresh);
    ticker.start();
    refresh();
}

StatusPanel::~StatusPanel() = default;

void StatusPanel::takeLine(const QByteArray &line)
{
    if (decoder.take(line, clock.elapsed()))
        refresh();
}

void StatusPanel::takeList(const QList<tracktune::DumpLine> &list)
{
    decoder.setFirmwareLine(tracktune::firmwareLineOf(list));
    if (const tracktune::DumpLine *verbose = tracktune::findSetting(list, QStringLiteral("Verbose"))) {
        if (const std::optional<qint64> value = tracktune::valueAsNumber(verbose->value))
            decoder.setVerbose(int(*value));
    }
    refresh();
}

void StatusPanel::reset()
{
    decoder.reset(clock.elapsed());
    refresh();
}

tracktune::PreflightStatus StatusPanel::status() const
{
    return decoder.status(clock.elapsed());
}

void StatusPanel::showItem(
    QLabel *mark, QLabel *text, tracktune::ItemState state, const QString &words, const QString &brief)
{
    mark->setStyleSheet(
        QStringLiteral("background: %1; border-radius: %2px;").arg(markColour(state)).arg(mark->width() / 2));
    if (text->text() != words)
        text->setText(words);
    // Heard when the state changes, not with every new number: the name is the state, the
    // description the details.
    if (text->accessibleName() != brief)
        text->setAccessibleName(brief);
    if (text->accessibleDescription() != words) // each change is sent to a screen reader
        text->setAccessibleDescription(words);
}

void StatusPanel::refresh()
{
    const tracktune::PreflightStatus now = status();
    QString brief;
    QString words = gpsWords(now.gps, &brief);
    showItem(ui->gpsMark, ui->gpsText, now.gps.state, words, brief);
    words = radioWords(now.radio, now.firmware, &brief);
    showItem(ui->radioMark, ui->radioText, now.radio.state, words, brief);
    words = batteryWords(now.battery, &brief);
    showItem(ui->batteryMark, ui->batteryText, now.battery.state, words, brief);
    words = sensorWords(now.pressureSensor, &brief);
    showItem(ui->sensorMark, ui->sensorText, now.pressureSensor.state, words, brief);
    // Only Verbose switches the tracker's continuous output on.
    const bool off = now.output.verbose && !now.output.verboseOn;
    ui->switchOnButton->setVisible(off);
    const QString output = off ? tr("The tracker prints no status while Verbose is off.")
        : (!now.output.continuous && now.output.state == tracktune::ItemState::Bad)
        ? tr("The tracker prints nothing continuous at the moment.")
        : QString();
    if (ui->outputText->text() != output) {
        ui->outputText->setText(output);
        ui->outputText->setAccessibleName(output);
    }
    ui->outputText->setVisible(!output.isEmpty());
}
