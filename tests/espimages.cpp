// SPDX-License-Identifier: GPL-3.0-or-later
#include "espimages.h"

#include <QCryptographicHash>
#include <QList>

namespace espimages {

namespace {

void putLittleEndian(QByteArray &bytes, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

QByteArray image(int chip, const QList<QByteArray> &segments, bool sha256)
{
    QByteArray bytes;
    bytes += char(0xE9);
    bytes += char(segments.size());
    bytes += char(0x02); // DIO
    bytes += char(0x20); // 4 MB, 40 MHz
    putLittleEndian(bytes, 0x40080000, 4); // entry point
    bytes += char(0xEE);
    bytes += QByteArray(3, '\0');
    putLittleEndian(bytes, quint32(chip), 2);
    bytes += char(0);
    putLittleEndian(bytes, 0, 2);
    putLittleEndian(bytes, 399, 2);
    bytes += QByteArray(4, '\0');
    bytes += char(sha256 ? 1 : 0);
    quint8 checksum = 0xEF;
    quint32 load = 0x3F400020;
    for (const QByteArray &data : segments) {
        putLittleEndian(bytes, load, 4);
        putLittleEndian(bytes, quint32(data.size()), 4);
        bytes += data;
        for (const char c : data)
            checksum ^= quint8(c);
        load += 0x10000;
    }
    while (bytes.size() % 16 != 15)
        bytes += '\0';
    bytes += char(checksum);
    if (sha256)
        bytes += QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return bytes;
}

} // namespace

QByteArray application(int chip, const QByteArray &strings, bool sha256)
{
    // esp_app_desc_t: magic, secure version, reserved, then version and project name.
    QByteArray descriptor("\x32\x54\xCD\xAB", 4);
    descriptor += QByteArray(12, '\0');
    descriptor += QByteArray("esp-idf: v4.4.6").leftJustified(32, '\0');
    descriptor += QByteArray("arduino-lib-builder").leftJustified(32, '\0');
    descriptor = descriptor.leftJustified(256, '\0');
    QByteArray code(600, '\0');
    for (int i = 0; i < code.size(); ++i)
        code[i] = char(i * 7);
    return image(chip, {descriptor, QByteArray(1, '\0') + strings + QByteArray(3, '\0'), code}, sha256);
}

QByteArray bootloader(int chip)
{
    return image(chip, {QByteArray(96, '\x50'), QByteArray(200, '\x11')}, true);
}

QByteArray partitionTable()
{
    QByteArray table;
    for (const char *name : {"nvs", "app0"}) {
        table += QByteArray("\xAA\x50", 2);
        table += QByteArray(14, '\x01');
        table += QByteArray(name).leftJustified(16, '\0');
    }
    table += QByteArray("\xEB\xEB", 2) + QByteArray(30, '\xFF');
    return table.leftJustified(0xC00, '\xFF');
}

QByteArray wholeFlash(int chip, int bootloaderAt, const QByteArray &strings)
{
    QByteArray bytes(bootloaderAt, '\xFF');
    bytes += bootloader(chip);
    bytes = bytes.leftJustified(0x8000, '\xFF');
    bytes += partitionTable();
    bytes = bytes.leftJustified(0x10000, '\xFF');
    return bytes + application(chip, strings);
}

} // namespace espimages
