// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/catalogue.h"

#include <QtGlobal>

#include <algorithm>

namespace tracktune {

namespace {
// The core and the command line keep the English texts; the window shows them translated
// (context "Options"), so its editors go by index and key, never by text.
QString option(const char *text)
{
    return QString::fromUtf8(text);
}
} // namespace

const OptionLists &optionLists()
{
    static const OptionLists lists {
        {option(QT_TRANSLATE_NOOP("Options", "Unknown")),
            option(QT_TRANSLATE_NOOP("Options", "(Moto-)glider")),
            option(QT_TRANSLATE_NOOP("Options", "Tow plane")),
            option(QT_TRANSLATE_NOOP("Options", "Helicopter")),
            option(QT_TRANSLATE_NOOP("Options", "Parachute")),
            option(QT_TRANSLATE_NOOP("Options", "Drop plane")),
            option(QT_TRANSLATE_NOOP("Options", "hang-glider")),
            option(QT_TRANSLATE_NOOP("Options", "Para-glider")),
            option(QT_TRANSLATE_NOOP("Options", "Powered aircraft")),
            option(QT_TRANSLATE_NOOP("Options", "Jet aircraft")), option(QT_TRANSLATE_NOOP("Options", "UFO")),
            option(QT_TRANSLATE_NOOP("Options", "Balloon")), option(QT_TRANSLATE_NOOP("Options", "Airship")),
            option(QT_TRANSLATE_NOOP("Options", "UAV")),
            option(QT_TRANSLATE_NOOP("Options", "Ground support")),
            option(QT_TRANSLATE_NOOP("Options", "Static object"))},
        {option(QT_TRANSLATE_NOOP("Options", "Random")), option(QT_TRANSLATE_NOOP("Options", "ICAO")),
            option(QT_TRANSLATE_NOOP("Options", "FLARM")), option(QT_TRANSLATE_NOOP("Options", "OGN"))},
        {option(QT_TRANSLATE_NOOP("Options", "Automatic")), option(QT_TRANSLATE_NOOP("Options", "Europe")),
            option(QT_TRANSLATE_NOOP("Options", "USA/Canada")),
            option(QT_TRANSLATE_NOOP("Options", "South America /Australia")),
            option(QT_TRANSLATE_NOOP("Options", "New Zealand")),
            option(QT_TRANSLATE_NOOP("Options", "Israel"))},
        {{10, option(QT_TRANSLATE_NOOP("Options", "LOW"))},
            {14, option(QT_TRANSLATE_NOOP("Options", "NORMAL"))},
            {22, option(QT_TRANSLATE_NOOP("Options", "HIGH"))}},
        // Bit 0 is FLARM on newer firmware, unused on older; bit 8 only newer firmware has.
        {{1, option(QT_TRANSLATE_NOOP("Options", "FLARM"))}, {2, option(QT_TRANSLATE_NOOP("Options", "OGN"))},
            {4, option(QT_TRANSLATE_NOOP("Options", "ADS-L"))},
            {8, option(QT_TRANSLATE_NOOP("Options", "PilotAware"))},
            {16, option(QT_TRANSLATE_NOOP("Options", "FANET"))},
            {32, option(QT_TRANSLATE_NOOP("Options", "LoRaWAN"))},
            {64, option(QT_TRANSLATE_NOOP("Options", "ADS-B"))},
            {128, option(QT_TRANSLATE_NOOP("Options", "RemoteID"))},
            {256, option(QT_TRANSLATE_NOOP("Options", "Meshtastic"))}},
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
    using Role = ParameterRole;
    // A text parameter outside the standard view: only its role and description are known.
    const auto text = [](const char *name, Role role, const char *description) {
        return KnownParameter {QString::fromLatin1(name), ParameterKind::Text, nullptr, nullptr, description,
            role, nullptr, false};
    };
    static const QVector<KnownParameter> parameters {
        {QStringLiteral("Reg"), ParameterKind::Text, nullptr, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's registration, as other pilots see it"),
            Role::Identity},
        {QStringLiteral("Address"), ParameterKind::Text, nullptr, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The radio address the tracker sends, in hexadecimal"),
            Role::Identity},
        {QStringLiteral("AddrType"), ParameterKind::Select, &lists.addressTypes, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "Where the radio address comes from"), Role::Identity},
        {QStringLiteral("AcftType"), ParameterKind::Select, &lists.aircraftTypes, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The kind of aircraft, shown to other pilots")},
        {QStringLiteral("TxPower"), ParameterKind::StringHashInt, nullptr, &lists.txPowerLevels,
            QT_TRANSLATE_NOOP("KnownParameter", "How strongly the tracker transmits"), Role::Plain, "dBm"},
        {QStringLiteral("FreqPlan"), ParameterKind::SelectInt, &lists.frequencyPlans, nullptr,
            QT_TRANSLATE_NOOP("KnownParameter", "The radio frequencies of the region you fly in")},
        {QStringLiteral("TxProtMask"), ParameterKind::MenuCheckboxMask, nullptr, &lists.txProtocols,
            QT_TRANSLATE_NOOP("KnownParameter", "Which radio protocols the tracker transmits")},
        {QStringLiteral("APN"), ParameterKind::Text, nullptr, nullptr,
            QT_TRANSLATE_NOOP(
                "KnownParameter", "The access point of the mobile network, for a tracker with a modem")},
        text("Pilot", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The pilot's name")),
        text("PilotID", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The pilot's licence or number")),
        text("Crew", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "Who else flies on board")),
        text("ICE", Role::Identity,
            QT_TRANSLATE_NOOP("KnownParameter", "Whom to call in an emergency (in case of emergency)")),
        text(
            "ID", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The competition number or call sign")),
        text("Class", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The competition class")),
        text("Manuf", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "Who built the aircraft")),
        text("Model", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's model")),
        text("Type", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's type designator")),
        text("SN", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's serial number")),
        text("BTname", Role::Identity,
            QT_TRANSLATE_NOOP("KnownParameter", "The name the tracker shows to phones over Bluetooth")),
        text("EncryptKey", Role::Identity,
            QT_TRANSLATE_NOOP("KnownParameter", "The key that encrypts the position the tracker sends")),
        text("Hard", Role::NeverWritten,
            QT_TRANSLATE_NOOP("KnownParameter", "The tracker's hardware, as its firmware names it")),
        text("Soft", Role::NeverWritten,
            QT_TRANSLATE_NOOP("KnownParameter", "The tracker's firmware version")),
        text("TempCorr", Role::NeverWritten,
            QT_TRANSLATE_NOOP(
                "KnownParameter", "A temperature correction the tracker prints but does not take")),
        text("CONbaud", Role::LinkCritical,
            QT_TRANSLATE_NOOP(
                "KnownParameter", "The speed of the tracker's console, the link to this program")),
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

ParameterRole roleOf(const QString &name)
{
    const KnownParameter *known = findKnownParameter(name);
    return known ? known->role : ParameterRole::Plain;
}

} // namespace tracktune
