#include "mainwindow/mainwindow.h"

void MainWindow::initParameterCatalogue()
{
    aircraftTypes << QStringLiteral("Unknown") << QStringLiteral("(Moto-)glider")
                  << QStringLiteral("Tow plane") << QStringLiteral("Helicopter")
                  << QStringLiteral("Parachute") << QStringLiteral("Drop plane")
                  << QStringLiteral("hang-glider") << QStringLiteral("Para-glider")
                  << QStringLiteral("Powered aircraft") << QStringLiteral("Jet aircraft")
                  << QStringLiteral("UFO") << QStringLiteral("Balloon") << QStringLiteral("Airship")
                  << QStringLiteral("UAV") << QStringLiteral("Ground support")
                  << QStringLiteral("Static object");
    addressTypes << QStringLiteral("Random") << QStringLiteral("ICAO") << QStringLiteral("FLARM")
                 << QStringLiteral("OGN");
    frequencyPlans << QStringLiteral("Automatic") << QStringLiteral("Europe") << QStringLiteral("USA/Canada")
                   << QStringLiteral("South America /Australia");
    txPowerLevels.insert(10, QStringLiteral("LOW"));
    txPowerLevels.insert(14, QStringLiteral("NORMAL"));
    txPowerLevels.insert(22, QStringLiteral("HIGH"));
    txProtocols.insert(2, QStringLiteral("OGN"));
    txProtocols.insert(4, QStringLiteral("ADS-L"));
    txProtocols.insert(8, QStringLiteral("PilotAware"));
    txProtocols.insert(16, QStringLiteral("FANET"));
    txProtocols.insert(128, QStringLiteral("RemoteID"));
}

// Stand-ins until the conversions land.
QHash<QString, bool> MainWindow::checksFromMask(int, const QHash<int, QString> &)
{
    return {};
}

int MainWindow::maskFromChecks(const QHash<QString, bool> &, const QHash<int, QString> &)
{
    return 0;
}

int MainWindow::nearestOptionKey(int value, const QHash<int, QString> &)
{
    return value;
}
