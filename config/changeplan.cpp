#include "config/changeplan.h"

#include "config/settingsfile.h"
#include "config/settingvalue.h"
#include "config/verification.h"

namespace tracktune {

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
    for (const DumpLine &setting : lastValueWins(requested)) {
        const DumpLine *current = findSetting(reported, setting.name);
        if (!current) {
            plan.problems << QStringLiteral("the tracker has no parameter ") + setting.name;
            continue;
        }
        if (describesDevice(setting.name)) {
            plan.problems << setting.name + QStringLiteral(" describes the device and is never written");
            continue;
        }
        const SettingValue value = settingValue(setting.name, setting.value, current->value);
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
    for (const DumpLine &setting : lastValueWins(file)) {
        const DumpLine *current = findSetting(reported, setting.name);
        if (!current) {
            plan.skipped << setting.name + QStringLiteral(": the tracker has no such parameter, skipped");
            continue;
        }
        if (describesDevice(setting.name)) {
            if (!reportsAsWritten(setting.value, current->value))
                plan.skipped << setting.name + QStringLiteral(": describes the device, never written");
            continue;
        }
        const SettingValue value = settingValue(setting.name, setting.value, current->value);
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
