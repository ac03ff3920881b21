// SPDX-License-Identifier: GPL-3.0-or-later
#include "status/consolelines.h"
#include "status/preflightdecoder.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

// A tracker's output, line by line (each with its line feed), a second apart.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    PreflightDecoder decoder;
    qint64 at = 0;
    for (QByteArray line : bytes.split('\n')) {
        line += '\n';
        // A sentence read is printable text with no second sentence or checksum inside it.
        if (const std::optional<NmeaSentence> sentence = readNmeaSentence(line)) {
            for (const QByteArray &field : sentence->fields) {
                for (const char c : field) {
                    if (c < 0x20 || c > 0x7E || c == '$' || c == '*')
                        std::abort();
                }
            }
        }
        decoder.take(line, at);
        at += 1000;
    }
    const PreflightStatus status = decoder.status(at);
    // A fix needs a GPS heard; what is known is a number.
    if (status.gps.fix && !status.gps.ageMs)
        std::abort();
    if ((status.gps.hdop && std::isnan(*status.gps.hdop))
        || (status.battery.volts && *status.battery.volts <= 0))
        std::abort();
    if (status.radio.transmitting && !status.radio.ognSentRecently)
        std::abort();
    return 0;
}
