// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/dumpline.h"
#include "link/listcollector.h"

#include <cstdint>
#include <cstdlib>

// The bytes as a device's answer to 0x03, cut after each line feed; a 0x01 byte stands for 100 ms
// without a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using tracktune::ListCollector;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    ListCollector collector;
    ListCollector::Step last = ListCollector::Step::GoOn;
    for (int start = 0; start < bytes.size();) {
        int end = start;
        while (end < bytes.size() && bytes.at(end) != '\n' && bytes.at(end) != '\x01')
            ++end;
        const bool pause = end < bytes.size() && bytes.at(end) == '\x01';
        const QByteArray line = bytes.mid(start, end - start + (pause ? 0 : 1));
        const bool wasStarted = collector.started();
        ListCollector::Step step = line.isEmpty() ? collector.quiet() : collector.feed(line);
        if (pause && !line.isEmpty() && step != ListCollector::Step::Done
            && step != ListCollector::Step::Failed)
            step = collector.quiet();
        // Over is over; asking again is only for a list not yet begun.
        const bool over = last == ListCollector::Step::Done || last == ListCollector::Step::Failed;
        if ((over && step != last) || (step == ListCollector::Step::Resend && wasStarted))
            std::abort();
        last = step;
        start = end + 1;
    }
    if (collector.statusLine().contains(QLatin1Char('\n')))
        std::abort();
    if (last != ListCollector::Step::Done)
        return 0;
    // A list of at least 10 bytes from the "Address " line on, every line after it a setting,
    // with no NUL byte.
    const QByteArray list = collector.list();
    if (list.size() < 10 || list.contains('\0') || !list.startsWith("Address "))
        std::abort();
    const QStringList lines = tracktune::dumpLines(list);
    for (int i = 1; i < lines.size(); ++i) {
        if (!lines.at(i).isEmpty() && !tracktune::parseDumpLine(lines.at(i)))
            std::abort();
    }
    return 0;
}
