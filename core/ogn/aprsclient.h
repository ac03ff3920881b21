// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ogn/aprsbeacon.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

namespace tracktune {

// Listens to the OGN APRS stream for one address: connects once, logs in read-only (passcode -1)
// with a filter for that address, sends the keepalive and emits each of its beacons. It never
// sends anything but the login and the keepalive, and never connects again by itself: a failure
// is reported once and the caller decides.
class AprsClient : public QObject
{
    Q_OBJECT

public:
    static QString defaultHost(); // aprs.glidernet.org
    static constexpr quint16 defaultPort = 14580; // the port that takes a client's filter

    explicit AprsClient(QObject *parent = nullptr);
    void setServer(const QString &host, quint16 port);
    void setUser(const QString &call) { user = call; }
    void setVersion(const QString &text) { version = text; }
    void setTimeLimit(int ms) { timeLimitMs = ms; } // to connect and get the server's first line
    void setKeepaliveInterval(int ms) { keepalive.setInterval(ms); }
    QString host() const { return serverHost; }
    quint16 port() const { return serverPort; }
    // What listen sends first.
    QByteArray loginLine(quint32 address) const;

    void listen(quint32 address);
    void stop(); // disconnects; nothing is emitted after it

signals:
    void loggedIn(const QString &serverLine); // the server's answer to the login, "# logresp ..."
    void beaconReceived(const tracktune::AprsBeacon &beacon);
    void failed(const QString &why); // could not connect, no answer in time, or the link was lost

private:
    void onConnected();
    void onReadyRead();
    void fail(const QString &why);

    QTcpSocket socket;
    QTimer timeLimit;
    QTimer keepalive;
    QString serverHost;
    quint16 serverPort = defaultPort;
    QString user = QStringLiteral("TRACKTUNE");
    QString version = QStringLiteral("0");
    int timeLimitMs = 15000;
    quint32 address = 0;
    QByteArray pending;
    bool answered = false;
    bool listening = false;
};

} // namespace tracktune

Q_DECLARE_METATYPE(tracktune::AprsBeacon)
