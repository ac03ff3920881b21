// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a file chosen as the tracker's firmware holds, read from its bytes alone.
namespace tracktune {

// The largest file taken for an image: the trackers' flash holds at most 16 MiB.
constexpr int maxImageBytes = 16 * 1024 * 1024;

// The chip id an image header carries (bytes 12-13) for a firmware folder's chip ("esp32s3" -> 9);
// -1: none known.
int chipIdOfFolderChip(const QString &chip);
// "ESP32", "ESP32-S3", ...; "chip 0x0042" for an id this program does not know.
QString chipName(int chipId);
// Where that chip's bootloader lies in flash: 0x1000 on the ESP32 and ESP32-S2, else 0x0
// (0x2000 on the newest chips).
int bootloaderOffset(int chipId);

struct EspImage
{
    enum class Kind {
        NotAnImage,
        Application, // written at 0x10000 beside a bootloader and a partition table
        WholeFlash, // bootloader, partition table and application in one, written at 0x0
        Bootloader, // a bootloader alone
        PartitionTable // a partition table alone
    };
    // Why bytes are no usable image.
    enum class Defect {
        None,
        Empty,
        TooLarge,
        Text, // a web page or other text saved under the image's name
        NoMagic,
        BadSegmentCount,
        CutShort, // "needed" bytes, the file has "size"
        Checksum,
        Sha256,
        BootloaderMisplaced, // a whole-flash image whose bootloader lies where its chip does not look
        PartsDiffer // a whole-flash image whose bootloader and application are for different chips
    };

    Kind kind = Kind::NotAnImage;
    Defect defect = Defect::None;
    qint64 size = 0;
    qint64 needed = 0; // with CutShort
    qint64 offset = 0; // where in the file the defect lies
    int chipId = -1;
    QString version; // "OGNv0.1.18", else the application descriptor's version; may be empty
    QString board; // one of the boards asked for, found as a string of its own; may be empty
    QString beginning; // with Text: its first printable characters
};

// Reads the bytes as an ESP image: header, segments (bounded by the file), checksum and the
// SHA-256 where the header says one follows; a whole-flash image by the bootloader at its chip's
// offset, the partition table at 0x8000 and the application at 0x10000. The version and the
// board (one of boards) are looked for in the application part.
EspImage parseEspImage(const QByteArray &bytes, const QStringList &boards);

} // namespace tracktune
