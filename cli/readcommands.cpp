// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that only read the tracker: ports, show and backup.
#include "trackercommands.h"

#include "backupfiles.h"
#include "jsonreport.h"

#include "config/catalogue.h"
#include "config/normalizedvalue.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/terminaltext.h"
#include "config/trackeridentity.h"
#include "config/valueencoding.h"
#include "link/portorder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

using tracktune::DumpLine;
using tracktune::isFolder;
using tracktune::lowerFirst;
using tracktune::terminalLines;
using tracktune::terminalText;

namespace {

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

} // namespace

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
        out << tracktune::jsonOutput(QJsonDocument(list));
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
        // What the tracker printed, and what it means whichever firmware line printed it.
        QJsonObject parameters;
        QJsonObject details;
        for (const DumpLine &entry : std::as_const(shown)) {
            parameters.insert(entry.name, entry.value);
            QJsonObject detail {{QStringLiteral("normalized"),
                QJsonValue::fromVariant(tracktune::normalizedValue(entry.name, entry.value))}};
            if (const QString text = tracktune::optionTextFor(entry.name, entry.value); !text.isEmpty())
                detail.insert(QStringLiteral("text"), text);
            details.insert(entry.name, detail);
        }
        QJsonObject document {{QStringLiteral("port"), portShown()},
            {QStringLiteral("parameters"), parameters}, {QStringLiteral("details"), details}};
        if (!address.isEmpty())
            document.insert(QStringLiteral("address"), address);
        out << tracktune::jsonOutput(QJsonDocument(document));
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
    } else if (!tracktune::isStandardStream(path)) {
        if (QFileInfo::exists(path) && !request.force)
            return existing(path);
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return cannotWrite(path, file.errorString());
    }
    const std::optional<QList<DumpLine>> dump = readTracker();
    if (!dump)
        return tracktune::exitNoTracker;
    // Told once the backup is as good as written.
    const auto tellUnrestorable = [this, &dump] {
        for (const DumpLine &entry : *dump) {
            const QString refusal = tracktune::sentenceRefusal(entry.name, entry.value);
            if (!refusal.isEmpty())
                complain(entry.name + QStringLiteral(" kept as a comment, not restorable: ") + refusal);
        }
    };
    const QDateTime when = tracktune::backupTime();
    const QString cpuId = tracktune::trackerIdentity(portShown(), session.lastStatusLine(), *dump).cpuId;
    const QString text = tracktune::formatSettingsFile(*dump, when, cpuId);
    if (tracktune::isStandardStream(path)) {
        tellUnrestorable();
        out << (outputIsTerminal ? terminalLines(text) : text);
        return tracktune::exitDone;
    }
    if (intoFolder) {
        // Two trackers of a fleet may print one Address (a cloned pair, a fresh batch): the
        // second takes a name of its own, and nothing overwrites the other's file.
        const tracktune::SavedBackup saved = tracktune::saveBackupInto(given,
            tracktune::backupFileNames(address, cpuId, portShown(), when.date()), text.toUtf8(),
            request.force);
        path = saved.path;
        switch (saved.outcome) {
        case tracktune::SavedBackup::Saved:
            tellUnrestorable();
            break;
        case tracktune::SavedBackup::Exists:
            return existing(path);
        case tracktune::SavedBackup::Taken:
            return cannotWrite(path,
                QStringLiteral(
                    "another tracker of this run took this name and every other one this tracker's "
                    "backup may have"));
        case tracktune::SavedBackup::Failed:
            return cannotWrite(path, saved.problem);
        }
    } else {
        tellUnrestorable();
        file.write(text.toUtf8());
        if (!file.commit())
            return cannotWrite(path, file.errorString());
    }
    report.insert(QStringLiteral("file"), path);
    report.insert(QStringLiteral("parameters"), int(dump->size()));
    if (!request.json)
        out << dump->size() << " parameters of " << terminalText(portShown()) << " saved to "
            << terminalText(path) << '\n';
    return tracktune::exitDone;
}
