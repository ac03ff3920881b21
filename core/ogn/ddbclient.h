// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ogn/ddbentry.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace tracktune {

// What the devices database said about one address, or why it said nothing.
struct DdbLookup
{
    quint32 address = 0;
    bool answered = false; // a list came, from the server or the cache; false: error says why
    std::optional<DdbDevice> device; // the address's entry; none: not registered
    bool fromCache = false;
    qint64 cacheAgeSeconds = 0; // with fromCache
    QString error; // why the server gave no list (also when the cache stood in); empty when it did
};

// Asks the OGN devices database about one address at a time ("device_id=" only, never the whole
// list), within a time limit. Answers are kept for a day in the cache folder; when the server
// cannot be reached an older answer from there stands in and says how old it is.
class DdbClient : public QObject
{
    Q_OBJECT

public:
    static QUrl defaultUrl(); // http://ddb.glidernet.org/download/
    static QString defaultCacheFolder(); // QStandardPaths::CacheLocation + "/ogn-ddb"

    explicit DdbClient(QObject *parent = nullptr);
    void setDownloadUrl(const QUrl &url) { download = url; }
    void setTimeLimit(int ms) { timeLimitMs = ms; }
    void setCacheFolder(const QString &folder) { cacheFolder = folder; }
    void setCacheLifetime(qint64 seconds) { cacheLifetimeS = seconds; }
    // What lookUp asks for, so that a caller can say so before it is sent.
    QUrl queryUrl(quint32 address) const { return ddbQueryUrl(download, address); }

    // Whether lookUp would take the answer from the cache without asking the server.
    bool hasFreshAnswer(quint32 address) const;

    // Starts a look-up; finished comes once, later (also for a cached answer). A look-up still
    // running is abandoned.
    void lookUp(quint32 address);
    bool busy() const { return !reply.isNull(); }

signals:
    void finished(const tracktune::DdbLookup &result);

private:
    void onReplyFinished();
    QString cacheFile(quint32 address) const;
    // The cached answer, if readable, and its age.
    std::optional<QList<DdbDevice>> cached(quint32 address, qint64 *ageSeconds) const;
    void finishFromCache(DdbLookup result);

    QNetworkAccessManager *network;
    QPointer<QNetworkReply> reply;
    QTimer timeLimit;
    QUrl download;
    QString cacheFolder;
    int timeLimitMs = 15000;
    qint64 cacheLifetimeS = 24 * 60 * 60;
    quint32 asked = 0;
    bool timedOut = false;
    bool tooLarge = false;
};

} // namespace tracktune

Q_DECLARE_METATYPE(tracktune::DdbLookup)
