// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/verification.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace tracktune {

// A document as --json prints it, the tracker's text in it safe for a terminal.
QString jsonOutput(const QJsonDocument &document);

// Each change as {"name", "before", "after"}.
QJsonArray changesJson(const QList<SettingChange> &changes);

QJsonArray namesJson(const QList<DumpLine> &settings);

// The object --json prints for set, apply and backup: what the command put in, and what every
// command tells, the port, the tracker's Address once read, the exit code and the messages.
QJsonObject finishedReport(QJsonObject report, const QString &port, const QString &address, int exitCode,
    const QStringList &messages);

} // namespace tracktune
