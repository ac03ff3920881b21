// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/serial.h"
#include "trackersimulator.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace testsupport {

// Lists these ports through the link's port-lister seam while it lives.
class PortListing
{
public:
    explicit PortListing(QHash<QString, QString> ports = {});
    ~PortListing();
    void set(QHash<QString, QString> ports);
    // The tracker's port leaves the list once it is unplugged, as an adapter's does: its
    // pseudo-terminal's number may go to another test's tracker at once. It must outlive this.
    void follow(const TrackerSimulator *tracker);

private:
    struct Listed
    {
        QHash<QString, QString> ports;
        const TrackerSimulator *followed = nullptr;
    };
    std::shared_ptr<Listed> current;
};

// A simulated tracker, started, listed as "USB Serial Device" while it is plugged in.
struct ListedTracker
{
    explicit ListedTracker(const TrackerSimulator::Options &options = TrackerSimulator::Options());
    TrackerSimulator tracker;
    PortListing listing;
};

TrackerSimulator::Options options(bool silent, bool paced = true);

// The "$POGNS" sentences among the bytes the tracker received, without line feeds.
QStringList sentencesIn(const QByteArray &received);
// Started simulated trackers, each with a CPU id of its own, in the order the search takes their ports.
std::vector<std::unique_ptr<TrackerSimulator>> trackersInPortOrder(int count);
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace testsupport
