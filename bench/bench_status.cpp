// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long the preflight decoder takes per line over an hour of a tracker's continuous
// output: the GPS's RMC, GGA and GSA each second, $POGNR each second, the pressure sensor's
// sentences every half second and the newer line's Radio and SatSNR reports every 10 s, with
// the status read back once a second as a window would. Fails above 50 us a line.
#include "status/preflightdecoder.h"

#include <QElapsedTimer>
#include <QList>

#include <cstdio>

namespace {

constexpr int hourS = 3600;
constexpr double limitUs = 50.0;

QByteArray sentence(const QByteArray &body)
{
    unsigned char sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0') + "\r\n";
}

QByteArray clock(int second)
{
    const int s = 12 * 3600 + second;
    return QByteArray::number(s / 3600).rightJustified(2, '0')
        + QByteArray::number(s / 60 % 60).rightJustified(2, '0')
        + QByteArray::number(s % 60).rightJustified(2, '0') + ".00";
}

// Every line of the hour with the millisecond it comes at.
QList<QPair<qint64, QByteArray>> hourOfOutput()
{
    QList<QPair<qint64, QByteArray>> lines;
    for (int second = 0; second < hourS; ++second) {
        const qint64 at = qint64(second) * 1000;
        const QByteArray time = clock(second);
        const QByteArray satellites = QByteArray::number(6 + second % 5);
        lines.append(
            {at, sentence("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4,081226,003.1,W")});
        lines.append({at + 5,
            sentence("GPGGA," + time + ",4807.038,N,01131.000,E,1," + satellites + ",0.9,545.4,M,46.9,M,,")});
        lines.append({at + 10, sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1")});
        lines.append(
            {at + 200, sentence("POGNR,1," + QByteArray::number(20 + second % 7) + ",,-108.0,+60.0,,,")});
        for (const int half : {300, 800}) {
            lines.append({at + half, sentence("POGNB,12.50,+21.3,98765.4,2.1,+250.3,+248.7,+0.12,")});
            lines.append({at + half + 2, sentence("PGRMZ,821,f,3")});
            lines.append({at + half + 4, sentence("LK8EX1,98765,250,12,21,4.123")});
        }
        if (second % 10 == 5)
            lines.append({at + 500,
                "Radio: Tx: 0:" + QByteArray::number(second / 10 * 6)
                    + ":0:0:0:0:0  Rx: 3:57:0:0:0:0:0  -110.5dBm 6 pkts 0.6 pkt/s 58.3s [1234]\r\n"});
        if (second % 10 == 7)
            lines.append({at + 600, "SatSNR: GP:7/32.5:11/28.1dB GL:3/30.0:6/25.3dB 3:1.8/1.2/1.4\n"});
    }
    return lines;
}

} // namespace

int main()
{
    const QList<QPair<qint64, QByteArray>> lines = hourOfOutput();
    tracktune::PreflightDecoder decoder;
    int taken = 0, transmitting = 0;
    qint64 nextStatus = 0;
    QElapsedTimer timer;
    timer.start();
    for (const auto &[at, line] : lines) {
        taken += decoder.take(line, at) ? 1 : 0;
        if (at >= nextStatus) {
            transmitting += decoder.status(at).radio.transmitting.value_or(false) ? 1 : 0;
            nextStatus += 1000;
        }
    }
    const double perLineUs = timer.nsecsElapsed() / 1000.0 / lines.size();
    std::printf("preflight decoder: %lld lines of an hour (%d taken), %.2f us per line (limit %.0f us); "
                "transmitting in %d of %d seconds\n",
        static_cast<long long>(lines.size()), taken, perLineUs, limitUs, transmitting, hourS);
    // Every line is one the decoder reads: one refused would mean a rule that does not hold.
    return taken == lines.size() && perLineUs < limitUs ? 0 : 1;
}
