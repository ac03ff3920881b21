// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/sentenceanswer.h"

namespace tracktune {

bool SentenceAnswer::feed(const QByteArray &bytes)
{
    for (const char byte : bytes) {
        if (hasBegun)
            break;
        // Line noise, and a terminal's CR before the echoed line feed, are neither echo nor answer.
        if (byte == '\0' || (byte == '\r' && echoed < sentence.size() && sentence.at(echoed) == '\n'))
            continue;
        if (echoed < sentence.size() && byte == sentence.at(echoed))
            ++echoed;
        else
            hasBegun = true;
    }
    return hasBegun;
}

} // namespace tracktune
