// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/changeplan.h"

#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/valueencoding.h"
#include "config/verification.h"

namespace tracktune {

namespace {

// Why no sentence can carry the setting as it would be written, "Name: why"; empty when
// one can. Typed text is checked once read into the value form: "OGN,FANET" is a mask. A comma or "$" would
// smuggle a second parameter past every check.
QString refusalOf(const QString &name, const QString &value)
{
    const QString refusal = sentenceRefusal(name, value);
    return refusal.isEmpty() ? QString() : name + QStringLiteral(": ") + refusal;
}

// The value the setting writes over the tracker's, or why it cannot be written.
SettingValue writableValue(const DumpLine &setting, const QString &reported)
{
    SettingValue value = settingValue(setting.name, setting.value, reported);
    if (value.problem.isEmpty())
        value.problem = refusalOf(setting.name, value.value);
    return value;
}

} // namespace

bool isIdentityParameter(const QString &name)
{
    static const QStringList identity {QStringLiteral("Address"), QStringLiteral("Reg"),
        QStringLiteral("Pilot"), QStringLiteral("PilotID"), QStringLiteral("Crew"), QStringLiteral("ID"),
        QStringLiteral("SN"), QStringLiteral("BTname"), QStringLiteral("EncryptKey")};
    return identity.contains(name);
}

bool describesDevice(const QString &name)
{
    return name == QLatin1String("Hard") || name == QLatin1String("Soft");
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
            plan.problems << setting.name + QStringLiteral(" describes the device and is never written");
            continue;
        }
        const SettingValue value = writableValue(setting, current->value);
        if (!value.problem.isEmpty())
            plan.problems << value.problem;
        else
            plan.writes << DumpLine {setting.name, value.value};
    }
    return plan;
}

ChangePlan planFile(const QList<DumpLine> &file, const QList<DumpLine> &reported, bool writeIdentity)
{
    const DumpLine *fileAddress = findSetting(file, QStringLiteral("Address"));
    const DumpLine *trackerAddress = findSetting(reported, QStringLiteral("Address"));
    const bool sameAircraft
        = fileAddress && trackerAddress && reportsAsWritten(fileAddress->value, trackerAddress->value);
    QStringList identityKept;
    ChangePlan plan;
    const SettingLookup tracker(reported);
    for (const DumpLine &setting : lastValueWins(file)) {
        // The name first: a template line the tracker lacks is still no place for a smuggled one.
        if (const QString refusal = refusalOf(setting.name, QString()); !refusal.isEmpty()) {
            plan.problems << refusal;
            continue;
        }
        const DumpLine *current = tracker.find(setting.name);
        if (!current) {
            plan.skipped << setting.name + QStringLiteral(": the tracker has no such parameter, skipped");
            continue;
        }
        if (describesDevice(setting.name)) {
            if (!reportsAsWritten(setting.value, current->value))
                plan.skipped << setting.name + QStringLiteral(": describes the device, never written");
            continue;
        }
        const SettingValue value = writableValue(setting, current->value);
        if (!value.problem.isEmpty()) {
            plan.problems << value.problem;
            continue;
        }
        if (reportsAsWritten(value.value, current->value))
            continue;
        if (isIdentityParameter(setting.name) && !sameAircraft && !writeIdentity)
            identityKept << setting.name;
        else
            plan.writes << DumpLine {setting.name, value.value};
    }
    if (!identityKept.isEmpty()) {
        plan.skipped << QStringLiteral("kept the tracker's identity (the file is from another aircraft; "
                                       "--identity writes it): ")
                + identityKept.join(QStringLiteral(", "));
    }
    return plan;
}

} // namespace tracktune
