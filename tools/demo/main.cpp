// SPDX-License-Identifier: GPL-3.0-or-later
// The program with a simulated tracker attached, listed as "USB Serial Device"
// beside the real ports. With --screenshot FILE it saves the window once the
// tracker's configuration is shown, prints the file's path and exits.
#include "mainwindow/mainwindow.h"
#include "trackersimulator.h"
#include "translations/translators.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

struct DemoOptions
{
    QString screenshotPath;
    bool older = false;
};

// Read before the window's application exists, so that --help and --version need no display.
DemoOptions readOptions(int argc, char **argv)
{
    QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tracktune-demo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKTUNE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("tracktune with a simulated tracker, listed as \"USB Serial Device\"."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
        QStringLiteral("Save the window to <file> once connected, then quit."), QStringLiteral("file"));
    const QCommandLineOption olderOption(
        QStringLiteral("older"), QStringLiteral("Simulate a tracker with the older firmware line."));
    parser.addOptions({screenshotOption, olderOption});
    parser.process(reader);
    return {parser.value(screenshotOption), parser.isSet(olderOption)};
}

} // namespace

int main(int argc, char **argv)
{
    const DemoOptions demo = readOptions(argc, argv);
    QApplication app(argc, argv);
    // Its own name: its files stay apart from those of the program used with real trackers.
    QCoreApplication::setApplicationName(QStringLiteral("tracktune-demo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKTUNE_VERSION));

    TrackerSimulator::Options options;
    options.chatty = true;
    options.fixAfterSeconds = 5; // a GPS that finds its fix a few seconds after the start
    options.variant = TrackerSimulator::Variant::Vendor;
    options.olderFirmware = demo.older;
    TrackerSimulator tracker(options);
    if (!tracker.start()) {
        std::fprintf(stderr, "tracktune-demo: could not start the simulated tracker\n");
        return 1;
    }
    const QString trackerPort = tracker.portPath();
    std::fprintf(stderr, "tracktune-demo: the simulated tracker is on %s\n", qPrintable(trackerPort));
    Serial::setPortLister([trackerPort] {
        QHash<QString, QString> ports = Serial::systemPorts();
        ports.insert(trackerPort, QStringLiteral("USB Serial Device"));
        return ports;
    });

    // In the system's language, as the program itself.
    tracktune::installTranslators(app);
    MainWindow window;
    window.show();

    const QString screenshotPath = demo.screenshotPath;
    QTimer screenshotTimer;
    if (!screenshotPath.isEmpty()) {
        auto *table = window.findChild<QTableWidget *>(QStringLiteral("table"));
        QObject::connect(&screenshotTimer, &QTimer::timeout, &app, [&] {
            if (!table->isEnabled() || table->rowCount() == 0)
                return;
            screenshotTimer.stop();
            const QPixmap shot = window.windowHandle()->screen()->grabWindow(window.winId());
            if (!shot.save(screenshotPath, "PNG")) {
                std::fprintf(stderr, "tracktune-demo: could not write %s\n", qPrintable(screenshotPath));
                app.exit(1);
                return;
            }
            QTextStream(stdout) << screenshotPath << '\n';
            app.quit();
        });
        screenshotTimer.start(200);
    }
    return app.exec();
}
