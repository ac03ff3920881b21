// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "statusreport.h"

#include "config/nearestname.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tracktune {

namespace {

struct CommandShape
{
    const char *name;
    QStringList options; // beside --port and --help
    int minArguments;
    int maxArguments;
};

const QList<CommandShape> &commandShapes()
{
    static const QList<CommandShape> shapes {
        {"ports", {QStringLiteral("json")}, 0, 0},
        {"show", {QStringLiteral("all"), QStringLiteral("json")}, 0, 0},
        {"status",
            {QStringLiteral("json"), QStringLiteral("watch"), QStringLiteral("seconds"),
                QStringLiteral("require")},
            0, 0},
        {"set", {QStringLiteral("force"), QStringLiteral("json")}, 1, -1},
        {"backup", {QStringLiteral("force"), QStringLiteral("json")}, 1, 1},
        {"apply",
            {QStringLiteral("dry-run"), QStringLiteral("identity"), QStringLiteral("force"),
                QStringLiteral("json")},
            1, 1},
        {"ogn",
            {QStringLiteral("json"), QStringLiteral("seconds"), QStringLiteral("address"),
                QStringLiteral("aprs-server"), QStringLiteral("ddb-url")},
            0, 0},
        {"image", {QStringLiteral("board")}, 1, 1},
    };
    return shapes;
}

} // namespace

QString usageText()
{
    return QStringLiteral(
        "usage:\n"
        "  tracktune-cli --help | --version\n"
        "  tracktune-cli ports  [--json]\n"
        "  tracktune-cli show   [--port PORT]... [--all] [--json]\n"
        "  tracktune-cli status [--port PORT]... [--watch] [--json] [--seconds N] [--require WHAT,...]\n"
        "  tracktune-cli set    [--port PORT]... [--force] [--json] NAME=VALUE...\n"
        "  tracktune-cli backup [--port PORT]... [--force] [--json] FILE|DIR/\n"
        "  tracktune-cli apply  [--port PORT]... [--dry-run] [--identity] [--force] [--json] FILE\n"
        "  tracktune-cli ogn    [--port PORT | --address HEX] [--seconds N] [--json]\n"
        "                       [--aprs-server HOST:PORT] [--ddb-url URL]\n"
        "  tracktune-cli image  [--board HARD] FILE\n"
        "-p PORT is short for --port PORT, -v for --version. Without it show and status search for the\n"
        "tracker as the window does; set, backup and apply go only to the one port the search could\n"
        "take (a known adapter or \"USB\" in its description, busy or not) and name them all when there\n"
        "are more.\n"
        "A fleet: --port given several times, or --port all for every known tracker adapter (refused\n"
        "when there is none), runs the command on each tracker in parallel, one process each; every\n"
        "line is prefixed with the tracker's Address (its port until the Address is read) and the\n"
        "exit code is the highest of theirs. Example: tracktune-cli --port all apply club.txt\n"
        "--json prints one object per tracker (port, address, changes, written, not written, not\n"
        "taken, changed by the tracker; for backup the file; for show the parameters as printed and\n"
        "their details, normalized and option text), a list of them for a fleet.\n"
        "FILE \"-\" is standard output or input; only a terminal gets control characters escaped.\n"
        "backup DIR/ writes <Address>-<date>.txt into the folder; an existing file is replaced only\n"
        "with --force. A tracker without an Address, or whose Address another of the run has, gets\n"
        "<Address>-<CPU id>-<date>.txt (else <Address>-<port>-<date>.txt); none replaces another's.\n"
        "Values: the tracker's own form (0x7, +22), or an option's text in any case and without its\n"
        "punctuation, or a unique beginning of it or of one of its words (AcftType=paraglider,\n"
        "AcftType=tow, FreqPlan=eu, AcftType=glider); a list index also in decimal, as the tracker\n"
        "reads it (AcftType=10). A value the tracker already holds is not written again.\n"
        "A TxProtMask with no protocol switched on is written only with --force: the tracker would\n"
        "transmit nothing. AddrType goes out before Address: writing it may reset the Address.\n"
        "status reads the list, then listens to what the tracker prints on its own for up to N seconds\n"
        "(12 by default; less once every item is known) and prints a line per item: GPS, radio,\n"
        "receiver, pressure sensor, battery and whether it prints anything continuous (only Verbose\n"
        "switches that on: tracktune-cli set Verbose=1). Whether it transmits shows only on the newer\n"
        "firmware, from two of its reports 10 s apart. --json: gps, radio, battery, pressure_sensor,\n"
        "verbose. --watch prints each change until Ctrl+C (one tracker only). --require fix,transmitting\n"
        "(also pressure-sensor, verbose) exits 1 when one is not met. status writes nothing.\n"
        "ogn asks the OGN devices database whether the tracker's Address (read from the tracker, or\n"
        "--address) is registered and as what, then listens to the OGN APRS stream (read-only, passcode\n"
        "-1) for its beacons for N seconds (60 by default) and names the stations that received it. It\n"
        "says on standard error what it sends where before it does. An --address whose owner does not\n"
        "want it tracked gets only whether it was received. --json: ddb and aprs. Exit 1 when a server\n"
        "could not be reached (answers from the last day's cache still count), 2 for a usage error.\n"
        "image checks a firmware image as the window does before an update, without a tracker: an ESP\n"
        "image (header, segments, checksum, SHA-256), its kind (application or whole-flash image) and\n"
        "chip, its version and board where it names them; --board (the tracker's Hard, e.g. TBeam12)\n"
        "also checks that it is for that board's chip. Exit 1 when it is refused, and why.\n"
        "Exit codes: 0 done, 1 no tracker or several (status: or a --require not met), 2 usage (nothing\n"
        "written), 3 a value not taken, 130/143 SIGINT/SIGTERM during a write (what was written is told\n"
        "first) or during a status without --watch.\n"
        "Signals: SIGINT (Ctrl+C) or SIGTERM during set or apply finish the sentence in flight and send\n"
        "no more; on Windows Ctrl+C and Ctrl+Break count as SIGINT, closing the console as SIGTERM.\n");
}

QString usageProblemText(const QString &problem)
{
    return problem + QStringLiteral("; try 'tracktune-cli --help'");
}

bool isStandardStream(const QString &file)
{
    return file == QLatin1String("-");
}

bool isFolder(const QString &path)
{
    return !isStandardStream(path)
        && (path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator()) || QFileInfo(path).isDir());
}

QString lowerFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

CliRequest parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringList {QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption port(
        {QStringLiteral("p"), QStringLiteral("port")}, QString(), QStringLiteral("PORT"));
    const QStringList flags {QStringLiteral("all"), QStringLiteral("json"), QStringLiteral("dry-run"),
        QStringLiteral("identity"), QStringLiteral("force"), QStringLiteral("watch")};
    const QCommandLineOption seconds(QStringLiteral("seconds"), QString(), QStringLiteral("N"));
    const QCommandLineOption require(QStringLiteral("require"), QString(), QStringLiteral("WHAT"));
    const QCommandLineOption ognAddress(QStringLiteral("address"), QString(), QStringLiteral("HEX"));
    const QCommandLineOption aprsServer(
        QStringLiteral("aprs-server"), QString(), QStringLiteral("HOST:PORT"));
    const QCommandLineOption ddbUrl(QStringLiteral("ddb-url"), QString(), QStringLiteral("URL"));
    const QCommandLineOption board(QStringLiteral("board"), QString(), QStringLiteral("HARD"));
    parser.addOptions({help, version, port, seconds, require, ognAddress, aprsServer, ddbUrl, board});
    for (const QString &flag : flags)
        parser.addOption(QCommandLineOption(flag));

    CliRequest request;
    if (!parser.parse(arguments)) {
        // Qt's "Unknown option 'x'." in the style of every other message.
        QString problem = parser.errorText();
        if (problem.endsWith(QLatin1Char('.')))
            problem.chop(1);
        if (!problem.isEmpty())
            problem[0] = problem.at(0).toLower();
        request.problem = problem;
        return request;
    }
    if (parser.isSet(help))
        return request;
    if (parser.isSet(version)) {
        request.version = true;
        return request;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        request.usage = arguments.size() <= 1;
        request.problem = QStringLiteral("no command given");
        return request;
    }
    if (positional.first() == QLatin1String("help"))
        return request;
    request.command = positional.takeFirst();
    const auto shape = std::find_if(commandShapes().cbegin(), commandShapes().cend(),
        [&request](const CommandShape &s) { return request.command == QLatin1String(s.name); });
    if (shape == commandShapes().cend()) {
        QStringList names;
        for (const CommandShape &known : commandShapes())
            names << QLatin1String(known.name);
        const QString nearest = nearestName(request.command, names);
        request.problem = QStringLiteral("unknown command: ") + request.command
            + (nearest.isEmpty() ? QString()
                                 : QStringLiteral("; did you mean ") + nearest + QLatin1Char('?'));
        return request;
    }
    for (const QString &flag : flags
            + QStringList {seconds.names().first(), require.names().first(), ognAddress.names().first(),
                aprsServer.names().first(), ddbUrl.names().first(), board.names().first()}) {
        if (parser.isSet(flag) && !shape->options.contains(flag))
            request.problem = request.command + QStringLiteral(" does not take --") + flag;
    }
    if (request.command == QLatin1String("backup") && request.json
        && positional.value(0) == QLatin1String("-"))
        request.problem = QStringLiteral("backup - does not take --json");
    if ((request.command == QLatin1String("ports") || request.command == QLatin1String("image"))
        && parser.isSet(port))
        request.problem = request.command + QStringLiteral(" does not take --port");
    request.board = parser.value(board);
    if (positional.size() < shape->minArguments
        || (shape->maxArguments >= 0 && positional.size() > shape->maxArguments))
        request.problem = QStringLiteral("wrong number of arguments for ") + request.command;

    request.ports = parser.values(port);
    if (request.ports.size() > 1 && request.ports.contains(QLatin1String("all")))
        request.problem = QStringLiteral("--port all stands alone");
    request.all = parser.isSet(QStringLiteral("all"));
    request.json = parser.isSet(QStringLiteral("json"));
    request.dryRun = parser.isSet(QStringLiteral("dry-run"));
    request.identity = parser.isSet(QStringLiteral("identity"));
    request.force = parser.isSet(QStringLiteral("force"));
    request.watch = parser.isSet(QStringLiteral("watch"));
    if (parser.isSet(seconds)) {
        bool whole = false;
        request.seconds = parser.value(seconds).toInt(&whole);
        if (!whole || request.seconds < 1 || request.seconds > 3600)
            request.problem = QStringLiteral("--seconds takes a whole number from 1 to 3600");
    }
    for (const QString &value : parser.values(require)) {
        for (const QString &name : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (!knownRequirements().contains(name))
                request.problem = QStringLiteral("--require takes ")
                    + knownRequirements().join(QStringLiteral(", ")) + QStringLiteral(", not ") + name;
            else if (!request.required.contains(name))
                request.required << name;
        }
    }
    if (request.command == QLatin1String("ogn")) {
        if (!parser.isSet(seconds))
            request.seconds = 60;
        request.ognAddress = parser.value(ognAddress);
        request.aprsServer = parser.value(aprsServer);
        request.ddbUrl = parser.value(ddbUrl);
        if (parser.isSet(ognAddress) && parser.isSet(port))
            request.problem = QStringLiteral("ogn takes --port or --address, not both");
        if (request.ports.size() > 1 || request.ports.contains(QLatin1String("all")))
            request.problem = QStringLiteral("ogn takes one --port");
    }
    request.arguments = positional;
    return request;
}

} // namespace tracktune
