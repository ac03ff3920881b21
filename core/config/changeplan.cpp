// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/changeplan.h"

#include "config/catalogue.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/valueencoding.h"
#include "config/verification.h"

#include <algorithm>

namespace tracktune {

namespace {

const QString addressName = QStringLiteral("Address");
const QString addrTypeName = QStringLiteral("AddrType");

// Why no sentence can carry the setting as it would be written, "Name: why"; empty when
// one can. Typed text is checked once read into the value form: "OGN,FANET" is a mask. A comma or "$" would
// smuggle a second parameter past every check.
QString refusalOf(const QString &name, const QString &value)
{
    const QString refusal = sentenceRefusal(name, value);
    return refusal.isEmpty() ? QString() : name + QStringLiteral(": ") + refusal;
}

QString neverWrittenText(const QString &name)
{
    return name + QStringLiteral(" is never written: the tracker prints it but does not take it from here");
}

// Whether writing this parameter makes the tracker change another one.
bool resetsAnother(const QString &name)
{
    return name == addrTypeName;
}

} // namespace

SettingValue writableValue(const DumpLine &setting, const QString &reported)
{
    SettingValue value = settingValue(setting.name, setting.value, reported);
    if (value.problem.isEmpty())
        value.problem = refusalOf(setting.name, value.value);
    return value;
}

bool isIdentityParameter(const QString &name)
{
    return roleOf(name) == ParameterRole::Identity;
}

bool describesDevice(const QString &name)
{
    return roleOf(name) == ParameterRole::NeverWritten;
}

QList<DumpLine> writeOrder(const QList<DumpLine> &settings)
{
    QList<DumpLine> ordered = settings;
    std::stable_partition(
        ordered.begin(), ordered.end(), [](const DumpLine &setting) { return resetsAnother(setting.name); });
    return ordered;
}

bool transmitsNothing(const QString &maskValue)
{
    const KnownParameter *known = findKnownParameter(QStringLiteral("TxProtMask"));
    if (!known || !known->options || !valueAsNumber(maskValue))
        return false;
    quint32 protocols = 0;
    for (int bit : known->options->keys())
        protocols |= quint32(bit);
    return (quint32(*valueAsNumber(maskValue)) & protocols) == 0;
}

const DumpLine *silencingWrite(const QList<DumpLine> &writes)
{
    for (const DumpLine &write : writes) {
        if (write.name == QLatin1String("TxProtMask") && transmitsNothing(write.value))
            return &write;
    }
    return nullptr;
}

QString missingNameText(const MissingName &missing)
{
    QString text = missing.line > 0 ? QStringLiteral("line %1: ").arg(missing.line) : QString();
    text += missing.name;
    if (missing.catalogued)
        return text + QStringLiteral(": a parameter this tracker's firmware does not have, skipped");
    text += QStringLiteral(": the tracker has no such parameter");
    if (!missing.nearest.isEmpty())
        text += QStringLiteral("; did you mean ") + missing.nearest + QLatin1Char('?');
    return text;
}

ChangePlan planSettings(const QList<DumpLine> &requested, const QList<DumpLine> &reported)
{
    ChangePlan plan;
    const SettingLookup tracker(reported);
    for (const DumpLine &setting : lastValueWins(requested)) {
        // The name first: a template line the tracker lacks is still no place for a smuggled one.
        if (const QString refusal = refusalOf(setting.name, QString()); !refusal.isEmpty()) {
            plan.problems << refusal;
            continue;
        }
        const DumpLine *current = tracker.find(setting.name);
        if (!current) {
            plan.problems << QStringLiteral("the tracker has no parameter ") + setting.name;
            continue;
        }
        if (describesDevice(setting.name)) {
            plan.problems << neverWrittenText(setting.name);
            continue;
        }
        const SettingValue value = writableValue(setting, current->value);
        if (!value.problem.isEmpty())
            plan.problems << value.problem;
        else if (reportsAsWritten(value.value, current->value))
            // Nothing to change, and writing it may not be nothing: the newer firmware resets a
            // custom Address whenever AddrType is written.
            plan.skipped << setting.name + QStringLiteral(": the tracker already holds ") + current->value;
        else
            plan.writes << DumpLine {setting.name, value.value};
    }
    plan.writes = writeOrder(plan.writes);
    return plan;
}

ChangePlan planFile(const QList<DumpLine> &file, const QList<DumpLine> &reported, bool writeIdentity,
    const QHash<QString, int> &lineOf)
{
    const DumpLine *fileAddress = findSetting(file, addressName);
    const DumpLine *trackerAddress = findSetting(reported, addressName);
    const bool sameAircraft
        = fileAddress && trackerAddress && reportsAsWritten(fileAddress->value, trackerAddress->value);
    const bool identityWritten = sameAircraft || writeIdentity;
    ChangePlan plan;
    plan.isTemplate = !fileAddress;
    QStringList trackerNames;
    for (const DumpLine &entry : reported)
        trackerNames << entry.name;
    const SettingLookup tracker(reported);
    for (const DumpLine &setting : lastValueWins(file)) {
        // The name first: a template line the tracker lacks is still no place for a smuggled one.
        if (const QString refusal = refusalOf(setting.name, QString()); !refusal.isEmpty()) {
            plan.problems << refusal;
            continue;
        }
        const DumpLine *current = tracker.find(setting.name);
        if (!current) {
            plan.missing << MissingName {setting.name, lineOf.value(setting.name),
                nearestName(setting.name, trackerNames), findKnownParameter(setting.name) != nullptr};
            continue;
        }
        if (describesDevice(setting.name)) {
            if (!reportsAsWritten(setting.value, current->value))
                plan.skipped << setting.name + QStringLiteral(": never written, left as the tracker has it");
            continue;
        }
        // What a file holds of it was printed short or rounded: writing it back could change what
        // the tracker holds, so only a value set by hand is written. Not checked either: a rounded
        // value the tracker printed ("PressCorr = +1.2") must not refuse the whole file.
        if (roleOf(setting.name) == ParameterRole::Lossy) {
            if (!reportsAsWritten(setting.value, current->value))
                plan.skipped << setting.name
                        + QStringLiteral(
                            ": the tracker prints it short or rounded, so a file's value is not written; "
                            "set it by hand to change it");
            continue;
        }
        const SettingValue value = writableValue(setting, current->value);
        if (!value.problem.isEmpty()) {
            plan.problems << value.problem;
            continue;
        }
        if (reportsAsWritten(value.value, current->value))
            continue;
        if (isIdentityParameter(setting.name) && !identityWritten)
            plan.identityKept << setting.name;
        else
            plan.writes << DumpLine {setting.name, value.value};
    }
    // Writing the type may reset the Address: the file's Address is written after it, also
    // when the tracker holds it now.
    if (identityWritten && fileAddress && findSetting(plan.writes, addrTypeName)
        && !findSetting(plan.writes, addressName) && tracker.find(addressName))
        plan.writes << DumpLine {addressName, fileAddress->value};
    if (!plan.identityKept.isEmpty()) {
        plan.skipped << (plan.isTemplate
                                ? QStringLiteral(
                                    "kept the tracker's identity (the file is a template without an Address; "
                                    "--identity writes it): ")
                                : QStringLiteral(
                                    "kept the tracker's identity (the file is from another aircraft; "
                                    "--identity writes it): "))
                + plan.identityKept.join(QStringLiteral(", "));
    }
    plan.writes = writeOrder(plan.writes);
    return plan;
}

} // namespace tracktune
