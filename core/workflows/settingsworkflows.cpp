// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflows/settingsworkflows.h"

#include "config/backups.h"
#include "config/changeplan.h"
#include "config/pilotwords.h"
#include "config/settingsfile.h"
#include "config/valueencoding.h"

#include <QDateTime>
#include <QDir>

namespace tracktune {

namespace {

QString valueOf(const QList<DumpLine> &entries, const QString &name)
{
    const DumpLine *entry = findSetting(entries, name);
    return entry ? entry->value : QString();
}

} // namespace

void SaveSettings::run()
{
    window.clearNote();
    // What the tracker holds is saved, not what the pilot has yet to apply.
    // Said above the table, where it is read whole while the file is chosen; a dialog's title
    // would be cut.
    const int pending = int(window.pendingChanges().size());
    if (pending > 0) {
        window.note(WorkflowQuestions::Note::Warning,
            tr("The %n change(s) not yet applied are not saved: the file gets what the tracker holds.",
                nullptr, pending));
    }
    const QString suggested
        = backupsFolder() + QLatin1Char('/') + settingsFileName(held.identity.address, QDate::currentDate());
    const QString path = window.chooseFile(
        WorkflowQuestions::FileChoice::Save, tr("Save settings"), suggested, tr("Settings files (*.txt)"));
    if (path.isEmpty() || !stillHeld(tr("while you chose the file"), tr("Nothing was saved.")))
        return;
    const QString error
        = writeSettingsFile(path, held.list, QDateTime::currentDateTime(), held.identity.cpuId);
    if (!error.isEmpty()) {
        window.showStatus(tr("Settings not saved"));
        window.ask({Box::Critical, tr("Settings not saved"),
            tr("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error), Box::Ok, Box::Ok});
        return;
    }
    window.showStatus(tr("Settings saved"));
    window.note(
        WorkflowQuestions::Note::Information, tr("Settings saved to:"), QDir::toNativeSeparators(path));
}

std::optional<LoadSettings::Chosen> LoadSettings::chooseFile(WorkflowQuestions &window)
{
    const QString path = window.chooseFile(WorkflowQuestions::FileChoice::Open, tr("Load settings"),
        backupsFolder(), tr("Settings files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return std::nullopt;
    SettingsFile file = readSettingsFile(path);
    if (!file.problem.isEmpty()) {
        window.ask({Box::Critical, tr("Load settings"),
            tr("%1 cannot be loaded: %2").arg(QDir::toNativeSeparators(path), file.problem), Box::Ok,
            Box::Ok});
        return std::nullopt;
    }
    return Chosen {path, std::move(file)};
}

void LoadSettings::run()
{
    window.clearNote();
    const std::optional<Chosen> chosen = chooseFile(window);
    if (!chosen)
        return;
    const QString &path = chosen->path;
    const SettingsFile &settings = chosen->file;
    const QString nothingMarked = tr("Nothing was loaded.");
    if (!stillHeld(tr("while you chose the file"), nothingMarked))
        return;
    // Another aircraft's identity only when the pilot says so: two trackers with one address
    // are a hazard in the air. A template names no aircraft, and its identity lines are asked too.
    // The tracker's own backup is known by its chip, whose id outlives a reset of the Address.
    ChangePlan plan
        = planFile(settings.settings, held.list, isBackupOf(settings, held.identity.cpuId), settings.lineOf);
    if (!plan.identityKept.isEmpty()) {
        const QString names = labelsInWords(plan.identityKept);
        const QString none = tr("none");
        const auto shown = [&none](const QString &value) { return value.isEmpty() ? none : value; };
        const QString question = plan.isTemplate
            ? tr("This file is a template: it names no Address. Take its identity settings too (%1)?")
                  .arg(names)
            : tr("This file is from another aircraft (address %1, registration %2); this tracker has address "
                 "%3, registration %4. Take its identity too (%5)? No leaves these as the tracker has them.")
                  .arg(valueOf(settings.settings, QStringLiteral("Address")),
                      shown(decodedText(valueOf(settings.settings, QStringLiteral("Reg")))),
                      valueOf(held.list, QStringLiteral("Address")),
                      shown(decodedText(valueOf(held.list, QStringLiteral("Reg")))), names);
        const bool takeIdentity
            = window.ask({Box::Question, tr("Load settings"), question, Box::Yes | Box::No, Box::No})
            == Box::Yes;
        if (!stillHeld(tr("while the question was open"), nothingMarked))
            return;
        if (takeIdentity)
            plan = planFile(settings.settings, held.list, true, settings.lineOf);
    }
    // A misspelled name is told with its line and the name the tracker has.
    QStringList missing;
    for (const MissingName &name : std::as_const(plan.missing)) {
        const QString line = name.line > 0 ? tr("line %1: ").arg(name.line) : QString();
        missing << line
                + (name.catalogued
                        ? tr("%1 (a parameter this tracker's firmware does not have)").arg(name.name)
                        : name.nearest.isEmpty() ? name.name
                                                 : tr("%1 (did you mean %2?)").arg(name.name, name.nearest));
    }
    const QStringList refused = plan.problems + settings.notRestorable;
    QStringList told;
    if (!missing.isEmpty())
        told << tr("The tracker has no parameter of these names; they are skipped:\n%1")
                    .arg(missing.join(QLatin1Char('\n')));
    if (!refused.isEmpty())
        told << tr("These values are not taken:\n%1").arg(refused.join(QLatin1Char('\n')));
    if (!told.isEmpty()) {
        window.ask({Box::Warning, tr("Load settings"), told.join(QStringLiteral("\n\n")), Box::Ok, Box::Ok});
        if (!stillHeld(tr("while the message was open"), nothingMarked))
            return;
    }
    window.markChanges(plan.writes);
    const QString shownPath = QDir::toNativeSeparators(path);
    using Note = WorkflowQuestions::Note;
    if (!plan.writes.isEmpty())
        window.note(Note::Information,
            tr("%n setting(s) loaded: Apply writes them to the tracker. From:", nullptr,
                int(plan.writes.size())),
            shownPath);
    else if (missing.isEmpty() && refused.isEmpty() && plan.identityKept.isEmpty())
        window.note(Note::Information, tr("The tracker already holds the settings of this file:"), shownPath);
    else
        window.note(Note::Warning, tr("Nothing loaded from:"), shownPath);
}

} // namespace tracktune
