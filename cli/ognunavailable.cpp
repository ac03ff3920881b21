// SPDX-License-Identifier: GPL-3.0-or-later
// `ogn` in a build whose Qt has no network module: it says so instead of checking anything.
#include "trackercommands.h"

int TrackerCommands::ogn()
{
    complain(QStringLiteral("this build has no network support: the ogn command is not available; use the "
                            "Linux package or a build with Qt Network"));
    return tracktune::exitUsage;
}
