#include "config/valueencoding.h"

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
    return QStringLiteral("+") + QString::number(options.key(text, 0));
}

QString hexMaskValue(quint32 mask)
{
    return QStringLiteral("0x") + QString::number(mask, 16).toUpper();
}

QString oneLineValue(const QString &value)
{
    QString oneLine = value;
    oneLine.remove(QLatin1Char('\r'));
    oneLine.remove(QLatin1Char('\n'));
    return oneLine;
}

QByteArray configurationSentence(const QString &name, const QString &value)
{
    return QByteArrayLiteral("$POGNS,") + oneLineValue(name).toUtf8() + '=' + oneLineValue(value).toUtf8()
        + '\n';
}

} // namespace tracktune
