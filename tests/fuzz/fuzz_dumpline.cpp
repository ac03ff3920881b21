#include "config/catalogue.h"
#include "config/conversions.h"
#include "config/settingsfile.h"
#include "config/valueencoding.h"
#include "config/verification.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

// The bytes as a dump a tracker printed, and as a backup or template file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    static const QRegularExpression notInName(QStringLiteral("[= \\n\\x00]"));
    static const QRegularExpression notInValue(QStringLiteral("[=; \\n\\x00]"));
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const OptionLists &lists = optionLists();
    for (const DumpLine &entry : parseDump(bytes)) {
        const QString &v = entry.value;
        const std::optional<qint64> n = valueAsNumber(v);
        const int level = nearestOptionKey(numberFromValue(v), lists.txPowerLevels);
        if (entry.name.contains(notInName) || v.contains(notInValue) || !lists.txPowerLevels.contains(level)
            || indexFromHexValue(v) != int(maskFromHexValue(v))
            || checksFromMask(int(maskFromHexValue(v)), lists.txProtocols).size() != lists.txProtocols.size()
            || (n && valueAsNumber(QString::number(*n)) != n))
            std::abort();
    }
    // Any text without line breaks, as written and as reported, counts as taken.
    for (const QString &line : dumpLines(bytes)) {
        if (!reportsAsWritten(oneLineValue(line), oneLineValue(line)))
            std::abort();
    }
    // A backup of what a readable file gave reads back as the same backup.
    const SettingsFile file = parseSettingsFile(QString::fromUtf8(bytes));
    const QString backup = formatSettingsFile(file.settings, QDateTime());
    if (file.problem.isEmpty()
        && formatSettingsFile(parseSettingsFile(backup).settings, QDateTime()) != backup)
        std::abort();
    return 0;
}
