// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

#include <optional>

namespace tracktune {

// The "idXXYYYYYY" (or "idXXXXYYYYYY") field of an aircraft beacon: what the device says of itself.
struct AprsDeviceId
{
    int aircraftType = 0; // the tracker's AcftType, 0..15
    int addressType = 0; // 0 random, 1 ICAO, 2 FLARM, 3 OGN
    bool stealth = false;
    bool noTracking = false;
    quint32 address = 0;
};

// One line of the OGN APRS stream, as far as it is understood.
struct AprsBeacon
{
    enum class Kind { Position, Status, Info };
    Kind kind = Kind::Position;
    QString source; // the call: "OGN2FD00F", or a receiver's name
    QString prefix; // "OGN", "FLR", "ICA", "RND", ...; empty when the call holds no address
    std::optional<quint32> callAddress; // the six hex digits of the call
    QString destination; // "OGNTRK", "OGFLR", "OGNSDR", "APRS", ...
    QString receiver; // the station that heard it (after "qAS,"), or the server for a receiver
    QString relayedBy; // the station that repeated it ("RELAY" when unnamed); empty: heard directly
    bool fromReceiver = false; // a receiving station's own beacon
    QTime time; // UTC, as sent
    std::optional<double> latitude;
    std::optional<double> longitude;
    std::optional<int> altitudeFeet;
    std::optional<AprsDeviceId> id;
    std::optional<int> climbFpm;
    std::optional<double> signalDb; // the signal's quality at the receiver
    std::optional<int> bitErrors;
    std::optional<double> frequencyOffsetKHz;
    std::optional<int> gpsHorizontalM;
    std::optional<int> gpsVerticalM;
    std::optional<double> powerDbm;
    QString text; // a status or info beacon's text, a position's comment
};

// A line from the server, CR LF or not. Server comments ("# ...") and anything not understood
// give nothing.
std::optional<AprsBeacon> parseAprsLine(const QByteArray &line);

// The device's address: the id field's, else the call's.
std::optional<quint32> beaconAddress(const AprsBeacon &beacon);

// The filter that passes one address under every address-type prefix of a call.
QString aprsAddressFilter(quint32 address);

// A read-only login (passcode -1) with that filter.
QByteArray aprsLogin(const QString &user, const QString &version, const QString &filter);

} // namespace tracktune
