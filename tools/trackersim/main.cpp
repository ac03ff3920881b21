// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackersimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <signal.h>

// Serves a stand-in tracker on a pseudo-terminal until SIGINT or SIGTERM.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tracker-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A stand-in tracker; prints the path of its pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption chatty(QStringLiteral("chatty"),
        QStringLiteral("Print what a running tracker prints between answers (the default)."));
    const QCommandLineOption quiet(QStringLiteral("quiet"),
        QStringLiteral("Print nothing but answers: no GPS, radio or pressure sensor output."));
    const QCommandLineOption fixAfter(QStringLiteral("fix-after"),
        QStringLiteral("The GPS gets its fix <seconds> after the start (0 by default)."),
        QStringLiteral("seconds"), QStringLiteral("0"));
    const QCommandLineOption noFix(QStringLiteral("no-fix"), QStringLiteral("The GPS never gets a fix."));
    const QCommandLineOption noRadio(QStringLiteral("no-radio"),
        QStringLiteral("The radio chip is not detected: nothing is sent or heard."));
    const QCommandLineOption neverTransmits(QStringLiteral("never-transmits"),
        QStringLiteral("The radio hears but never sends: its TX counters stay at 0."));
    const QCommandLineOption noPressureSensor(QStringLiteral("no-pressure-sensor"),
        QStringLiteral("No BME280 is found: no $POGNB, $PGRMZ or $LK8EX1."));
    const QCommandLineOption noBatterySensing(QStringLiteral("no-battery-sensing"),
        QStringLiteral("A board that cannot read its battery: Batt:0.0000V."));
    const QCommandLineOption crlf(
        QStringLiteral("crlf"), QStringLiteral("End lines with CR LF, as an adapter that adds CR does."));
    const QCommandLineOption vendor(
        QStringLiteral("vendor"), QStringLiteral("Be the model that names its hardware and has an APN."));
    const QCommandLineOption unpaced(
        QStringLiteral("unpaced"), QStringLiteral("Write as fast as the line takes it."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Wait <ms> before each answer."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption older(QStringLiteral("older"),
        QStringLiteral(
            "Be the older firmware line: its list, its sentence rules, and writing AddrType leaves the "
            "Address alone."));
    const QCommandLineOption powerChip(QStringLiteral("power-chip"),
        QStringLiteral(
            "With --older: a T-Beam v1.0 build, whose AXP192 power chip adds a second Batt: line."));
    const QCommandLineOption address(QStringLiteral("address"),
        QStringLiteral("Start with this Address, 0x and six hex digits (0x1A2B3C by default)."),
        QStringLiteral("hex"));
    const QCommandLineOption reg(QStringLiteral("reg"),
        QStringLiteral("Start with this registration (Reg), at most 15 characters, no blank."),
        QStringLiteral("text"));
    parser.addOptions({chatty, quiet, fixAfter, noFix, noRadio, neverTransmits, noPressureSensor,
        noBatterySensing, crlf, vendor, unpaced, silent, delay, older, powerChip, address, reg});
    parser.process(app);

    TrackerSimulator::Options options;
    if (parser.isSet(chatty) && parser.isSet(quiet)) {
        std::fprintf(stderr, "tracker-sim: --chatty and --quiet contradict each other\n");
        return 2;
    }
    options.chatty = !parser.isSet(quiet);
    bool fixAfterOk = false;
    options.fixAfterSeconds = parser.value(fixAfter).toInt(&fixAfterOk);
    if (!fixAfterOk || options.fixAfterSeconds < 0 || options.fixAfterSeconds > 86400) {
        std::fprintf(stderr, "tracker-sim: --fix-after takes a number of seconds from 0 to 86400\n");
        return 2;
    }
    if (parser.isSet(noFix)) {
        if (parser.isSet(fixAfter)) {
            std::fprintf(stderr, "tracker-sim: --no-fix and --fix-after contradict each other\n");
            return 2;
        }
        options.fixAfterSeconds = -1;
    }
    options.radioChip = !parser.isSet(noRadio);
    options.neverTransmits = parser.isSet(neverTransmits);
    options.pressureSensor = !parser.isSet(noPressureSensor);
    options.batterySensing = !parser.isSet(noBatterySensing);
    options.lineEnding
        = parser.isSet(crlf) ? TrackerSimulator::LineEnding::CrLf : TrackerSimulator::LineEnding::Lf;
    options.variant
        = parser.isSet(vendor) ? TrackerSimulator::Variant::Vendor : TrackerSimulator::Variant::Standard;
    options.paced = !parser.isSet(unpaced);
    options.silent = parser.isSet(silent);
    options.olderFirmware = parser.isSet(older);
    options.powerChip = parser.isSet(powerChip);
    if (options.powerChip && !options.olderFirmware) {
        std::fprintf(stderr, "tracker-sim: --power-chip is a build of the older line: give --older too\n");
        return 2;
    }
    bool delayOk = false;
    options.answerDelayMs = parser.value(delay).toInt(&delayOk);
    if (!delayOk || options.answerDelayMs < 0) {
        std::fprintf(stderr, "tracker-sim: --delay takes a number of milliseconds\n");
        return 2;
    }

    // Several simulated trackers, as for a club's fleet, each with an identity of its own.
    static const QRegularExpression addressPattern(QStringLiteral("^0x[0-9A-Fa-f]{6}$"));
    static const QRegularExpression regPattern(QStringLiteral("^[!-~]{1,15}$"));
    const QString addressValue = parser.value(address);
    if (parser.isSet(address) && !addressPattern.match(addressValue).hasMatch()) {
        std::fprintf(stderr, "tracker-sim: --address takes 0x and six hex digits, as 0xDD1001\n");
        return 2;
    }
    const QString regValue = parser.value(reg);
    if (parser.isSet(reg)
        && (!regPattern.match(regValue).hasMatch()
            || regValue.contains(QRegularExpression(QStringLiteral("[,$*]"))))) {
        std::fprintf(
            stderr, "tracker-sim: --reg takes 1 to 15 printable characters, no blank, comma, $ or *\n");
        return 2;
    }

    // The chip's id ends in its factory Address, as a real tracker's does: a reset gives it back.
    if (parser.isSet(address))
        options.cpuId = options.cpuId.left(10) + addressValue.mid(2).toUpper().toLatin1();

    // Blocked before the serving thread starts, so it inherits the mask and only sigwait() sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TrackerSimulator simulator(options);
    if (!simulator.start()) {
        std::perror("tracker-sim: cannot open a pseudo-terminal");
        return 1;
    }
    if (parser.isSet(address))
        simulator.setParameter(
            QStringLiteral("Address"), QStringLiteral("0x") + addressValue.mid(2).toUpper());
    if (parser.isSet(reg))
        simulator.setParameter(QStringLiteral("Reg"), regValue);
    std::printf("%s\n", qPrintable(simulator.portPath()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}
