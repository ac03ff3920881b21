// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace tracktune {

// A file someone else wrote, as text: the whole of it, or why it is refused.
struct TextFile
{
    QString text;
    QString problem; // empty: the text is usable
};

// Refused (a problem, no text) when the bytes exceed maxBytes, hold a NUL byte or are not
// UTF-8: a file cut at a NUL, or with characters guessed, would be taken for what it is
// not. A leading byte order mark, as some Windows editors write, goes.
TextFile decodeTextFile(const QByteArray &bytes, qint64 maxBytes);

// The problem decodeTextFile() gives for a file over maxBytes, for a file too large to read.
QString tooLargeProblem(qint64 maxBytes);

} // namespace tracktune
