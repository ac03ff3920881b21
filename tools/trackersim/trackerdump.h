// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trackersimulator.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The tracker's parameter model and the text it prints, kept apart from the
// serving loop so the formats can be read in one place.
namespace trackersim {

using Parameter = TrackerSimulator::Parameter;

// The parameter list a fresh tracker of this variant prints, in dump order.
QList<Parameter> defaultParameters(TrackerSimulator::Variant variant);

QByteArray lineEnd(TrackerSimulator::LineEnding ending);

// One parameter as the dump prints it, without the line end.
QByteArray parameterLine(const Parameter &parameter);

// "1:3:1A2B3C/000024A16C1A2B3C RFM95/+14dBm +0.0ppm CON:115200bps" (the options' CPU id), with
// the line end.
QByteArray statusLine(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// Everything the device prints for 0x03, the status line first; the options' insideList goes
// before parameter line insideListAfter (0: before the first).
QByteArray composeDump(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// What it prints when it restarts.
QByteArray bootBanner(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// Two position sentences ($GPRMC, $POGNR), CR LF ended whatever the line ending.
QByteArray nmeaSentences(qint64 msecsSinceStart);

// Two upper-case hex digits: the XOR of the bytes between '$' and '*'.
QByteArray nmeaChecksum(const QByteArray &body);

// Applies a complete "$POGNS,..." sentence (no terminator) to the list. Returns false,
// leaving the list untouched, when the sentence is malformed, its checksum is wrong or a
// value does not fit its parameter. Unknown names are skipped. With addrTypeResetsAddress
// (the newer firmware), a readable AddrType first resets the Address while the current type
// is 3 (to the CPU's address: the low 24 bits of its id) or 0 (to a pseudo-random one), whatever
// the new type.
bool applySentence(const QByteArray &sentence, QList<Parameter> &parameters,
    bool addrTypeResetsAddress = true, qint64 cpuAddress = 0x1A2B3C);

} // namespace trackersim
