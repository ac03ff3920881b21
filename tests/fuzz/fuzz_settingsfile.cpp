#include "config/changeplan.h"
#include "config/settingsfile.h"
#include "config/terminaltext.h"
#include "config/textfile.h"
#include "config/valueencoding.h"

#include <QDateTime>
#include <QTextCodec>

#include <cstdint>
#include <cstdlib>

namespace {

bool isUtf8(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool same(const QList<tracktune::DumpLine> &a, const QList<tracktune::DumpLine> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).name != b.at(i).name || a.at(i).value != b.at(i).value)
            return false;
    }
    return true;
}

} // namespace

// The bytes as a backup or template handed to apply.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const TextFile text = decodeTextFile(bytes, maxSettingsFileBytes);
    const bool whole = !bytes.contains('\0') && isUtf8(bytes) && bytes.size() <= maxSettingsFileBytes;
    if (whole == !text.problem.isEmpty() || (!whole && !text.text.isEmpty()))
        std::abort();
    if (!whole)
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
    if (!backup.problem.isEmpty() || !same(backup.settings, restorable)
        || backup.notRestorable.size() != file.settings.size() - restorable.size())
        std::abort();
    // Against a tracker that has every name the file gives, blank, and a few of its own.
    QList<DumpLine> reported {{QStringLiteral("Address"), QStringLiteral("0x1A2B3C")},
        {QStringLiteral("AcftType"), QStringLiteral("0x1")},
        {QStringLiteral("TxPower"), QStringLiteral("+14")},
        {QStringLiteral("TxProtMask"), QStringLiteral("0xFF")},
        {QStringLiteral("CONbaud"), QStringLiteral("115200")}};
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
