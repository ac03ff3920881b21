// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tracktune {

// The kinds of value a known parameter has; each fixes its editor and its encoding. The
// tracker's own descriptions call them "String", "Select", "SelectInt", "StringHashInt+" and
// "MenuCheckboxMask"; nothing reads or prints those names.
enum class ParameterKind {
    Text, // any text, as typed
    Select, // hex index into a list
    SelectInt, // decimal index into a list
    StringHashInt, // signed number, snapped to a level
    MenuCheckboxMask, // hex bit mask
    Number, // a number in a range, as the tracker prints it (hex, signed, or with one decimal)
};

// The texts the device's codes stand for; list index or table key = the device's number.
// English, as the command line reads and prints them; the window shows them translated
// (context "Options").
struct OptionLists
{
    QStringList aircraftTypes;
    QStringList addressTypes;
    QStringList frequencyPlans;
    QHash<int, QString> txPowerLevels;
    QHash<int, QString> txProtocols;
    // The older firmware's: its bit 0 is a spare, and it has no Meshtastic.
    QHash<int, QString> olderTxProtocols;
    QHash<int, QString> rxProtocols;
    QHash<int, QString> satelliteSystems;
    QStringList switches; // a number that is 0 or 1
};

const OptionLists &optionLists();

// How the tracker keeps a number it prints in tenths.
enum class Storage {
    Tenths,
    // In quarters, the tenths typed cut towards zero on the way in (PressCorr).
    QuartersCut,
    // In quarters, the tenths typed rounded on the way in (the Wi-Fi powers).
    QuartersRounded,
};

// What a parameter is to the aircraft and to the link, beyond its value.
enum class ParameterRole {
    Plain,
    // Makes this aircraft this aircraft (and its pilot theirs): two trackers sending one
    // radio address are a hazard, so it comes from another aircraft's file only on request.
    Identity,
    // Printed by the tracker but never written: it describes the device, or the tracker
    // does not take it.
    NeverWritten,
    // Changing it cuts the link this program talks over.
    LinkCritical,
    // Printed with fewer digits than it holds, or rounded: writing back what was printed can
    // change it, so it is written only when the pilot changed it by hand, never from a file.
    Lossy,
};

// One parameter the program knows by name.
struct KnownParameter
{
    QString name;
    ParameterKind kind;
    // Set for Select and SelectInt; for a Number, the texts of its values 0, 1, ...; else null.
    const QStringList *list;
    const QHash<int, QString> *options; // set for StringHashInt and MenuCheckboxMask, else null
    // What it is, in a pilot's words; English, translated where it is shown (context
    // "KnownParameter").
    const char *description;
    ParameterRole role = ParameterRole::Plain;
    const char *unit = nullptr; // as printed beside a value ("dBm"); null when it has none
    // Shown in the window's standard view; the others only in expert mode.
    bool everyday = true;
    // Number (and a level): the range the tracker takes, in tenths when decimals is 1. Address: six
    // hexadecimal digits (hexDigits).
    qint64 minimum = 0;
    qint64 maximum = 0;
    int decimals = 0;
    // Number with one decimal: how the tracker keeps it.
    Storage storage = Storage::Tenths;
    // The field's largest value on the older firmware, where its field is narrower; 0: as maximum.
    qint64 olderMaximum = 0;
    // Set where the older firmware names other options (its protocol bits).
    const QHash<int, QString> *olderOptions = nullptr;
    int hexDigits = 0;
    // Text: the most characters the tracker keeps (0: no limit known); checked by textRule.
    int maxLength = 0;
    // Text: characters it takes beyond letters, digits and ". @ + - _ / #" (a web address's ":").
    const char *alsoTakes = nullptr;
    // Text: the form a value must have, as a regular expression (EncryptKey's hex groups).
    const char *pattern = nullptr;
    // Text: an info text, which the newer firmware prints (and takes) with "\xHH" for each byte
    // it does not take as it is.
    bool escapes = false;
};

// An option table's keys in ascending order, and its texts in that order: the order
// its menu and its list show them in.
QList<int> ascendingKeys(const QHash<int, QString> &options);
QStringList textsInKeyOrder(const QHash<int, QString> &options);

// The options and the largest value a parameter has on a firmware line.
const QHash<int, QString> *optionsOn(const KnownParameter &known, FirmwareLine line);
qint64 maximumOn(const KnownParameter &known, FirmwareLine line);

// The known parameters, in catalogue order.
const QVector<KnownParameter> &knownParameters();
// Null when the name is not known.
const KnownParameter *findKnownParameter(const QString &name);
// A short label in a pilot's words ("Aircraft type"), English, translated where it is shown
// (context "ParameterLabel"); null for a name the catalogue lacks. The firmware's names stay
// what the command line and files use.
const char *labelOf(const QString &name);
// The role of a parameter; Plain for a name the catalogue lacks.
ParameterRole roleOf(const QString &name);

} // namespace tracktune
