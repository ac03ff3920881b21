// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/catalogue.h"
#include "config/settingvalue.h"
#include "config/valueencoding.h"
#include "config/verification.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

// The bytes as a dump a tracker printed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    static const QRegularExpression name(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    // A value's own blanks stay; those of the layout around it do not.
    static const QRegularExpression notInValue(QStringLiteral("[=;\\n\\x00]|^[ \\t\\r]|[ \\t\\r]$"));
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const OptionLists &lists = optionLists();
    for (const DumpLine &entry : parseDump(bytes)) {
        const QString &v = entry.value;
        const std::optional<qint64> n = valueAsNumber(v);
        const quint32 mask = maskFromHexValue(v);
        if (!name.match(entry.name).hasMatch() || v.contains(notInValue)
            || maskFromHexValue(hexMaskValue(mask)) != mask || (n && valueAsNumber(QString::number(*n)) != n))
            std::abort();
        // The power level a value shows as, picked again, writes a value that shows as that level.
        const QString power = QStringLiteral("TxPower");
        const QString level = optionTextFor(power, v);
        if (!level.isEmpty()
            && (!lists.txPowerLevels.values().contains(level)
                || optionTextFor(power, settingValue(power, level, v, FirmwareLine::Unknown).value) != level))
            std::abort();
        // A value written back as the dump shows it counts as taken when a CR LF tracker reports it.
        if (!reportsAsWritten(v, v + QLatin1Char('\r')))
            std::abort();
        // An info text without an escape reads as printed; with one, a character at most per byte.
        const QString text = decodedText(v);
        if (v.contains(QLatin1String("\\x")) ? text.size() > v.toUtf8().size() : text != v)
            std::abort();
    }
    return 0;
}
