// SPDX-License-Identifier: GPL-3.0-or-later
// Where the OGN check asks: the devices database's download and the APRS server, the public ones
// unless set otherwise, and for how long it listens.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace tracktune {

// "HOST:PORT", the port 1 to 65535.
bool parseHostPort(const QString &text, QString *host, quint16 *port);
// An http or https URL with a host.
std::optional<QUrl> parseDdbUrl(const QString &text);

struct OgnServers
{
    QUrl ddbUrl;
    QString aprsHost;
    quint16 aprsPort = 0;
    int listenSeconds = 60;
    // Where the tracker's address goes: "ddb.glidernet.org", "aprs.glidernet.org:14580".
    QString ddbServer() const;
    QString aprsServer() const;
};

constexpr int ognDefaultListenSeconds = 60;
constexpr int ognMaxListenSeconds = 600;

// The servers from the settings' texts; an empty or unreadable text gives the public default, a
// listening time out of 1 to 600 s the default 60.
OgnServers ognServers(const QString &ddbUrl, const QString &aprsServer, const QString &listenSeconds);

} // namespace tracktune
