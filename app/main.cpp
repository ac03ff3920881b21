// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"
#include "translations/translators.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char usage[] = "Usage: tracktune [--help] [--version] [Qt options, e.g. -platform NAME, -style NAME]\n"
                     "Finds an OGN tracker on a USB serial adapter, shows its parameters and writes the\n"
                     "values you change back to it. See tracktune(1) and tracktune-cli(1).\n";

// A Windows GUI program has no console of its own: what it prints goes to the console of the
// command prompt that started it, unless its output was sent elsewhere.
void attachParentConsole()
{
#ifdef Q_OS_WIN
    static bool attached = false;
    if (attached)
        return;
    attached = true;
    const bool outputSent = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN;
    const bool errorsSent = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) != FILE_TYPE_UNKNOWN;
    if ((outputSent && errorsSent) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outputSent)
        std::freopen("CONOUT$", "w", stdout);
    if (!errorsSent)
        std::freopen("CONOUT$", "w", stderr);
#endif
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before the application opens a display: they need none.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            attachParentConsole();
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            attachParentConsole();
            std::printf("tracktune %s\n", TRACKTUNE_VERSION);
            return 0;
        }
    }
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 scales for the screen always; Qt 5 only when asked.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    // Takes Qt's own options (-platform, -style, ...) out of the arguments.
    QApplication app(argc, argv);
    const QStringList unknown = QCoreApplication::arguments().mid(1);
    if (!unknown.isEmpty()) {
        attachParentConsole();
        std::fprintf(stderr, "tracktune: unknown option '%s'\ntry 'tracktune --help'\n",
            qUtf8Printable(unknown.first()));
        return 2;
    }
    // The name also picks the data folders searched for firmware: ~/.local/share/tracktune, ...
    QCoreApplication::setApplicationName(QStringLiteral("tracktune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKTUNE_VERSION));
    // Matches the installed desktop entry, so the desktop shows the right icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(TRACKTUNE_APP_ID));
    tracktune::installTranslators(app);
    MainWindow window;
    window.show();
    return app.exec();
}
