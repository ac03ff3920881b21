// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

// One parameter as the dump lists it, or as it is to be written.
struct DumpLine
{
    QString name;
    QString value;
    QString comment = QString(); // what the dump prints after ";": the unit or the range
};

// The dump as text lines: NUL bytes dropped, decoded, cut at every line feed, empty
// pieces kept.
QStringList dumpLines(const QByteArray &dump);

// Name and value of one dump line ("name = value ; comment"), every blank removed;
// nothing for a line without "=". A carriage return at the end of the value goes.
std::optional<DumpLine> parseDumpLine(const QString &line);

// Every line of the dump that has a name and a value, in dump order.
QList<DumpLine> parseDump(const QByteArray &dump);

// The firmware folder for the hardware named by the dump's "Hard" value.
QString firmwareFolderFor(const QString &hardware);

} // namespace tracktune

// Carried by the session's signals.
Q_DECLARE_METATYPE(tracktune::DumpLine)
