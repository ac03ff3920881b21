#include "config/textfile.h"

#include <QCoreApplication>
#include <QTextCodec>

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
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = QTextCodec::codecForMib(106)->toUnicode(body.constData(), body.size(), &state);
    // An invalid sequence would become U+FFFD, one cut at the end would be lost.
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return {QString(), QCoreApplication::translate("tracktune", "not UTF-8 text")};
    return {text, QString()};
}

} // namespace tracktune
