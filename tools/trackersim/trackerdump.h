// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trackersimulator.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The tracker's parameter model, the text it prints and the rules it reads sentences by, kept
// apart from the serving loop so the formats can be read in one place.
namespace trackersim {

using Parameter = TrackerSimulator::Parameter;

// How the firmware prints a parameter's value.
enum class Format {
    Hex, // "0x" and a fixed number of upper-case digits, the low ones of the field
    Signed, // a sign always: "+0"
    Unsigned,
    Tenths, // a sign and one decimal: "+40.0"
    Text,
};

// What the firmware does with a number beyond the field's range.
enum class Fit {
    Wrap, // cut to the field's bits
    Clamp, // held at the nearer end
    Reset, // set to resetTo
    Flag, // a bool: any value but 0 is 1
    FloorThenWrap, // below the range the minimum, above it cut to the field's bits
};

// How a Tenths value is kept: in tenths, or in quarters (the range in quarters) and printed back
// in tenths rounded toward zero.
enum class Steps {
    Tenths,
    Quarters, // tenths * 4 / 10, rounded toward zero
    RoundedQuarters, // tenths * 4 / 10, rounded to the nearest quarter
};

// One parameter as the firmware declares it.
struct Slot
{
    const char *name = nullptr;
    Format format = Format::Text;
    int digits = 0; // Hex: the digits printed
    qint64 minimum = 0; // the field's range; Text: maximum is the bytes it keeps
    qint64 maximum = 0;
    Fit fit = Fit::Wrap;
    const char *value = ""; // as a fresh tracker prints it
    const char *comment = "";
    const char *resetTo = "0"; // Fit::Reset: the number a value beyond the range gives
    Steps steps = Steps::Tenths;
    bool zeroWhenUnreadable = false; // a value without a number sets 0 rather than keeping the old one
    bool escaped = false; // Text: bytes it does not take are printed as "\xHH" (newer line)
    bool taken = true; // false: printed, never read (no field takes it)
    // Text: the field stored behind it. A text of the full size has no terminator, so printing it
    // runs on into this one's bytes.
    const char *runsInto = nullptr;
};

// The slot of a parameter on this firmware line; one the firmware does not declare (set by a
// test) is typed by how its value prints.
Slot slotFor(const Parameter &parameter, bool olderLine);

// The parameter list a fresh tracker of these options holds, in dump order.
QList<Parameter> defaultParameters(const TrackerSimulator::Options &options);

// What the tracker does to its parameters as it starts: the newer line gives an empty BTname its
// call sign and names its build in Hard and Soft again; the older one changes nothing.
void restart(QList<Parameter> &parameters, const TrackerSimulator::Options &options);

QByteArray lineEnd(TrackerSimulator::LineEnding ending);

// The values as the firmware prints them from what it holds: only a hex field's low digits, and a
// text of its full size run on into the field stored behind it.
QList<Parameter> printedParameters(const QList<Parameter> &parameters, bool olderLine);

// One parameter as the dump prints it, without the line end.
QByteArray parameterLine(const Parameter &parameter);

// "1:3:1A2B3C/000024A16C1A2B3C SX1262/+14dBm +0.0ppm CON:115200bps" (the options' CPU id), with
// the line end.
QByteArray statusLine(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// Everything the device prints for 0x03, the status line first, from the parameters it holds.
QByteArray composeDump(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// The "$POGNS,CPU=...,Address=..." sentences it prints at boot and for a bare "$POGNS".
QByteArray pognsDump(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// What it prints when it restarts.
QByteArray bootBanner(const QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// Two upper-case hex digits: the XOR of the bytes between '$' and '*'.
QByteArray nmeaChecksum(const QByteArray &body);

// What the firmware does with one complete sentence from '$' to its last byte before the line
// end. Not a sentence for it (no "$POGNS", too long, a checksum that is wrong or in lower-case
// hex): accepted false and nothing printed. Otherwise it prints its status line, then, for a bare
// "$POGNS", its "$POGNS" dump, else it applies each "Name=Value" field left to right as the
// firmware reads them (unknown names and unreadable values dropped silently, numbers cut or
// clamped, texts cut at the first byte not taken) and prints the status line again.
struct SentenceOutcome
{
    bool accepted = false;
    QByteArray reply;
};
SentenceOutcome applySentence(
    const QByteArray &sentence, QList<Parameter> &parameters, const TrackerSimulator::Options &options);

// The low 24 bits of the options' CPU id: the Address of a fresh tracker.
qint64 cpuAddress(const TrackerSimulator::Options &options);

} // namespace trackersim
