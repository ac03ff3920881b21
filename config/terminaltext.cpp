#include "config/terminaltext.h"

#include <QTextCodec>

namespace tracktune {

namespace {

bool isControl(ushort c)
{
    return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString terminalText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

SettingsText readSettingsText(const QByteArray &bytes)
{
    if (bytes.size() > maxSettingsFileBytes)
        return {QString(), QStringLiteral("larger than 1 MiB: not a settings file")};
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        return {QString(),
            QStringLiteral("a NUL byte on line %1: not a text file").arg(bytes.left(nul).count('\n') + 1)};
    // A byte order mark, as some editors write, is no part of the first name.
    const QByteArray body = bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = QTextCodec::codecForMib(106)->toUnicode(body.constData(), body.size(), &state);
    // Invalid sequences would become U+FFFD, a cut one at the end would be lost.
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return {QString(), QStringLiteral("not UTF-8 text")};
    return {text, QString()};
}

} // namespace tracktune
