// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "trackercommands.h"

#include <QCoreApplication>
#include <QLoggingCategory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tracktune-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKTUNE_VERSION));
    // The link's diagnostics would mix with the output scripts read; QT_LOGGING_RULES still decides.
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("tracktune.*.debug=false"));
    TrackerCommands commands;
    return commands.run(tracktune::parseCommandLine(QCoreApplication::arguments()));
}
