// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/firmwareline.h"

#include <QString>
#include <QStringList>

namespace tracktune {

// What a user typed for one parameter, read into the value form the window writes.
struct SettingValue
{
    QString value; // the value the sentence carries
    QString problem; // empty when the text is one the parameter takes
};

// Takes the tracker's own form ("0x7", "+22", "2", any text; a list's hexadecimal index also
// as one decimal digit) or, for a parameter with options, an option text as matchOption
// reads it; a mask takes option texts separated by commas
// and keeps the reported bits that have no name. The value the tracker already holds is
// always taken. A speed for CONbaud other than the link's own is refused: it cuts the link.
// The firmware line decides what a text may hold (the newer one takes "\xHH", which the
// program writes for each byte it would not take as it is), which protocol bits a mask names,
// and how wide a field is.
SettingValue settingValue(
    const QString &name, const QString &typed, const QString &reported, FirmwareLine line);

// What an option text typed names among the texts of a list: the text equal to it ignoring
// case and punctuation, else the one it begins, or one of whose words it begins ("para",
// "eu", "glider"). "text" is empty unless exactly one is meant; "candidates" then holds every
// one it could be (none: it names no option).
struct OptionMatch
{
    QString text;
    QStringList candidates;
};
OptionMatch matchOption(const QString &typed, const QStringList &texts);

// The option text (or, for a mask, the texts) a value of a known parameter stands for;
// empty when the parameter has no options or the value matches none.
QString optionTextFor(const QString &name, const QString &value);

} // namespace tracktune
