// SPDX-License-Identifier: GPL-3.0-or-later
#include "ddbclient.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStandardPaths>

namespace tracktune {

namespace {

// A list of one address's entries is a few hundred bytes; anything much larger is not one.
constexpr qint64 largestAnswer = 64 * 1024;

} // namespace

QUrl DdbClient::defaultUrl()
{
    return QUrl(QStringLiteral("http://ddb.glidernet.org/download/"));
}

QString DdbClient::defaultCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/ogn-ddb");
}

DdbClient::DdbClient(QObject *parent)
    : QObject(parent),
      network(new QNetworkAccessManager(this)),
      download(defaultUrl()),
      cacheFolder(defaultCacheFolder())
{
    qRegisterMetaType<DdbLookup>();
    timeLimit.setSingleShot(true);
    connect(&timeLimit, &QTimer::timeout, this, [this] {
        if (reply) {
            timedOut = true;
            reply->abort();
        }
    });
}

bool DdbClient::hasFreshAnswer(quint32 address) const
{
    qint64 age = 0;
    return cached(address & 0xFFFFFF, &age) && age < cacheLifetimeS;
}

void DdbClient::lookUp(quint32 address)
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    asked = address & 0xFFFFFF;
    timedOut = false;
    tooLarge = false;
    qint64 age = 0;
    if (const auto devices = cached(asked, &age); devices && age < cacheLifetimeS) {
        DdbLookup result;
        result.address = asked;
        result.answered = true;
        result.device = findDdbDevice(*devices, asked);
        result.fromCache = true;
        result.cacheAgeSeconds = age;
        QTimer::singleShot(0, this, [this, result] { emit finished(result); });
        return;
    }
    QNetworkRequest request(queryUrl(asked));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setRawHeader("Accept", "application/json");
    reply = network->get(request);
    connect(reply, &QNetworkReply::finished, this, &DdbClient::onReplyFinished);
    // The whole list, or something else, is not read into memory.
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > largestAnswer && reply) {
            tooLarge = true;
            reply->abort();
        }
    });
    timeLimit.start(timeLimitMs);
}

void DdbClient::onReplyFinished()
{
    QNetworkReply *done = reply;
    reply = nullptr;
    timeLimit.stop();
    if (!done)
        return;
    done->deleteLater();
    DdbLookup result;
    result.address = asked;
    const int status = done->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray answer = done->isOpen() ? done->read(largestAnswer) : QByteArray();
    const QString where = done->url().host()
        + (done->url().port() > 0 ? QStringLiteral(":") + QString::number(done->url().port()) : QString());
    if (tooLarge) {
        result.error = QCoreApplication::translate("tracktune", "%1 answered more than one address's entries")
                           .arg(where);
    } else if (timedOut) {
        result.error = QCoreApplication::translate("tracktune", "no answer from %1 within %2 s")
                           .arg(where, QString::number(timeLimitMs / 1000.0));
    } else if (done->error() != QNetworkReply::NoError && status == 0) {
        result.error
            = QCoreApplication::translate("tracktune", "cannot reach %1: %2").arg(where, done->errorString());
    } else if (status != 200) {
        result.error = QCoreApplication::translate("tracktune", "%1 answered HTTP %2").arg(where).arg(status);
    } else if (const auto devices = parseDdbAnswer(answer); !devices) {
        result.error
            = QCoreApplication::translate("tracktune", "%1 answered something that is not a device list")
                  .arg(where);
    } else {
        result.answered = true;
        result.device = findDdbDevice(*devices, asked);
        if (QDir().mkpath(cacheFolder)) {
            QSaveFile file(cacheFile(asked));
            if (file.open(QIODevice::WriteOnly) && file.write(answer) == answer.size())
                file.commit();
        }
        emit finished(result);
        return;
    }
    finishFromCache(result);
}

void DdbClient::finishFromCache(DdbLookup result)
{
    qint64 age = 0;
    if (const auto devices = cached(result.address, &age)) {
        result.answered = true;
        result.device = findDdbDevice(*devices, result.address);
        result.fromCache = true;
        result.cacheAgeSeconds = age;
    }
    emit finished(result);
}

QString DdbClient::cacheFile(quint32 address) const
{
    return cacheFolder + QStringLiteral("/device-") + addressHex(address) + QStringLiteral(".txt");
}

std::optional<QList<DdbDevice>> DdbClient::cached(quint32 address, qint64 *ageSeconds) const
{
    QFile file(cacheFile(address));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QDateTime written = QFileInfo(file).lastModified();
    *ageSeconds = qMax<qint64>(0, written.secsTo(QDateTime::currentDateTime()));
    return parseDdbAnswer(file.read(largestAnswer));
}

} // namespace tracktune
