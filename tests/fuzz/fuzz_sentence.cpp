#include "config/valueencoding.h"

#include <cstdint>
#include <cstdlib>

// Name and value of a sentence, split at the first NUL byte; both the whole input without one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const int cut = bytes.indexOf('\0');
    const QString name = QString::fromUtf8(bytes.left(cut)), value = QString::fromUtf8(bytes.mid(cut + 1));
    const QByteArray sentence = tracktune::configurationSentence(name, value);
    // The device ends a sentence at every line feed: exactly one, at the end, and no carriage return.
    if (!sentence.startsWith("$POGNS,") || !sentence.endsWith('\n') || sentence.count('\n') != 1
        || sentence.contains('\r'))
        std::abort();
    return 0;
}
