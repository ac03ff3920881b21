// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/textfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The flasher's command line, built from the argument template that comes
// with each firmware folder.
namespace tracktune {

// Where the firmware folder of an architecture may lie, in the order they are
// tried: "firmware/<architecture>" beside the executable, then in each data
// folder (the user's first, then the system's). No trailing slash.
QStringList firmwareFolders(
    const QString &applicationDir, const QStringList &dataFolders, const QString &architecture);

// Whether a name the tracker gave may name a firmware folder: ASCII letters, digits,
// ".", "_" and "-" only, neither empty nor "." nor "..". The name comes from the
// device, and the flasher in that folder is run: it must never lead elsewhere.
bool isPlainFolderName(const QString &name);

// The flasher's file name: "esptool.exe" on Windows; its Linux and macOS
// releases are named "esptool".
QString flasherName();

// Every file a firmware folder may hold for this program: the flasher, the bootloader and the
// partition table an application image is written beside, and the argument templates.
QStringList requiredComponents();

// The argument template for application images: "config-app.txt", or where an older folder has
// only that, "config.txt".
QString applicationTemplate(const QString &folder);
// The argument template for whole-flash images, written from 0x0.
QString wholeFlashTemplateName();

// The release page of the tracker firmware, where its whole-flash images are published.
QString firmwareReleasePage();
// Where the flasher comes from.
QString flasherReleasePage();

// "esp32s3-tracker" gives "esp32s3": the part before the first "-".
QString chipFromArchitecture(const QString &architecture);

// Bytes up to the first NUL (all when there is none) as UTF-8, untrimmed:
// how the flasher's output is read.
QString textUpToNul(const QByteArray &bytes);

// An argument template larger than this is no template: it is refused unread.
constexpr int maxTemplateBytes = 64 * 1024;

// The text of the argument template of that name, or why it is refused (named by it): see
// decodeTextFile().
TextFile templateText(const QByteArray &bytes, const QString &name);

// Splits the template at every comma (", " counts as ","), trims each part of blanks
// and line breaks, then fills in the placeholders, so a comma or a blank in a value
// stays inside its argument, exactly as chosen; empty parts stay.
QStringList flasherArguments(const QString &templateText, const QString &chip, const QString &port,
    const QString &firmwareDir, const QString &firmwareFile);

} // namespace tracktune
