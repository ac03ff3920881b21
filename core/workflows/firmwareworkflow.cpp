// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflows/firmwareworkflow.h"

#include "config/backups.h"
#include "config/changeplan.h"
#include "config/pilotwords.h"
#include "config/settingsfile.h"
#include "firmware/firmwareupdate.h"
#include "firmware/imagecheck.h"
#include "link/devicesession.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace tracktune {

namespace {

QString valueOf(const QList<DumpLine> &list, const QString &name)
{
    const DumpLine *entry = findSetting(list, name);
    return entry ? entry->value : QString();
}

// Where the image chooser opens: the folder of the last image chosen, else the Downloads folder.
const QLatin1String lastImageKey("firmware/lastImageFolder");

QString imageFolder()
{
    const QString last = QSettings().value(lastImageKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    // A folder that does not exist would be taken for a file name.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QFileInfo(downloads).isDir() ? downloads : QDir::homePath();
}

// The texts of the flasher's end, the window's.
struct Ending
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    static QString whatNext(const QString &backup)
    {
        return tr("What now: unplug the tracker, plug it in again and start the update once more. "
                  "Its settings from before are saved in %1 in the backups folder; once the update "
                  "has worked they are offered back.")
            .arg(QFileInfo(backup).fileName());
    }

    static QString failureText(const FirmwareUpdate::Outcome &outcome, const QString &backup)
    {
        QString text = outcome.crashed
            ? tr("The firmware loader crashed.")
            : tr("The firmware loader ended with exit code %1.").arg(outcome.exitCode);
        if (!outcome.lastErrors.isEmpty())
            text += QStringLiteral("\n\n") + outcome.lastErrors.join(QLatin1Char('\n'));
        return text + QStringLiteral("\n\n") + whatNext(backup);
    }
};

} // namespace

FirmwareUpdateWorkflow::FirmwareUpdateWorkflow(
    DeviceSession &session, WorkflowQuestions &window, const QString &applicationFolder, QObject *owner)
    : Workflow(session, window), applicationFolder(applicationFolder), owner(owner)
{ }

// A critical box with one OK button. Plain text: what it quotes came from the tracker or
// the flasher and must never be taken for markup.
// A backup's whole path goes in its details, so that the box fits a small screen.
void FirmwareUpdateWorkflow::tellFailure(const QString &title, const QString &text, const QString &backup)
{
    window.ask({Box::Critical, title, text, Box::Ok, Box::NoButton,
        backup.isEmpty() ? QString() : tr("Settings saved to: %1").arg(QDir::toNativeSeparators(backup))});
}

std::optional<RestoreOffer> FirmwareUpdateWorkflow::run()
{
    // The tracker the pilot chose the firmware for is the one flashed, or none.
    // The owner's once the flasher starts, until it has ended.
    auto update = std::make_unique<FirmwareUpdate>(
        applicationFolder, firmwareFolderFor(held.identity.hardware), owner);
    const QString problem = update->problem();
    if (!problem.isEmpty()) {
        tellFailure(problem.section(QLatin1Char('\n'), 0, 0), problem);
        return std::nullopt;
    }
    const QString notFlashed = tr("Nothing was flashed.");
    const QString hardware = held.identity.hardware;
    const QString folderName = firmwareFolderFor(hardware);
    const QString chip = chipOfFolder(folderName);
    const QString board = hardware.isEmpty() ? tr("tracker") : hardware;
    // The chooser says which board and chip the image must be for: the file names of the
    // published images (merged.bin) do not.
    const QString firmwareFile = window.chooseFile(WorkflowQuestions::FileChoice::Open,
        chip.isEmpty() ? tr("Select firmware file for the %1").arg(board)
                       : tr("Select firmware file for the %1 (%2)").arg(board, chip),
        imageFolder(), tr("Binary files (*.bin)"));
    if (firmwareFile.isEmpty() || !stillHeld(tr("while you chose the file"), notFlashed))
        return std::nullopt;
    const QFileInfo image(firmwareFile);
    QSettings().setValue(lastImageKey, image.absolutePath());
    // The image is checked before anything runs: what the flasher is handed must be an image
    // this tracker's chip can start.
    QFile imageFile(firmwareFile);
    if (!imageFile.open(QIODevice::ReadOnly)) {
        tellFailure(tr("Firmware image refused"),
            tr("The file %1 could not be read: %2").arg(image.fileName(), imageFile.errorString())
                + QStringLiteral("\n\n") + notFlashed);
        return std::nullopt;
    }
    const EspImage facts = parseEspImage(imageFile.read(maxImageBytes + 1), knownHardware());
    imageFile.close();
    const QString refusal = imageRefusal(facts, hardware, folderName);
    if (!refusal.isEmpty()) {
        tellFailure(tr("Firmware image refused"),
            tr("%1 was not written to the tracker.").arg(image.fileName()) + QStringLiteral("\n\n")
                + refusal);
        return std::nullopt;
    }
    const QString missing = update->problemFor(facts.kind);
    if (!missing.isEmpty()) {
        tellFailure(missing.section(QLatin1Char('\n'), 0, 0), missing);
        return std::nullopt;
    }
    const QString backup = backupPathBeforeUpdate(held.identity.address, QDateTime::currentDateTime());
    const QLocale locale;
    const QString reg = valueOf(held.list, QStringLiteral("Reg"));
    // Plain text: the file's name and the tracker's values are never markup. No is the default.
    // File names only, so that it fits a small screen; the whole paths are in its details.
    const Box confirmation {Box::Warning, tr("Firmware update"),
        tr("Write the firmware image %1 (%2, %3) to the tracker %4 (%5, hardware %6)?")
                .arg(image.fileName(), locale.formattedDataSize(image.size()),
                    locale.toString(image.lastModified(), QLocale::ShortFormat), held.identity.address,
                    reg.isEmpty() ? tr("no registration") : tr("registration %1").arg(reg),
                    held.identity.hardware)
            + QStringLiteral("\n\n") + imageFacts(facts, hardware) + QStringLiteral("\n\n")
            + tr("Its settings are saved first, to %1 in the backups folder.")
                  .arg(QFileInfo(backup).fileName())
            + (facts.kind == EspImage::Kind::WholeFlash ? QLatin1Char(' ')
                        + tr("A whole-flash image rewrites the tracker's settings: they are offered back "
                             "once the tracker is found again.")
                                                        : QString())
            + QLatin1Char(' ') + tr("Keep the tracker plugged in until the update has finished.")
            + QStringLiteral("\n\n") + tr("Install only firmware from a trusted source."),
        Box::Yes | Box::No, Box::No,
        tr("Image: %1\nThe settings will first be saved to: %2")
            .arg(QDir::toNativeSeparators(image.absoluteFilePath()), QDir::toNativeSeparators(backup))};
    // Escape or the window's close button: no consent either.
    if (window.ask(confirmation) != Box::Yes || !stillHeld(tr("while the question was open"), notFlashed))
        return std::nullopt;
    // The flasher may leave the tracker with its factory values: its settings are kept first.
    // Nothing to restore from a list that was never read whole.
    if (held.list.isEmpty() || held.identity.address.isEmpty()) {
        tellFailure(tr("Firmware update not possible"),
            tr("The tracker's settings have not been read, so the update does not start."));
        return std::nullopt;
    }
    const QString error = writeBackup(
        backup, held.list, held.identity.address, QDateTime::currentDateTime(), held.identity.cpuId);
    if (!error.isEmpty()) {
        tellFailure(tr("Firmware update not possible"),
            tr("The tracker's settings could not be saved before the update, so it does not start.\n%1: %2")
                .arg(QDir::toNativeSeparators(backup), error));
        return std::nullopt;
    }
    const RestoreOffer offer {held.identity, held.list};
    if (!session.beginOperation(DeviceSession::Operation::FirmwareUpdate))
        return offer;
    session.link().closePort();
    FirmwareUpdate *flasher = update.release();
    window.showProgress(flasher);
    // Told after the window's progress has ended.
    QObject::connect(flasher, &FirmwareUpdate::finished, owner,
        [device = &session, shown = &window, flasher, backup](const FirmwareUpdate::Outcome &outcome) {
            flasher->deleteLater();
            device->endOperation();
            // Told once the port is free to be found again, while the user reads.
            using Kind = FirmwareUpdate::Outcome::Kind;
            const auto tell = [shown, &backup](const QString &title, const QString &text) {
                shown->ask({Box::Critical, title, text, Box::Ok, Box::NoButton,
                    tr("Settings saved to: %1").arg(QDir::toNativeSeparators(backup))});
            };
            if (outcome.kind == Kind::NotStarted) {
                QString text
                    = tr("The firmware loader could not be started, so the tracker was not changed.");
                if (!outcome.lastErrors.isEmpty())
                    text += QStringLiteral("\n\n") + outcome.lastErrors.join(QLatin1Char('\n'));
                tell(tr("An error has occurred during update process."),
                    text + QStringLiteral("\n\n")
                        + tr("What now: check that the firmware folder's loader may be run, then try again. "
                             "The tracker's settings are saved in %1 in the backups folder.")
                              .arg(QFileInfo(backup).fileName()));
            } else if (outcome.kind == Kind::Cancelled) {
                tell(tr("Firmware update cancelled"),
                    tr("The firmware update was cancelled before the loader had finished. The tracker may "
                       "not start until it is updated again. Its settings were saved before the update.")
                        + QStringLiteral("\n\n") + Ending::whatNext(backup));
            } else if (outcome.kind == Kind::Failed) {
                tell(tr("Firmware update failed"), Ending::failureText(outcome, backup));
            }
        });
    // The flasher opens the port by the name the system gives it: the held tracker's.
    flasher->start(held.identity.port, firmwareFile);
    return offer;
}

void RestoreSettings::run(std::optional<RestoreOffer> &offer)
{
    // Only the same device: another aircraft would get this one's identity. An update that puts
    // the settings back to their defaults changes the Address too, not the CPU id.
    if (!offer || !isSameDevice(offer->tracker, held.identity))
        return;
    const ChangePlan plan = planFile(offer->settings, held.list, true);
    offer.reset();
    if (plan.writes.isEmpty())
        return;
    QStringList changes;
    const FirmwareLine line = firmwareLineOf(held.list);
    for (const DumpLine &write : plan.writes) {
        changes << tr("%1: %2 -> %3")
                       .arg(labelInWords(write.name),
                           valueInWords(write.name, valueOf(held.list, write.name), line),
                           valueInWords(write.name, write.value, line));
    }
    const QString reg = valueOf(held.list, QStringLiteral("Reg"));
    const QString tracker
        = reg.isEmpty() ? held.identity.address : tr("%1, %2").arg(held.identity.address, reg);
    if (window.ask({Box::Question, tr("Restore settings"),
            tr("Restore these settings of the tracker %1 from before the firmware update?\n\n%2")
                .arg(tracker, changes.join(QLatin1Char('\n'))),
            Box::Yes | Box::No, Box::Yes})
            != Box::Yes
        || !stillHeld(tr("while the question was open"), tr("Nothing was written.")))
        return;
    window.markChanges(plan.writes);
    WorkflowQuestions *shown = &window;
    window.writeChanges([shown](bool saved) {
        if (saved)
            shown->showStatus(tr("Settings restored"));
    });
}

} // namespace tracktune
