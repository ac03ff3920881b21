// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/catalogue.h"
#include "config/settingvalue.h"

#include <QList>
#include <QPair>
#include <QString>

namespace tracktune {

// One known parameter as the tracker printed it, on the firmware line it came from: what an
// editor offers and shows for it, and the value it writes for what the pilot picked or typed.
// Every editor of the window reads and writes through it; typed text passes settingValue, the
// one gate the command line's plans use too.
class ParameterValue
{
public:
    // The editor a parameter takes.
    enum class Editor {
        Text, // typed text
        List, // one of its options, by index (a switch's too)
        Levels, // one of its levels, or a number between them
        Mask, // any of its options, one bit each
    };

    ParameterValue(const KnownParameter &known, const QString &printed, FirmwareLine line);

    const KnownParameter &known() const { return parameter; }
    QString printed() const { return printedValue; }
    Editor editor() const;
    // The options an editor offers, by key (list index, level or bit), English, in key order.
    QList<QPair<int, QString>> options() const;
    // The key the printed value stands for; -1 when it names none.
    int key() const;
    // List and Levels: the value written when the pilot picks this key; the tracker's own form
    // ("0xA" for a list it reads in hexadecimal, "+14" for a level, "1" or "0x1" for a switch).
    QString withKey(int key) const;
    // Mask: the value written with exactly these option bits set; the bits the line names no
    // option for stay as the tracker holds them.
    QString withMask(quint32 checked) const;
    quint32 mask() const;
    // Mask: whether an option bit lies within the digits the tracker prints.
    bool printsBit(quint32 bit) const;
    // The gate for a typed value (settingValue).
    SettingValue typed(const QString &text) const;

private:
    const KnownParameter &parameter;
    QString printedValue;
    FirmwareLine firmwareLine;
};

} // namespace tracktune
