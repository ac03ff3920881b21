#include "testsupport.h"

#include <QApplication>
#include <QMessageBox>

namespace testsupport {

PortListing::PortListing(QHash<QString, QString> ports)
    : current(std::make_shared<QHash<QString, QString>>(std::move(ports)))
{
    const auto listed = current;
    Serial::setPortLister([listed] { return *listed; });
}

PortListing::~PortListing()
{
    Serial::setPortLister({});
}

void PortListing::set(QHash<QString, QString> ports)
{
    *current = std::move(ports);
}

ListedTracker::ListedTracker(const TrackerSimulator::Options &options, const QString &description)
    : tracker(options), listing({})
{
    if (tracker.start())
        listing.set({{tracker.portPath(), description}});
}

ModalAnswer::ModalAnswer(std::function<void(QWidget *)> handler, int timeoutMs)
    : handler(std::move(handler)), remainingMs(timeoutMs)
{
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, this, [this] {
        remainingMs -= poll.interval();
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (remainingMs <= 0)
                poll.stop();
            return;
        }
        poll.stop();
        done = true;
        title = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            text = box->text();
        this->handler(modal);
    });
    poll.start();
}

} // namespace testsupport
