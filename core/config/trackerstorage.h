// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/catalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tracktune {

// How the tracker keeps and prints what it is sent, as its own code does it: what a write can
// be checked against afterwards.

// A number in tenths kept in quarters: the quarters kept for the tenths read, and the tenths
// printed for the quarters kept (cut towards zero, as the tracker prints them).
qint64 quartersKept(qint64 tenths, Storage storage);
qint64 tenthsPrinted(qint64 quarters);

// The tenths to send for the tenths typed so that the tracker keeps and prints what was meant:
// a value it prints goes back as the value that keeps the same quarters ("PressCorr = +1.2" is
// sent as +1.3), one that reads back as sent goes as it is; nothing for a value the tracker
// can neither keep nor print.
std::optional<qint64> tenthsToSend(qint64 typed, Storage storage);
// The printed values next to one the tracker cannot keep, for the refusal.
QList<qint64> printedNeighbours(qint64 typed, Storage storage);

// Bytes a text on the newer firmware takes as they are: letters, digits, ". @ - + _ / # :".
bool takenAsIs(char byte, FirmwareLine line);
// Bytes as the newer firmware takes them in a text: each byte it would not take as "\xHH".
QString escapedText(const QByteArray &bytes, FirmwareLine line);

// The hex digits of the widest value a field holds (CONprot: 2, the older PageMask: 6).
int fieldHexDigits(const KnownParameter &known, FirmwareLine line);

// Whether the tracker prints this written value with fewer digits than the value has: printed is
// what it printed for the parameter before ("0xF" for a CONprot that holds 0xFF).
bool shownInPart(const QString &name, const QString &written, const QString &printed);

// Whether a write of value sets bits the tracker holds but does not print, without the value
// naming them all: CONprot typed as one digit also sets the digit the tracker does not show.
bool writesHiddenBits(const QString &name, const QString &value, const QString &printed, FirmwareLine line);

// Whether the tracker printing after shows what was written: numbers by what it keeps and the
// digits it prints, texts by the bytes they stand for.
bool showsAsWritten(
    const QString &name, const QString &written, const QString &printedBefore, const QString &after);

} // namespace tracktune
