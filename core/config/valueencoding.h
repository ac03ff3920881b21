// SPDX-License-Identifier: GPL-3.0-or-later
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
QString keyValue(int key); // "+14"
// "0x9A"; with digits, at least that many ("0x009A"), as a tracker printing four writes them.
QString hexMaskValue(quint32 mask, int digits = 0);
// How many hex digits a value printed as "0x..." has; 0 for any other text.
int hexDigitsOf(const QString &value);

// The text an info text printed by the newer firmware stands for: it prints each byte it does
// not take in a text as "\xHH". The bytes read as UTF-8 where they are, else one character each.
QString decodedText(const QString &printed);
// The bytes a text stands for, "\xHH" read as the byte it names, the rest as UTF-8.
QByteArray textBytes(const QString &text);
// Where "\xHH" stands at position at of text, the byte it stands for; -1 elsewhere.
int escapedByteAt(const QString &text, int at);

// The value without the line breaks a CR LF tracker leaves on it.
QString oneLineValue(const QString &value);

// Why a sentence cannot carry this name or value, as the user reads it ("no blank, comma,
// $ or * in a value"), in the language of the installed translator; empty when it can. The device knows no
// escapes: a comma would start a second field, a "$" or "*" a second sentence or a checksum, a blank or a
// control byte would be lost or cut the line.
QString sentenceRefusal(const QString &name, const QString &value);

// The longest sentence, from "$" to the value's last byte, that both firmware lines take.
constexpr int maxSentenceLength = 103;

// One "$POGNS," sentence setting one parameter; empty when sentenceRefusal() refuses it.
// Line breaks at the end of a value (a CR LF tracker's) are dropped first.
QByteArray configurationSentence(const QString &name, const QString &value);

} // namespace tracktune
