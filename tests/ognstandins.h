// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-ins for the OGN servers on 127.0.0.1: an APRS-IS server that honours a "b/" filter and
// plays recorded lines, and an HTTP/1.1 server for the devices database's download.
#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>

class QTcpSocket;

// Sends its banner, answers the login with "# logresp", then the recorded lines whose call the
// login's "b/" filter names, a server comment between them.
class AprsStandIn : public QTcpServer
{
    Q_OBJECT

public:
    explicit AprsStandIn(QList<QByteArray> recorded);
    QList<QByteArray> logins; // every line a client sent
    int connections = 0;
    bool silent = false; // accepts, never answers

private:
    void onConnection();
    void onLine(QTcpSocket *client);
    QList<QByteArray> lines;
};

// Answers every GET with the status and body set, after the delay; keeps the targets asked for.
class DdbStandIn : public QTcpServer
{
    Q_OBJECT

public:
    DdbStandIn();
    int status = 200;
    QByteArray body;
    int delayMs = 0;
    QList<QByteArray> targets;
    int connections = 0;
    QString url() const; // http://127.0.0.1:<port>/download/

private:
    void onConnection();
};

// The lines of the OGN network this program's tests replay.
QList<QByteArray> recordedAprsLines();
