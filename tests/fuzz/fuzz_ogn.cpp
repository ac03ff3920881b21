// SPDX-License-Identifier: GPL-3.0-or-later
#include "ogn/aprsbeacon.h"
#include "ogn/ddbentry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

// What the OGN servers send: APRS lines one by one, and the whole as a devices database answer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tracktune;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    for (const QByteArray &line : bytes.split('\n')) {
        const std::optional<AprsBeacon> beacon = parseAprsLine(line);
        if (!beacon)
            continue;
        // A beacon names who heard it; what is read is a number and an address has 24 bits.
        if (beacon->receiver.isEmpty() || beacon->source.isEmpty())
            std::abort();
        if ((beacon->signalDb && !std::isfinite(*beacon->signalDb))
            || (beacon->frequencyOffsetKHz && !std::isfinite(*beacon->frequencyOffsetKHz)))
            std::abort();
        if (const std::optional<quint32> address = beaconAddress(*beacon); address && *address > 0xFFFFFF)
            std::abort();
        if (beacon->id && (beacon->id->aircraftType > 15 || beacon->id->addressType > 63))
            std::abort();
    }
    if (const std::optional<QList<DdbDevice>> devices = parseDdbAnswer(bytes)) {
        for (const DdbDevice &device : *devices) {
            if (device.deviceId.size() != 6)
                std::abort();
        }
    }
    return 0;
}
