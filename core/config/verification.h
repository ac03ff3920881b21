// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

// A value as a number: "0x" and hex digits, or an optional sign and decimal digits.
// Nothing for anything else, text with blanks included.
std::optional<qint64> valueAsNumber(const QString &value);

// Whether the tracker reports what was written: as numbers where both read as
// numbers ("0x0FFF" is "0xFFF", "+14" is "14"), else as the same text.
bool reportsAsWritten(const QString &written, const QString &reported);

// A written setting as the tracker listed it before the write and after it.
struct SettingChange
{
    QString name;
    QString before; // empty when that list lacked it
    QString written;
    QString after;
    bool taken = false; // the list after the write shows what was written
    // The tracker prints fewer digits than were written: only those it shows were checked.
    bool shownInPart = false;
};

// One change per written setting, in the order written, checked by what the tracker can show
// (trackerstorage.h, showsAsWritten). A name the list after the write lacks counts as not taken.
QList<SettingChange> settingChanges(
    const QList<DumpLine> &written, const QList<DumpLine> &before, const QList<DumpLine> &after);

// The parameters the tracker changed by itself: listed before and after the write with
// different values, although none of the written settings names them (the tracker resets
// the Address when AddrType is written). written is empty in each, taken false.
QList<SettingChange> unwrittenChanges(
    const QList<DumpLine> &written, const QList<DumpLine> &before, const QList<DumpLine> &after);

} // namespace tracktune
