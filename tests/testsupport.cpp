#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

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

ListedTracker::ListedTracker(const TrackerSimulator::Options &options) : tracker(options)
{
    if (tracker.start())
        listing.set({{tracker.portPath(), QStringLiteral("USB Serial Device")}});
}

TrackerSimulator::Options options(bool silent, bool paced)
{
    TrackerSimulator::Options options;
    options.silent = silent;
    options.paced = paced;
    return options;
}

ModalAnswers::ModalAnswers(std::function<void(QWidget *)> handler) : handler(std::move(handler))
{
    QObject::connect(&poll, &QTimer::timeout, this, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen << modal->windowTitle();
            this->handler(modal);
        }
    });
    poll.start(50);
}

bool chooseFile(QWidget *modal, const QString &path)
{
    auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!name)
        return false;
    // Typed in: selectFile() races the dialog's file system model.
    name->setText(path);
    QMetaObject::invokeMethod(modal, path.isEmpty() ? "reject" : "accept", Qt::QueuedConnection);
    return true;
}

QStringList shownRows(const QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QString shown = table->item(row, 1) ? table->item(row, 1)->text() : QString();
        if (auto *box = qobject_cast<QComboBox *>(table->cellWidget(row, 1)))
            shown = box->currentText();
        if (auto *button = qobject_cast<QToolButton *>(table->cellWidget(row, 1)))
            shown = button->text();
        const QTableWidgetItem *name = table->item(row, 0);
        rows << name->text() + QLatin1Char('=') + shown
                + (name->font().weight() > QFont::Medium ? QStringLiteral(" *") : QString());
    }
    return rows;
}

int rowOf(const QTableWidget *table, const QString &name)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == name)
            return row;
    }
    return -1;
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
        for (QAction *action : button->menu()->actions()) {
            if (action->text() == what)
                action->trigger();
        }
    } else {
        QVERIFY2(table->item(row, 1), qPrintable(step));
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

} // namespace testsupport
