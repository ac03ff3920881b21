// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/valueencoding.h"

#include <cstdint>
#include <cstdlib>

// Name and value of a sentence, split at the first NUL byte; both the whole input without one.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const int cut = bytes.indexOf('\0');
    const QString name = QString::fromUtf8(bytes.left(cut)), value = QString::fromUtf8(bytes.mid(cut + 1));
    const QByteArray sentence = configurationSentence(name, value);
    // Refused exactly when the check says so: nothing goes out that the check let pass unbuilt.
    if (sentence.isEmpty() != !sentenceRefusal(name, value).isEmpty())
        std::abort();
    if (sentence.isEmpty())
        return 0;
    // One "name=value" field, no second sentence or checksum inside, one line feed at the end:
    // the device knows no escapes, so anything else would set a parameter nobody asked for.
    const QByteArray field = sentence.mid(7, sentence.size() - 8);
    const int equals = field.indexOf('=');
    if (!sentence.startsWith("$POGNS,") || sentence.count(',') != 1 || sentence.lastIndexOf('$') != 0
        || sentence.contains('*') || sentence.contains('\r') || !sentence.endsWith('\n')
        || sentence.count('\n') != 1 || equals <= 0 || field.left(equals) != name.toUtf8()
        || field.mid(equals + 1) != oneLineValue(value).toUtf8())
        std::abort();
    return 0;
}
