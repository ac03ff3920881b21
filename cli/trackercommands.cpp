#include "cli/trackercommands.h"

#include "config/catalogue.h"
#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/verification.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>

using tracktune::DumpLine;

namespace {

const QString terminalFile = QStringLiteral("-");

QString valueOf(const QList<DumpLine> &dump, const QString &name)
{
    const DumpLine *entry = tracktune::findSetting(dump, name);
    return entry ? entry->value : QString();
}

} // namespace

TrackerCommands::TrackerCommands() : out(stdout), err(stderr) { }

int TrackerCommands::run(const tracktune::CliRequest &request)
{
    this->request = request;
    if (!request.problem.isEmpty()) {
        complain(request.problem);
        err << tracktune::usageText();
        return tracktune::exitUsage;
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

    QStringList names = ports.keys();
    names.sort();
    int width = 0;
    for (const QString &name : qAsConst(names))
        width = qMax(width, name.size());
    for (const QString &name : qAsConst(names)) {
        const QString description = ports.value(name);
        out << (name == chosen ? "* " : "  ") << name.leftJustified(width) << "  "
            << (description.isEmpty() ? QStringLiteral("(no description)") : description) << '\n';
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
    for (const DumpLine &entry : *dump) {
        if (request.all || tracktune::findKnownParameter(entry.name))
            shown << entry;
    }
    if (request.json) {
        QJsonObject parameters;
        for (const DumpLine &entry : qAsConst(shown))
            parameters.insert(entry.name, entry.value);
        const QJsonObject document {
            {QStringLiteral("port"), portShown()}, {QStringLiteral("parameters"), parameters}};
        out << QString::fromUtf8(QJsonDocument(document).toJson());
        return tracktune::exitDone;
    }
    for (const DumpLine &entry : qAsConst(shown)) {
        const QString option = tracktune::optionTextFor(entry.name, entry.value);
        out << entry.name << " = " << entry.value;
        if (!option.isEmpty())
            out << " (" << option << ')';
        out << '\n';
    }
    return tracktune::exitDone;
}

int TrackerCommands::set()
{
    QList<DumpLine> requested;
    for (const QString &argument : qAsConst(request.arguments)) {
        const std::optional<DumpLine> setting = tracktune::parseSetting(argument);
        if (!setting) {
            complain(QStringLiteral("not NAME=VALUE: ") + argument);
            return tracktune::exitUsage;
        }
        requested << *setting;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    const tracktune::ChangePlan plan = tracktune::planSettings(requested, *dump);
    if (!noProblems(plan.problems))
        return tracktune::exitUsage;
    return writeAndVerify(plan.writes, *dump);
}

int TrackerCommands::backup()
{
    const QString path = request.arguments.first();
    // Opened before the read, so a path that cannot be written costs no tracker time;
    // nothing replaces an older backup unless the read succeeds.
    QSaveFile file(path);
    if (path != terminalFile && !file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        complain(QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString());
        return tracktune::exitUsage;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    const QString text = tracktune::formatSettingsFile(*dump, QDateTime::currentDateTime());
    if (path == terminalFile) {
        out << text;
        return tracktune::exitDone;
    }
    file.write(text.toUtf8());
    if (!file.commit()) {
        complain(QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString());
        return tracktune::exitUsage;
    }
    out << dump->size() << " parameters of " << portShown() << " saved to " << path << '\n';
    return tracktune::exitDone;
}

int TrackerCommands::apply()
{
    const QString path = request.arguments.first();
    QFile file(path);
    const bool opened
        = path == terminalFile ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        complain(QStringLiteral("cannot read ") + path + QStringLiteral(": ") + file.errorString());
        return tracktune::exitUsage;
    }
    const tracktune::SettingsFile settings = tracktune::parseSettingsFile(QString::fromUtf8(file.readAll()));
    if (!settings.problem.isEmpty()) {
        complain(path + QStringLiteral(": ") + settings.problem);
        return tracktune::exitUsage;
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    const tracktune::ChangePlan plan = tracktune::planFile(settings.settings, *dump, request.identity);
    for (const QString &skipped : plan.skipped)
        complain(skipped);
    if (!noProblems(plan.problems))
        return tracktune::exitUsage;
    if (plan.writes.isEmpty()) {
        out << "nothing to change\n";
        return tracktune::exitDone;
    }
    if (request.dryRun) {
        printChanges(plan.writes, *dump, plan.writes);
        complain(QStringLiteral("dry run: nothing written"));
        return tracktune::exitDone;
    }
    return writeAndVerify(plan.writes, *dump);
}

std::optional<QList<DumpLine>> TrackerCommands::readTracker()
{
    Serial &link = session.link();
    if (request.port.isEmpty()) {
        if (!link.findDevice()) {
            complain(QStringLiteral(
                "no tracker found: no port has a known adapter or \"USB\" in its description"));
            return std::nullopt;
        }
    } else {
        session.connectTo(request.port);
    }
    if (!link.isOpen()) {
        complain(QStringLiteral("cannot open ") + portShown());
        return std::nullopt;
    }
    return readDump();
}

std::optional<QList<DumpLine>> TrackerCommands::readDump()
{
    std::optional<QList<DumpLine>> dump = session.readConfiguration();
    if (!dump) {
        complain(QStringLiteral("the tracker on ") + portShown() + QStringLiteral(" did not answer"));
        return std::nullopt;
    }
    // A CR LF tracker leaves the carriage return on a line without a comment.
    for (DumpLine &entry : *dump) {
        while (entry.value.endsWith(QLatin1Char('\r')))
            entry.value.chop(1);
    }
    return dump;
}

int TrackerCommands::writeAndVerify(const QList<DumpLine> &writes, const QList<DumpLine> &before)
{
    session.write(writes);
    const std::optional<QList<DumpLine>> after = readDump();
    if (!after) {
        complain(QStringLiteral("the values were sent but could not be read back"));
        return tracktune::exitNoTracker;
    }
    printChanges(writes, before, *after);
    const QStringList untaken = tracktune::untakenParameters(writes, *after);
    if (!untaken.isEmpty()) {
        complain(QStringLiteral("the tracker did not take: ") + untaken.join(QStringLiteral(", ")));
        return tracktune::exitNotTaken;
    }
    return tracktune::exitDone;
}

void TrackerCommands::printChanges(
    const QList<DumpLine> &writes, const QList<DumpLine> &before, const QList<DumpLine> &after)
{
    for (const DumpLine &write : writes)
        out << write.name << ": " << valueOf(before, write.name) << " -> " << valueOf(after, write.name)
            << '\n';
}

bool TrackerCommands::noProblems(const QStringList &problems)
{
    for (const QString &problem : problems)
        complain(problem);
    if (!problems.isEmpty())
        complain(QStringLiteral("nothing written"));
    return problems.isEmpty();
}

void TrackerCommands::complain(const QString &text)
{
    // Results and complaints stay in the order they happened when both go to a terminal.
    out.flush();
    err << "tracktune-cli: " << text << '\n';
    err.flush();
}

QString TrackerCommands::portShown() const
{
    return request.port.isEmpty() ? session.link().portName() : request.port;
}
