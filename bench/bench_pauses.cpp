// SPDX-License-Identifier: GPL-3.0-or-later
// The longest pause of the event loop during the window's device operations (a Refresh, and an
// Apply to a tracker that answers no sentence), and while a serial monitor is fed 40 s of a
// device that never sends a line feed (115200 baud, about 11.5 KB a poll).
#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/statuspanel.h"
#include "windowsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

const int pollBytes = 11520;
const int polls = 40;
const int uncappedPolls = 12; // one growing line soon costs seconds a poll

// The longest gap between two ticks of a 1 ms timer while work runs.
template<typename Work> qint64 longestPauseMs(Work &&work)
{
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    ticker.start(1);
    work();
    return std::max(longest, sinceTick.elapsed());
}

// The longest pauses while the window reads the list (Refresh) and while it writes to a tracker
// that answers no sentence and then reads the list back (Apply), each from its click to its end.
std::pair<qint64, qint64> refreshAndApply()
{
    TrackerSimulator::Options options = testsupport::options(false, true);
    options.variant = TrackerSimulator::Variant::Vendor;
    testsupport::ListedTracker listed(options);
    MainWindow window;
    auto *table = testsupport::child<QTableWidget>(&window, "table");
    QElapsedTimer waiting;
    waiting.start();
    const auto loaded = [&] { return !window.isBusy() && table->isEnabled() && table->rowCount() > 0; };
    while (!loaded() && waiting.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const auto untilDone = [&](QPushButton *button) {
        return longestPauseMs([&] {
            // Posted, as a click arrives: inside a timer's slot no other timer could tick.
            QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
            while (!window.isBusy() && waiting.elapsed() < 30000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            while (window.isBusy() && waiting.elapsed() < 30000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
    };
    const qint64 refresh = untilDone(testsupport::child<QPushButton>(&window, "refreshButton"));
    testsupport::edit(
        table, testsupport::Edits {{"Reg", "D-KABC"}, {"APN", "web"}, {"AcftType", "Tow plane"}});
    // Answers come after the second each sentence waits for.
    listed.tracker.setAnswerDelay(1500);
    const qint64 apply = untilDone(testsupport::child<QPushButton>(&window, "applyButton"));
    return {refresh, apply};
}

// The status panel: from the moment a fix reaches the port to the panel saying so, and the longest
// pause while it listens to a tracker printing its GPS, radio and baro lines for 12 s.
std::pair<qint64, qint64> statusPanel()
{
    TrackerSimulator::Options options = testsupport::options(false, true);
    options.chatty = true;
    options.fixAfterSeconds = -1; // its own GPS never gets one: the fix below is the one told
    testsupport::ListedTracker listed(options);
    MainWindow window;
    auto *table = testsupport::child<QTableWidget>(&window, "table");
    const auto *gps = testsupport::child<QLabel>(&window, "gpsText");
    QElapsedTimer waiting;
    waiting.start();
    while (!(!window.isBusy() && table->isEnabled() && table->rowCount() > 0) && waiting.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const qint64 listening = longestPauseMs([&] {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 12000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
    // A whole second of a GPS with a fix, between the tracker's own sentences.
    QElapsedTimer told;
    told.start();
    listed.tracker.inject("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,081226,003.1,W*6A\r\n"
                          "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
                          "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n");
    while (!gps->text().contains(QLatin1String("3-D")) && told.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return {told.elapsed(), listening};
}

// Appends as the monitor did before lines were capped: one growing line.
void appendUncapped(QPlainTextEdit *output, const QString &data)
{
    QTextCursor end(output->document());
    end.movePosition(QTextCursor::End);
    end.insertText(data);
    output->verticalScrollBar()->setValue(output->verticalScrollBar()->maximum());
}

template<typename Append> qint64 longestMonitorPoll(QWidget *shown, int polls, Append &&append)
{
    const QString noLineFeed(pollBytes, QLatin1Char('x'));
    shown->show();
    qint64 longest = 0;
    for (int poll = 0; poll < polls; ++poll) {
        QElapsedTimer clock;
        clock.start();
        append(noLineFeed);
        QCoreApplication::processEvents();
        longest = std::max(longest, clock.elapsed());
    }
    shown->hide();
    return longest;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));

    const auto [refresh, apply] = refreshAndApply();
    std::printf(
        "Refresh (a paced list read): longest pause %lld ms (goal <= 16)\n", static_cast<long long>(refresh));
    std::printf(
        "Apply of 3 sentences to a tracker that answers none, and the read-back: longest pause %lld ms "
        "(goal <= 16)\n",
        static_cast<long long>(apply));

    const auto [shown, listening] = statusPanel();
    std::printf("Status panel: a fix shown %lld ms after it reached the port (goal <= 1500); longest pause "
                "while listening 12 s %lld ms (goal <= 16)\n",
        static_cast<long long>(shown), static_cast<long long>(listening));

    SerialMonitor monitor;
    const qint64 capped
        = longestMonitorPoll(&monitor, polls, [&](const QString &data) { monitor.append(data); });
    QDialog before;
    auto *output = new QPlainTextEdit(&before);
    output->setReadOnly(true);
    output->setFont(monitor.findChild<QPlainTextEdit *>(QStringLiteral("textSerialOutput"))->font());
    output->setMaximumBlockCount(SerialMonitor::scrollbackLines);
    before.resize(monitor.size());
    const qint64 uncapped = longestMonitorPoll(
        &before, uncappedPolls, [&](const QString &data) { appendUncapped(output, data); });
    std::printf("Serial monitor, a device without line feeds: longest poll over %d s %lld ms with lines "
                "capped, over %d s %lld ms with one growing line (goal <= 100)\n",
        polls, static_cast<long long>(capped), uncappedPolls, static_cast<long long>(uncapped));
    return 0;
}
