// SPDX-License-Identifier: GPL-3.0-or-later
// `image FILE [--board HARD]`: the window's check of a firmware image, without a tracker. The
// file's beginning is quoted in a refusal: every line is shown as a terminal may show it.
#include "trackercommands.h"

#include "config/dumpline.h"
#include "config/terminaltext.h"
#include "firmware/espimage.h"
#include "firmware/imagecheck.h"

#include <QFile>

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
        complain(QStringLiteral("refused: ") + tracktune::terminalLines(refusal));
        return tracktune::exitRefused;
    }
    out << tracktune::terminalLines(tracktune::imageFacts(image, request.board)) << '\n';
    if (!folder.isEmpty())
        out << "Firmware folder: " << tracktune::terminalText(folder) << '\n';
    return tracktune::exitDone;
}
