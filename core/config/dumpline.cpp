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

namespace {

bool isLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHex(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

} // namespace

std::optional<ParameterLine> splitParameterLine(const QString &line)
{
    int i = 0;
    while (i < line.size() && line.at(i) == QLatin1Char(' '))
        ++i;
    const int nameStart = i;
    if (i >= line.size() || !isLetter(line.at(i)))
        return std::nullopt;
    while (i < line.size() && (isLetter(line.at(i)) || isDigit(line.at(i)) || line.at(i) == QLatin1Char('_')))
        ++i;
    const int nameEnd = i;
    while (i < line.size() && line.at(i) == QLatin1Char(' '))
        ++i;
    if (i >= line.size() || line.at(i) != QLatin1Char('='))
        return std::nullopt;
    return ParameterLine {line.mid(nameStart, nameEnd - nameStart), line.mid(i + 1)};
}

std::optional<DumpLine> parseDumpLine(const QString &line)
{
    const std::optional<ParameterLine> parameter = splitParameterLine(line);
    if (!parameter)
        return std::nullopt;
    // Blanks around the value are the layout's, those inside a text are its own ("My Home Net"):
    // a text without them would be written back as another. A CR LF tracker's line end is no
    // part of the value either.
    QString value = parameter->rest.section(QLatin1Char('='), 0, 0).section(QLatin1Char(';'), 0, 0);
    const auto layout
        = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r'); };
    while (!value.isEmpty() && layout(value.back()))
        value.chop(1);
    int start = 0;
    while (start < value.size() && layout(value.at(start)))
        ++start;
    value.remove(0, start);
    // The comment keeps its blanks ("[  dBm]"), folded to one.
    const int semicolon = parameter->rest.indexOf(QLatin1Char(';'));
    QString comment
        = semicolon < 0 ? QString() : parameter->rest.mid(semicolon + 1).section(QLatin1Char('='), 0, 0);
    comment = comment.simplified();
    if (comment.startsWith(QLatin1Char('#')))
        comment = comment.mid(1).trimmed();
    return DumpLine {parameter->name, value, comment};
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

std::optional<StatusLine> parseStatusLine(const QString &line)
{
    static const char pattern[] = "h:d:hhhhhh/hhhhhhhhhhhhhhhh";
    const int length = int(sizeof pattern) - 1;
    if (line.size() < length || (line.size() > length && isHex(line.at(length))))
        return std::nullopt;
    for (int i = 0; i < length; ++i) {
        const QChar c = line.at(i);
        const bool fits = pattern[i] == 'h' ? isHex(c)
            : pattern[i] == 'd'             ? (c >= QLatin1Char('0') && c <= QLatin1Char('3'))
                                            : c == QLatin1Char(pattern[i]);
        if (!fits)
            return std::nullopt;
    }
    StatusLine status;
    status.acftType = line.mid(0, 1).toInt(nullptr, 16);
    status.addrType = line.mid(2, 1).toInt();
    status.address = line.mid(4, 6).toUInt(nullptr, 16);
    status.cpuId = line.mid(11, 16).toUpper();
    return status;
}

namespace {

// The folders are per chip: its flasher writes the bootloader where that chip wants it.
const QHash<QString, QString> &folderOfBoard()
{
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
    return folders;
}

} // namespace

QString firmwareFolderFor(const QString &hardware)
{
    // The firmware names its board in "Hard"; the older firmware leaves it empty, and runs on an esp32.
    if (hardware.isEmpty())
        return QStringLiteral("esp32-tracker");
    return folderOfBoard().value(hardware, hardware);
}

QStringList knownHardware()
{
    QStringList boards = folderOfBoard().keys();
    boards.sort();
    return boards;
}

} // namespace tracktune
