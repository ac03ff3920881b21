// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/valueencoding.h"

#include <QDateTime>

#include <cstdint>
#include <cstdlib>

namespace {

QStringList texts(const QList<tracktune::DumpLine> &settings)
{
    QStringList texts;
    for (const tracktune::DumpLine &setting : settings)
        texts << setting.name + QLatin1Char('=') + setting.value;
    return texts;
}

} // namespace

// The bytes as a backup or template handed to apply.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const TextFile text = decodeTextFile(bytes, maxSettingsFileBytes);
    if (!text.problem.isEmpty())
        return 0;
    const SettingsFile file = parseSettingsFile(text.text);
    if (!file.problem.isEmpty())
        return 0;
    // A backup of the file's settings restores every one a sentence can carry, unchanged,
    // and tells of every other one.
    QList<DumpLine> restorable;
    for (const DumpLine &setting : file.settings) {
        if (sentenceRefusal(setting.name, setting.value).isEmpty())
            restorable << setting;
    }
    const SettingsFile backup = parseSettingsFile(formatSettingsFile(file.settings, QDateTime()));
    if (!backup.problem.isEmpty() || texts(backup.settings) != texts(restorable)
        || backup.notRestorable.size() != file.settings.size() - restorable.size())
        std::abort();
    // Against a tracker that has every name the file gives, blank, and a few of its own.
    QList<DumpLine> reported {{"Address", "0x1A2B3C"}, {"AcftType", "0x1"}, {"TxPower", "+14"},
        {"TxProtMask", "0xFF"}, {"CONbaud", "115200"}};
    for (const DumpLine &setting : file.settings)
        reported << DumpLine {setting.name, QString()};
    for (const ChangePlan &plan :
        {planFile(file.settings, reported, true), planSettings(file.settings, reported)}) {
        for (const DumpLine &write : plan.writes) {
            if (!sentenceRefusal(write.name, write.value).isEmpty())
                std::abort();
        }
    }
    return 0;
}
