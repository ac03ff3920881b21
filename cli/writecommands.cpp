// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that write to the tracker: set and apply, and how they tell what they would write
// and what they wrote.
#include "trackercommands.h"

#include "jsonreport.h"

#include "config/changeplan.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/terminaltext.h"
#include "config/trackeridentity.h"
#include "config/valueencoding.h"

#include <QFile>
#include <QJsonArray>

#include <cstdio>

using tracktune::changesJson;
using tracktune::DumpLine;
using tracktune::lowerFirst;
using tracktune::terminalText;

namespace {

// A value with the option text it stands for, as show prints it: "FreqPlan: Automatic -> Europe".
QString shownValue(const QString &name, const QString &value)
{
    const QString text = tracktune::optionTextFor(name, value);
    return terminalText(text.isEmpty() ? value : text);
}

} // namespace

int TrackerCommands::nothingToChange()
{
    if (request.json)
        report.insert(QStringLiteral("changes"), QJsonArray());
    else
        out << "nothing to change\n";
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
    if (!noProblems(problems + plan.problems + silenceProblems(plan.writes, *dump) + hiddenBitProblems(plan)))
        return tracktune::exitUsage;
    for (const QString &skipped : plan.skipped)
        complain(skipped);
    if (plan.writes.isEmpty())
        return nothingToChange();
    return writeAndConfirm(plan.writes);
}

int TrackerCommands::apply()
{
    const QString path = request.arguments.first();
    QFile file(path);
    const bool opened = tracktune::isStandardStream(path) ? file.open(stdin, QIODevice::ReadOnly)
                                                          : file.open(QIODevice::ReadOnly);
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
    // The tracker's own backup, by its chip: after a reset its Address is another, its identity is still its
    // own.
    const bool ownBackup = tracktune::isBackupOf(
        settings, tracktune::trackerIdentity(portShown(), session.lastStatusLine(), *dump).cpuId);
    const tracktune::ChangePlan plan
        = tracktune::planFile(settings.settings, *dump, request.identity || ownBackup, settings.lineOf);
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
    if (!noProblems(problems + silenceProblems(plan.writes, *dump) + hiddenBitProblems(plan)))
        return tracktune::exitUsage;
    if (plan.writes.isEmpty())
        return nothingToChange();
    if (request.dryRun) {
        report.insert(QStringLiteral("dryRun"), true);
        printChanges(tracktune::settingChanges(plan.writes, *dump, plan.writes));
        complain(QStringLiteral("dry run: nothing written"));
        return tracktune::exitDone;
    }
    return writeAndConfirm(plan.writes);
}

void TrackerCommands::printChanges(
    const QList<tracktune::SettingChange> &changes, const QList<tracktune::SettingChange> &byTracker)
{
    if (request.json) {
        report.insert(QStringLiteral("changes"), changesJson(changes));
        report.insert(QStringLiteral("changedByTracker"), changesJson(byTracker));
        return;
    }
    for (const tracktune::SettingChange &change : changes) {
        out << terminalText(change.name) << ": " << shownValue(change.name, change.before) << " -> "
            << shownValue(change.name, change.after);
        // Checked by the digits the tracker prints: the others cannot be seen.
        if (change.shownInPart) {
            const int digits = tracktune::hexDigitsOf(change.after.trimmed());
            out << " (written " << terminalText(change.written) << "; the tracker shows only its last "
                << (digits == 1 ? QStringLiteral("digit") : QStringLiteral("%1 digits").arg(digits)) << ')';
        }
        out << '\n';
    }
    for (const tracktune::SettingChange &change : byTracker)
        out << terminalText(change.name) << ": " << shownValue(change.name, change.before) << " -> "
            << shownValue(change.name, change.after) << " (changed by the tracker)\n";
}

QStringList TrackerCommands::hiddenBitProblems(const tracktune::ChangePlan &plan) const
{
    if (request.force)
        return {};
    QStringList problems;
    for (const QString &question : plan.hiddenBits)
        problems << question
                + QStringLiteral(", which may change a setting nobody can see; --force writes it");
    return problems;
}

QStringList TrackerCommands::silenceProblems(
    const QList<DumpLine> &writes, const QList<DumpLine> &reported) const
{
    const DumpLine *silencing = tracktune::silencingWrite(writes, tracktune::firmwareLineOf(reported));
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
