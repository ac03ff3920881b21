// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial.h"

#include "config/utf8text.h"
#include "link/logging.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace {

const char pollByte = 0x03;
const char probeByte = 0x02;
const int probeAtSilentTick = 4;
const int lastSilentTick = 5;

const QStringList knownAdapters = {
    QStringLiteral("USB Serial Device"),
    QStringLiteral("Silicon Labs CP210x USB to UART Bridge"),
    QStringLiteral("CP2104 USB to UART Bridge Controller"),
    QStringLiteral("CP2102 USB to UART Bridge Controller"),
};

// The one seam through which tests and the demo list ports the system cannot see.
Serial::PortLister &portLister()
{
    static Serial::PortLister lister;
    return lister;
}

} // namespace

Serial::Serial(QObject *parent) : QObject(parent)
{
    connect(&port, &QSerialPort::aboutToClose, &port, [this] { emit disconnected(); });
    connect(&watchdogTimer, &QTimer::timeout, &watchdogTimer, [this] { onWatchdogTimeout(); });
    // An unplugged adapter makes every read fail: drop the link at once instead
    // of spinning on the errors until the watchdog gives up.
    connect(&port, &QSerialPort::errorOccurred, &port, [this](QSerialPort::SerialPortError error) {
        if (port.isOpen()
            && (error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                || error == QSerialPort::WriteError)) {
            qCDebug(lcLink) << "Port error, closing:" << port.errorString();
            closePort();
        }
    });
}

Serial::~Serial() = default;

void Serial::setPortLister(PortLister lister)
{
    portLister() = std::move(lister);
}

QHash<QString, QString> Serial::systemPorts()
{
    QHash<QString, QString> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        ports.insert(info.portName(), info.description());
    return ports;
}

QHash<QString, QString> Serial::scanPorts()
{
    const PortLister &lister = portLister();
    return lister ? lister() : systemPorts();
}

QSerialPort::SerialPortError Serial::tryOpen(const QString &portName)
{
    QSerialPort candidate;
    candidate.setPortName(portName);
    candidate.setBaudRate(QSerialPort::Baud115200);
    // Closed again when the candidate goes.
    return candidate.open(QIODevice::ReadWrite) ? QSerialPort::NoError : candidate.error();
}

bool Serial::isPermitted(const QString &portName)
{
#ifdef Q_OS_WIN
    Q_UNUSED(portName)
    return true;
#else
    const QFileInfo file(systemLocation(portName));
    return !file.exists() || (file.isReadable() && file.isWritable());
#endif
}

QString Serial::systemLocation(const QString &portName)
{
#ifdef Q_OS_WIN
    return portName;
#else
    // QSerialPort names a port by its path below /dev; other paths stay whole.
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
#endif
}

bool Serial::findDevice()
{
    const QHash<QString, QString> ports = scanPorts();
    qCDebug(lcPorts) << ports;
    if (ports.isEmpty())
        return false;

    // In name order, so that the same ports give the same tracker on every search.
    QStringList names = ports.keys();
    names.sort();
    for (const QString &name : tracktune::knownAdapterPorts(ports)) {
        const QSerialPort::SerialPortError error = tryOpen(name);
        if (error == QSerialPort::NoError) {
            openPort(name);
            return true;
        }
        emit portRefused(name, error, isPermitted(name));
    }
    // No known adapter could be opened: take the first other USB adapter that opens. One
    // that is busy or foreign would otherwise be taken, and fail, on every search.
    for (const QString &name : names) {
        if (ports.value(name).contains(QLatin1String("USB")) && !knownAdapters.contains(ports.value(name))
            && tryOpen(name) == QSerialPort::NoError) {
            openPort(name);
            return true;
        }
    }
    return false;
}

void Serial::openPort(const QString &portName)
{
    qCDebug(lcLink) << "Connected to" << portName;
    if (port.isOpen())
        port.close();
    port.setPortName(portName);
    port.setBaudRate(QSerialPort::Baud115200);
    port.open(QIODevice::ReadWrite);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    pollHeldBack.clear();
    silentTicks = 0;
    dataSeen = false;
    watchdogTimer.start(watchdogIntervalMs);
    emit connected(portName);
}

void Serial::closePort()
{
    qCDebug(lcLink) << "Disconnected";
    if (port.isOpen())
        port.close();
    watchdogTimer.stop();
    silentTicks = 0;
    emit disconnected();
}

bool Serial::isOpen() const
{
    return port.isOpen();
}

QString Serial::portName() const
{
    return port.portName();
}

void Serial::readAvailable()
{
    port.write(&pollByte, 1);
    // QSerialPort writes from the event loop: hand the poll byte to the driver now.
    port.flush();
    dataSeen = port.canReadLine();

    QString text;
    while (port.bytesAvailable() != 0) {
        QByteArray chunk = port.readAll();
        // A NUL byte is line noise: drop it rather than lose the rest of the chunk.
        chunk.replace('\0', QByteArray());
        const tracktune::Utf8Text decoded = tracktune::decodeUtf8(pollHeldBack, chunk);
        text += decoded.text;
        pollHeldBack = decoded.heldBack;
        dataSeen = true;
        silentTicks = 0;
    }
    // Stale input goes; the output queue stays, since the poll byte may still
    // sit in it and clearing it would leave the device unpolled.
    port.clear(QSerialPort::Input);
    emit dataRead(text);
}

void Serial::onWatchdogTimeout()
{
    readAvailable();
    if (!port.isOpen() || dataSeen) {
        silentTicks = 0;
        dataSeen = false;
        return;
    }
    ++silentTicks;
    if (silentTicks == probeAtSilentTick) {
        qCDebug(lcLink) << "No data received for 4 seconds, requesting confirmation that the device is still "
                           "connected...";
        port.write(&probeByte, 1);
        port.flush();
    }
    if (silentTicks <= lastSilentTick) {
        dataSeen = false;
        return;
    }
    qCDebug(lcLink) << "No data received for 5 seconds, disconnecting...";
    closePort();
    dataSeen = false;
}

QStringList tracktune::knownAdapterPorts(const QHash<QString, QString> &ports)
{
    QStringList names;
    for (auto port = ports.cbegin(); port != ports.cend(); ++port) {
        if (knownAdapters.contains(port.value()))
            names << port.key();
    }
    names.sort();
    return names;
}

QString tracktune::portRefusalMessage(
    const QString &portName, QSerialPort::SerialPortError error, bool permitted)
{
    if (error != QSerialPort::PermissionError)
        return QString();
    if (permitted)
        return QCoreApplication::translate("tracktune", "%1 is in use by another program").arg(portName);
#ifdef Q_OS_LINUX
    return QCoreApplication::translate(
        "tracktune", "Not permitted to open %1: add your user to the dialout group, then log in again")
        .arg(Serial::systemLocation(portName));
#else
    return QCoreApplication::translate("tracktune", "Not permitted to open %1").arg(portName);
#endif
}
