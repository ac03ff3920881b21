// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/firmwareupdate.h"

#include "config/utf8text.h"
#include "firmware/flasherarguments.h"
#include "firmware/flasherprogress.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcFirmware, "tracktune.firmware", QtInfoMsg)

namespace {

const int relayBatchMs = 20;
const int keptErrorBytes = 16 * 1024;
const int shownErrorLines = 5;
const int shownNameLength = 80;

// The flasher beside the templates, else (not on Windows, where the folder must hold it) one
// installed on the PATH, as "pip install esptool" puts it there.
QString findFlasher(const QString &folder)
{
    const QString own = folder + QLatin1Char('/') + tracktune::flasherName();
    if (!folder.isEmpty() && QFileInfo(own).isFile())
        return own;
#ifdef Q_OS_WIN
    return QString();
#else
    for (const QString &name : {QStringLiteral("esptool"), QStringLiteral("esptool.py")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
#endif
}

QString missingFlasherText(const QString &folder)
{
#ifdef Q_OS_WIN
    return FirmwareUpdate::tr("the flasher %1: put it in %2; it comes from %3")
        .arg(tracktune::flasherName(), QDir::toNativeSeparators(folder), tracktune::flasherReleasePage());
#else
    return FirmwareUpdate::tr("the flasher %1: install it with \"pip install esptool\" (it is then found on "
                              "the PATH) or put it in %2; it comes from %3")
        .arg(tracktune::flasherName(), folder, tracktune::flasherReleasePage());
#endif
}

QString missingText(const QString &title, const QStringList &missing)
{
    return title + QLatin1Char('\n') + FirmwareUpdate::tr("Missing:") + QStringLiteral("\n- ")
        + missing.join(QStringLiteral("\n- ")) + QLatin1Char('\n')
        + FirmwareUpdate::tr("The tracker firmware for your board (merged.bin, a whole-flash image) is "
                             "published at %1.")
              .arg(tracktune::firmwareReleasePage());
}

// A name the device gave, as a message may show it: it could hold anything.
QString quoted(const QString &name)
{
    QString shown = tracktune::withoutControlCharacters(name);
    if (shown.size() > shownNameLength)
        shown = shown.left(shownNameLength) + QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
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

// Whether the folder, links resolved, lies inside the "firmware" folder of one of the bases.
bool liesInside(const QString &folder, const QStringList &bases)
{
    const QString resolved = QFileInfo(folder).canonicalFilePath();
    if (resolved.isEmpty())
        return false;
    for (const QString &base : bases) {
        const QString root = QFileInfo(base + QStringLiteral("/firmware")).canonicalFilePath();
        if (!root.isEmpty() && resolved.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

} // namespace

FirmwareUpdate::FirmwareUpdate(const QString &applicationDir, const QString &architecture, QObject *parent)
    : QObject(parent), arch(architecture)
{
    qRegisterMetaType<FirmwareUpdate::Outcome>();
    qCDebug(lcFirmware) << "Hardware: " << arch;
    // The name comes from the tracker, and the flasher found under it is run.
    if (!tracktune::isPlainFolderName(arch)) {
        refusal = tr("Firmware update not possible: Unknown hardware.\nThe tracker names its hardware %1, "
                     "which is no firmware folder name.")
                      .arg(quoted(arch));
        return;
    }
    const QStringList dataFolders = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    candidates = tracktune::firmwareFolders(applicationDir, dataFolders, arch);
    for (const QString &candidate : std::as_const(candidates)) {
        if (QDir(candidate).exists()) {
            firmwareFolder = candidate;
            break;
        }
    }
    if (!firmwareFolder.isEmpty()
        && !liesInside(firmwareFolder, QStringList {applicationDir} + dataFolders)) {
        refusal = tr("Firmware update not possible: Unknown hardware.\nThe firmware folder for the "
                     "hardware %1 leads to %2, outside the firmware folders.")
                      .arg(quoted(arch), QFileInfo(firmwareFolder).canonicalFilePath());
        firmwareFolder.clear(); // never used, nor shown as the one in use
        return;
    }
    flasher = findFlasher(firmwareFolder);
}

FirmwareUpdate::~FirmwareUpdate()
{
    if (process)
        process->disconnect(this);
}

QString FirmwareUpdate::problem() const
{
    if (!refusal.isEmpty())
        return refusal;
    const QString title = tr("Firmware update not possible: Missing components.");
    QStringList missing;
    if (firmwareFolder.isEmpty()) {
        missing << tr("the firmware folder %1, with its argument templates: it comes with the program. "
                      "Looked in: %2")
                       .arg(arch, candidates.join(QStringLiteral(", ")));
    }
    if (flasher.isEmpty())
        missing << missingFlasherText(firmwareFolder.isEmpty() ? candidates.value(0) : firmwareFolder);
    const auto has
        = [this](const QString &name) { return QFile::exists(firmwareFolder + QLatin1Char('/') + name); };
    if (!firmwareFolder.isEmpty() && !has(tracktune::applicationTemplate(firmwareFolder))
        && !has(tracktune::wholeFlashTemplateName())) {
        missing << tr(
            "%1 and %2, the flasher's argument lists: they come with the program's firmware folders")
                       .arg(tracktune::wholeFlashTemplateName(),
                           tracktune::applicationTemplate(firmwareFolder));
    }
    return missing.isEmpty() ? QString() : missingText(title, missing);
}

QString FirmwareUpdate::problemFor(tracktune::EspImage::Kind kind)
{
    const bool application = kind != tracktune::EspImage::Kind::WholeFlash;
    const QString templateName
        = application ? tracktune::applicationTemplate(firmwareFolder) : tracktune::wholeFlashTemplateName();
    const QString inFolder = firmwareFolder + QLatin1Char('/');
    QStringList missing;
    if (!QFile::exists(inFolder + templateName)) {
        missing << tr("%1 in %2, the flasher's argument list for this kind of image: it comes with the "
                      "program's firmware folders")
                       .arg(templateName, QDir::toNativeSeparators(firmwareFolder));
    }
    if (application) {
        for (const QString &name : {QStringLiteral("bootloader.bin"), QStringLiteral("partitions.bin")}) {
            if (!QFile::exists(inFolder + name)) {
                missing << tr("%1 in %2, which an application image is written beside: it comes with the "
                              "firmware's build, or choose the whole-flash image (merged.bin) instead")
                               .arg(name, QDir::toNativeSeparators(firmwareFolder));
            }
        }
    }
    if (!missing.isEmpty())
        return missingText(tr("Firmware update not possible: Missing components."), missing);
    QFile templateFile(inFolder + templateName);
    templateFile.open(QIODevice::ReadOnly); // unreadable reads as empty
    // One byte more than allowed tells a file that is too large without reading it all.
    const tracktune::TextFile read
        = tracktune::templateText(templateFile.read(tracktune::maxTemplateBytes + 1), templateName);
    if (!read.problem.isEmpty()) {
        return tr("Firmware update not possible: Unusable argument list.") + QLatin1Char('\n') + read.problem
            + QLatin1Char('\n') + tr("In: %1").arg(firmwareFolder);
    }
    templateText = read.text;
    return QString();
}

void FirmwareUpdate::start(const QString &port, const QString &firmwareFile)
{
    const QStringList arguments = tracktune::flasherArguments(
        templateText, tracktune::chipFromArchitecture(arch), port, firmwareFolder, firmwareFile);
    qCDebug(lcFirmware) << arguments;

    process = new QProcess(this);
    process->setProcessEnvironment(flasherEnvironment());
    connect(process, &QProcess::readyReadStandardOutput, this, &FirmwareUpdate::relayOutput);
    connect(process, &QProcess::readyReadStandardError, this, &FirmwareUpdate::keepErrors);
    // QProcess reads what is left in the pipes before it says the flasher has exited.
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, [this] {
        exited = true;
        relayOutput();
    });
    // Connected before the start: a flasher that cannot be started may say so at once, even
    // inside start(). Told from the event loop all the same: the caller is not done yet.
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            QMetaObject::invokeMethod(
                this, [this] { conclude(Outcome()); }, Qt::QueuedConnection);
    });
    process->start(flasher, arguments, QIODevice::ReadWrite);
}

void FirmwareUpdate::relayOutput()
{
    if (concluded)
        return;
    // Line by line, in batches of a few milliseconds with the events in between: once per
    // line made a flasher that prints fast cost seconds per megabyte, all at once would hold
    // the window while it prints.
    QElapsedTimer batch;
    batch.start();
    while (process->bytesAvailable() > 0) {
        if (batch.elapsed() >= relayBatchMs) {
            if (!relayQueued) {
                relayQueued = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        relayQueued = false;
                        relayOutput();
                    },
                    Qt::QueuedConnection);
            }
            return;
        }
        QByteArray bytes = process->readLine(tracktune::maxOutputLineLength);
        const int nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        const tracktune::Utf8Text decoded = tracktune::decodeUtf8(heldBack, bytes);
        heldBack = decoded.heldBack;
        const QString &text = decoded.text;
        if (!text.isEmpty())
            emit outputLine(text);
    }
    if (exited) {
        keepErrors();
        qCDebug(lcFirmware) << "update done" << process->exitStatus() << process->exitCode() << errors;
        conclude(exitOutcome());
    }
}

void FirmwareUpdate::keepErrors()
{
    // Read as it comes, and only its end kept: a flasher that floods its standard
    // error must not fill the memory.
    errors += process->readAllStandardError();
    if (errors.size() > keptErrorBytes)
        errors = errors.right(keptErrorBytes);
}

FirmwareUpdate::Outcome FirmwareUpdate::exitOutcome() const
{
    Outcome outcome;
    if (cancelled) {
        outcome.kind = Outcome::Kind::Cancelled;
        outcome.lastErrors = tracktune::lastErrorLines(errors, shownErrorLines);
        return outcome;
    }
    // A flasher that wrote nothing may still have failed: only its exit tells.
    outcome.crashed = process->exitStatus() == QProcess::CrashExit;
    outcome.exitCode = process->exitCode();
    outcome.kind
        = !outcome.crashed && outcome.exitCode == 0 ? Outcome::Kind::Finished : Outcome::Kind::Failed;
    if (outcome.kind == Outcome::Kind::Failed)
        outcome.lastErrors = tracktune::lastErrorLines(errors, shownErrorLines);
    return outcome;
}

void FirmwareUpdate::conclude(const Outcome &outcome)
{
    if (concluded)
        return;
    concluded = true;
    emit finished(outcome);
}

void FirmwareUpdate::cancel()
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    cancelled = true;
    // A flasher that never exits on its own is ended all the same.
    process->kill();
}
