// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSerialPort>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// The device link: owns the one serial port, finds the tracker among the ports, reads every
// byte it sends as it comes (readyRead) and hands it on, polls it once a second while no read
// or write runs and drops it when it falls silent.
class Serial : public QObject
{
    Q_OBJECT

public:
    using PortLister = std::function<QHash<QString, QString>()>; // port name -> description

    explicit Serial(QObject *parent = nullptr);
    ~Serial() override;

    // An empty function restores the system's enumeration.
    static void setPortLister(PortLister lister);
    static QHash<QString, QString> scanPorts();
    static QHash<QString, QString> systemPorts(); // what the system enumerates

    // The name a flasher can open: the COM name on Windows, the device path elsewhere.
    static QString systemLocation(const QString &portName);
    // Opens the port and closes it again: why it would not open, or NoError.
    static QSerialPort::SerialPortError tryOpen(const QString &portName);
    // Whether this user may open the port's device file at all: Qt reports a port that
    // another program holds as a permission error too.
    static bool isPermitted(const QString &portName);

    // Opens the first candidate port that opens; the ports set aside are not candidates.
    bool findDevice(const QSet<QString> &setAside = {});
    // Opens the port as the device port, whatever is behind it, and says so by connected(), or
    // why not by openFailed(). An open link is closed first.
    bool openPort(const QString &portName);
    // Says disconnected() when the port was open.
    void closePort();
    bool isOpen() const;
    QString portName() const;

    // Hands the bytes to the driver (a request, a sentence); false when the port is or went
    // closed, or refused them. What has already arrived is handed on first, so that no listener
    // takes it for an answer to these bytes.
    bool write(const QByteArray &bytes);
    // The 1 s poll must not mix its requests with a read's or a write's: paused while one runs.
    void pauseWatchdog();
    // Restarts the poll, when the link is still open.
    void resumeWatchdog();

signals:
    void connected(QString deviceName);
    void disconnected();
    // The port would not open: no connected() follows.
    void openFailed(const QString &portName, QSerialPort::SerialPortError error, const QString &errorText);
    // Every byte the tracker sends, as it comes: raw, as lines (each with its line feed; a line
    // longer than longestLine is handed on in pieces) and as text for the serial monitor.
    void bytesReceived(const QByteArray &bytes);
    void lineReceived(const QByteArray &line);
    void dataRead(QString data);
    // A known adapter the search could not open: why, and whether this user may open
    // its device file at all.
    void portRefused(const QString &portName, QSerialPort::SerialPortError error, bool permitted);

private:
    static constexpr int watchdogIntervalMs = 1000;
    static constexpr int longestLine = 4096;
    static constexpr int openDeadlineMs = 3000;

    // openPort() once the port is known to open: the search has just tried it.
    bool openProbed(const QString &portName);
    void onReadyRead();
    void onWatchdogTimeout();
    // Hands the bytes to the driver; every port call is guarded: an adapter pulled out closes
    // the port between any two of them.
    bool send(const QByteArray &bytes);

    QSerialPort port;
    QTimer watchdogTimer;
    bool dataSeen = false;
    int silentTicks = 0;
    QByteArray unsplit; // what came after the last whole line
    // The start of a character cut at the end of a chunk, kept for the next one; a new
    // link starts without it.
    QByteArray textHeldBack;
};

namespace tracktune {

// The ports whose adapter description is a known tracker adapter's, in name order: the
// order in which the search tries them.
QStringList knownAdapterPorts(const QHash<QString, QString> &ports);

// What the user reads when the search could not open a known adapter; empty when
// there is nothing they can do about it. In the installed translator's language: the window
// has one, the command line none.
// Qt reports a port held by another program as a permission error too, so the
// caller says whether this user may open the port's device file at all.
QString portRefusalMessage(const QString &portName, QSerialPort::SerialPortError error, bool permitted);

} // namespace tracktune
