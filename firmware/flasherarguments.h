#pragma once

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

// The flasher's file name: "esptool.exe" on Windows; its Linux and macOS
// releases are named "esptool".
QString flasherName();

// The files a firmware folder must hold, in the order they are checked.
QStringList requiredComponents();

// "esp32s3-tracker" gives "esp32s3": the part before the first "-".
QString chipFromArchitecture(const QString &architecture);

// Bytes up to the first NUL (all when there is none) as UTF-8, untrimmed:
// how the template file and the flasher's output are read.
QString textUpToNul(const QByteArray &bytes);

// Splits the template at every comma (", " counts as ","), then fills in the
// placeholders, so a comma in a value stays inside its argument; empty parts stay,
// line breaks stay inside the arguments.
QStringList flasherArguments(const QString &templateText, const QString &chip, const QString &port,
    const QString &firmwareDir, const QString &firmwareFile);

} // namespace tracktune
