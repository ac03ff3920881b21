// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/changeplan.h"

#include "config/catalogue.h"
#include "config/nearestname.h"
#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/trackerstorage.h"
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

SettingValue writableValue(const DumpLine &setting, const QString &reported, FirmwareLine line)
{
    SettingValue value = settingValue(setting.name, setting.value, reported, line);
    if (value.problem.isEmpty())
        value.problem = refusalOf(setting.name, value.value);
    return value;
}

bool holdsAlready(const QString &name, const QString &value, const QString &reported)
{
    return !shownInPart(name, value, reported) && showsAsWritten(name, value, reported, reported);
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

bool transmitsNothing(const QString &maskValue, FirmwareLine line)
{
    const KnownParameter *known = findKnownParameter(QStringLiteral("TxProtMask"));
    if (!known || !known->options || !valueAsNumber(maskValue))
        return false;
    quint32 protocols = 0;
    for (int bit : optionsOn(*known, line)->keys())
        protocols |= quint32(bit);
    return (quint32(*valueAsNumber(maskValue)) & protocols) == 0;
}

const DumpLine *silencingWrite(const QList<DumpLine> &writes, FirmwareLine line)
{
    for (const DumpLine &write : writes) {
        if (write.name == QLatin1String("TxProtMask") && transmitsNothing(write.value, line))
            return &write;
    }
    return nullptr;
}

QStringList hiddenBitWrites(const QList<DumpLine> &writes, const QList<DumpLine> &reported)
{
    const FirmwareLine line = firmwareLineOf(reported);
    const SettingLookup tracker(reported);
    QStringList questions;
    for (const DumpLine &write : writes) {
        const DumpLine *current = tracker.find(write.name);
        const KnownParameter *known = findKnownParameter(write.name);
        if (!current || !known || !writesHiddenBits(write.name, write.value, current->value, line))
            continue;
        const int shown = hexDigitsOf(current->value.trimmed());
        questions << QStringLiteral("%1=%2: the tracker shows only %3 of its %4 digits; this also sets the "
                                    "digits it does not show")
                         .arg(write.name, write.value)
                         .arg(shown)
                         .arg(fieldHexDigits(*known, line));
    }
    return questions;
}

GatedWrites gateWrites(const QList<DumpLine> &settings, const QList<DumpLine> &reported)
{
    GatedWrites gated;
    const FirmwareLine line = firmwareLineOf(reported);
    const SettingLookup tracker(reported);
    for (const DumpLine &setting : settings) {
        const DumpLine *current = tracker.find(setting.name);
        const SettingValue value = current ? writableValue(setting, current->value, line) : SettingValue();
        QString reason = !current           ? setting.name + QStringLiteral(": the tracker did not list it")
            : describesDevice(setting.name) ? neverWrittenText(setting.name)
                                            : value.problem;
        if (reason.isEmpty() && value.value != oneLineValue(setting.value))
            reason
                = setting.name + QStringLiteral(": not in the form the tracker reads (%1)").arg(value.value);
        if (reason.isEmpty()) {
            gated.writes << setting;
            continue;
        }
        gated.refused << setting;
        gated.reasons << reason;
    }
    // The newer firmware resets the Address whenever AddrType is written, even to the type it
    // has: the Address the tracker holds goes out again after it, unless another is written.
    const DumpLine *address = tracker.find(addressName);
    if (line != FirmwareLine::Older && address && findSetting(gated.writes, addrTypeName)
        && !findSetting(gated.writes, addressName))
        gated.writes << DumpLine {addressName, address->value};
    gated.writes = writeOrder(gated.writes);
    return gated;
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
    const FirmwareLine line = firmwareLineOf(reported);
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
        const SettingValue value = writableValue(setting, current->value, line);
        if (!value.problem.isEmpty())
            plan.problems << value.problem;
        else if (holdsAlready(setting.name, value.value, current->value))
            // Nothing to change, and writing it may not be nothing: the newer firmware resets a
            // custom Address whenever AddrType is written.
            plan.skipped << setting.name + QStringLiteral(": the tracker already holds ") + current->value;
        else
            plan.writes << DumpLine {setting.name, value.value};
    }
    plan.writes = gateWrites(plan.writes, reported).writes;
    plan.hiddenBits = hiddenBitWrites(plan.writes, reported);
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
    const FirmwareLine line = firmwareLineOf(reported);
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
        const SettingValue value = writableValue(setting, current->value, line);
        if (!value.problem.isEmpty()) {
            plan.problems << value.problem;
            continue;
        }
        if (holdsAlready(setting.name, value.value, current->value))
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
    plan.hiddenBits = hiddenBitWrites(plan.writes, reported);
    return plan;
}

} // namespace tracktune
