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
        {{2, option(QT_TRANSLATE_NOOP("Options", "OGN"))}, {4, option(QT_TRANSLATE_NOOP("Options", "ADS-L"))},
            {8, option(QT_TRANSLATE_NOOP("Options", "PilotAware"))},
            {16, option(QT_TRANSLATE_NOOP("Options", "FANET"))},
            {32, option(QT_TRANSLATE_NOOP("Options", "LoRaWAN"))},
            {64, option(QT_TRANSLATE_NOOP("Options", "ADS-B"))},
            {128, option(QT_TRANSLATE_NOOP("Options", "RemoteID"))}},
        // Bit 0 is spare in both lines: no protocol is received under it.
        {{2, option(QT_TRANSLATE_NOOP("Options", "OGN"))}, {4, option(QT_TRANSLATE_NOOP("Options", "ADS-L"))},
            {8, option(QT_TRANSLATE_NOOP("Options", "PilotAware"))},
            {16, option(QT_TRANSLATE_NOOP("Options", "FANET"))},
            {32, option(QT_TRANSLATE_NOOP("Options", "LoRaWAN"))},
            {64, option(QT_TRANSLATE_NOOP("Options", "ADS-B"))},
            {128, option(QT_TRANSLATE_NOOP("Options", "RemoteID"))}},
        {{1, option(QT_TRANSLATE_NOOP("Options", "GPS"))}, {2, option(QT_TRANSLATE_NOOP("Options", "SBAS"))},
            {4, option(QT_TRANSLATE_NOOP("Options", "Galileo"))},
            {8, option(QT_TRANSLATE_NOOP("Options", "BeiDou"))},
            {16, option(QT_TRANSLATE_NOOP("Options", "IMES"))},
            {32, option(QT_TRANSLATE_NOOP("Options", "QZSS"))},
            {64, option(QT_TRANSLATE_NOOP("Options", "GLONASS"))}},
        {option(QT_TRANSLATE_NOOP("Options", "Off")), option(QT_TRANSLATE_NOOP("Options", "On"))},
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
    // A text parameter outside the standard view, of at most maxLength characters.
    const auto text = [](const char *name, Role role, const char *description, int maxLength = 15) {
        KnownParameter known {QString::fromLatin1(name), ParameterKind::Text, nullptr, nullptr, description,
            role, nullptr, false};
        known.maxLength = maxLength;
        return known;
    };
    // A number outside the standard view, in tenths when decimals is 1.
    const auto number = [](const char *name, qint64 minimum, qint64 maximum, const char *description,
                            const char *unit = nullptr, Role role = Role::Plain, int decimals = 0) {
        KnownParameter known {QString::fromLatin1(name), ParameterKind::Number, nullptr, nullptr, description,
            role, unit, false};
        known.minimum = minimum;
        known.maximum = maximum;
        known.decimals = decimals;
        return known;
    };
    // A mask of a field this many bits wide (the tracker cuts a value to it).
    const auto mask = [](const char *name, const QHash<int, QString> &options, int bits,
                          const char *description, Role role = Role::Plain) {
        KnownParameter known {QString::fromLatin1(name), ParameterKind::MenuCheckboxMask, nullptr, &options,
            description, role, nullptr, false};
        known.maximum = (qint64(1) << bits) - 1;
        return known;
    };
    // The info texts the tracker keeps 16 bytes of; the 16th would run into the next text and
    // stop the info packets, so 15.
    static const QVector<KnownParameter> parameters = [&] {
        KnownParameter address = number("Address", 0, 0xFFFFFF,
            QT_TRANSLATE_NOOP("KnownParameter", "The radio address the tracker sends, in hexadecimal"),
            nullptr, Role::Identity);
        address.hexDigits = 6;
        address.everyday = true;
        KnownParameter encryptKey = text("EncryptKey", Role::Identity,
            QT_TRANSLATE_NOOP("KnownParameter", "The key that encrypts the position the tracker sends"), 0);
        encryptKey.pattern = "^[0-9A-Fa-f]{8}(:[0-9A-Fa-f]{8}){3}$";
        KnownParameter uploadUrl = text("UploadURL", Role::Plain,
            QT_TRANSLATE_NOOP("KnownParameter", "Where the tracker uploads its flight logs"), 127);
        uploadUrl.alsoTakes = ":";
        KnownParameter firmwareUrl = text("FirmwareURL", Role::Plain,
            QT_TRANSLATE_NOOP("KnownParameter", "Where the tracker fetches a firmware update over Wi-Fi"),
            127);
        firmwareUrl.alsoTakes = ":";
        KnownParameter apn {QStringLiteral("APN"), ParameterKind::Text, nullptr, nullptr,
            QT_TRANSLATE_NOOP(
                "KnownParameter", "The access point of the mobile network, for a tracker with a modem")};
        // The tracker clamps a power beyond these.
        KnownParameter txPower {QStringLiteral("TxPower"), ParameterKind::StringHashInt, nullptr,
            &lists.txPowerLevels,
            QT_TRANSLATE_NOOP("KnownParameter",
                "How strongly the tracker transmits; HIGH may be more than your region's rules allow"),
            Role::Plain, "dBm"};
        txPower.minimum = -32;
        txPower.maximum = 31;
        // An info text like the others, and one of the standard view.
        KnownParameter reg = text("Reg", Role::Identity,
            QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's registration, as other pilots see it"));
        reg.everyday = true;
        KnownParameter txProtocols = mask("TxProtMask", lists.txProtocols, 16,
            QT_TRANSLATE_NOOP("KnownParameter", "Which radio protocols the tracker transmits"));
        txProtocols.everyday = true;
        txProtocols.olderOptions = &lists.olderTxProtocols;
        QVector<KnownParameter> all {
            reg,
            address,
            {QStringLiteral("AddrType"), ParameterKind::Select, &lists.addressTypes, nullptr,
                QT_TRANSLATE_NOOP("KnownParameter", "Where the radio address comes from"), Role::Identity},
            {QStringLiteral("AcftType"), ParameterKind::Select, &lists.aircraftTypes, nullptr,
                QT_TRANSLATE_NOOP("KnownParameter", "The kind of aircraft, shown to other pilots")},
            txPower,
            {QStringLiteral("FreqPlan"), ParameterKind::SelectInt, &lists.frequencyPlans, nullptr,
                QT_TRANSLATE_NOOP("KnownParameter", "The radio frequencies of the region you fly in")},
            txProtocols,
            apn,
            text("Pilot", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The pilot's name")),
            text("PilotID", Role::Identity,
                QT_TRANSLATE_NOOP("KnownParameter", "The pilot's licence or number")),
            text("Crew", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "Who else flies on board")),
            text("ICE", Role::Identity,
                QT_TRANSLATE_NOOP("KnownParameter", "Whom to call in an emergency (in case of emergency)")),
            text("ID", Role::Identity,
                QT_TRANSLATE_NOOP("KnownParameter", "The competition number or call sign")),
            text("Class", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The competition class")),
            text("Manuf", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "Who built the aircraft")),
            text("Model", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's model")),
            text("Type", Role::Identity,
                QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's type designator")),
            text("SN", Role::Identity, QT_TRANSLATE_NOOP("KnownParameter", "The aircraft's serial number")),
            text("Task", Role::Plain, QT_TRANSLATE_NOOP("KnownParameter", "The competition task")),
            text("Base", Role::Plain, QT_TRANSLATE_NOOP("KnownParameter", "Your home airfield")),
            text("BTname", Role::Identity,
                QT_TRANSLATE_NOOP("KnownParameter", "The name the tracker shows to phones over Bluetooth")),
            encryptKey,
            text("Hard", Role::NeverWritten,
                QT_TRANSLATE_NOOP("KnownParameter", "The tracker's hardware, as its firmware names it")),
            text("Soft", Role::NeverWritten,
                QT_TRANSLATE_NOOP("KnownParameter", "The tracker's firmware version")),
            number("TempCorr", -8, 7,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "A temperature correction the tracker prints but does not take"),
                "degC", Role::NeverWritten),
            number("CONbaud", 2400, 921600,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "The speed of the tracker's console, the link to this program"),
                "bps", Role::LinkCritical),
            number("Stealth", 0, 1,
                QT_TRANSLATE_NOOP("KnownParameter", "Asks the receivers to hide your track (1: hide)")),
            number("Ghost", 0, 3,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "Transmits your position only while other traffic is heard (0: off)")),
            number("CONprot", 0, 0xFF,
                QT_TRANSLATE_NOOP("KnownParameter", "Which data the console sends; no firmware reads it yet"),
                nullptr, Role::Lossy),
            number("TxHW", 0, 1,
                QT_TRANSLATE_NOOP("KnownParameter", "The radio is a high-power RFM69HW module (1: yes)")),
            mask("RxProtMask", lists.rxProtocols, 16,
                QT_TRANSLATE_NOOP("KnownParameter", "Which radio protocols the tracker listens to"),
                Role::Lossy),
            number("FreqCorr", -2048, 2047,
                QT_TRANSLATE_NOOP("KnownParameter", "Corrects the radio's crystal, if its frequency is off"),
                "ppm", Role::Plain, 1),
            number("PressCorr", -81920, 81915,
                QT_TRANSLATE_NOOP("KnownParameter", "Corrects the barometer's pressure reading"), "Pa",
                Role::Plain, 1),
            number("TimeCorr", -4, 3,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "Seconds added to the GPS time, for an autopilot's clock"),
                "s"),
            number("GeoidSepar", -32768, 32767,
                QT_TRANSLATE_NOOP("KnownParameter",
                    "Height of the geoid above the ellipsoid, used when manGeoidSepar is 1"),
                "m", Role::Plain, 1),
            number("manGeoidSepar", 0, 1,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "Use GeoidSepar instead of the GPS's own value (1: yes)")),
            number("NavMode", 0, 7,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "The GPS's motion model (6: airborne on u-blox receivers)")),
            number("NavRate", 0, 7,
                QT_TRANSLATE_NOOP("KnownParameter", "GPS fixes per second (0: leave the GPS as it is)")),
            number("Encrypt", 0, 1,
                QT_TRANSLATE_NOOP("KnownParameter", "Encrypt the position with EncryptKey (1: yes)")),
            number("Verbose", 0, 3,
                QT_TRANSLATE_NOOP("KnownParameter", "How much extra the console prints (0: nothing)")),
            mask("GNSS", lists.satelliteSystems, 8,
                QT_TRANSLATE_NOOP("KnownParameter", "Which satellite systems the GPS uses")),
            number("PageMask", 0, 0x7FFFFFF,
                QT_TRANSLATE_NOOP("KnownParameter", "Which pages the tracker's display shows, one bit each"),
                nullptr, Role::Lossy),
            number("InitialPage", 0, 31,
                QT_TRANSLATE_NOOP("KnownParameter", "The display page shown after switching on")),
            number("AltitudeUnit", 0, 3,
                QT_TRANSLATE_NOOP("KnownParameter", "Altitude on the display (0: metres, 1: feet)")),
            number("SpeedUnit", 0, 3,
                QT_TRANSLATE_NOOP("KnownParameter", "Speed on the display (0: km/h, 1: knots)")),
            number("VarioUnit", 0, 3,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "Climb rate on the display (0: m/s, 1: feet per minute)")),
            number("PPSdelay", 0, 255,
                QT_TRANSLATE_NOOP("KnownParameter", "How long after the GPS's time pulse its data arrives"),
                "ms"),
            text("APname", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The name of the tracker's own Wi-Fi network")),
            text("APpass", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The password of the tracker's own Wi-Fi network")),
            number("APport", 1, 65535,
                QT_TRANSLATE_NOOP("KnownParameter", "The port the tracker's Wi-Fi network sends data on")),
            number("APchan", 1, 13,
                QT_TRANSLATE_NOOP("KnownParameter", "The channel of the tracker's Wi-Fi network")),
            number("APtxPwr", 0, 200,
                QT_TRANSLATE_NOOP("KnownParameter", "How strongly the tracker's Wi-Fi network transmits"),
                "dBm", Role::Plain, 1),
            text("StratuxWIFI", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The Wi-Fi network of the Stratux the tracker joins"),
                31),
            text("StratuxPass", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The password of the Stratux's Wi-Fi network"), 31),
            text("StratuxHost", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The address of the Stratux on its network"), 31),
            number("StratuxPort", 1, 65535,
                QT_TRANSLATE_NOOP("KnownParameter", "The port the tracker sends to the Stratux on")),
            number("StratuxTxPwr", 0, 200,
                QT_TRANSLATE_NOOP("KnownParameter", "How strongly the tracker transmits to the Stratux"),
                "dBm", Role::Plain, 1),
            number("StratuxMinSig", -90, 0,
                QT_TRANSLATE_NOOP(
                    "KnownParameter", "The weakest Stratux signal the tracker stays connected at"),
                "dBm"),
            uploadUrl,
            firmwareUrl,
        };
        static const QStringList switched {QStringLiteral("Stealth"), QStringLiteral("TxHW"),
            QStringLiteral("manGeoidSepar"), QStringLiteral("Encrypt")};
        for (KnownParameter &known : all) {
            if (switched.contains(known.name))
                known.list = &lists.switches;
            // The older firmware's display mask is 21 bits wide, the newer one's 27.
            if (known.name == QLatin1String("PageMask"))
                known.olderMaximum = 0x1FFFFF;
            if (known.name == QLatin1String("PressCorr"))
                known.storage = Storage::QuartersCut;
            else if (known.name.endsWith(QLatin1String("TxPwr"), Qt::CaseInsensitive))
                known.storage = Storage::QuartersRounded;
            static const QStringList infoTexts {QStringLiteral("Pilot"), QStringLiteral("Manuf"),
                QStringLiteral("Model"), QStringLiteral("Type"), QStringLiteral("SN"), QStringLiteral("Reg"),
                QStringLiteral("ID"), QStringLiteral("Class"), QStringLiteral("Task"), QStringLiteral("Base"),
                QStringLiteral("ICE"), QStringLiteral("PilotID"), QStringLiteral("Hard"),
                QStringLiteral("Soft"), QStringLiteral("Crew")};
            known.escapes = infoTexts.contains(known.name);
        }
        // Up to ten Wi-Fi networks to join, each printed only when it has a name.
        for (int network = 0; network < 10; ++network) {
            KnownParameter name = text("WIFIname", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "A Wi-Fi network the tracker joins"), 31);
            name.name += QString::number(network);
            KnownParameter password = text("WIFIpass", Role::LinkCritical,
                QT_TRANSLATE_NOOP("KnownParameter", "The password of a Wi-Fi network the tracker joins"), 63);
            password.name += QString::number(network);
            all << name << password;
        }
        return all;
    }();
    return parameters;
}

const QHash<int, QString> *optionsOn(const KnownParameter &known, FirmwareLine line)
{
    return line == FirmwareLine::Older && known.olderOptions ? known.olderOptions : known.options;
}

qint64 maximumOn(const KnownParameter &known, FirmwareLine line)
{
    return line == FirmwareLine::Older && known.olderMaximum > 0 ? known.olderMaximum : known.maximum;
}

const char *labelOf(const QString &name)
{
    // A pilot's words for each name (context "ParameterLabel"); the Wi-Fi networks share theirs.
    static const QHash<QString, const char *> labels {
        {QStringLiteral("Reg"), QT_TRANSLATE_NOOP("ParameterLabel", "Registration")},
        {QStringLiteral("Address"), QT_TRANSLATE_NOOP("ParameterLabel", "Radio address")},
        {QStringLiteral("AddrType"), QT_TRANSLATE_NOOP("ParameterLabel", "Address type")},
        {QStringLiteral("AcftType"), QT_TRANSLATE_NOOP("ParameterLabel", "Aircraft type")},
        {QStringLiteral("TxPower"), QT_TRANSLATE_NOOP("ParameterLabel", "Transmit power")},
        {QStringLiteral("FreqPlan"), QT_TRANSLATE_NOOP("ParameterLabel", "Frequency plan")},
        {QStringLiteral("TxProtMask"), QT_TRANSLATE_NOOP("ParameterLabel", "Protocols sent")},
        {QStringLiteral("APN"), QT_TRANSLATE_NOOP("ParameterLabel", "Mobile access point")},
        {QStringLiteral("Pilot"), QT_TRANSLATE_NOOP("ParameterLabel", "Pilot")},
        {QStringLiteral("PilotID"), QT_TRANSLATE_NOOP("ParameterLabel", "Pilot ID")},
        {QStringLiteral("Crew"), QT_TRANSLATE_NOOP("ParameterLabel", "Crew")},
        {QStringLiteral("ICE"), QT_TRANSLATE_NOOP("ParameterLabel", "Emergency contact")},
        {QStringLiteral("ID"), QT_TRANSLATE_NOOP("ParameterLabel", "Competition ID")},
        {QStringLiteral("Class"), QT_TRANSLATE_NOOP("ParameterLabel", "Competition class")},
        {QStringLiteral("Manuf"), QT_TRANSLATE_NOOP("ParameterLabel", "Manufacturer")},
        {QStringLiteral("Model"), QT_TRANSLATE_NOOP("ParameterLabel", "Aircraft model")},
        {QStringLiteral("Type"), QT_TRANSLATE_NOOP("ParameterLabel", "Type designator")},
        {QStringLiteral("SN"), QT_TRANSLATE_NOOP("ParameterLabel", "Serial number")},
        {QStringLiteral("Task"), QT_TRANSLATE_NOOP("ParameterLabel", "Task")},
        {QStringLiteral("Base"), QT_TRANSLATE_NOOP("ParameterLabel", "Home airfield")},
        {QStringLiteral("BTname"), QT_TRANSLATE_NOOP("ParameterLabel", "Bluetooth name")},
        {QStringLiteral("EncryptKey"), QT_TRANSLATE_NOOP("ParameterLabel", "Encryption key")},
        {QStringLiteral("Hard"), QT_TRANSLATE_NOOP("ParameterLabel", "Hardware")},
        {QStringLiteral("Soft"), QT_TRANSLATE_NOOP("ParameterLabel", "Firmware version")},
        {QStringLiteral("TempCorr"), QT_TRANSLATE_NOOP("ParameterLabel", "Temperature correction")},
        {QStringLiteral("CONbaud"), QT_TRANSLATE_NOOP("ParameterLabel", "Console speed")},
        {QStringLiteral("Stealth"), QT_TRANSLATE_NOOP("ParameterLabel", "Hide my track")},
        {QStringLiteral("Ghost"), QT_TRANSLATE_NOOP("ParameterLabel", "Ghost mode")},
        {QStringLiteral("CONprot"), QT_TRANSLATE_NOOP("ParameterLabel", "Console protocols")},
        {QStringLiteral("TxHW"), QT_TRANSLATE_NOOP("ParameterLabel", "High-power radio")},
        {QStringLiteral("RxProtMask"), QT_TRANSLATE_NOOP("ParameterLabel", "Protocols received")},
        {QStringLiteral("FreqCorr"), QT_TRANSLATE_NOOP("ParameterLabel", "Frequency correction")},
        {QStringLiteral("PressCorr"), QT_TRANSLATE_NOOP("ParameterLabel", "Pressure correction")},
        {QStringLiteral("TimeCorr"), QT_TRANSLATE_NOOP("ParameterLabel", "Time correction")},
        {QStringLiteral("GeoidSepar"), QT_TRANSLATE_NOOP("ParameterLabel", "Geoid separation")},
        {QStringLiteral("manGeoidSepar"), QT_TRANSLATE_NOOP("ParameterLabel", "Manual geoid separation")},
        {QStringLiteral("NavMode"), QT_TRANSLATE_NOOP("ParameterLabel", "GPS motion model")},
        {QStringLiteral("NavRate"), QT_TRANSLATE_NOOP("ParameterLabel", "GPS fix rate")},
        {QStringLiteral("Encrypt"), QT_TRANSLATE_NOOP("ParameterLabel", "Encryption")},
        {QStringLiteral("Verbose"), QT_TRANSLATE_NOOP("ParameterLabel", "Console output")},
        {QStringLiteral("GNSS"), QT_TRANSLATE_NOOP("ParameterLabel", "Satellite systems")},
        {QStringLiteral("PageMask"), QT_TRANSLATE_NOOP("ParameterLabel", "Display pages")},
        {QStringLiteral("InitialPage"), QT_TRANSLATE_NOOP("ParameterLabel", "First display page")},
        {QStringLiteral("AltitudeUnit"), QT_TRANSLATE_NOOP("ParameterLabel", "Altitude unit")},
        {QStringLiteral("SpeedUnit"), QT_TRANSLATE_NOOP("ParameterLabel", "Speed unit")},
        {QStringLiteral("VarioUnit"), QT_TRANSLATE_NOOP("ParameterLabel", "Climb rate unit")},
        {QStringLiteral("PPSdelay"), QT_TRANSLATE_NOOP("ParameterLabel", "GPS data delay")},
        {QStringLiteral("APname"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi name")},
        {QStringLiteral("APpass"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi password")},
        {QStringLiteral("APport"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi data port")},
        {QStringLiteral("APchan"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi channel")},
        {QStringLiteral("APtxPwr"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi power")},
        {QStringLiteral("StratuxWIFI"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux Wi-Fi")},
        {QStringLiteral("StratuxPass"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux password")},
        {QStringLiteral("StratuxHost"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux address")},
        {QStringLiteral("StratuxPort"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux port")},
        {QStringLiteral("StratuxTxPwr"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux Wi-Fi power")},
        {QStringLiteral("StratuxMinSig"), QT_TRANSLATE_NOOP("ParameterLabel", "Stratux minimum signal")},
        {QStringLiteral("UploadURL"), QT_TRANSLATE_NOOP("ParameterLabel", "Log upload address")},
        {QStringLiteral("FirmwareURL"), QT_TRANSLATE_NOOP("ParameterLabel", "Firmware download address")},
        {QStringLiteral("WIFIname"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi network")},
        {QStringLiteral("WIFIpass"), QT_TRANSLATE_NOOP("ParameterLabel", "Wi-Fi network password")},
    };
    QString key = name;
    if (key.startsWith(QLatin1String("WIFIname")) || key.startsWith(QLatin1String("WIFIpass")))
        key.truncate(8);
    return labels.value(key, nullptr);
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
