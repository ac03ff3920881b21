// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial.h"

#include "config/utf8text.h"
#include "link/logging.h"
#include "link/portcandidates.h"
#include "link/portorder.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#ifdef Q_OS_WIN
#include <QThread>

#include <atomic>
#include <memory>
#endif

#include <algorithm>

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
    qRegisterMetaType<QSerialPort::SerialPortError>();
    connect(&watchdogTimer, &QTimer::timeout, &watchdogTimer, [this] { onWatchdogTimeout(); });
    connect(&port, &QSerialPort::readyRead, this, &Serial::onReadyRead);
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
    const auto openAndClose = [](const QString &name) {
        QSerialPort candidate;
        candidate.setPortName(name);
        candidate.setBaudRate(QSerialPort::Baud115200);
        // Closed again when the candidate goes.
        return candidate.open(QIODevice::ReadWrite) ? QSerialPort::NoError : candidate.error();
    };
#ifdef Q_OS_WIN
    // Opening a COM port starts an overlapped wait for its events, and a driver may never return
    // from that (Wine's does not, for a device that is no UART): the probe runs beside the caller
    // and is given up after a while, and the port then counts as one that does not open.
    auto result = std::make_shared<std::atomic<int>>(int(QSerialPort::TimeoutError));
    QThread *probe
        = QThread::create([openAndClose, portName, result] { result->store(openAndClose(portName)); });
    probe->start();
    if (!probe->wait(openDeadlineMs)) {
        // A running thread must not be destroyed: it goes once the driver lets it, or with the program.
        QObject::connect(probe, &QThread::finished, probe, &QObject::deleteLater);
        qCDebug(lcLink) << portName << "did not open within" << openDeadlineMs << "ms";
        return QSerialPort::TimeoutError;
    }
    delete probe;
    return QSerialPort::SerialPortError(result->load());
#else
    return openAndClose(portName);
#endif
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

bool Serial::findDevice(const QSet<QString> &setAside)
{
    const QHash<QString, QString> ports = scanPorts();
    qCDebug(lcPorts) << ports;
    // Known adapters first, then any other USB adapter, each in name order: the same ports give
    // the same tracker on every search, and the command line counts the same candidates.
    const QStringList known = tracktune::knownAdapterPorts(ports);
    for (const QString &name : tracktune::portCandidates(ports)) {
        if (setAside.contains(name))
            continue;
        const QSerialPort::SerialPortError error = tryOpen(name);
        if (error == QSerialPort::NoError && openProbed(name))
            return true;
        // A known adapter that will not open is worth telling; any other USB port is not.
        if (known.contains(name))
            emit portRefused(name, error, isPermitted(name));
    }
    return false;
}

bool Serial::openPort(const QString &portName)
{
    closePort();
#ifdef Q_OS_WIN
    // An open that would never return is found out by the probe first.
    if (tryOpen(portName) == QSerialPort::TimeoutError) {
        emit openFailed(portName, QSerialPort::TimeoutError,
            QCoreApplication::translate("tracktune", "the port did not open within %1 s")
                .arg(openDeadlineMs / 1000));
        return false;
    }
#endif
    return openProbed(portName);
}

bool Serial::openProbed(const QString &portName)
{
    closePort();
    port.setPortName(portName);
    port.setBaudRate(QSerialPort::Baud115200);
    if (!port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port.error();
        const QString errorText = port.errorString();
        qCDebug(lcLink) << "Cannot open" << portName << errorText;
        port.clearError();
        emit openFailed(portName, error, errorText);
        return false;
    }
    qCDebug(lcLink) << "Connected to" << portName;
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    unsplit.clear();
    textHeldBack.clear();
    silentTicks = 0;
    dataSeen = false;
    watchdogTimer.start(watchdogIntervalMs);
    emit connected(portName);
    return true;
}

void Serial::closePort()
{
    watchdogTimer.stop();
    silentTicks = 0;
    // One closing, one disconnected(): the error handler, a failed read and a search may all
    // close the same link.
    if (!port.isOpen())
        return;
    qCDebug(lcLink) << "Disconnected";
    port.close();
    emit disconnected();
}

bool Serial::send(const QByteArray &bytes)
{
    if (!port.isOpen())
        return false;
    // A port whose adapter is gone may take the bytes into its buffer and drop them when the
    // write fails: only a flush without an error counts as sent.
    port.clearError();
    const bool taken = port.write(bytes) == bytes.size();
    if (!port.isOpen())
        return false;
    const bool flushed = port.flush() || port.bytesToWrite() == 0;
    return taken && flushed && port.isOpen() && port.error() == QSerialPort::NoError;
}

bool Serial::write(const QByteArray &bytes)
{
    // Bytes the port has buffered came before these: their listeners hear them now.
    if (port.isOpen() && port.bytesAvailable() > 0)
        onReadyRead();
    qCDebug(lcLink) << "sending" << bytes;
    return send(bytes);
}

void Serial::pauseWatchdog()
{
    watchdogTimer.stop();
}

void Serial::resumeWatchdog()
{
    if (port.isOpen() && !watchdogTimer.isActive()) {
        // The read or write that paused it heard the tracker.
        silentTicks = 0;
        dataSeen = true;
        watchdogTimer.start(watchdogIntervalMs);
    }
}

bool Serial::isOpen() const
{
    return port.isOpen();
}

QString Serial::portName() const
{
    return port.portName();
}

void Serial::onReadyRead()
{
    if (!port.isOpen())
        return;
    const QByteArray chunk = port.readAll();
    if (chunk.isEmpty())
        return;
    dataSeen = true;
    silentTicks = 0;
    emit bytesReceived(chunk);
    // A NUL byte is line noise: the monitor drops it rather than lose the rest of the chunk.
    QByteArray printable = chunk;
    printable.replace('\0', QByteArray());
    const tracktune::Utf8Text decoded = tracktune::decodeUtf8(textHeldBack, printable);
    textHeldBack = decoded.heldBack;
    if (!decoded.text.isEmpty())
        emit dataRead(decoded.text);
    // Lines end at a line feed, which stays with them (a CR before it too). Each line leaves the
    // buffer before it is told, so that a listener that runs an event loop of its own, in which
    // more bytes come, changes neither their order nor the lines; one that closes the port ends
    // the telling.
    unsplit += chunk;
    while (port.isOpen()) {
        const int feed = unsplit.indexOf('\n');
        if (feed < 0 && unsplit.size() < longestLine)
            break;
        const int end = feed < 0 ? longestLine : std::min(feed + 1, longestLine);
        const QByteArray line = unsplit.left(end);
        unsplit.remove(0, end);
        emit lineReceived(line);
    }
}

void Serial::onWatchdogTimeout()
{
    // The tracker answers the poll with its list; what it sent since the last tick tells it lives.
    send(QByteArray(1, pollByte));
    if (!port.isOpen() || dataSeen) {
        silentTicks = 0;
        dataSeen = false;
        return;
    }
    ++silentTicks;
    if (silentTicks == probeAtSilentTick) {
        qCDebug(lcLink) << "No data received for 4 seconds, requesting confirmation that the device is still "
                           "connected...";
        send(QByteArray(1, probeByte));
    }
    if (silentTicks <= lastSilentTick)
        return;
    qCDebug(lcLink) << "No data received for 5 seconds, disconnecting...";
    closePort();
}

QStringList tracktune::knownAdapterPorts(const QHash<QString, QString> &ports)
{
    QStringList names;
    for (auto port = ports.cbegin(); port != ports.cend(); ++port) {
        if (knownAdapters.contains(port.value()))
            names << port.key();
    }
    return tracktune::naturalPortOrder(names);
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
