// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/valueencoding.h"

#include <QCoreApplication>

#include <algorithm>

namespace tracktune {

int indexFromHexValue(const QString &value)
{
    return static_cast<int>(value.toUInt(nullptr, 16));
}

int indexFromDecimalValue(const QString &value)
{
    return static_cast<int>(value.toUInt(nullptr, 10));
}

int numberFromValue(const QString &value)
{
    return value.toInt(nullptr, 10);
}

quint32 maskFromHexValue(const QString &value)
{
    return value.toUInt(nullptr, 16);
}

QString hexIndexValue(int index)
{
    return QStringLiteral("0x") + QString::number(index, 16).toUpper();
}

QString decimalIndexValue(int index)
{
    return QString::number(index);
}

QString optionKeyValue(const QString &text, const QHash<int, QString> &options)
{
    return keyValue(options.key(text, 0));
}

QString keyValue(int key)
{
    return (key >= 0 ? QStringLiteral("+") : QString()) + QString::number(key);
}

QString hexMaskValue(quint32 mask, int digits)
{
    return QStringLiteral("0x")
        + QString::number(mask, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

int hexDigitsOf(const QString &value)
{
    const QString text = oneLineValue(value).trimmed();
    if (!text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return 0;
    const auto hex = [](QChar c) {
        return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
    };
    const QString digits = text.mid(2);
    return !digits.isEmpty() && std::all_of(digits.cbegin(), digits.cend(), hex) ? int(digits.size()) : 0;
}

int escapedByteAt(const QString &text, int at)
{
    if (at + 3 >= text.size() || text.at(at) != QLatin1Char('\\') || text.at(at + 1) != QLatin1Char('x'))
        return -1;
    bool ok = false;
    const int byte = text.mid(at + 2, 2).toInt(&ok, 16);
    return ok && text.at(at + 2).isLetterOrNumber() && text.at(at + 3).isLetterOrNumber() ? byte : -1;
}

QByteArray textBytes(const QString &text)
{
    QByteArray bytes;
    int plainFrom = 0; // the characters since the last escape, taken whole
    for (int at = 0; at < text.size(); ++at) {
        if (const int byte = escapedByteAt(text, at); byte >= 0) {
            bytes += text.mid(plainFrom, at - plainFrom).toUtf8() + char(byte);
            at += 3;
            plainFrom = at + 1;
        }
    }
    return bytes + text.mid(plainFrom).toUtf8();
}

QString decodedText(const QString &printed)
{
    if (!printed.contains(QLatin1String("\\x")))
        return printed;
    const QByteArray bytes = textBytes(printed);
    const QString text = QString::fromUtf8(bytes);
    return text.toUtf8() == bytes ? text : QString::fromLatin1(bytes);
}

QString oneLineValue(const QString &value)
{
    QString oneLine = value;
    while (oneLine.endsWith(QLatin1Char('\r')) || oneLine.endsWith(QLatin1Char('\n')))
        oneLine.chop(1);
    return oneLine;
}

namespace {

bool isSeparatorOrControl(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('$') || c == QLatin1Char('*') || c == QLatin1Char(' ')
        || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

bool holdsSeparatorOrControl(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), isSeparatorOrControl);
}

} // namespace

QString sentenceRefusal(const QString &name, const QString &value)
{
    if (name.isEmpty())
        return QCoreApplication::translate("tracktune", "no parameter name");
    if (holdsSeparatorOrControl(name) || name.contains(QLatin1Char('=')))
        return QCoreApplication::translate(
            "tracktune", "no blank, comma, =, $, * or control character in a name");
    if (holdsSeparatorOrControl(oneLineValue(value)))
        return QCoreApplication::translate(
            "tracktune", "no blank, comma, $, * or control character in a value");
    // The newer firmware drops a longer sentence whole, without a word; the older takes 119.
    const int length = int(
        QByteArrayLiteral("$POGNS,").size() + name.toUtf8().size() + 1 + oneLineValue(value).toUtf8().size());
    if (length > maxSentenceLength)
        return QCoreApplication::translate(
            "tracktune", "too long: the tracker takes at most %1 characters in a sentence, this would be %2")
            .arg(maxSentenceLength)
            .arg(length);
    return QString();
}

QByteArray configurationSentence(const QString &name, const QString &value)
{
    if (!sentenceRefusal(name, value).isEmpty())
        return QByteArray();
    return QByteArrayLiteral("$POGNS,") + name.toUtf8() + '=' + oneLineValue(value).toUtf8() + '\n';
}

} // namespace tracktune
