#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tracktune {

// Device value text to editor state. Text that is not a number reads as 0.
int indexFromHexValue(const QString &value); // "Select": "F", "0xF"
int indexFromDecimalValue(const QString &value); // "SelectInt": "2"
int numberFromValue(const QString &value); // "StringHashInt+": "+14", "14"
quint32 maskFromHexValue(const QString &value); // "MenuCheckboxMask": "0x9E", "9E"

// Editor state to the value text written.
QString hexIndexValue(int index); // "0xA"
QString decimalIndexValue(int index); // "10"
// "+" and the key whose text is shown; "+0" when no key has that text.
QString optionKeyValue(const QString &text, const QHash<int, QString> &options);
QString hexMaskValue(quint32 mask); // "0x9A"

// The value as a sentence carries it: without line breaks, which the device
// takes as the end of a sentence.
QString oneLineValue(const QString &value);

// One "$POGNS," sentence setting one parameter. Line breaks in the name and the value
// are dropped: the device takes every line feed as the end of a sentence.
QByteArray configurationSentence(const QString &name, const QString &value);

} // namespace tracktune
