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
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSerialPort>
#include <QSet>

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
    if (!request.problem.isEmpty()) {
        complain(tracktune::usageProblemText(request.problem));
        return tracktune::exitUsage;
    }
    if (request.version) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return tracktune::exitDone;
    }
    if (request.command == QLatin1String("ports"))
        return listPorts();
    if (request.command == QLatin1String("show"))
        return show();
    if (request.command == QLatin1String("set"))
        return set();
    if (request.command == QLatin1String("backup"))
        return backup();
    if (request.command == QLatin1String("apply"))
        return apply();
    out << tracktune::usageText();
    return tracktune::exitDone;
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
        const QJsonObject document {
            {QStringLiteral("port"), portShown()}, {QStringLiteral("parameters"), parameters}};
        out << tracktune::jsonText(QString::fromUtf8(QJsonDocument(document).toJson()));
        return tracktune::exitDone;
    }
    for (const DumpLine &entry : std::as_const(shown)) {
        // The option the value stands for and the unit it is in, where the catalogue has them.
        QStringList notes {tracktune::optionTextFor(entry.name, entry.value)};
        if (const tracktune::KnownParameter *known = tracktune::findKnownParameter(entry.name);
            known && known->unit)
            notes << QString::fromLatin1(known->unit);
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
    const QString path = request.arguments.first();
    // Opened before the read, so a path that cannot be written costs no tracker time;
    // nothing replaces an older backup unless the read succeeds.
    QSaveFile file(path);
    if (path != terminalFile && !file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        complain(
            QStringLiteral("cannot write ") + path + QStringLiteral(": ") + lowerFirst(file.errorString()));
        return tracktune::exitUsage;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
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
    if (!file.commit()) {
        complain(
            QStringLiteral("cannot write ") + path + QStringLiteral(": ") + lowerFirst(file.errorString()));
        return tracktune::exitUsage;
    }
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
        out << "nothing to change\n";
        return tracktune::exitDone;
    }
    if (request.dryRun) {
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
    target = request.port;
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
            complain(refusal);
            return std::nullopt;
        }
        session.connectTo(target);
    }
    if (!link.isOpen()) {
        complain(QStringLiteral("cannot open ") + portShown());
        return std::nullopt;
    }
    std::optional<QList<DumpLine>> dump = session.readConfiguration();
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
        report = session.writeAndConfirm(writes, [] { return stopSignal != 0; });
    }
    const int signal = stopSignal;
    if (report.readBack)
        printChanges(report.changes, report.changedByTracker);
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
    for (const tracktune::SettingChange &change : changes)
        out << terminalText(change.name) << ": " << terminalText(change.before) << " -> "
            << terminalText(change.after) << '\n';
    for (const tracktune::SettingChange &change : byTracker)
        out << terminalText(change.name) << ": " << terminalText(change.before) << " -> "
            << terminalText(change.after) << " (changed by the tracker)\n";
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
}

QString TrackerCommands::portShown() const
{
    return target.isEmpty() ? session.link().portName() : target;
}
