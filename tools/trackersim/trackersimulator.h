// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

// A stand-in tracker on the device side of a pseudo-terminal (POSIX only).
// It serves the line on a thread of its own; the program opens portPath()
// with a real QSerialPort. Every byte received is recorded with a time stamp.
class TrackerSimulator
{
public:
    // Both firmware lines end their lines with LF alone; CrLf is an adapter or a build that adds CR.
    enum class LineEnding { Lf, CrLf };
    // Standard: the firmware as published (the newer line names its board, "TBeam10-sx1262").
    // Vendor: a model that names its hardware "ZRN-LTE" and has an "APN".
    enum class Variant { Standard, Vendor };

    struct Options
    {
        // A tracker that runs: while Verbose is on, what the firmware prints between answers (its
        // GPS's sentences and "$POGNR" each second, the newer line's "Radio:" and "SatSNR:" lines
        // every 10 s, the pressure sensor's sentences every half second), and its boot lines at a
        // restart. Off: nothing but answers, byte for byte as a quiet tracker.
        bool chatty = false;
        // Its GPS gets a fix this many seconds after the simulator starts; -1: never (no fix, no
        // date: fix quality 0, GSA mode 1, no satellites, the 1980 date of a GPS that knows none).
        int fixAfterSeconds = 0;
        bool radioChip = true; // false: the radio chip is not found; nothing is sent or received
        bool neverTransmits = false; // a radio that never sends: its TX counters stay where they are
        bool pressureSensor = true; // a BME280 is found: "$POGNB", "$PGRMZ", "$LK8EX1" every 0.5 s
        // false: a board that cannot read its battery prints "Batt:0.0000V +00.0mV/min".
        bool batterySensing = true;
        LineEnding lineEnding = LineEnding::Lf;
        Variant variant = Variant::Standard;
        bool paced = true; // output takes the wire time of 115200 baud, 8N1
        int answerDelayMs = 0; // delay before answering 0x03 or a sentence
        bool silent = false; // reads everything, answers nothing
        bool echo = false; // sends every byte it receives straight back, as some adapters do
        // The first this many 0x03 find the console busy and are answered with nothing at all, as
        // the newer firmware does when it cannot take its console within 50 ms.
        int missedRequests = 0;
        // The adapter is pulled out the moment this many sentences have arrived: bytes after
        // the last one's line end are lost, as they are in an adapter's buffer. -1: never.
        int unplugAfterSentences = -1;
        // The chip's id its status line prints: 16 upper-case hex digits.
        QByteArray cpuId = "000024A16C1A2B3C";
        // The older firmware line: its task list, two-digit masks, the display units and a Wi-Fi
        // access point; info texts printed raw, 120-byte sentences, and writing AddrType leaves the
        // Address alone. The newer one (the default) resets it first while the type is OGN (to the
        // CPU's address) or random (to a new one), and escapes info texts as "\xHH".
        bool olderFirmware = false;
        // The older line built for a T-Beam v1.0, with its AXP192 power chip: a second "Batt:" line
        // after the first. The newer line has no such line.
        bool powerChip = false;
        // Parameters it prints but drops when written, as a build whose flash write fails or
        // whose parser lacks them does: a write of them is never taken.
        QStringList untaken;
    };

    struct ReceivedByte
    {
        qint64 msecs; // since start()
        char byte;
    };

    struct Parameter
    {
        QString name;
        // As the tracker holds it, written as the dump prints it, e.g. "0x1A2B3C", "+14", "", except
        // that a hex field keeps every digit of its field (CONprot "0xFF" prints "0xF") and a text
        // of its full size prints on into the field stored behind it.
        QString value;
        QString comment; // printed after ";", e.g. " #  [  dBm]"
    };

    // Two constructors rather than a default argument: Options() cannot be named in a
    // default argument inside this class, before its member initializers are complete.
    TrackerSimulator();
    explicit TrackerSimulator(const Options &options);
    ~TrackerSimulator();
    TrackerSimulator(const TrackerSimulator &) = delete;
    TrackerSimulator &operator=(const TrackerSimulator &) = delete;

    bool start(); // opens the pseudo-terminal and starts serving
    QString portPath() const; // the program's side, e.g. "/dev/pts/5"
    // Started and not unplugged. Once unplugged, the pseudo-terminal's number may go to another
    // process's new one, as an unplugged adapter's name goes to the next adapter.
    bool pluggedIn() const;

    // May be called while serving, from any thread.
    void setSilent(bool silent);
    void setAnswerDelay(int msecs);
    // Goes out even when silent, behind any output in flight; dropped while the port is closed.
    void inject(const QByteArray &bytes); // sent as they are, at once
    void prefixNextDump(const QByteArray &bytes); // sent before the answer to the next 0x03
    void unplug(); // closes the device side: the port sees a hang-up

    QList<Parameter> parameters() const;
    void setParameters(const QList<Parameter> &parameters);
    QString parameter(const QString &name) const; // null when unknown
    void setParameter(const QString &name, const QString &value); // an unknown name is appended
    QByteArray dump() const; // exactly the bytes a 0x03 is answered with

    // What the program sent.
    QVector<ReceivedByte> received() const;
    QByteArray receivedBytes() const;
    int receivedCount(char byte) const;
    QStringList sentences() const; // accepted "$POGNS" sentences, without terminator
    QList<qint64> hangups() const; // when the program's side closed the port
    bool peerOpen() const; // the program holds the port open
    void clearRecord();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
