#include "mainwindow/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The name also picks the data folders searched for firmware: ~/.local/share/tracktune, ...
    QCoreApplication::setApplicationName(QStringLiteral("tracktune"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKTUNE_VERSION));
    // Matches the installed desktop entry, so the desktop shows the right icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral(TRACKTUNE_APP_ID));
    MainWindow window;
    window.show();
    return app.exec();
}
