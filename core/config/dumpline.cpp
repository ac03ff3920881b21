// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"

#include <QHash>

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
    // The folders are per chip: its flasher writes the bootloader where that chip wants it. The
    // firmware names its board in "Hard"; the older firmware leaves it empty, and runs on an esp32.
    static const QHash<QString, QString> folders {
        {QStringLiteral("ZRN-S3"), QStringLiteral("esp32s3-tracker")},
        {QStringLiteral("ZRN-LTE"), QStringLiteral("esp32s3-tracker")},
        {QStringLiteral("ZRN-C3"), QStringLiteral("esp32c3-tracker")},
        {QStringLiteral("TBeam07"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("Lora32"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("TBeam10"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("TBeam10-sx1276"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("TBeam10-sx1262"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("TBeam12"), QStringLiteral("esp32-tracker")},
        {QStringLiteral("TBeamS3"), QStringLiteral("esp32s3-tracker")},
        {QStringLiteral("HTIT"), QStringLiteral("esp32s3-tracker")},
        {QStringLiteral("TTM5"), QStringLiteral("esp32s3-tracker")},
        {QStringLiteral("HC3"), QStringLiteral("esp32c3-tracker")},
    };
    if (hardware.isEmpty())
        return QStringLiteral("esp32-tracker");
    return folders.value(hardware, hardware);
}

} // namespace tracktune
