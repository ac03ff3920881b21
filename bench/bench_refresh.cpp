// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long "Refresh" takes against a simulated tracker at 115200 baud, beside
// the floor the protocol sets, and how long a 1000-line dump takes to fill the expert table.
#include "mainwindow/mainwindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

const int runs = 5;

QElapsedTimer benchClock;
qint64 readEndedAt = -1;

// The read's own log line marks the moment it hands the dump over; everything else is dropped.
void noteReadEnd(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message == QLatin1String("reading end"))
        readEndedAt = benchClock.nsecsElapsed();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

bool loaded(const MainWindow &window, const QTableWidget *table)
{
    return !window.isBusy() && table->isEnabled() && table->rowCount() > 0;
}

bool waitForLoad(const MainWindow &window, const QTableWidget *table)
{
    return QTest::qWaitFor([&] { return loaded(window, table); }, 20000);
}

// Returns once a poll's answer has landed, so the line is quiet when the next read begins.
void waitForQuietLine(const MainWindow &window)
{
    QSignalSpy polls(&window.link(), &Serial::dataRead);
    polls.wait(3000);
    QTest::qWait(400);
}

void benchRefresh()
{
    testsupport::ListedTracker listed; // quiet, paced, plain tracker
    const int dumpBytes = listed.tracker.dump().size();
    const double wireMs = dumpBytes * 10 * 1000.0 / 115200;
    MainWindow window;
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("table"));
    auto *refresh = window.findChild<QPushButton *>(QStringLiteral("refreshButton"));
    if (!waitForLoad(window, table)) {
        std::printf("refresh: the tracker was not loaded\n");
        return;
    }

    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        waitForQuietLine(window);
        QElapsedTimer clock;
        clock.start();
        refresh->click();
        // The read goes on from the event loop: polled every millisecond, with the events between.
        while (!loaded(window, table) && clock.elapsed() < 15000)
            QTest::qWait(1);
        const double ms = clock.nsecsElapsed() / 1e6;
        if (!loaded(window, table)) {
            std::printf("refresh: load %d failed\n", run + 1);
            return;
        }
        times << ms;
    }
    const double floorMs = wireMs;
    const double refreshMs = median(times);
    std::printf("Refresh, %d-byte dump at 115200 baud (median of %d):\n", dumpBytes, runs);
    std::printf("  click to enabled table  %8.1f ms\n", refreshMs);
    std::printf("  protocol floor          %8.1f ms  (the list on the wire, asked at once)\n", floorMs);
    std::printf("  overhead                %8.1f ms  (goal <= 120 ms)\n", refreshMs - floorMs);
    std::printf("  all runs:");
    for (double ms : std::as_const(times))
        std::printf(" %.1f", ms);
    std::printf(" ms\n");
}

void benchExpertFill()
{
    TrackerSimulator::Options options;
    options.paced = false;
    testsupport::ListedTracker listed(options);
    QList<TrackerSimulator::Parameter> parameters;
    parameters.append({QStringLiteral("Address"), QStringLiteral("0x1A2B3C"), QStringLiteral(" # [24-bit]")});
    for (int i = 1; i < 1000; ++i) {
        parameters.append({QStringLiteral("Param%1").arg(i, 4, 10, QLatin1Char('0')),
            QStringLiteral("0x") + QString::number(i, 16).toUpper().rightJustified(4, QLatin1Char('0')),
            QStringLiteral(" # [16-bit]")});
    }
    listed.tracker.setParameters(parameters);
    MainWindow window;
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("table"));
    auto *mode = window.findChild<QPushButton *>(QStringLiteral("buttonAdvanced"));
    if (!waitForLoad(window, table)) {
        std::printf("expert fill: the tracker was not loaded\n");
        return;
    }

    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        // Each click switches the mode and reloads; only the expert loads count.
        waitForQuietLine(window);
        readEndedAt = -1;
        qint64 filledAt = -1;
        const QMetaObject::Connection rows = QObject::connect(table->model(),
            &QAbstractItemModel::rowsInserted, [&filledAt] { filledAt = benchClock.nsecsElapsed(); });
        mode->click();
        const bool done = QTest::qWaitFor([&] { return loaded(window, table); }, 15000);
        QObject::disconnect(rows);
        if (done && window.isExpertMode() && readEndedAt >= 0 && filledAt >= 0
            && table->rowCount() == parameters.size())
            times << (filledAt - readEndedAt) / 1e6;
    }
    if (times.isEmpty()) {
        std::printf("expert fill: no expert load completed\n");
        return;
    }
    std::printf(
        "Expert table from a %d-line dump (median of %d):\n", int(parameters.size()), int(times.size()));
    std::printf("  read's end to filled table  %6.1f ms  (goal < 50 ms)\n", median(times));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchClock.start();
    // The link's debug lines are off unless asked for: this bench times from one of them.
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.link.debug=true"));
    qInstallMessageHandler(noteReadEnd);
    benchRefresh();
    benchExpertFill();
    return 0;
}
