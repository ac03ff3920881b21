// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "config/settingsfile.h"
#include "config/trackeridentity.h"
#include "dialogs/serialmonitor.h"
#include "dialogs/workflowdialogs.h"
#include "link/devicesession.h"
#include "link/serial.h"
#include "mainwindow/announcer.h"
#include "mainwindow/busycontrols.h"
#include "mainwindow/messagebar.h"
#include "workflows/firmwareworkflow.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class ElidedLabel;
class OgnCheckDialog;
class ParameterSearch;

QT_BEGIN_NAMESPACE
class QLabel;
class Ui_MainWindow;
QT_END_NAMESPACE

// The main window: the port list, the parameter table and the expert tools. Its
// slots coordinate; the device work is the session's, the editors the table's.
class StatusPanel;

class MainWindow : public QMainWindow, private WorkflowDialogs
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Read-only views for tools and tests.
    const Serial &link() const { return session.link(); }
    bool isUpdateInProgress() const { return session.updateInProgress(); }
    bool isBusy() const { return session.isBusy(); } // a device operation runs
    bool isExpertMode() const { return expertMode; }
    // Where the firmware folder is looked for first; the program's own folder unless set.
    void setApplicationFolder(const QString &folder) { applicationFolder = folder; }
    // How long the search passes over a port whose list could not be read; a minute unless set.
    void setPortSetAsideMs(int msecs) { session.setSetAsideMs(msecs); }
    // How long the search goes on before the window says what to check; 10 s unless set.
    void setNoTrackerHelpMs(int msecs) { noTrackerHelp.setInterval(msecs); }

protected:
    // Pending changes are never dropped without asking.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_refreshButton_clicked();
    void on_applyButton_clicked();
    void on_buttonAdvanced_toggled(bool checked); // a click or an accessibility Toggle
    void on_buttonFirmwareUpdate_clicked();
    void on_buttonSerialMonitor_clicked();
    void on_buttonSaveSettings_clicked();
    void on_buttonLoadSettings_clicked();
    void showAbout(); // F1 and the About button

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

    // Fills the table with a list read; false, and nothing shown, when the read failed.
    bool showConfiguration(const std::optional<QList<tracktune::DumpLine>> &entries);
    // The first list read after the link came back: the edits kept over the drop go back onto
    // the same tracker, never onto another (pendingchanges.cpp).
    void takeUpKeptEdits(const tracktune::TrackerIdentity &now, const QList<tracktune::DumpLine> &list);
    // Shows what the write did, then tells what waits for it whether the tracker took every change.
    void showWriteReport(const DeviceSession::WriteReport &report);
    // After a firmware update, offers the settings from before it to the same tracker.
    void offerRestore();

    // What the workflows ask of the window beyond its dialogs (workflow.cpp, pendingchanges.cpp).
    void showStatus(const QString &text) override;
    void note(Note kind, const QString &text, const QString &file) override;
    void clearNote() override;
    bool listShown() const override { return configurationLoaded; }
    // The pilot's edits not yet written, those the current view hides included.
    QList<tracktune::DumpLine> pendingChanges() const override;
    // Marks the changes as the pilot's edits, switching to expert mode for those only it shows.
    void markChanges(const QList<tracktune::DumpLine> &changes) override;
    // Writes the pending changes; then is told whether the tracker took every one, once the
    // write has ended (at once when nothing was to write or the write could not start).
    void writeChanges(std::function<void(bool saved)> then = {}) override;

    // A settings file shown without a tracker's list (fileview.cpp): edited with the tracker's
    // editors and checks, saved as a file, compared with the next tracker whose list is read.
    struct ShownFile
    {
        QString path;
        tracktune::SettingsFile file;
        QList<tracktune::DumpLine> edits; // the pilot's, kept while the table is filled again
    };
    std::optional<ShownFile> shownFile;
    void openFileWithoutTracker();
    void showFile();
    void saveShownFile();
    // Marks the rows where the tracker now shown differs from the file; the file view ends.
    void compareShownFileWithTracker();

    DeviceSession session;
    QString applicationFolder;
    bool expertMode = false; // held here only: each load fills the table in this mode
    bool configurationLoaded = false; // the table shows the list of the open link
    bool closeRequested = false; // the pilot closed the window while an operation ran
    tracktune::BusyState busyState; // the busy cursor, and the focus given back after an operation
    QList<tracktune::DumpLine> pendingEdits; // kept across reloads of the table and dropped links
    // The tracker whose list the table showed last: the pending edits are meant for it.
    tracktune::TrackerIdentity editsTracker;
    // Started by a search, stopped by a connection: when it runs out, the window says what to check.
    QTimer noTrackerHelp;
    QString noTrackerHelpText; // the help shown, so that a connection takes back only it
    void showNoTrackerHelp();
    bool linkRenewed = false; // connected since that list: the next list decides on the edits
    // The settings a firmware update saved, offered back once the same tracker is found.
    std::optional<tracktune::RestoreOffer> restoreOffer;
    std::function<void(bool saved)> afterWrite; // what waits for the write that runs
    SerialMonitor serialMonitor;
    Ui_MainWindow *ui = nullptr;
    ElidedLabel *trackerField = nullptr; // port, hardware, software and address of the tracker
    MessageBar *messageBar = nullptr; // the outcome of the pilot's last action, below the table
    Announcer *announcer = nullptr; // speaks the outcomes to a screen reader
    StatusPanel *statusPanel = nullptr; // what the connected tracker prints about itself, above the table
    // Writes Verbose = 1 after asking, and only it: other pending edits stay pending.
    void switchStatusOutputOn();
    ParameterSearch *search = nullptr; // expert mode's search over the table's rows

#ifdef TRACKTUNE_NETWORK
    // "Check OGN" (ogncheck.cpp): a network check, not a device operation; it holds the tracker
    // whose list it took the address from and stops when another list shows another tracker.
    void setUpOgnCheck();
    void checkOgn();
    void followOgnTracker(const QList<tracktune::DumpLine> &list);
    QPointer<OgnCheckDialog> ognDialog;
    tracktune::TrackerIdentity ognTracker;
#endif
};
