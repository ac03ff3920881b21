// SPDX-License-Identifier: GPL-3.0-or-later
#include "aprsclient.h"

#include <QCoreApplication>

namespace tracktune {

namespace {

// APRS lines are at most a few hundred bytes: a longer one is not read into memory whole.
constexpr int longestLine = 1024;

} // namespace

QString AprsClient::defaultHost()
{
    return QStringLiteral("aprs.glidernet.org");
}

AprsClient::AprsClient(QObject *parent) : QObject(parent), serverHost(defaultHost())
{
    qRegisterMetaType<AprsBeacon>();
    timeLimit.setSingleShot(true);
    keepalive.setInterval(240 * 1000);
    connect(&timeLimit, &QTimer::timeout, this, [this] {
        fail(QCoreApplication::translate("tracktune", "no answer from %1 within %2 s")
                 .arg(serverHost + QLatin1Char(':') + QString::number(serverPort),
                     QString::number(timeLimitMs / 1000.0)));
    });
    connect(&keepalive, &QTimer::timeout, this, [this] { socket.write("#keepalive\r\n"); });
    connect(&socket, &QTcpSocket::connected, this, &AprsClient::onConnected);
    connect(&socket, &QTcpSocket::readyRead, this, &AprsClient::onReadyRead);
    connect(&socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        const QString where = serverHost + QLatin1Char(':') + QString::number(serverPort);
        if (socket.error() == QAbstractSocket::RemoteHostClosedError && answered)
            fail(QCoreApplication::translate("tracktune", "%1 closed the connection").arg(where));
        else
            fail(QCoreApplication::translate("tracktune", "cannot reach %1: %2")
                     .arg(where, socket.errorString()));
    });
}

void AprsClient::setServer(const QString &host, quint16 port)
{
    serverHost = host;
    serverPort = port;
}

QByteArray AprsClient::loginLine(quint32 forAddress) const
{
    return aprsLogin(user, version, aprsAddressFilter(forAddress));
}

void AprsClient::listen(quint32 forAddress)
{
    stop();
    address = forAddress & 0xFFFFFF;
    listening = true;
    answered = false;
    pending.clear();
    timeLimit.start(timeLimitMs);
    socket.connectToHost(serverHost, serverPort);
}

void AprsClient::stop()
{
    listening = false;
    timeLimit.stop();
    keepalive.stop();
    socket.abort();
}

void AprsClient::onConnected()
{
    socket.write(loginLine(address));
    keepalive.start();
}

void AprsClient::onReadyRead()
{
    while (listening) {
        pending += socket.read(longestLine * 4);
        int end = -1;
        while (listening && (end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (!answered) {
                answered = true;
                timeLimit.stop();
            }
            if (line.startsWith("# logresp"))
                emit loggedIn(QString::fromUtf8(line.trimmed()));
            const std::optional<AprsBeacon> beacon = parseAprsLine(line);
            // The server's filter already chose; another address would be the server's mistake.
            if (beacon && !beacon->fromReceiver && beaconAddress(*beacon) == address)
                emit beaconReceived(*beacon);
        }
        if (pending.size() > longestLine)
            pending.clear();
        if (socket.bytesAvailable() == 0)
            break;
    }
}

void AprsClient::fail(const QString &why)
{
    if (!listening)
        return;
    stop();
    emit failed(why);
}

} // namespace tracktune
