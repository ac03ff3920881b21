// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/terminaltext.h"

#include <QStringList>

namespace tracktune {

namespace {

bool isBidiControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// What JSON itself already escapes (C0) aside, what a terminal still acts on.
bool isHiddenControl(char16_t c)
{
    return (c >= 0x7F && c <= 0x9F) || isBidiControl(c);
}

} // namespace

QString terminalText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if ((code < 0x20 && code != '\t') || (code >= 0x7F && code <= 0x9F))
            shown += QStringLiteral("\\x%1").arg(uint(code), 2, 16, QLatin1Char('0'));
        else if (isBidiControl(code))
            shown += QStringLiteral("\\u%1").arg(uint(code), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString jsonText(const QString &json)
{
    QString shown;
    shown.reserve(json.size());
    for (const QChar c : json) {
        if (isHiddenControl(c.unicode()))
            shown += QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString terminalLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = terminalText(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace tracktune
