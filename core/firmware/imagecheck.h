// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "firmware/espimage.h"

#include <QString>

// Whether an image may be written to the tracker, told as the pilot reads it.
namespace tracktune {

// "ESP32-S3" for "esp32s3-tracker"; empty for a folder whose chip this program does not know.
QString chipOfFolder(const QString &folder);

// Empty when the image may go to the tracker whose board is hardware ("Hard"; empty for the older
// firmware) and whose firmware folder is folder; else what the file holds and what the tracker
// needs, in a few sentences. A folder whose chip is not known, or none, lets any chip's image pass.
QString imageRefusal(const EspImage &image, const QString &hardware, const QString &folder);

// What the image says about itself, a line each: its kind and where it is written, its chip;
// its version and board where it has them; a board other than the tracker's.
QString imageFacts(const EspImage &image, const QString &hardware);

} // namespace tracktune
