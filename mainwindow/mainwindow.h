#pragma once

#include "config/parameterdescriptor.h"
#include "dialogs/serialmonitor.h"
#include "link/serial.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>

QT_BEGIN_NAMESPACE
class Ui_MainWindow;
QT_END_NAMESPACE

// The main window and owner of the session: the link, the poll that keeps
// looking for a device, the parameter table and the expert tools.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Read-only views for tools and tests.
    const Serial &link() const { return serial; }
    QString firmwareArchitecture() const { return firmwareArch; }
    bool isUpdateInProgress() const { return updateInProgress; }
    bool isExpertMode() const { return expertMode; }

    // Conversions between device numbers and editor states; they use no window state.
    static QHash<QString, bool> checksFromMask(int mask, const QHash<int, QString> &bits);
    static int maskFromChecks(const QHash<QString, bool> &checks, const QHash<int, QString> &bits);
    static int nearestOptionKey(int value, const QHash<int, QString> &options);

private slots:
    void tableCellChanged(int row, int column);
    void on_refreshButton_clicked();
    void on_applyButton_clicked();
    void on_serialPortList_selected(const QString &arg1);
    void on_buttonAdvanced_clicked(bool checked);
    void on_buttonFirmwareUpdate_clicked();
    void on_buttonSerialMonitor_clicked();

private:
    // Device session (mainwindow/session.cpp)
    void onPollTimeout();
    void refreshPortList();
    void onConnected(const QString &deviceName);
    void onDisconnected();

    // Configuration (config/)
    void initParameterCatalogue();
    bool loadConfiguration();
    void createValueEditor();
    void fillValueCell(int row, ParameterDescriptor &descriptor, const QString &value);
    void markRowChanged(int row);
    void writeChanges();
    // Deletes the descriptors and the editors that no row took.
    void releaseCatalogue();

    // Firmware update (mainwindow/firmwareupdate.cpp)
    // The relay loop pumps events: the device may be found again and the button
    // clicked while the last output is still relayed.
    bool flasherRunning = false;

    Serial serial;
    QTimer pollTimer;
    bool expertMode = false;
    QHash<QString, ParameterDescriptor *> parameterCatalogue;
    QStringList aircraftTypes;
    QStringList addressTypes;
    QStringList frequencyPlans;
    QHash<int, QString> txPowerLevels;
    QHash<int, QString> txProtocols;
    SerialMonitor serialMonitor;
    QString firmwareArch;
    bool updateInProgress = false;
    // Set while a search or a configuration read runs: a poll tick delivered
    // inside one (the read pumps events) must not start a second search.
    bool sessionBusy = false;
    Ui_MainWindow *ui = nullptr;
};
