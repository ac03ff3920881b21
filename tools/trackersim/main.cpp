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
    const QCommandLineOption chatty(
        QStringLiteral("chatty"), QStringLiteral("Send position sentences once a second."));
    const QCommandLineOption crlf(
        QStringLiteral("crlf"), QStringLiteral("End lines with CR LF, as older firmware does."));
    const QCommandLineOption vendor(
        QStringLiteral("vendor"), QStringLiteral("Be the model that names its hardware and has an APN."));
    const QCommandLineOption unpaced(
        QStringLiteral("unpaced"), QStringLiteral("Write as fast as the line takes it."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Wait <ms> before each answer."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption older(QStringLiteral("older"),
        QStringLiteral("Be the older firmware line: writing AddrType leaves the Address alone."));
    const QCommandLineOption address(QStringLiteral("address"),
        QStringLiteral("Hold this Address (up to six hex digits, e.g. 0xDD1001); its CPU id ends in it."),
        QStringLiteral("hex"));
    const QCommandLineOption reg(
        QStringLiteral("reg"), QStringLiteral("Hold this Reg (e.g. D-1001)."), QStringLiteral("text"));
    parser.addOptions({chatty, crlf, vendor, unpaced, silent, delay, older, address, reg});
    parser.process(app);

    TrackerSimulator::Options options;
    options.chatty = parser.isSet(chatty);
    options.lineEnding
        = parser.isSet(crlf) ? TrackerSimulator::LineEnding::CrLf : TrackerSimulator::LineEnding::Lf;
    options.variant
        = parser.isSet(vendor) ? TrackerSimulator::Variant::Vendor : TrackerSimulator::Variant::Standard;
    options.paced = !parser.isSet(unpaced);
    options.silent = parser.isSet(silent);
    options.olderFirmware = parser.isSet(older);
    bool delayOk = false;
    options.answerDelayMs = parser.value(delay).toInt(&delayOk);
    if (!delayOk || options.answerDelayMs < 0) {
        std::fprintf(stderr, "tracker-sim: --delay takes a number of milliseconds\n");
        return 2;
    }

    // Several simulated trackers told apart, as a club's are: the OGN Address a reset gives
    // back is the CPU id's end, so both follow.
    QString addressDigits;
    if (parser.isSet(address)) {
        static const QRegularExpression hex(QStringLiteral("^(0[xX])?([0-9A-Fa-f]{1,6})$"));
        const QRegularExpressionMatch match = hex.match(parser.value(address));
        if (!match.hasMatch()) {
            std::fprintf(stderr, "tracker-sim: --address takes up to six hex digits, e.g. 0xDD1001\n");
            return 2;
        }
        addressDigits = match.captured(2).toUpper().rightJustified(6, QLatin1Char('0'));
        options.cpuId = options.cpuId.left(10) + addressDigits.toLatin1();
    }
    static const QRegularExpression unsendable(QStringLiteral("[\\s,$*\\x00-\\x1f\\x7f]"));
    if (parser.isSet(reg) && parser.value(reg).contains(unsendable)) {
        std::fprintf(stderr, "tracker-sim: --reg takes no blank, comma, $, * or control character\n");
        return 2;
    }

    // Blocked before the serving thread starts, so it inherits the mask and only sigwait() sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TrackerSimulator simulator(options);
    if (!addressDigits.isEmpty())
        simulator.setParameter(QStringLiteral("Address"), QStringLiteral("0x") + addressDigits);
    if (parser.isSet(reg))
        simulator.setParameter(QStringLiteral("Reg"), parser.value(reg));
    if (!simulator.start()) {
        std::perror("tracker-sim: cannot open a pseudo-terminal");
        return 1;
    }
    std::printf("%s\n", qPrintable(simulator.portPath()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}
