// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

namespace tracktune {

// One parameter as the dump lists it, or as it is to be written.
struct DumpLine
{
    QString name;
    QString value;
    QString comment = QString(); // what the dump prints after ";": the unit or the range
};

// The dump as text lines: NUL bytes dropped, decoded, cut at every line feed, empty
// pieces kept.
QStringList dumpLines(const QByteArray &dump);

// A parameter line as the tracker prints it, padded ("TxPower        = +14; #  [  dBm]") or not
// ("WIFIname0=Club; #  [char]"): blanks, a name of letters, digits and "_" that begins with a
// letter, blanks, "=". Nothing for any other line.
struct ParameterLine
{
    QString name;
    QString rest; // all after the "=", as printed: value, comment, line end
};
std::optional<ParameterLine> splitParameterLine(const QString &line);

// Name and value of one parameter line ("name = value ; comment"), every blank of the value
// removed; nothing for any other line. A carriage return at the end of the value goes.
std::optional<DumpLine> parseDumpLine(const QString &line);

// Every line of the dump that has a name and a value, in dump order.
QList<DumpLine> parseDump(const QByteArray &dump);

// The status line the tracker prints before its list, from its first character on:
// "<T>:<A>:<AAAAAA>/<CPU id>..." ("1:3:A1B2C3/0000246F28A1B2C3 SX1262/+14dBm ..."), the hex
// digits in either case. A CPU id that runs on into more hex digits makes no status line.
struct StatusLine
{
    int acftType = 0; // 0..15
    int addrType = 0; // 0..3
    quint32 address = 0; // 24 bits
    QString cpuId; // the chip's 48-bit MAC in 16 digits, upper case
};
std::optional<StatusLine> parseStatusLine(const QString &line);

// The firmware folder for the hardware named by the dump's "Hard" value.
QString firmwareFolderFor(const QString &hardware);
// The boards the firmware names in "Hard" that firmwareFolderFor() knows.
QStringList knownHardware();

} // namespace tracktune

// Carried by the session's signals.
Q_DECLARE_METATYPE(tracktune::DumpLine)
