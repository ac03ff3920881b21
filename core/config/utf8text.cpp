// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/utf8text.h"

namespace tracktune {

namespace {

// The bytes a sequence starting with lead needs in all, or 0 when lead cannot start one.
int sequenceLength(uchar lead)
{
    if (lead >= 0xc2 && lead <= 0xdf)
        return 2;
    if (lead >= 0xe0 && lead <= 0xef)
        return 3;
    if (lead >= 0xf0 && lead <= 0xf4)
        return 4;
    return 0;
}

// Whether the bytes from start to the end can still become one valid character: a cut
// overlong form, surrogate or code point past U+10FFFF is broken already, and is not held.
bool isUnfinishedCharacter(const QByteArray &bytes, int start)
{
    const uchar lead = uchar(bytes.at(start));
    const int length = sequenceLength(lead);
    const int present = bytes.size() - start;
    if (length <= present)
        return false;
    for (int i = start + 1; i < bytes.size(); ++i) {
        const uchar byte = uchar(bytes.at(i));
        uchar low = 0x80, high = 0xbf;
        if (i == start + 1) {
            if (lead == 0xe0)
                low = 0xa0;
            else if (lead == 0xed)
                high = 0x9f;
            else if (lead == 0xf0)
                low = 0x90;
            else if (lead == 0xf4)
                high = 0x8f;
        }
        if (byte < low || byte > high)
            return false;
    }
    return true;
}

} // namespace

Utf8Text decodeUtf8(const QByteArray &heldBack, const QByteArray &bytes)
{
    QByteArray all = heldBack + bytes;
    Utf8Text result;
    for (int start = qMax(0, all.size() - 3); start < all.size(); ++start) {
        if (isUnfinishedCharacter(all, start)) {
            result.heldBack = all.mid(start);
            all.truncate(start);
            break;
        }
    }
    // QString::fromUtf8 drops a byte order mark at the start; inside a stream it is text.
    const QByteArray byteOrderMark("\xef\xbb\xbf");
    while (all.startsWith(byteOrderMark)) {
        result.text += QChar(0xfeff);
        all.remove(0, byteOrderMark.size());
    }
    result.text += QString::fromUtf8(all);
    return result;
}

} // namespace tracktune
