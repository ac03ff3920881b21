// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/textfile.h"

#include "config/utf8text.h"

#include <QCoreApplication>

namespace tracktune {

namespace {

QString sizeText(qint64 bytes)
{
    const qint64 mebibyte = 1024 * 1024;
    return bytes % mebibyte == 0 ? QStringLiteral("%1 MiB").arg(bytes / mebibyte)
                                 : QStringLiteral("%1 KiB").arg(bytes / 1024);
}

} // namespace

QString tooLargeProblem(qint64 maxBytes)
{
    return QCoreApplication::translate("tracktune", "larger than %1").arg(sizeText(maxBytes));
}

TextFile decodeTextFile(const QByteArray &bytes, qint64 maxBytes)
{
    if (bytes.size() > maxBytes)
        return {QString(), tooLargeProblem(maxBytes)};
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        return {QString(),
            QCoreApplication::translate("tracktune", "a NUL byte on line %1")
                .arg(bytes.left(nul).count('\n') + 1)};
    const QByteArray body = bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
    const Utf8Text decoded = decodeUtf8(QByteArray(), body);
    // A character cut at the end is held back, an invalid sequence becomes U+FFFD and so
    // no longer reads back as the same bytes (a U+FFFD written in the file does).
    if (!decoded.heldBack.isEmpty() || decoded.text.toUtf8() != body)
        return {QString(), QCoreApplication::translate("tracktune", "not UTF-8 text")};
    return {decoded.text, QString()};
}

} // namespace tracktune
