// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/listcollector.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSerialPort>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

// The device link: owns the one serial port, finds the tracker among the
// ports, polls it once a second and drops it when it falls silent.
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

    // What a read of the list gave: the parameter lines and the status line before them, or
    // why there are none.
    struct ListRead
    {
        QByteArray list;
        QString statusLine;
        std::optional<tracktune::ReadFailure> failure;
    };
    // Asks for the list and collects it (tracktune::ListCollector) while events go on; the
    // watchdog is paused meanwhile and runs again after a list.
    ListRead readConfiguration();
    // Writes one sentence, then waits up to a second for the device's answer (an adapter's echo
    // of the sentence is none) while events go on; the watchdog is paused meanwhile. False when
    // the port is closed or the bytes could not all be handed to it.
    bool sendCommand(const QByteArray &command);
    // Restarts the poll after writes, when the link is still open.
    void resumeWatchdog();

signals:
    void connected(QString deviceName);
    void disconnected();
    // The port would not open: no connected() follows.
    void openFailed(const QString &portName, QSerialPort::SerialPortError error, const QString &errorText);
    void dataRead(QString data);
    // A known adapter the search could not open: why, and whether this user may open
    // its device file at all.
    void portRefused(const QString &portName, QSerialPort::SerialPortError error, bool permitted);

private:
    static constexpr int watchdogIntervalMs = 1000;

    void readAvailable();
    void onWatchdogTimeout();
    void drainBurst(const QElapsedTimer &reading);
    // Hands the bytes to the driver; false when the port is or went closed, or refused them. Every
    // port call is guarded: an adapter pulled out closes the port between any two of them.
    bool send(const QByteArray &bytes);
    void dropBytes(QSerialPort::Directions directions);
    // Waits up to msecs for bytes from the device, in slices with the events in between, so
    // that the window answers whatever the device does. True when bytes came.
    bool waitForData(int msecs);

    QSerialPort port;
    QTimer watchdogTimer;
    bool dataSeen = false;
    int silentTicks = 0;
    // The start of a character cut at the end of a poll, kept for the next one; a new
    // link starts without it.
    QByteArray pollHeldBack;
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
