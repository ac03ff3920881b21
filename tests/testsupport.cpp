#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

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

int rowOf(QTableWidget *table, const QString &name)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == name)
            return row;
    }
    return -1;
}

QString shownValue(QTableWidget *table, int row)
{
    if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
        return box->currentText();
    if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1)))
        return button->text();
    QTableWidgetItem *item = table->item(row, 1);
    return item ? item->text() : QString();
}

QStringList shownRows(QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->item(row, 0)->text() + QLatin1Char('=') + shownValue(table, row);
    return rows;
}

bool isBold(const QTableWidgetItem *item)
{
    return item && item->font().weight() > QFont::Medium;
}

QStringList markedRows(QTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (isBold(table->item(row, 0)))
            names << table->item(row, 0)->text();
    }
    return names;
}

static void editOnce(QTableWidget *table, const QString &step)
{
    const QString how = step.section(QLatin1Char('|'), 1, 1);
    const QString what = step.section(QLatin1Char('|'), 2);
    const int row = rowOf(table, step.section(QLatin1Char('|'), 0, 0));
    QVERIFY2(row >= 0, qPrintable(step));
    if (how == QLatin1String("pick")) {
        auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1));
        QVERIFY2(box && box->findText(what) >= 0, qPrintable(step));
        box->setCurrentIndex(box->findText(what));
    } else if (how == QLatin1String("toggle")) {
        auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1));
        QVERIFY2(button && button->menu(), qPrintable(step));
        const QList<QAction *> actions = button->menu()->actions();
        const auto action = std::find_if(
            actions.cbegin(), actions.cend(), [&what](QAction *action) { return action->text() == what; });
        QVERIFY2(action != actions.cend(), qPrintable(step));
        (*action)->trigger();
    } else {
        table->item(row, 1)->setText(what);
    }
}

void edit(QTableWidget *table, const QStringList &steps)
{
    for (const QString &step : steps) {
        editOnce(table, step);
        if (QTest::currentTestFailed())
            return;
    }
}

QList<qint64> timesOf(const TrackerSimulator &tracker, char byte)
{
    QList<qint64> times;
    const auto received = tracker.received();
    for (const auto &entry : received) {
        if (entry.byte == byte)
            times << entry.msecs;
    }
    return times;
}

static TrackerSimulator::Options unpaced(TrackerSimulator::Options options)
{
    options.paced = false;
    return options;
}

LoadedWindow::LoadedWindow(TrackerSimulator::Options options)
    : listed(unpaced(options)),
      factory(listed.tracker.parameters()),
      table(child<QTableWidget>(&window, "table"))
{ }

void LoadedWindow::reload(const QHash<QString, QString> &values)
{
    listed.tracker.setParameters(factory);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        listed.tracker.setParameter(it.key(), it.value());
    child<QPushButton>(&window, "refreshButton")->click();
    QVERIFY(table->isEnabled());
    QVERIFY(window.link().isOpen());
}

} // namespace testsupport
