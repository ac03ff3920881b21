#include "firmware/firmwareupdate.h"

#include "firmware/flasherarguments.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcFirmware, "tracktune.firmware", QtDebugMsg)

namespace {

const int relayBatchMs = 20;

QString installHint(const QString &architecture)
{
    return QStringLiteral(" Make sure the firmware loader is installed in firmware/") + architecture
        + QStringLiteral(" directory.");
}

QProcessEnvironment flasherEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A Python flasher holds its progress lines in an 8 KB buffer when its output is a
    // pipe: the bar would stand still until the end.
    environment.insert(QStringLiteral("PYTHONUNBUFFERED"), QStringLiteral("1"));
    // Plain lines rather than a colour terminal's drawing codes.
    environment.insert(QStringLiteral("NO_COLOR"), QStringLiteral("1"));
    return environment;
}

} // namespace

FirmwareUpdate::FirmwareUpdate(const QString &applicationDir, const QString &architecture, QObject *parent)
    : QObject(parent),
      arch(architecture),
      candidates(tracktune::firmwareFolders(
          applicationDir, QStandardPaths::standardLocations(QStandardPaths::AppDataLocation), architecture))
{
    qCDebug(lcFirmware) << "Hardware: " << arch;
    for (const QString &candidate : qAsConst(candidates)) {
        if (QDir(candidate).exists()) {
            firmwareFolder = candidate;
            break;
        }
    }
}

QString FirmwareUpdate::missingComponents() const
{
    const QString title = QStringLiteral("Firmware update not possible: Missing components.");
    if (firmwareFolder.isEmpty()) {
        return title + QStringLiteral("\nNo firmware loader found for ") + arch
            + QStringLiteral(" architecture.") + installHint(arch) + QStringLiteral("\nLooked in: ")
            + candidates.join(QStringLiteral(", "));
    }
    const QStringList components = tracktune::requiredComponents();
    for (const QString &name : components) {
        if (!QFile::exists(firmwareFolder + QLatin1Char('/') + name)) {
            return title + QStringLiteral("\nFile ") + name + QStringLiteral(" not found.")
                + installHint(arch);
        }
    }
    return QString();
}

void FirmwareUpdate::run(const QString &port, const QString &firmwareFile)
{
    QFile templateFile(firmwareFolder + QStringLiteral("/config.txt"));
    templateFile.open(QIODevice::ReadOnly); // unreadable reads as empty
    const QStringList arguments = tracktune::flasherArguments(tracktune::textUpToNul(templateFile.readAll()),
        tracktune::chipFromArchitecture(arch), port, firmwareFolder, firmwareFile);
    qCDebug(lcFirmware) << arguments;

    QProcess process;
    process.setProcessEnvironment(flasherEnvironment());
    // Connected before the start: a flasher that cannot be started may say so at once.
    connect(&process, &QProcess::readChannelFinished, this, [this, &process] {
        const QByteArray errors = process.readAllStandardError();
        qCDebug(lcFirmware) << "update done" << errors;
        emit finished();
    });
    connect(&process, &QProcess::errorOccurred, this, [this] { emit failed(); });
    process.start(
        firmwareFolder + QLatin1Char('/') + tracktune::flasherName(), arguments, QIODevice::ReadWrite);

    QElapsedTimer sinceEvents;
    for (;;) {
        // Line by line, with the events processed at least every few milliseconds: once per
        // line made a flasher that prints fast cost seconds per megabyte.
        sinceEvents.start();
        bool relayed = false;
        while (process.bytesAvailable() > 0 && sinceEvents.elapsed() < relayBatchMs) {
            const QString text = tracktune::textUpToNul(process.readLine());
            if (!text.isEmpty())
                emit outputLine(text);
            relayed = true;
        }
        if (relayed) {
            QCoreApplication::processEvents();
            continue;
        }
        if (process.state() == QProcess::NotRunning)
            break;
        // Nothing to relay yet: sleep until the process or a timer has news.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
