// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackercommands.h"

#include "consolestop.h"

#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/valueencoding.h"
#include "config/verification.h"
#include "link/listcollector.h"
#include "link/portcandidates.h"
#include "link/portorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QSerialPort>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

using tracktune::DumpLine;
using tracktune::terminalText;

namespace {

const QString terminalFile = QStringLiteral("-");

// Set for each process a fleet starts: it is one tracker of several and prefixes its lines.
const char fleetMemberVariable[] = "TRACKTUNE_CLI_FLEET_MEMBER";

// The signal that asked a write to stop; 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}

using SignalHandler = void (*)(int);

// Whether the program was started with the signal ignored, as a shell does for a background
// job of a script: then it stays ignored.
bool ignoredSignal(int signal)
{
#ifdef Q_OS_UNIX
    struct sigaction current = {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
#else
    const SignalHandler previous = std::signal(signal, SIG_IGN);
    std::signal(signal, previous);
    return previous == SIG_IGN;
#endif
}

// While it lives, SIGINT and SIGTERM ask the write to stop instead of ending the program
// between two sentences, so that it can still say what went out.
class StopOnSignals
{
public:
    StopOnSignals()
    {
        stopSignal = 0;
        for (Caught &caught : caughtSignals) {
            caught.installed = !ignoredSignal(caught.signal);
            if (caught.installed)
                caught.previous = std::signal(caught.signal, onStopSignal);
        }
    }
    ~StopOnSignals()
    {
        for (const Caught &caught : caughtSignals) {
            if (caught.installed)
                std::signal(caught.signal, caught.previous);
        }
    }
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

private:
    struct Caught
    {
        int signal;
        bool installed = false;
        SignalHandler previous = SIG_DFL;
    };
    Caught caughtSignals[2] = {{SIGINT, false, SIG_DFL}, {SIGTERM, false, SIG_DFL}};
    const tracktune::ConsoleStop consoleEvents {onStopSignal};
};

// Escapes are for a person at a terminal; a file or a pipe gets the bytes as they are.
bool standardOutputIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(fileno(stdout)) != 0;
#endif
}

// The first entry of each name, as every command takes a name the tracker lists twice
// (tracktune::findSetting).
QList<DumpLine> firstOfEachName(const QList<DumpLine> &dump)
{
    QList<DumpLine> first;
    QSet<QString> seen;
    for (const DumpLine &entry : dump) {
        if (!seen.contains(entry.name)) {
            seen.insert(entry.name);
            first << entry;
        }
    }
    return first;
}

QString namesOf(const QList<DumpLine> &settings)
{
    QStringList names;
    for (const DumpLine &setting : settings)
        names << setting.name;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// A value with the option text it stands for, as show prints it: "FreqPlan: Automatic -> Europe".
QString shownValue(const QString &name, const QString &value)
{
    const QString text = tracktune::optionTextFor(name, value);
    return terminalText(text.isEmpty() ? value : text);
}

QJsonArray changesJson(const QList<tracktune::SettingChange> &changes)
{
    QJsonArray list;
    for (const tracktune::SettingChange &change : changes)
        list.append(QJsonObject {{QStringLiteral("name"), change.name},
            {QStringLiteral("before"), change.before}, {QStringLiteral("after"), change.after}});
    return list;
}

QJsonArray namesJson(const QList<DumpLine> &settings)
{
    QJsonArray names;
    for (const DumpLine &setting : settings)
        names.append(setting.name);
    return names;
}

// "backup DIR/": a folder named as one, or one that exists.
bool isFolder(const QString &path)
{
    return path != terminalFile
        && (path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator()) || QFileInfo(path).isDir());
}

// A file name from the tracker's Address: its letters and digits only, as it is the tracker's text.
QString fileNameFor(const QString &address)
{
    QString name;
    for (const QChar c : address) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            name += c;
    }
    return (name.isEmpty() ? QStringLiteral("tracker") : name) + QLatin1Char('-')
        + QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".txt");
}

// Every line of the text shown safely, the line breaks kept.
QString terminalLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = terminalText(line);
    return lines.join(QLatin1Char('\n'));
}

// A sentence of the window's or of Qt's in the style of every message here.
QString lowerFirst(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

// Why the named port does not open, in the window's words where it has them; empty when it
// opens. The link itself only tells whether it is open.
QString openRefusal(const QString &portName)
{
    const QSerialPort::SerialPortError error = Serial::tryOpen(portName);
    if (error == QSerialPort::DeviceNotFoundError)
        return QStringLiteral("cannot open ") + portName + QStringLiteral(": no such port");
    if (error == QSerialPort::PermissionError)
        return lowerFirst(tracktune::portRefusalMessage(portName, error, Serial::isPermitted(portName)));
    // Anything else is found out by the open that follows.
    return QString();
}

} // namespace

TrackerCommands::TrackerCommands() : out(stdout), err(stderr), outputIsTerminal(standardOutputIsTerminal())
{
    tellRefusals();
}

TrackerCommands::TrackerCommands(QString *output, QString *errors) : out(output), err(errors)
{
    tellRefusals();
}

void TrackerCommands::tellRefusals()
{
    // A known adapter the search could not open is most often a missing group membership or
    // a program that grabbed the port: the user can fix both.
    QObject::connect(&session.link(), &Serial::portRefused, &session.link(),
        [this](const QString &portName, QSerialPort::SerialPortError error, bool permitted) {
            const QString message = tracktune::portRefusalMessage(portName, error, permitted);
            if (!message.isEmpty())
                complain(lowerFirst(message));
        });
}

int TrackerCommands::run(const tracktune::CliRequest &request)
{
    this->request = request;
    if (request.usage) {
        err << tracktune::usageText();
        return tracktune::exitUsage;
    }
    if (!request.problem.isEmpty()) {
        complain(tracktune::usageProblemText(request.problem));
        return tracktune::exitUsage;
    }
    if (request.version) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return tracktune::exitDone;
    }
    if (request.command.isEmpty()) {
        out << tracktune::usageText();
        return tracktune::exitDone;
    }
    QStringList ports = request.ports;
    ports.removeDuplicates();
    if (ports.size() > 1 || ports == QStringList {QStringLiteral("all")})
        return runFleet(ports);
    target = ports.value(0); // a message before the read names it too
    member = qEnvironmentVariableIsSet(fleetMemberVariable) && !out.string();
    if (member) {
        out.setString(&outBuffer);
        err.setString(&errBuffer);
    }
    const int code = finishJson(runCommand());
    relay(true);
    return code;
}

int TrackerCommands::runCommand()
{
    if (request.command == QLatin1String("ports"))
        return listPorts();
    if (request.command == QLatin1String("show"))
        return show();
    if (request.command == QLatin1String("set"))
        return set();
    if (request.command == QLatin1String("backup"))
        return backup();
    return apply();
}

int TrackerCommands::finishJson(int code)
{
    if (!request.json || request.command == QLatin1String("show")
        || request.command == QLatin1String("ports"))
        return code;
    report.insert(QStringLiteral("port"), portShown());
    if (!address.isEmpty())
        report.insert(QStringLiteral("address"), address);
    report.insert(QStringLiteral("exitCode"), code);
    report.insert(QStringLiteral("messages"), QJsonArray::fromStringList(complaints));
    out << tracktune::jsonText(QString::fromUtf8(QJsonDocument(report).toJson()));
    return code;
}

void TrackerCommands::relay(bool ending)
{
    if (!member || (!settled && !ending))
        return;
    out.flush();
    err.flush();
    const QString prefix = terminalText(prefixShown()) + QStringLiteral(": ");
    const QString tag = QStringLiteral("tracktune-cli: ");
    const auto pass = [&](const QString &buffer, int &relayed, FILE *file, bool prefixed) {
        const int end = ending ? buffer.size() : buffer.lastIndexOf(QLatin1Char('\n')) + 1;
        if (end <= relayed)
            return;
        QStringList lines = buffer.mid(relayed, end - relayed).split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
        relayed = end;
        QString text;
        for (const QString &line : std::as_const(lines)) {
            if (!prefixed)
                text += line;
            else if (line.startsWith(tag))
                text += tag + prefix + line.mid(tag.size());
            else
                text += prefix + line;
            text += QLatin1Char('\n');
        }
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
        std::fflush(file);
    };
    // A JSON document is one tracker's already; the list gathers them.
    pass(outBuffer, outRelayed, stdout, !request.json);
    pass(errBuffer, errRelayed, stderr, true);
}

int TrackerCommands::runFleet(QStringList ports)
{
    if (ports == QStringList {QStringLiteral("all")}) {
        ports = tracktune::knownAdapterPorts(Serial::scanPorts());
        if (ports.isEmpty()) {
            complain(QStringLiteral("--port all: no known tracker adapter is plugged in"));
            return tracktune::exitNoTracker;
        }
    }
    const QString file = request.arguments.value(0);
    if (request.command == QLatin1String("backup") && !isFolder(file)) {
        complain(tracktune::usageProblemText(
            QStringLiteral("the backups of several trackers go into a folder: backup DIR/")));
        return tracktune::exitUsage;
    }
    if (request.command == QLatin1String("apply") && file == terminalFile) {
        complain(
            tracktune::usageProblemText(QStringLiteral("several trackers read a file, not standard input")));
        return tracktune::exitUsage;
    }
    QStringList common {request.command};
    const QList<std::pair<bool, const char *>> flags {{request.all, "--all"}, {request.json, "--json"},
        {request.dryRun, "--dry-run"}, {request.identity, "--identity"}, {request.force, "--force"}};
    for (const auto &[set, flag] : flags) {
        if (set)
            common << QLatin1String(flag);
    }
    struct Member
    {
        QString port;
        std::unique_ptr<QProcess> process;
        QByteArray output, outLine, errLine;
        int code = tracktune::exitNoTracker;
    };
    std::vector<Member> members(size_t(ports.size()));
    QEventLoop loop;
    int running = 0;
    // Whole lines only, so that two trackers' lines never mix within one.
    const auto passLines = [](QByteArray &pending, const QByteArray &read, QTextStream &stream, bool ending) {
        pending += read;
        const int end = ending ? pending.size() : pending.lastIndexOf('\n') + 1;
        if (end > 0) {
            stream << QString::fromUtf8(pending.left(end));
            if (ending && !pending.endsWith('\n'))
                stream << '\n';
            stream.flush();
            pending.remove(0, end);
        }
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(fleetMemberVariable), QStringLiteral("1"));
    const QString programPath = program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
    const StopOnSignals stopping;
    for (int i = 0; i < ports.size(); ++i) {
        Member *const m = &members[size_t(i)];
        m->port = ports.at(i);
        m->process = std::make_unique<QProcess>();
        QProcess *process = m->process.get();
        process->setProcessEnvironment(environment);
        QObject::connect(process, &QProcess::readyReadStandardOutput, process, [&, m, process] {
            const QByteArray read = process->readAllStandardOutput();
            if (request.json)
                m->output += read;
            else
                passLines(m->outLine, read, out, false);
        });
        QObject::connect(process, &QProcess::readyReadStandardError, process,
            [&, m, process] { passLines(m->errLine, process->readAllStandardError(), err, false); });
        QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process,
            [&, m, process](int exitCode, QProcess::ExitStatus status) {
                const QByteArray read = process->readAllStandardOutput();
                if (request.json)
                    m->output += read;
                else
                    passLines(m->outLine, read, out, true);
                passLines(m->errLine, process->readAllStandardError(), err, true);
                m->code = status == QProcess::NormalExit ? exitCode
                    : stopSignal != 0                    ? 128 + stopSignal
                                                         : int(tracktune::exitNoTracker);
                if (--running == 0)
                    loop.quit();
            });
        process->start(programPath,
            common + QStringList {QStringLiteral("--port"), m->port, QStringLiteral("--")}
                + request.arguments);
        if (process->waitForStarted())
            ++running;
        else
            complain(m->port + QStringLiteral(": cannot start ") + programPath + QStringLiteral(": ")
                + lowerFirst(process->errorString()));
    }
    // A signal to this process is passed on to each: each finishes its sentence in flight and tells.
    QTimer watch;
    bool forwarded = false;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        if (stopSignal == 0 || forwarded)
            return;
        forwarded = true;
        for (const Member &m : members) {
            if (m.process->state() != QProcess::Running)
                continue;
#ifdef Q_OS_UNIX
            ::kill(pid_t(m.process->processId()), stopSignal);
#else
            m.process->terminate();
#endif
        }
    });
    watch.start(50);
    if (running > 0)
        loop.exec();
    int worst = tracktune::exitDone;
    QJsonArray documents;
    for (const Member &m : members) {
        worst = std::max(worst, m.code);
        const QJsonDocument document = QJsonDocument::fromJson(m.output);
        if (document.isObject())
            documents.append(document.object());
        else
            documents.append(
                QJsonObject {{QStringLiteral("port"), m.port}, {QStringLiteral("exitCode"), m.code}});
    }
    if (request.json)
        out << tracktune::jsonText(QString::fromUtf8(QJsonDocument(documents).toJson()));
    return worst;
}

int TrackerCommands::listPorts()
{
    const QHash<QString, QString> ports = Serial::scanPorts();
    // The search itself decides, so the mark cannot drift from it; it opens the port it
    // chooses, which is closed again at once.
    Serial &link = session.link();
    const QString chosen = link.findDevice() ? link.portName() : QString();
    link.closePort();

    const QStringList names = tracktune::naturalPortOrder(ports.keys());
    if (request.json) {
        QJsonArray list;
        for (const QString &name : std::as_const(names))
            list.append(QJsonObject {{QStringLiteral("port"), name},
                {QStringLiteral("description"), ports.value(name)},
                {QStringLiteral("known"),
                    tracktune::knownAdapterPorts({{name, ports.value(name)}}).size() == 1},
                {QStringLiteral("chosen"),
                    !chosen.isEmpty() && Serial::systemLocation(name) == Serial::systemLocation(chosen)}});
        out << tracktune::jsonText(QString::fromUtf8(QJsonDocument(list).toJson()));
        return tracktune::exitDone;
    }
    int width = 0;
    for (const QString &name : std::as_const(names))
        width = qMax(width, name.size());
    for (const QString &name : std::as_const(names)) {
        const QString description = ports.value(name);
        const bool isChosen
            = !chosen.isEmpty() && Serial::systemLocation(name) == Serial::systemLocation(chosen);
        out << (isChosen ? "* " : "  ") << terminalText(name).leftJustified(width) << "  "
            << (description.isEmpty() ? QStringLiteral("(no description)") : terminalText(description))
            << '\n';
    }
    if (names.isEmpty())
        complain(QStringLiteral("no serial ports"));
    else if (chosen.isEmpty())
        complain(
            QStringLiteral("the search would choose none: no known adapter, no \"USB\" in a description"));
    return tracktune::exitDone;
}

int TrackerCommands::show()
{
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    QList<DumpLine> shown;
    for (const DumpLine &entry : firstOfEachName(*dump)) {
        const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name);
        if (request.all || (known && known->everyday))
            shown << entry;
    }
    if (request.json) {
        QJsonObject parameters;
        for (const DumpLine &entry : std::as_const(shown))
            parameters.insert(entry.name, entry.value);
        QJsonObject document {
            {QStringLiteral("port"), portShown()}, {QStringLiteral("parameters"), parameters}};
        if (!address.isEmpty())
            document.insert(QStringLiteral("address"), address);
        out << tracktune::jsonText(QString::fromUtf8(QJsonDocument(document).toJson()));
        return tracktune::exitDone;
    }
    for (const DumpLine &entry : std::as_const(shown)) {
        // The option the value stands for and the unit it is in, where the catalogue has them.
        // And the text an info text's "\xHH" bytes stand for.
        QStringList notes {tracktune::optionTextFor(entry.name, entry.value)};
        if (const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name); known) {
            if (known->unit)
                notes << QString::fromLatin1(known->unit);
            if (const QString text = tracktune::decodedText(entry.value);
                known->escapes && text != entry.value)
                notes << QLatin1Char('"') + terminalText(text) + QLatin1Char('"');
        }
        notes.removeAll(QString());
        out << terminalText(entry.name) << " = " << terminalText(entry.value);
        if (!notes.isEmpty())
            out << " (" << notes.join(QStringLiteral(", ")) << ')';
        out << '\n';
    }
    return tracktune::exitDone;
}

int TrackerCommands::set()
{
    QList<DumpLine> requested;
    for (const QString &argument : std::as_const(request.arguments)) {
        const std::optional<DumpLine> setting = tracktune::parseSetting(argument);
        if (!setting) {
            complain(tracktune::usageProblemText(QStringLiteral("not NAME=VALUE: ") + argument));
            return tracktune::exitUsage;
        }
        requested << *setting;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    // A name the tracker lacks is most often a typing slip: name the one it has.
    QStringList names;
    for (const DumpLine &entry : *dump)
        names << entry.name;
    QStringList problems;
    QList<DumpLine> known;
    for (const DumpLine &setting : tracktune::lastValueWins(requested)) {
        // A name no sentence can carry is refused as such by the plan.
        if (names.contains(setting.name) || !tracktune::sentenceRefusal(setting.name, QString()).isEmpty()) {
            known << setting;
            continue;
        }
        const QString nearest = tracktune::nearestName(setting.name, names);
        problems << QStringLiteral("the tracker has no parameter ") + setting.name
                + (nearest.isEmpty() ? QString()
                                     : QStringLiteral("; did you mean ") + nearest + QLatin1Char('?'));
    }
    const tracktune::ChangePlan plan = tracktune::planSettings(known, *dump);
    if (!noProblems(problems + plan.problems + silenceProblems(plan.writes)))
        return tracktune::exitUsage;
    return writeAndConfirm(plan.writes);
}

int TrackerCommands::backup()
{
    const QString given = request.arguments.first();
    const bool intoFolder = isFolder(given);
    QString path = given;
    // Opened before the read, so a path that cannot be written costs no tracker time;
    // nothing replaces an older backup unless the read succeeds.
    QSaveFile file;
    const auto cannotWrite = [this](const QString &where, const QString &why) {
        complain(QStringLiteral("cannot write ") + where + QStringLiteral(": ") + lowerFirst(why));
        return tracktune::exitUsage;
    };
    const auto existing = [this](const QString &where) {
        complain(where + QStringLiteral(" exists: --force replaces it"));
        return tracktune::exitUsage;
    };
    if (intoFolder) {
        if (!QDir().mkpath(given))
            return cannotWrite(given, QStringLiteral("the folder cannot be made"));
        if (!QFileInfo(given).isWritable())
            return cannotWrite(given, QStringLiteral("permission denied"));
    } else if (path != terminalFile) {
        if (QFileInfo::exists(path) && !request.force)
            return existing(path);
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return cannotWrite(path, file.errorString());
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    if (intoFolder) {
        path = QDir(given).filePath(fileNameFor(address));
        if (QFileInfo::exists(path) && !request.force)
            return existing(path);
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return cannotWrite(path, file.errorString());
    }
    for (const DumpLine &entry : *dump) {
        const QString refusal = tracktune::sentenceRefusal(entry.name, entry.value);
        if (!refusal.isEmpty())
            complain(entry.name + QStringLiteral(" kept as a comment, not restorable: ") + refusal);
    }
    const QString text = tracktune::formatSettingsFile(*dump, QDateTime::currentDateTime());
    if (path == terminalFile) {
        out << (outputIsTerminal ? terminalLines(text) : text);
        return tracktune::exitDone;
    }
    file.write(text.toUtf8());
    if (!file.commit())
        return cannotWrite(path, file.errorString());
    report.insert(QStringLiteral("file"), path);
    report.insert(QStringLiteral("parameters"), int(dump->size()));
    if (!request.json)
        out << dump->size() << " parameters of " << terminalText(portShown()) << " saved to "
            << terminalText(path) << '\n';
    return tracktune::exitDone;
}

int TrackerCommands::apply()
{
    const QString path = request.arguments.first();
    QFile file(path);
    const bool opened
        = path == terminalFile ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        complain(
            QStringLiteral("cannot read ") + path + QStringLiteral(": ") + lowerFirst(file.errorString()));
        return tracktune::exitUsage;
    }
    const tracktune::SettingsFile settings = tracktune::readSettingsFile(file);
    if (!settings.problem.isEmpty()) {
        complain(path + QStringLiteral(": ") + settings.problem);
        complain(QStringLiteral("nothing written"));
        return tracktune::exitUsage;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    const tracktune::ChangePlan plan
        = tracktune::planFile(settings.settings, *dump, request.identity, settings.lineOf);
    // A name neither the tracker nor the catalogue knows is a typing slip: nothing is written,
    // so a loop over a fleet learns of it. Another firmware's parameter is only passed over.
    QStringList problems = plan.problems;
    for (const tracktune::MissingName &missing : plan.missing) {
        if (missing.catalogued)
            complain(tracktune::missingNameText(missing));
        else
            problems << path + QStringLiteral(": ") + tracktune::missingNameText(missing);
    }
    for (const QString &skipped : plan.skipped)
        complain(skipped);
    // A backup's comment for a value no sentence can carry: told, and left as the tracker has it.
    for (const QString &note : settings.notRestorable) {
        const int colon = note.indexOf(QStringLiteral(": "));
        complain(note.left(colon) + QStringLiteral(": not in the file as a setting, left as it is (")
            + note.mid(colon + 2) + QLatin1Char(')'));
    }
    if (!noProblems(problems + silenceProblems(plan.writes)))
        return tracktune::exitUsage;
    if (plan.writes.isEmpty()) {
        if (request.json)
            report.insert(QStringLiteral("changes"), QJsonArray());
        else
            out << "nothing to change\n";
        return tracktune::exitDone;
    }
    if (request.dryRun) {
        report.insert(QStringLiteral("dryRun"), true);
        printChanges(tracktune::settingChanges(plan.writes, *dump, plan.writes));
        complain(QStringLiteral("dry run: nothing written"));
        return tracktune::exitDone;
    }
    return writeAndConfirm(plan.writes);
}

std::optional<QList<DumpLine>> TrackerCommands::readTracker()
{
    Serial &link = session.link();
    const QString noneFound
        = QStringLiteral("no tracker found: no port has a known adapter or \"USB\" in its description");
    target = request.ports.value(0);
    if (target.isEmpty() && !writes()) {
        if (!link.findDevice()) {
            complain(noneFound);
            return std::nullopt;
        }
        complain(QStringLiteral("using ") + link.portName());
    } else {
        if (target.isEmpty()) {
            // A write goes only where no other port could be the tracker: the search would take
            // the first of two aircraft, or pass a busy tracker for another aircraft's.
            const QStringList candidates = tracktune::portCandidates(Serial::scanPorts());
            if (candidates.isEmpty()) {
                complain(noneFound);
                return std::nullopt;
            }
            if (candidates.size() > 1) {
                complain(QStringLiteral("several ports may hold a tracker: name one with --port: ")
                    + candidates.join(QStringLiteral(", ")));
                return std::nullopt;
            }
            target = candidates.first();
            complain(QStringLiteral("using ") + target);
        }
        const QString refusal = openRefusal(target);
        if (!refusal.isEmpty()) {
            settled = true;
            complain(refusal);
            return std::nullopt;
        }
        session.connectTo(target);
    }
    if (!link.isOpen()) {
        settled = true;
        complain(QStringLiteral("cannot open ") + portShown());
        return std::nullopt;
    }
    // The read ends when the list has ended, by the tracker's own end rules.
    std::optional<QList<DumpLine>> dump;
    QEventLoop reading;
    const QMetaObject::Connection read = QObject::connect(&session, &DeviceSession::listRead,
        [&dump, &reading](const QList<DumpLine> &list) {
            dump = list;
            reading.quit();
        });
    const QMetaObject::Connection failed
        = QObject::connect(&session, &DeviceSession::readFailed, &reading, &QEventLoop::quit);
    if (session.startRead())
        reading.exec();
    QObject::disconnect(read);
    QObject::disconnect(failed);
    if (dump)
        if (const DumpLine *entry = tracktune::findSetting(*dump, QStringLiteral("Address")))
            address = entry->value;
    settled = true;
    relay();
    // Why: a port that closed, a silent device or one that never printed a list call for
    // different hands.
    if (!dump) {
        const std::optional<tracktune::ReadFailure> failure = session.lastReadFailure();
        complain(QStringLiteral("no list from ") + portShown() + QStringLiteral(": ")
            + (failure ? lowerFirst(tracktune::readFailureText(*failure))
                       : QStringLiteral("the tracker did not answer")));
    }
    return dump;
}

int TrackerCommands::writeAndConfirm(const QList<DumpLine> &writes)
{
    DeviceSession::WriteReport report;
    {
        const StopOnSignals stopping;
        QEventLoop writing;
        const QMetaObject::Connection written = QObject::connect(&session, &DeviceSession::writeFinished,
            [&report, &writing](const DeviceSession::WriteReport &finished) {
                report = finished;
                writing.quit();
            });
        if (session.startWrite(writes, [] { return stopSignal != 0; }))
            writing.exec();
        QObject::disconnect(written);
    }
    const int signal = stopSignal;
    if (report.readBack)
        printChanges(report.changes, report.changedByTracker);
    this->report.insert(QStringLiteral("written"), namesJson(report.sent));
    this->report.insert(QStringLiteral("notWritten"), namesJson(report.notSent));
    this->report.insert(QStringLiteral("notTaken"), QJsonArray::fromStringList(report.notTaken));
    const QString told = QStringLiteral("written: ") + namesOf(report.sent)
        + QStringLiteral("; not written: ") + namesOf(report.notSent);
    // One that came after the last sentence had gone out stopped nothing, but it still ends
    // the program as asked, once what the tracker holds now is told.
    if (signal != 0) {
        complain((report.stopped ? QStringLiteral("stopped by a signal: ")
                                 : QStringLiteral("a signal after the last sentence: "))
            + told
            + (report.readBack ? QString() : QStringLiteral("; the tracker did not answer the read-back")));
        if (report.readBack && !report.notTaken.isEmpty())
            complain(
                QStringLiteral("the tracker did not take: ") + report.notTaken.join(QStringLiteral(", ")));
        return 128 + signal;
    }
    if (report.linkLost) {
        // The last sentence written went out, but nothing tells whether the tracker took it.
        complain(QStringLiteral("the tracker was lost while writing: ") + told);
        return tracktune::exitNoTracker;
    }
    if (!report.readBack) {
        complain(QStringLiteral("the values were sent but could not be read back: ") + namesOf(report.sent));
        return tracktune::exitNoTracker;
    }
    if (!report.notSent.isEmpty()) {
        complain(QStringLiteral("no sentence could carry: ") + namesOf(report.notSent));
        return tracktune::exitNotTaken;
    }
    if (!report.notTaken.isEmpty()) {
        complain(QStringLiteral("the tracker did not take: ") + report.notTaken.join(QStringLiteral(", ")));
        return tracktune::exitNotTaken;
    }
    return tracktune::exitDone;
}

void TrackerCommands::printChanges(
    const QList<tracktune::SettingChange> &changes, const QList<tracktune::SettingChange> &byTracker)
{
    if (request.json) {
        report.insert(QStringLiteral("changes"), changesJson(changes));
        report.insert(QStringLiteral("changedByTracker"), changesJson(byTracker));
        return;
    }
    for (const tracktune::SettingChange &change : changes)
        out << terminalText(change.name) << ": " << shownValue(change.name, change.before) << " -> "
            << shownValue(change.name, change.after) << '\n';
    for (const tracktune::SettingChange &change : byTracker)
        out << terminalText(change.name) << ": " << shownValue(change.name, change.before) << " -> "
            << shownValue(change.name, change.after) << " (changed by the tracker)\n";
}

QStringList TrackerCommands::silenceProblems(const QList<DumpLine> &writes) const
{
    const DumpLine *silencing = tracktune::silencingWrite(writes);
    if (!silencing || request.force)
        return {};
    return {QStringLiteral("TxProtMask=") + silencing->value
        + QStringLiteral(" switches every protocol off: the tracker would transmit nothing, and other "
                         "aircraft and the ground stations would not see it; --force writes it")};
}

bool TrackerCommands::noProblems(const QStringList &problems)
{
    for (const QString &problem : problems)
        complain(problem);
    if (!problems.isEmpty())
        complain(QStringLiteral("nothing written"));
    return problems.isEmpty();
}

bool TrackerCommands::writes() const
{
    return request.command != QLatin1String("show");
}

void TrackerCommands::complain(const QString &text)
{
    // Results and complaints stay in the order they happened when both go to a terminal.
    out.flush();
    err << "tracktune-cli: " << terminalText(text) << '\n';
    err.flush();
    complaints << text;
    relay();
}

QString TrackerCommands::portShown() const
{
    return target.isEmpty() ? session.link().portName() : target;
}

QString TrackerCommands::prefixShown() const
{
    return address.isEmpty() ? portShown() : address;
}
