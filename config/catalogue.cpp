#include "config/catalogue.h"

#include <QtGlobal>

#include <algorithm>

namespace tracktune {

const OptionLists &optionLists()
{
    static const OptionLists lists {
        {QStringLiteral("Unknown"), QStringLiteral("(Moto-)glider"), QStringLiteral("Tow plane"),
            QStringLiteral("Helicopter"), QStringLiteral("Parachute"), QStringLiteral("Drop plane"),
            QStringLiteral("hang-glider"), QStringLiteral("Para-glider"), QStringLiteral("Powered aircraft"),
            QStringLiteral("Jet aircraft"), QStringLiteral("UFO"), QStringLiteral("Balloon"),
            QStringLiteral("Airship"), QStringLiteral("UAV"), QStringLiteral("Ground support"),
            QStringLiteral("Static object")},
        {QStringLiteral("Random"), QStringLiteral("ICAO"), QStringLiteral("FLARM"), QStringLiteral("OGN")},
        {QStringLiteral("Automatic"), QStringLiteral("Europe"), QStringLiteral("USA/Canada"),
            QStringLiteral("South America /Australia")},
        {{10, QStringLiteral("LOW")}, {14, QStringLiteral("NORMAL")}, {22, QStringLiteral("HIGH")}},
        {{2, QStringLiteral("OGN")}, {4, QStringLiteral("ADS-L")}, {8, QStringLiteral("PilotAware")},
            {16, QStringLiteral("FANET")}, {128, QStringLiteral("RemoteID")}},
    };
    return lists;
}

QList<int> ascendingKeys(const QHash<int, QString> &options)
{
    QList<int> keys = options.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

QStringList textsInKeyOrder(const QHash<int, QString> &options)
{
    QStringList texts;
    for (int key : ascendingKeys(options))
        texts << options.value(key);
    return texts;
}

const QVector<KnownParameter> &knownParameters()
{
    const OptionLists &lists = optionLists();
    static const QVector<KnownParameter> parameters {
        {QStringLiteral("Reg"), kind::string, nullptr, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's registration, as other pilots see it")},
        {QStringLiteral("Address"), kind::string, nullptr, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The radio address the tracker sends, in hexadecimal")},
        {QStringLiteral("AddrType"), kind::select, &lists.addressTypes, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "Where the radio address comes from")},
        {QStringLiteral("AcftType"), kind::select, &lists.aircraftTypes, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The kind of aircraft, shown to other pilots")},
        {QStringLiteral("TxPower"), kind::stringHashInt, nullptr, &lists.txPowerLevels,
            QT_TRANSLATE_NOOP("KnownParameter", "How strongly the tracker transmits")},
        {QStringLiteral("FreqPlan"), kind::selectInt, &lists.frequencyPlans, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The radio frequencies of the region you fly in")},
        {QStringLiteral("TxProtMask"), kind::menuCheckboxMask, nullptr, &lists.txProtocols,
            QT_TRANSLATE_NOOP("KnownParameter", "Which radio protocols the tracker transmits")},
        {QStringLiteral("APN"), kind::string, nullptr, nullptr,
            QT_TRANSLATE_NOOP(
                "KnownParameter", "The access point of the mobile network, for a tracker with a modem")},
    };
    return parameters;
}

const KnownParameter *findKnownParameter(const QString &name)
{
    for (const KnownParameter &parameter : knownParameters()) {
        if (parameter.name == name)
            return &parameter;
    }
    return nullptr;
}

} // namespace tracktune
