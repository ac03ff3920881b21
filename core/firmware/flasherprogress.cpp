// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/flasherprogress.h"

#include <QRegularExpression>
#include <QStringList>

namespace tracktune {

namespace {

const QString progressMarker = QStringLiteral("Writing at 0x");

std::optional<int> percentInParentheses(const QString &update)
{
    const QString afterParenthesis = update.split(QLatin1Char('(')).at(1);
    return afterParenthesis.split(QLatin1Char(' ')).first().toInt();
}

std::optional<int> percentBeforeSign(const QString &update)
{
    int end = update.lastIndexOf(QLatin1Char('%'));
    if (end < 0)
        return std::nullopt;
    while (end > 0 && update.at(end - 1) == QLatin1Char(' '))
        --end;
    int start = end;
    while (start > 0 && (update.at(start - 1).isDigit() || update.at(start - 1) == QLatin1Char('.')))
        --start;
    bool ok = false;
    const double percent = update.mid(start, end - start).toDouble(&ok);
    // Above 100 it is no percentage, and far above, no int could hold it.
    if (!ok || percent > 100)
        return std::nullopt;
    return static_cast<int>(percent);
}

} // namespace

QString withoutTerminalCodes(QString text)
{
    static const QRegularExpression codes(
        QStringLiteral("\\x1B(?:\\[[0-?]*[ -/]*[@-~]|[()*+][0-~]|[@-Z\\\\-_])"));
    // Most lines hold no escape at all: they need no pattern run over them.
    if (!text.contains(QChar(0x1B)))
        return text;
    return text.remove(codes);
}

QString withoutControlCharacters(QString text)
{
    static const QRegularExpression controls(QStringLiteral("[\\x00-\\x1F\\x7F-\\x9F]"));
    return text.remove(controls);
}

QStringList lastErrorLines(const QByteArray &standardError, int count)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    QStringList lines;
    const QStringList all = QString::fromUtf8(standardError).split(lineEnd);
    for (auto line = all.crbegin(); line != all.crend() && lines.size() < count; ++line) {
        const QString shown = withoutControlCharacters(withoutTerminalCodes(*line)).trimmed();
        if (!shown.isEmpty())
            lines.prepend(shown);
    }
    return lines;
}

bool isProgressLine(const QString &line)
{
    return line.contains(progressMarker);
}

std::optional<int> progressPercent(const QString &line)
{
    // "ESC ( B" resets the character set; it must not pass for the "(" of a percentage.
    const QStringList updates = withoutTerminalCodes(line).split(QLatin1Char('\r'));
    for (auto update = updates.crbegin(); update != updates.crend(); ++update) {
        if (!update->contains(progressMarker))
            continue;
        if (update->contains(QLatin1Char('(')))
            return percentInParentheses(*update);
        return percentBeforeSign(*update);
    }
    return std::nullopt;
}

} // namespace tracktune
