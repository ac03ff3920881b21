// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/backups.h"

#include <QRegularExpression>

#include <algorithm>

namespace tracktune {

namespace {

const QString automaticMark = QStringLiteral("-before-update-");
const QString timeFormat = QStringLiteral("yyyy-MM-dd-HHmmss");

} // namespace

QString addressForFileName(const QString &address)
{
    QString name;
    for (const QChar c : address) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            name += c;
    }
    return name.isEmpty() ? QStringLiteral("unknown") : name.left(32);
}

QString automaticBackupName(const QString &address, const QDateTime &when)
{
    return addressForFileName(address) + automaticMark + when.toString(timeFormat) + QStringLiteral(".txt");
}

QString settingsFileName(const QString &address, const QDate &date)
{
    return addressForFileName(address) + QLatin1Char('-') + date.toString(Qt::ISODate)
        + QStringLiteral(".txt");
}

QStringList backupsToPrune(const QStringList &fileNames, const QString &address, int keep)
{
    const QRegularExpression ours(QLatin1Char('^') + QRegularExpression::escape(addressForFileName(address))
        + automaticMark + QStringLiteral("\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.txt$"));
    QStringList automatic;
    for (const QString &name : fileNames) {
        if (ours.match(name).hasMatch())
            automatic << name;
    }
    std::sort(automatic.begin(), automatic.end());
    return automatic.mid(0, std::max(0, int(automatic.size()) - keep));
}

} // namespace tracktune
