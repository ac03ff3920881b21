// SPDX-License-Identifier: GPL-3.0-or-later
#include "ogn/ognservers.h"

#include "ogn/aprsclient.h"
#include "ogn/ddbclient.h"

namespace tracktune {

bool parseHostPort(const QString &text, QString *host, quint16 *port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || number < 1 || number > 65535)
        return false;
    *host = text.left(colon);
    *port = quint16(number);
    return true;
}

std::optional<QUrl> parseDdbUrl(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return std::nullopt;
    return url;
}

QString OgnServers::ddbServer() const
{
    return ddbUrl.host()
        + (ddbUrl.port() > 0 ? QLatin1Char(':') + QString::number(ddbUrl.port()) : QString());
}

QString OgnServers::aprsServer() const
{
    return aprsHost + QLatin1Char(':') + QString::number(aprsPort);
}

OgnServers ognServers(const QString &ddbUrl, const QString &aprsServer, const QString &listenSeconds)
{
    OgnServers servers;
    servers.ddbUrl = parseDdbUrl(ddbUrl).value_or(DdbClient::defaultUrl());
    if (!parseHostPort(aprsServer, &servers.aprsHost, &servers.aprsPort)) {
        servers.aprsHost = AprsClient::defaultHost();
        servers.aprsPort = AprsClient::defaultPort;
    }
    bool ok = false;
    const int seconds = listenSeconds.toInt(&ok);
    servers.listenSeconds
        = ok && seconds >= 1 && seconds <= ognMaxListenSeconds ? seconds : ognDefaultListenSeconds;
    return servers;
}

} // namespace tracktune
