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

// The names of the written parameters that the reloaded dump does not show as
// written, in the order they were written. A name the dump lacks counts as not taken.
QStringList untakenParameters(const QList<DumpLine> &written, const QList<DumpLine> &reported);

} // namespace tracktune
