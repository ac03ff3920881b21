// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace tracktune {

// Text from bytes that arrive in pieces cut anywhere, such as a device's output.
struct Utf8Text
{
    QString text;
    QByteArray heldBack; // an unfinished character at the end, at most 3 bytes: pass it back in
};

// Decodes heldBack followed by bytes. A character cut at the end waits in heldBack for its
// other bytes; an invalid sequence becomes U+FFFD and never takes the byte after it (a line
// feed after a broken character still ends the line). The pieces decode as the whole would.
Utf8Text decodeUtf8(const QByteArray &heldBack, const QByteArray &bytes);

} // namespace tracktune
