// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// ESP images built byte by byte as the chip's tools lay them out, for tests without a tracker.
namespace espimages {

// The chip ids an image header carries.
constexpr int esp32 = 0x00;
constexpr int esp32c3 = 0x05;
constexpr int esp32s3 = 0x09;

// An application image: its first segment starts with the descriptor, its second holds the
// firmware's strings (strings: NUL-separated, e.g. "OGNv0.1.18" and a board name).
QByteArray application(int chip, const QByteArray &strings, bool sha256 = true);
// A bootloader: two small segments, no descriptor.
QByteArray bootloader(int chip);
// A partition table: two entries and the MD5 line, 0xFF after.
QByteArray partitionTable();
// Bootloader at bootloaderAt, partition table at 0x8000, application at 0x10000, gaps 0xFF.
QByteArray wholeFlash(int chip, int bootloaderAt, const QByteArray &strings);

} // namespace espimages
