// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace tracktune {

// One device of the OGN devices database. The model, registration and competition number come
// back blank unless the owner lets the device be tracked and identified: blank is kept blank.
struct DdbDevice
{
    QChar deviceType; // 'F' FLARM, 'O' OGN, 'I' ICAO; another letter as the database sent it
    QString deviceId; // six upper-case hex digits
    QString aircraftModel;
    QString registration;
    QString cn;
    bool tracked = false;
    bool identified = false;
};

// The download's answer, JSON ({"devices": [...]}) or CSV ('F','00000D',...); nothing when
// it is neither.
std::optional<QList<DdbDevice>> parseDdbJson(const QByteArray &answer);
std::optional<QList<DdbDevice>> parseDdbCsv(const QByteArray &answer);
std::optional<QList<DdbDevice>> parseDdbAnswer(const QByteArray &answer);

// The device of that address in an answer, if any.
std::optional<DdbDevice> findDdbDevice(const QList<DdbDevice> &devices, quint32 address);

// The query for one address: only "device_id=", as JSON.
QUrl ddbQueryUrl(const QUrl &download, quint32 address);

QString addressHex(quint32 address); // "2FD00F"
// The database's device type letter in words ("FLARM", "OGN", "ICAO"); empty for any other.
QString deviceTypeWord(QChar type);

// What the tracker sends, for the comparison with its database entry.
struct TrackerOgnIdentity
{
    quint32 address = 0;
    std::optional<int> addressType; // AddrType: 0 random, 1 ICAO, 2 FLARM, 3 OGN
    QString registration; // Reg
};

// The database's letter for an AddrType; a null QChar for a random address.
QChar ddbTypeOfAddressType(int addressType);

// Where the tracker and its database entry disagree, one sentence each; empty when they agree
// or when no entry exists. Blank (hidden) fields are not compared.
QStringList ddbMismatches(const std::optional<DdbDevice> &entry, const TrackerOgnIdentity &tracker);

} // namespace tracktune
