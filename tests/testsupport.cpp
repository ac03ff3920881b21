// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"
#include "link/portorder.h"

#include <QFile>

#include <algorithm>

namespace testsupport {

PortListing::PortListing(QHash<QString, QString> ports) : current(std::make_shared<Listed>())
{
    current->ports = std::move(ports);
    const auto listed = current;
    Serial::setPortLister([listed] {
        QHash<QString, QString> ports = listed->ports;
        if (listed->followed && !listed->followed->pluggedIn())
            ports.remove(listed->followed->portPath());
        return ports;
    });
}

PortListing::~PortListing()
{
    Serial::setPortLister({});
}

void PortListing::set(QHash<QString, QString> ports)
{
    current->ports = std::move(ports);
}

void PortListing::follow(const TrackerSimulator *tracker)
{
    current->followed = tracker;
}

ListedTracker::ListedTracker(const TrackerSimulator::Options &options) : tracker(options)
{
    if (tracker.start())
        listing.set({{tracker.portPath(), QStringLiteral("USB Serial Device")}});
    listing.follow(&tracker);
}

TrackerSimulator::Options options(bool silent, bool paced)
{
    TrackerSimulator::Options options;
    options.silent = silent;
    options.paced = paced;
    return options;
}

QStringList sentencesIn(const QByteArray &received)
{
    QStringList sentences;
    for (const QByteArray &line : received.split('\n')) {
        const int start = line.indexOf("$POGNS");
        if (start >= 0)
            sentences << QString::fromUtf8(line.mid(start));
    }
    return sentences;
}

std::vector<std::unique_ptr<TrackerSimulator>> trackersInPortOrder(int count)
{
    std::vector<std::unique_ptr<TrackerSimulator>> trackers;
    for (int i = 0; i < count; ++i) {
        // Each its own chip, the first the simulator's usual one.
        TrackerSimulator::Options options;
        options.cpuId = options.cpuId.left(10) + QByteArray::number(0x1A2B3C + i, 16).toUpper();
        trackers.push_back(std::make_unique<TrackerSimulator>(options));
        trackers.back()->start();
    }
    std::sort(trackers.begin(), trackers.end(),
        [](const auto &a, const auto &b) { return tracktune::portNameLess(a->portPath(), b->portPath()); });
    return trackers;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testsupport
