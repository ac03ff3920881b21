#include "cli/commandline.h"
#include "cli/trackercommands.h"

#include <QCoreApplication>

namespace {

QtMessageHandler nextHandler = nullptr;

// The link's diagnostics are for whoever runs the window from a terminal; here they would
// mix with the output scripts read. They are dropped here rather than switched off by a
// filter rule: the dump read consumes lines inside its log statements, and a switched-off
// statement is never evaluated, which leaves the line unread and the read spinning.
void dropLinkDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && context.category && qstrncmp(context.category, "tracktune.", 10) == 0)
        return;
    if (nextHandler)
        nextHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        nextHandler = qInstallMessageHandler(dropLinkDebug);
    TrackerCommands commands;
    return commands.run(tracktune::parseCommandLine(QCoreApplication::arguments()));
}
