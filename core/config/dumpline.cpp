// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"

namespace tracktune {

QStringList dumpLines(const QByteArray &dump)
{
    // A NUL byte is line noise: cutting the text there would lose the rest of the list.
    QByteArray text = dump;
    text.replace('\0', QByteArray());
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

std::optional<DumpLine> parseDumpLine(const QString &line)
{
    QString packed = line;
    packed.remove(QLatin1Char(' '));
    const QStringList parts = packed.split(QLatin1Char('='));
    if (parts.size() < 2)
        return std::nullopt;
    QString value = parts.at(1).section(QLatin1Char(';'), 0, 0);
    // A CR LF tracker's line end is no part of the value.
    while (value.endsWith(QLatin1Char('\r')))
        value.chop(1);
    // The comment keeps its blanks ("[  dBm]"), folded to one.
    const int semicolon = line.indexOf(QLatin1Char(';'), line.indexOf(QLatin1Char('=')));
    QString comment = semicolon < 0 ? QString() : line.mid(semicolon + 1).section(QLatin1Char('='), 0, 0);
    comment = comment.simplified();
    if (comment.startsWith(QLatin1Char('#')))
        comment = comment.mid(1).trimmed();
    return DumpLine {parts.at(0), value, comment};
}

QList<DumpLine> parseDump(const QByteArray &dump)
{
    QList<DumpLine> entries;
    const QStringList lines = dumpLines(dump);
    for (const QString &line : lines) {
        if (std::optional<DumpLine> entry = parseDumpLine(line))
            entries.append(*entry);
    }
    return entries;
}

QString firmwareFolderFor(const QString &hardware)
{
    if (hardware.isEmpty())
        return QStringLiteral("esp32-tracker");
    if (hardware == QLatin1String("ZRN-S3") || hardware == QLatin1String("ZRN-LTE"))
        return QStringLiteral("esp32s3-tracker");
    if (hardware == QLatin1String("ZRN-C3"))
        return QStringLiteral("esp32c3-tracker");
    return hardware;
}

} // namespace tracktune
