#include "mainwindow/mainwindow.h"

#include "config/conversions.h"

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

QHash<QString, bool> MainWindow::checksFromMask(int mask, const QHash<int, QString> &bits)
{
    return tracktune::checksFromMask(mask, bits);
}

int MainWindow::maskFromChecks(const QHash<QString, bool> &checks, const QHash<int, QString> &bits)
{
    return tracktune::maskFromChecks(checks, bits);
}

int MainWindow::nearestOptionKey(int value, const QHash<int, QString> &options)
{
    return tracktune::nearestOptionKey(value, options);
}
