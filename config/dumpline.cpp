#include "config/dumpline.h"

namespace tracktune {

QStringList dumpLines(const QByteArray &dump)
{
    const int end = dump.indexOf('\0');
    return QString::fromUtf8(end < 0 ? dump : dump.left(end)).split(QLatin1Char('\n'));
}

std::optional<DumpLine> parseDumpLine(const QString &line)
{
    QString packed = line;
    packed.remove(QLatin1Char(' '));
    const QStringList parts = packed.split(QLatin1Char('='));
    if (parts.size() < 2)
        return std::nullopt;
    return DumpLine {parts.at(0), parts.at(1).section(QLatin1Char(';'), 0, 0)};
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
