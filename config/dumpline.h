#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

struct DumpLine
{
    QString name;
    QString value;
};

// The dump as text lines: decoded up to the first NUL byte and cut at every line
// feed, empty pieces kept.
QStringList dumpLines(const QByteArray &dump);

// Name and value of one dump line ("name = value ; comment"), every blank removed;
// nothing for a line without "=". A carriage return stays where the device put it.
std::optional<DumpLine> parseDumpLine(const QString &line);

// The firmware folder for the hardware named by the dump's "Hard" value.
QString firmwareFolderFor(const QString &hardware);

} // namespace tracktune
