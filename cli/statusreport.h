// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "status/preflightdecoder.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// What `status` prints of a tracker's preflight status: a line per item in English, or its
// --json object.
namespace tracktune {

QString gpsText(const GpsStatus &gps);
// Whether it transmits, as far as the firmware line prints it.
QString radioText(const RadioStatus &radio, FirmwareLine firmware);
// What it receives: the rate, the background noise and the frequency plan.
QString receiverText(const RadioStatus &radio);
QString pressureSensorText(const PressureSensorStatus &sensor);
QString batteryText(const BatteryStatus &battery);
// Whether it prints anything continuous, and how to switch that on when it does not.
QString outputText(const OutputStatus &output);
// Every item's line, in the order printed.
QStringList statusLines(const PreflightStatus &status);

// "5 s", "40 s" (tens below a minute), "2 min", "1 h 5 min": a line that does not change with
// every second.
QString durationText(qint64 ms);

QJsonObject statusJson(const PreflightStatus &status);

// What --require names: fix, transmitting, pressure-sensor, verbose.
QStringList knownRequirements();
// The requirements named that the status does not meet, in the order named.
QStringList unmetRequirements(const PreflightStatus &status, const QStringList &required);

} // namespace tracktune
