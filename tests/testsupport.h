#pragma once

#include "link/serial.h"
#include "trackersimulator.h"

#include <QHash>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace testsupport {

// Lists these ports through the link's port-lister seam while it lives.
class PortListing
{
public:
    explicit PortListing(QHash<QString, QString> ports);
    ~PortListing();
    void set(QHash<QString, QString> ports);

private:
    std::shared_ptr<QHash<QString, QString>> current;
};

// A simulated tracker, started, listed as "USB Serial Device".
struct ListedTracker
{
    explicit ListedTracker(const TrackerSimulator::Options &options = TrackerSimulator::Options(),
        const QString &description = QStringLiteral("USB Serial Device"));
    TrackerSimulator tracker;
    PortListing listing;
};

// Answers the next modal widget that shows up: the handler gets it and
// closes it (accept, reject, click a button). Polls every 50 ms, until
// answered or the time is up. Call before the code that opens the dialog.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget *)> handler, int timeoutMs = 15000);
    bool answered() const { return done; }
    QString seenTitle() const { return title; }
    QString seenText() const { return text; }

private:
    QTimer poll;
    std::function<void(QWidget *)> handler;
    bool done = false;
    QString title;
    QString text;
    int remainingMs;
};

template<typename T> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

} // namespace testsupport
