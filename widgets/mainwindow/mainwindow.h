// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "dialogs/serialmonitor.h"
#include "link/devicesession.h"
#include "link/serial.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <optional>

QT_BEGIN_NAMESPACE
class QLabel;
class Ui_MainWindow;
QT_END_NAMESPACE

// The main window: the port list, the parameter table and the expert tools. Its
// slots coordinate; the device work is the session's, the editors the table's.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Read-only views for tools and tests.
    const Serial &link() const { return session.link(); }
    bool isUpdateInProgress() const { return session.updateInProgress(); }
    bool isExpertMode() const { return expertMode; }
    // Where the firmware folder is looked for first; the program's own folder unless set.
    void setApplicationFolder(const QString &folder) { applicationFolder = folder; }

protected:
    // Pending changes are never dropped without asking.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_refreshButton_clicked();
    void on_applyButton_clicked();
    void on_buttonAdvanced_clicked(bool checked);
    void on_buttonFirmwareUpdate_clicked();
    void on_buttonSerialMonitor_clicked();
    void on_buttonSaveSettings_clicked();
    void on_buttonLoadSettings_clicked();

private:
    // Device session (session.cpp)
    void refreshPortList();
    // A plain function, connected by hand: no signal of the list has this name.
    void on_serialPortList_selected(const QString &arg1);
    void selectPortEntry(const QString &portName);
    void onConnected(const QString &deviceName);
    void onDisconnected();
    void showTracker(const QList<tracktune::DumpLine> &entries);

    void updateControls();
    void restoreFocus();
    // Reads the tracker's list and shows it; pending changes are marked again.
    bool loadConfiguration();
    // Fills the table with a list read; false, and nothing shown, when the read failed.
    bool showConfiguration(const std::optional<QList<tracktune::DumpLine>> &entries);
    // True when the tracker took every change.
    bool writeChanges();

    // Pending changes (pendingchanges.cpp): the pilot's edits not yet written, those
    // the current view hides included.
    QList<tracktune::DumpLine> pendingChanges() const;
    bool mayDiscardPendingChanges();
    // Marks the changes as the pilot's edits, switching to expert mode for those only it shows.
    void markChanges(const QList<tracktune::DumpLine> &changes);

    // Settings files (settingsslots.cpp)
    // Saves what the tracker reported before a firmware update; why not, when it could not.
    QString saveBackupBeforeUpdate();
    // After an update, offers the settings from before it to the same tracker.
    void offerRestore();

    DeviceSession session;
    QString applicationFolder;
    bool expertMode = false; // held here only: each load fills the table in this mode
    bool configurationLoaded = false; // the table shows the list of the open link
    bool busyCursor = false;
    QPointer<QWidget> focusBeforeOperation;
    QList<tracktune::DumpLine> pendingEdits; // kept across reloads of the table
    // The settings a firmware update saved, offered back once the same tracker is found.
    struct RestoreOffer
    {
        QString address;
        QList<tracktune::DumpLine> settings;
    };
    std::optional<RestoreOffer> restoreOffer;
    SerialMonitor serialMonitor;
    Ui_MainWindow *ui = nullptr;
    QLabel *trackerField = nullptr; // port, hardware, software and address of the tracker
};
