// SPDX-License-Identifier: GPL-3.0-or-later
#include "ognstandins.h"

#include <QTcpSocket>
#include <QTimer>

AprsStandIn::AprsStandIn(QList<QByteArray> recorded) : lines(std::move(recorded))
{
    connect(this, &QTcpServer::newConnection, this, &AprsStandIn::onConnection);
    listen(QHostAddress::LocalHost);
}

void AprsStandIn::onConnection()
{
    while (QTcpSocket *client = nextPendingConnection()) {
        ++connections;
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        if (silent)
            continue;
        client->write("# aprsc 2.1.4-g408ed49\r\n");
        connect(client, &QTcpSocket::readyRead, this, [this, client] { onLine(client); });
    }
}

void AprsStandIn::onLine(QTcpSocket *client)
{
    while (client->canReadLine()) {
        const QByteArray line = client->readLine().trimmed();
        logins << line;
        if (!line.startsWith("user "))
            continue;
        const QList<QByteArray> words = line.split(' ');
        client->write("# logresp " + words.value(1) + " unverified, server GLIDERN1\r\n");
        const int filter = words.indexOf("filter");
        QList<QByteArray> calls;
        for (const QByteArray &term : words.mid(filter + 1)) {
            if (filter >= 0 && term.startsWith("b/"))
                calls += term.mid(2).split('/');
        }
        for (const QByteArray &recorded : lines) {
            if (calls.contains(recorded.left(recorded.indexOf('>'))))
                client->write(recorded + "\r\n");
            client->write("# aprsc 2.1.4-g408ed49 17 Mar 2018 09:30:36 GMT GLIDERN1 127.0.0.1:14580\r\n");
        }
    }
}

DdbStandIn::DdbStandIn()
{
    connect(this, &QTcpServer::newConnection, this, &DdbStandIn::onConnection);
    listen(QHostAddress::LocalHost);
}

QString DdbStandIn::url() const
{
    return QStringLiteral("http://127.0.0.1:%1/download/").arg(serverPort());
}

void DdbStandIn::onConnection()
{
    while (QTcpSocket *client = nextPendingConnection()) {
        ++connections;
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QTcpSocket::readyRead, this, [this, client] {
            if (!client->canReadLine() || client->property("asked").toBool())
                return;
            client->setProperty("asked", true);
            targets << client->readLine().split(' ').value(1);
            QTimer::singleShot(delayMs, client, [this, client] {
                const QByteArray reason = status == 200 ? "OK" : "Error";
                client->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reason
                    + "\r\nContent-Type: application/json\r\nConnection: close\r\nContent-Length: "
                    + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                client->disconnectFromHost();
            });
        });
    }
}

QList<QByteArray> recordedAprsLines()
{
    return {
        "OGN3FC859>OGNTRK,qAS,LZHL:>093215h h00 v00 9sat/1 164m 1002.6hPa +20.2degC 0% 3.34V 14/-110.5dBm "
        "1/min",
        "OGN2FD00F>OGNTRK,qAS,LZHL:/093213h4848.78N/01708.32E'000/000/A=000538 !W12! id072FD00F -058fpm "
        "+0.0rot "
        "FL003.12 32.8dB 0e -0.8kHz gps3x5",
        "FLRDD9C70>OGNTRK,OGN2FD00F*,qAS,LZHL:/093214h4848.77N/01708.33E'000/000/A=000515 !W56! id06DD9C70 "
        "-019fpm "
        "+0.0rot 32.2dB 0e -0.8kHz gps2x3",
        "OGN2FD00F>OGNTRK,qAS,LZHU:/093215h4848.78N/01708.32E'000/000/A=000538 !W12! id072FD00F -058fpm "
        "+0.0rot "
        "FL003.12 18.5dB 0e +21.3kHz gps3x5",
        "OGN2FD00F>OGNTRK,RELAY*,qAS,LZHL:/093217h4848.78N/01708.32E'000/000/A=000538 !W12! id072FD00F "
        "-058fpm "
        "+0.0rot 24.5dB 0e -1.4kHz gps3x5",
        "LILH>OGNSDR,TCPIP*,qAC,GLIDERN2:/132201h4457.61NI00900.58E&/A=000423",
    };
}
