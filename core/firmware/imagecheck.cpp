// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/imagecheck.h"

#include "firmware/flasherarguments.h"

#include <QCoreApplication>
#include <QLocale>

namespace tracktune {

namespace {

// The context of this file's texts.
struct ImageCheck
{
    Q_DECLARE_TR_FUNCTIONS(ImageCheck)
};

QString hex(qint64 value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper();
}

QString trackerName(const QString &hardware)
{
    return hardware.isEmpty() ? ImageCheck::tr("no board name") : hardware;
}

// What the file holds, when it is no image the tracker can take.
QString whatItHolds(const EspImage &image)
{
    using Defect = EspImage::Defect;
    switch (image.defect) {
    case Defect::None:
        break;
    case Defect::Empty:
        return ImageCheck::tr("The file is empty.");
    case Defect::TooLarge:
        return ImageCheck::tr("The file is %1, larger than any tracker's flash.")
            .arg(QLocale().formattedDataSize(image.size));
    case Defect::Text:
        return ImageCheck::tr(
            "The file is text, not a firmware image: it begins \"%1\". Was a web page saved "
            "instead of the download?")
            .arg(image.beginning);
    case Defect::NoMagic:
        return image.offset == 0
            ? ImageCheck::tr("The file is no ESP firmware image: it does not begin with an image header.")
            : ImageCheck::tr("The file is no ESP firmware image: there is no image header at %1.")
                  .arg(hex(image.offset));
    case Defect::BadSegmentCount:
        return ImageCheck::tr("The image header at %1 is damaged: it names no usable number of segments.")
            .arg(hex(image.offset));
    case Defect::CutShort:
        return ImageCheck::tr("The file is cut short: it has %1 bytes, the image needs at least %2.")
            .arg(image.size)
            .arg(image.needed);
    case Defect::Checksum:
        return ImageCheck::tr("The image's checksum at %1 does not match its contents: the file is damaged.")
            .arg(hex(image.offset));
    case Defect::Sha256:
        return ImageCheck::tr("The image's SHA-256 at %1 does not match its contents: the file is damaged.")
            .arg(hex(image.offset));
    case Defect::BootloaderMisplaced:
        return ImageCheck::tr("This whole-flash image has its bootloader at %1; an %2 needs it at %3.")
            .arg(hex(image.offset), chipName(image.chipId), hex(bootloaderOffset(image.chipId)));
    case Defect::PartsDiffer:
        return ImageCheck::tr("This whole-flash image holds parts for different chips.");
    }
    if (image.kind == EspImage::Kind::Bootloader)
        return ImageCheck::tr("This is a bootloader alone (for an %1), not the tracker's firmware.")
            .arg(chipName(image.chipId));
    if (image.kind == EspImage::Kind::PartitionTable)
        return ImageCheck::tr("This is a partition table alone, not the tracker's firmware.");
    return QString();
}

} // namespace

QString chipOfFolder(const QString &folder)
{
    const int id = chipIdOfFolderChip(chipFromArchitecture(folder));
    return id < 0 ? QString() : chipName(id);
}

QString imageRefusal(const EspImage &image, const QString &hardware, const QString &folder)
{
    const int trackerChip = chipIdOfFolderChip(chipFromArchitecture(folder));
    const QString chip = trackerChip < 0 ? QString() : chipName(trackerChip);
    const QString needs = folder.isEmpty()
        ? ImageCheck::tr("A tracker needs an application image or a whole-flash image (merged.bin).")
        : chip.isEmpty()
        ? ImageCheck::tr("The tracker (%1) needs an application image or a whole-flash image (merged.bin).")
              .arg(trackerName(hardware))
        : ImageCheck::tr(
            "The tracker (%1) needs an application image or a whole-flash image (merged.bin) for an %2.")
              .arg(trackerName(hardware), chip);
    const QString held = whatItHolds(image);
    if (!held.isEmpty())
        return held + QLatin1Char(' ') + needs;
    if (trackerChip >= 0 && image.chipId != trackerChip) {
        return ImageCheck::tr("This image is for an %1; the tracker (%2) has an %3.")
            .arg(chipName(image.chipId), trackerName(hardware), chip);
    }
    return QString();
}

QString imageFacts(const EspImage &image, const QString &hardware)
{
    const QString kind = image.kind == EspImage::Kind::WholeFlash
        ? ImageCheck::tr("whole-flash image, written from 0x0 (its settings area too)")
        : ImageCheck::tr(
            "application image, written at 0x10000 beside the folder's bootloader and partition table");
    // The size stands beside the file's name in the question.
    QStringList lines {
        ImageCheck::tr("Kind: %1").arg(kind), ImageCheck::tr("Chip: %1").arg(chipName(image.chipId))};
    if (!image.version.isEmpty())
        lines << ImageCheck::tr("Version: %1").arg(image.version);
    if (!image.board.isEmpty())
        lines << ImageCheck::tr("Board: %1").arg(image.board);
    if (!image.board.isEmpty() && !hardware.isEmpty() && image.board != hardware)
        lines << ImageCheck::tr("The image names the board %1; the tracker names %2.")
                     .arg(image.board, hardware);
    return lines.join(QLatin1Char('\n'));
}

} // namespace tracktune
