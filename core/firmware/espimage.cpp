// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/espimage.h"

#include <QCryptographicHash>

#include <algorithm>

namespace tracktune {

namespace {

const int headerBytes = 24;
const int segmentHeaderBytes = 8;
const int maxSegments = 16;
const int shaBytes = 32;
const qint64 partitionTableOffset = 0x8000;
const qint64 applicationOffset = 0x10000;
const char imageMagic = char(0xE9);
const QByteArray partitionMagic("\xAA\x50", 2);
// esp_app_desc_t's magic word, at 0x20 in an application image.
const QByteArray descriptorMagic("\x32\x54\xCD\xAB", 4);
const int descriptorVersionAt = 0x30;
const int descriptorVersionBytes = 32;
const int maxVersionLength = 24;
const int shownBeginning = 40;

struct ChipFacts
{
    int id;
    const char *name;
    const char *folderChip;
    int bootloaderOffset;
};

const ChipFacts chips[] = {
    {0x00, "ESP32", "esp32", 0x1000},
    {0x02, "ESP32-S2", "esp32s2", 0x1000},
    {0x05, "ESP32-C3", "esp32c3", 0x0},
    {0x09, "ESP32-S3", "esp32s3", 0x0},
    {0x0C, "ESP32-C2", "esp32c2", 0x0},
    {0x0D, "ESP32-C6", "esp32c6", 0x0},
    {0x10, "ESP32-H2", "esp32h2", 0x0},
    {0x12, "ESP32-P4", "esp32p4", 0x2000},
    {0x14, "ESP32-C61", "esp32c61", 0x0},
    {0x17, "ESP32-C5", "esp32c5", 0x2000},
};

const ChipFacts *factsOf(int chipId)
{
    for (const ChipFacts &facts : chips)
        if (facts.id == chipId)
            return &facts;
    return nullptr;
}

quint32 littleEndian(const QByteArray &bytes, qint64 at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(int(at + i)));
    return value;
}

bool holdsAt(const QByteArray &bytes, qint64 at, const QByteArray &marker)
{
    return at + marker.size() <= bytes.size() && bytes.mid(int(at), marker.size()) == marker;
}

// One image (header, segments, checksum, SHA-256) from offset on.
struct Part
{
    EspImage::Defect defect = EspImage::Defect::None;
    qint64 at = 0; // where the defect lies
    qint64 needed = 0;
    int chipId = -1;
};

Part checkImage(const QByteArray &bytes, qint64 offset)
{
    Part part;
    part.at = offset;
    const qint64 size = bytes.size();
    const auto cut = [&part](qint64 needed) {
        part.defect = EspImage::Defect::CutShort;
        part.needed = needed;
        return part;
    };
    if (offset >= size || bytes.at(int(offset)) != imageMagic) {
        part.defect = EspImage::Defect::NoMagic;
        return part;
    }
    if (offset + headerBytes > size)
        return cut(offset + headerBytes);
    const int segments = quint8(bytes.at(int(offset + 1)));
    if (segments < 1 || segments > maxSegments) {
        part.defect = EspImage::Defect::BadSegmentCount;
        return part;
    }
    part.chipId = int(littleEndian(bytes, offset + 12, 2));
    const bool hashAppended = bytes.at(int(offset + 23)) == 1;
    quint8 checksum = 0xEF;
    qint64 at = offset + headerBytes;
    for (int segment = 0; segment < segments; ++segment) {
        if (at + segmentHeaderBytes > size)
            return cut(at + segmentHeaderBytes);
        // 64 bits: a length near 4 GiB must not wrap around.
        const qint64 length = littleEndian(bytes, at + 4, 4);
        at += segmentHeaderBytes;
        if (at + length > size)
            return cut(at + length);
        const char *data = bytes.constData();
        for (qint64 i = at; i < at + length; ++i)
            checksum ^= quint8(data[i]);
        at += length;
    }
    // Zeros up to one byte short of a multiple of 16, then the checksum byte.
    const qint64 checksumAt = offset + ((at - offset) | 15);
    if (checksumAt >= size)
        return cut(checksumAt + 1);
    if (quint8(bytes.at(int(checksumAt))) != checksum) {
        part.defect = EspImage::Defect::Checksum;
        part.at = checksumAt;
        return part;
    }
    const qint64 end = checksumAt + 1;
    if (hashAppended) {
        if (end + shaBytes > size)
            return cut(end + shaBytes);
        const QByteArray digest
            = QCryptographicHash::hash(bytes.mid(int(offset), int(end - offset)), QCryptographicHash::Sha256);
        if (bytes.mid(int(end), shaBytes) != digest) {
            part.defect = EspImage::Defect::Sha256;
            part.at = end;
            return part;
        }
    }
    return part;
}

bool isVersionCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-'
        || c == '_';
}

// The build's "OGNv..." string, else the descriptor's version: printable, bounded.
QString versionIn(const QByteArray &bytes, qint64 applicationAt)
{
    static const QByteArray marker("OGNv");
    const int found = bytes.indexOf(marker, int(applicationAt));
    if (found >= 0) {
        int end = found + marker.size();
        while (end < bytes.size() && end - found < maxVersionLength && isVersionCharacter(bytes.at(end)))
            ++end;
        if (end > found + marker.size())
            return QString::fromLatin1(bytes.mid(found, end - found));
    }
    const QByteArray field = bytes.mid(int(applicationAt + descriptorVersionAt), descriptorVersionBytes);
    QString version;
    for (const char c : field) {
        if (c == '\0')
            break;
        if (c < 0x20 || c > 0x7E)
            return QString();
        version += QLatin1Char(c);
    }
    return version.left(maxVersionLength);
}

// The longest of the boards that stands in the image as a string of its own.
QString boardIn(const QByteArray &bytes, qint64 applicationAt, QStringList boards)
{
    std::sort(
        boards.begin(), boards.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &board : std::as_const(boards)) {
        const QByteArray framed = '\0' + board.toLatin1() + '\0';
        if (!board.isEmpty() && bytes.indexOf(framed, int(applicationAt)) >= 0)
            return board;
    }
    return QString();
}

bool looksLikeText(const QByteArray &bytes)
{
    const QByteArray start = bytes.left(64);
    return std::all_of(start.begin(), start.end(), [](char c) {
        const quint8 u = quint8(c);
        return u >= 0x20 || c == '\n' || c == '\r' || c == '\t';
    });
}

// The application's version and board, looked for from where it begins.
EspImage named(EspImage image, EspImage::Kind kind, const QByteArray &bytes, qint64 applicationAt,
    const QStringList &boards)
{
    image.kind = kind;
    image.version = versionIn(bytes, applicationAt);
    image.board = boardIn(bytes, applicationAt, boards);
    return image;
}

EspImage fromPart(EspImage image, const Part &part)
{
    image.defect = part.defect;
    image.offset = part.at;
    image.needed = part.needed;
    if (image.chipId < 0)
        image.chipId = part.chipId;
    return image;
}

} // namespace

int chipIdOfFolderChip(const QString &chip)
{
    for (const ChipFacts &facts : chips)
        if (chip == QLatin1String(facts.folderChip))
            return facts.id;
    return -1;
}

QString chipName(int chipId)
{
    if (const ChipFacts *facts = factsOf(chipId))
        return QLatin1String(facts->name);
    return QStringLiteral("chip 0x%1").arg(chipId & 0xFFFF, 4, 16, QLatin1Char('0'));
}

int bootloaderOffset(int chipId)
{
    const ChipFacts *facts = factsOf(chipId);
    return facts ? facts->bootloaderOffset : 0;
}

EspImage parseEspImage(const QByteArray &bytes, const QStringList &boards)
{
    EspImage image;
    image.size = bytes.size();
    if (bytes.isEmpty()) {
        image.defect = EspImage::Defect::Empty;
        return image;
    }
    if (bytes.size() > maxImageBytes) {
        image.defect = EspImage::Defect::TooLarge;
        return image;
    }
    if (bytes.startsWith(partitionMagic)) {
        image.kind = EspImage::Kind::PartitionTable;
        return image;
    }
    // An ESP32's whole-flash image starts with the gap before its bootloader.
    const qint64 first = quint8(bytes.at(0)) == 0xFF ? 0x1000 : 0;
    if (first == 0 && bytes.at(0) != imageMagic) {
        if (looksLikeText(bytes)) {
            image.defect = EspImage::Defect::Text;
            image.beginning
                = QString::fromUtf8(bytes.left(shownBeginning * 4)).simplified().left(shownBeginning);
        } else {
            image.defect = EspImage::Defect::NoMagic;
        }
        return image;
    }
    const Part boot = checkImage(bytes, first);
    if (boot.defect != EspImage::Defect::None)
        return fromPart(image, boot);
    image.chipId = boot.chipId;
    if (first == 0 && holdsAt(bytes, 0x20, descriptorMagic))
        return named(image, EspImage::Kind::Application, bytes, 0, boards);
    // A bootloader fits below the partition table; an older build's application has no descriptor.
    if (first == 0 && !holdsAt(bytes, partitionTableOffset, partitionMagic)) {
        if (bytes.size() < partitionTableOffset) {
            image.kind = EspImage::Kind::Bootloader;
            return image;
        }
        return named(image, EspImage::Kind::Application, bytes, 0, boards);
    }
    if (bootloaderOffset(boot.chipId) != first) {
        image.defect = EspImage::Defect::BootloaderMisplaced;
        image.offset = first;
        return image;
    }
    if (!holdsAt(bytes, partitionTableOffset, partitionMagic)) {
        image.defect = bytes.size() < partitionTableOffset + 2 ? EspImage::Defect::CutShort
                                                               : EspImage::Defect::NoMagic;
        image.offset = partitionTableOffset;
        image.needed = partitionTableOffset + 2;
        return image;
    }
    const Part application = checkImage(bytes, applicationOffset);
    if (application.defect == EspImage::Defect::NoMagic && bytes.size() <= applicationOffset) {
        image.defect = EspImage::Defect::CutShort;
        image.needed = applicationOffset + headerBytes;
        return image;
    }
    if (application.defect != EspImage::Defect::None)
        return fromPart(image, application);
    if (application.chipId != boot.chipId) {
        image.defect = EspImage::Defect::PartsDiffer;
        image.offset = applicationOffset;
        return image;
    }
    return named(image, EspImage::Kind::WholeFlash, bytes, applicationOffset, boards);
}

} // namespace tracktune
