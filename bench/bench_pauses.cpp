// SPDX-License-Identifier: GPL-3.0-or-later
// The longest pause of the event loop in two cases that used to freeze the window:
// Apply to a tracker that answers no sentence, and a serial monitor fed 40 s of a device
// that never sends a line feed (115200 baud, about 11.5 KB a poll).
#include "dialogs/serialmonitor.h"
#include "mainwindow/mainwindow.h"
#include "windowsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <cstdio>

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

qint64 applyToATrackerThatAnswersNoSentence()
{
    TrackerSimulator::Options options = testsupport::options(false, false);
    options.variant = TrackerSimulator::Variant::Vendor;
    testsupport::ListedTracker listed(options);
    MainWindow window;
    auto *table = testsupport::child<QTableWidget>(&window, "table");
    QElapsedTimer waiting;
    waiting.start();
    while (!(table->isEnabled() && table->rowCount() > 0) && waiting.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    testsupport::edit(
        table, testsupport::Edits {{"Reg", "D-KABC"}, {"APN", "web"}, {"AcftType", "Tow plane"}});
    // Answers come after the second each sentence waits for.
    listed.tracker.setAnswerDelay(1500);
    auto *apply = testsupport::child<QPushButton>(&window, "applyButton");
    // Only the sentences: the reload after them is the read's own, with its own pauses.
    return longestPauseMs([&] {
        // Posted, as a click arrives: inside a timer's slot no other timer could tick.
        QMetaObject::invokeMethod(apply, &QPushButton::click, Qt::QueuedConnection);
        while (listed.tracker.receivedCount('$') < 3 && waiting.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
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

    std::printf("Apply of 3 sentences to a tracker that answers none: longest pause %lld ms (goal <= 100)\n",
        static_cast<long long>(applyToATrackerThatAnswersNoSentence()));

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
