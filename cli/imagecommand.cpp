// SPDX-License-Identifier: GPL-3.0-or-later
// `image FILE [--board HARD]`: the window's check of a firmware image, without a tracker.
#include "trackercommands.h"

#include "config/dumpline.h"
#include "config/terminaltext.h"
#include "firmware/espimage.h"
#include "firmware/imagecheck.h"

#include <QFile>

namespace {

// Each line as a terminal may show it: the file's beginning is quoted in a refusal.
QString shown(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = tracktune::terminalText(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int TrackerCommands::checkImage()
{
    const QString path = request.arguments.value(0);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("cannot open ") + path + QStringLiteral(": ") + file.errorString());
        return tracktune::exitUsage;
    }
    const tracktune::EspImage image
        = tracktune::parseEspImage(file.read(tracktune::maxImageBytes + 1), tracktune::knownHardware());
    // Without a board only the image itself is checked; its chip is then any.
    const QString folder = request.board.isEmpty() ? QString() : tracktune::firmwareFolderFor(request.board);
    const QString refusal = tracktune::imageRefusal(image, request.board, folder);
    if (!refusal.isEmpty()) {
        complain(QStringLiteral("refused: ") + shown(refusal));
        return tracktune::exitRefused;
    }
    out << shown(tracktune::imageFacts(image, request.board)) << '\n';
    if (!folder.isEmpty())
        out << "Firmware folder: " << folder << '\n';
    return tracktune::exitDone;
}
