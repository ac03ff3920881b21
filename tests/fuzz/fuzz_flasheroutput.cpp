// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"

#include <cstdint>
#include <cstdlib>

// The bytes as a line the flasher printed, and as the argument template of a firmware folder.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QString text
        = textUpToNul(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (progressPercent(text) && !isProgressLine(withoutTerminalCodes(text)))
        std::abort();
    // What fills the placeholders never adds or splits an argument, commas and blanks included.
    const QStringList plain = flasherArguments(text, "c", "p", "d", "f");
    if (flasherArguments(text, "esp32", "COM3", "C:/fw, old", "/home/u/fw,v2.bin").size() != plain.size())
        std::abort();
    return 0;
}
