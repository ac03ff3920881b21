// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "config/settingsfile.h"
#include "dialogs/aboutdialog.h"
#include "mainwindow/busycontrols.h"
#include "mainwindow/elidedlabel.h"
#include "mainwindow/statuspanel.h"
#include "parametertable/parametersearch.h"
#include "parametertable/tableaccessibility.h"
#include "ui_mainwindow.h"
#include "workflows/workflow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace {

const int parameterColumnWidth = 150;
// What the window manager's title bar and frame may take beyond the window's own size.
const int frameAllowance = 48;
const int statusBarCharacters = 84;

// A shortcut that clicks the button, when the button could be clicked.
void clickOn(QWidget *window, const QKeySequence &keys, QAbstractButton *button)
{
    auto *shortcut = new QShortcut(keys, window);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      WorkflowDialogs(this),
      applicationFolder(QCoreApplication::applicationDirPath()),
      ui(new Ui_MainWindow),
      trackerField(new ElidedLabel(this)),
      messageBar(new MessageBar(this)),
      announcer(new Announcer(this)),
      statusPanel(new StatusPanel(this))
{
    ui->setupUi(this);
    statusPanel->setObjectName(QStringLiteral("statusPanel"));
    statusPanel->hide(); // until a tracker is connected
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->table), statusPanel);
    // Below the table: an outcome that appears takes room from the table's foot, so the rows
    // stay where the pilot is about to click.
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->table) + 1, messageBar);
    connect(statusPanel, &StatusPanel::switchOnRequested, this, &MainWindow::switchStatusOutputOn);
    // The names must fit at any font size.
    ui->table->setColumnWidth(0,
        std::max(parameterColumnWidth, fontMetrics().horizontalAdvance(QStringLiteral("TxProtMask_")) * 2));
#ifdef TRACKTUNE_NETWORK
    setUpOgnCheck(); // a button in the bottom row: before the window takes its width
#endif
    trackerField->setObjectName(QStringLiteral("trackerField"));
    trackerField->setTextFormat(Qt::PlainText); // the tracker's own texts, never markup
    trackerField->setToolTip(tr("Port, hardware, software and address of the tracker"));
    ui->statusBar->addPermanentWidget(trackerField);
    trackerField->followMessages(ui->statusBar);
    // Wide enough for the buttons' texts in every language and for a status message beside
    // the tracker's field; no larger than the screen, title bar included.
    resize(std::max({width(), sizeHint().width(), fontMetrics().averageCharWidth() * statusBarCharacters}),
        height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size() - QSize(0, frameAllowance);
        resize(size().boundedTo(available));
    }
    clickOn(this, QKeySequence(Qt::Key_F5), ui->refreshButton);
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_Return), ui->applyButton);
    clickOn(this, QKeySequence(Qt::CTRL | Qt::Key_Enter), ui->applyButton);
    // Help: F1, or the About button beside the port list, reachable by Tab.
    auto *about = new QPushButton(tr("A&bout"), this);
    about->setObjectName(QStringLiteral("buttonAbout"));
    ui->horizontalLayout_2->addWidget(about);
    ui->horizontalLayout_2->setStretchFactor(ui->serialPortList, 1);
    connect(about, &QPushButton::clicked, this, &MainWindow::showAbout);
    connect(
        new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, &MainWindow::showAbout);

    // Under the table, what the current row is; in expert mode the rows can be searched.
    auto *rowLine = new QLabel(this);
    rowLine->setObjectName(QStringLiteral("rowDescription"));
    // Two lines kept for it whatever the row: a long description neither widens the window nor
    // moves the table.
    rowLine->setWordWrap(true);
    rowLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    rowLine->setFixedHeight(rowLine->fontMetrics().lineSpacing() * 2 + rowLine->contentsMargins().top()
        + rowLine->contentsMargins().bottom());
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->table) + 1, rowLine);
    search = new ParameterSearch(ui->table, ui->filterField, ui->changedOnly, rowLine);
    connect(search, &ParameterSearch::matchesChanged, announcer, [this](int shown) {
        announcer->say(tr("%n row(s) match", nullptr, shown), QStringLiteral("search"));
    });
    // Tab goes as the eye does: the port, About, the expert tools, the table, the message under it
    // with its Close button, the buttons.
    const QList<QWidget *> tabChain {ui->serialPortList, about, ui->buttonFirmwareUpdate, ui->filterField,
        ui->changedOnly, ui->buttonSerialMonitor, ui->table,
        messageBar->findChild<QWidget *>(QStringLiteral("messageText")),
        messageBar->findChild<QWidget *>(QStringLiteral("messageFile")),
        messageBar->findChild<QWidget *>(QStringLiteral("messageClose")), ui->refreshButton};
    for (int i = 1; i < tabChain.size(); ++i)
        QWidget::setTabOrder(tabChain.at(i - 1), tabChain.at(i));

    // A typed value the tracker would not take stays out of its cell; the reason is read here.
    connect(ui->table, &ParameterTable::valueRefused, messageBar,
        [this](const QString &reason) { messageBar->showMessage(MessageBar::Kind::Warning, reason); });
    // Every outcome the message bar shows is spoken, not only shown.
    connect(messageBar, &MessageBar::messageChanged, announcer,
        [this](const QString &text) { announcer->say(text); });
    ui->table->setEnabled(false);
    tableaccessibility::readChoice(ui->serialPortList); // the port chosen, not only the list's label
    // What Apply would write, for a screen reader.
    connect(ui->table, &QTableWidget::cellChanged, this, [this] {
        ui->applyButton->setAccessibleDescription(tr("Changes pending: %1").arg(pendingChanges().size()));
    });
    updateControls();
    ui->frameExpertTools->hide();

    refreshPortList();

    noTrackerHelp.setSingleShot(true);
    noTrackerHelp.setInterval(10000);
    connect(&noTrackerHelp, &QTimer::timeout, this, &MainWindow::showNoTrackerHelp);
    connect(&session, &DeviceSession::searching, this, [this] {
        refreshPortList();
        ui->statusBar->showMessage(tr("Waiting for device..."));
        if (!noTrackerHelp.isActive() && noTrackerHelpText.isEmpty())
            noTrackerHelp.start();
    });
    connect(&session, &DeviceSession::updating, this,
        [this] { ui->statusBar->showMessage(tr("Software update in progress...")); });
    connect(&session, &DeviceSession::operationChanged, this, &MainWindow::updateControls);
    // A close that came while the tracker was busy is taken up once it is done.
    connect(&session, &DeviceSession::operationChanged, this, [this](DeviceSession::Operation operation) {
        if (operation == DeviceSession::Operation::None && closeRequested)
            QTimer::singleShot(0, this, &QWidget::close);
        // Once the read that showed a tracker has ended, so that a switch to expert mode can read.
        if (operation == DeviceSession::Operation::None && shownFile && configurationLoaded)
            compareShownFileWithTracker();
    });
    // Every read empties the table first, the one after a write too.
    connect(&session, &DeviceSession::readStarted, this, [this] {
        // A file shown without a tracker keeps the pilot's edits for the comparison that follows.
        if (shownFile) {
            ui->table->commitOpenEditor();
            shownFile->edits = pendingChanges();
        }
        configurationLoaded = false;
        tracktune::setUsable(ui->table, false, true);
        ui->table->clearForLoad();
        ui->table->setReading(true);
    });
    // A write fills the table from its report, with what it could not send marked.
    connect(&session, &DeviceSession::listRead, this, [this](const QList<tracktune::DumpLine> &list) {
        if (session.operation() != DeviceSession::Operation::Write)
            showConfiguration(list);
    });
    connect(&session, &DeviceSession::readFailed, this, [this](tracktune::ReadFailure failure) {
        ui->table->setReading(false);
        if (shownFile)
            showFile();
        if (session.operation() != DeviceSession::Operation::Write) {
            ui->statusBar->showMessage(tracktune::readFailureText(failure));
            announcer->say(tracktune::readFailureText(failure));
        }
    });
    connect(&session, &DeviceSession::writeFinished, this, &MainWindow::showWriteReport);
    session.start();

    connect(&session, &DeviceSession::disconnected, this, &MainWindow::onDisconnected);
    connect(&session, &DeviceSession::connected, this, &MainWindow::onConnected);
    connect(&session, &DeviceSession::openFailed, this,
        [this](const QString &port, QSerialPort::SerialPortError error, const QString &errorText) {
            const QString refusal = tracktune::portRefusalMessage(port, error, Serial::isPermitted(port));
            ui->statusBar->showMessage(
                refusal.isEmpty() ? tr("Cannot open %1: %2").arg(port, errorText) : refusal);
        });
    connect(&session, &DeviceSession::dataRead, &serialMonitor, &SerialMonitor::append);
    connect(&session, &DeviceSession::lineReceived, statusPanel, &StatusPanel::takeLine);
    // Shown after "Waiting for device..." on every search, for as long as it lasts.
    connect(&session, &DeviceSession::portRefused, this,
        [this](const QString &port, QSerialPort::SerialPortError error, bool permitted) {
            const QString message = tracktune::portRefusalMessage(port, error, permitted);
            if (!message.isEmpty())
                ui->statusBar->showMessage(message);
        });
}

MainWindow::~MainWindow()
{
    // Closing the port while the members go would report to a form that is gone.
    session.stop();
    session.disconnect(this);
    delete ui;
}

void MainWindow::updateControls()
{
    // Nothing that starts a device operation is usable while one runs; what needs the
    // tracker's list needs a list read from an open link.
    const bool idle = !session.isBusy();
    const bool ready = idle && configurationLoaded && session.link().isOpen();
    using tracktune::setUsable;
    setUsable(ui->serialPortList, idle, !idle);
    setUsable(ui->buttonAdvanced, idle, !idle);
    // Grey with the rest, so that the focus does not land on it while the others are.
    if (auto *about = findChild<QPushButton *>(QStringLiteral("buttonAbout")))
        setUsable(about, idle, !idle);
    // Only where the build has the network check.
    if (auto *checkOgn = findChild<QPushButton *>(QStringLiteral("buttonCheckOgn")))
        setUsable(checkOgn, ready, !idle);
    for (QWidget *control : {static_cast<QWidget *>(ui->refreshButton),
             static_cast<QWidget *>(ui->applyButton), static_cast<QWidget *>(ui->buttonFirmwareUpdate)})
        setUsable(control, ready, !idle);
    // A settings file can be opened, edited and saved without a tracker.
    setUsable(ui->buttonSaveSettings, ready || (idle && shownFile), !idle);
    setUsable(ui->buttonLoadSettings, idle, !idle);
    // A read or a write can take seconds: the cursor says the program works.
    busyState.setBusy(!idle, this, ui->table, ui->serialPortList);
}

void MainWindow::on_buttonAdvanced_toggled(bool checked)
{
    if (checked == expertMode)
        return;
    // A click queued while a device operation ran changes nothing.
    if (session.isBusy()) {
        ui->buttonAdvanced->setChecked(expertMode);
        return;
    }
    // The pending changes go along into the other view.
    if (shownFile)
        shownFile->edits = pendingChanges();
    else
        pendingEdits = pendingChanges();
    messageBar->clear();
    expertMode = checked;
    ui->frameExpertTools->setVisible(checked);
    if (!checked)
        search->reset();
    if (shownFile)
        showFile();
    else
        session.startRead();
}

void MainWindow::showAbout()
{
    // The firmware folder of the tracker whose list is shown.
    std::optional<QString> hardware;
    if (session.link().isOpen() && configurationLoaded) {
        const tracktune::DumpLine *hard
            = tracktune::findSetting(session.lastReadList(), QStringLiteral("Hard"));
        hardware = hard ? hard->value : QString();
    }
    auto *about = new AboutDialog(applicationFolder, hardware, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void MainWindow::on_buttonSerialMonitor_clicked()
{
    serialMonitor.show();
}

void MainWindow::on_refreshButton_clicked()
{
    if (session.isBusy() || !tracktune::DiscardChanges(session, *this).run())
        return;
    pendingEdits.clear();
    messageBar->clear();
    session.startRead();
}

void MainWindow::on_applyButton_clicked()
{
    if (session.isBusy() || !tracktune::Workflow(session, *this).mayWriteSilence())
        return;
    writeChanges();
}

bool MainWindow::showConfiguration(const std::optional<QList<tracktune::DumpLine>> &entries)
{
    ui->table->setReading(false);
    if (!entries)
        return false;
    const tracktune::TrackerIdentity shown = tracktune::trackerIdentity(
        Serial::systemLocation(session.link().portName()), session.lastStatusLine(), *entries);
    const bool newLink = linkRenewed;
    if (linkRenewed) {
        linkRenewed = false;
        takeUpKeptEdits(shown, *entries);
    }
    editsTracker = shown;
    statusPanel->takeList(*entries);
    ui->table->fill(*entries, expertMode);
    tracktune::setUsable(ui->table, true, false);
    ui->table->restoreEdits(pendingEdits);
    showTracker(*entries);
    if (newLink) // which tracker was found is heard once, not after every read
        announcer->say(trackerField->accessibleName());
    // After a firmware update: asked once the read is over, outside any device operation.
    if (restoreOffer)
        QTimer::singleShot(0, this, &MainWindow::offerRestore);
    configurationLoaded = true;
    return true;
}

void MainWindow::writeChanges(std::function<void(bool saved)> then)
{
    messageBar->clear();
    const QList<tracktune::DumpLine> changes = pendingChanges();
    if (changes.isEmpty()) {
        messageBar->showMessage(
            MessageBar::Kind::Information, tr("Nothing to write: the tracker already holds these values"));
        if (then)
            then(true);
        return;
    }
    if (!session.startWrite(changes)) {
        if (then)
            then(false);
        return;
    }
    afterWrite = std::move(then);
    tracktune::setUsable(ui->table, false, true);
    ui->statusBar->showMessage(tr("Writing to device..."));
}

void MainWindow::showWriteReport(const DeviceSession::WriteReport &report)
{
    // What was not written stays the pilot's pending change.
    pendingEdits = report.notSent;
    const bool readBack = showConfiguration(report.readBack);
    const bool saved = tracktune::WriteOutcome::tell(*this, report, readBack);
    // Taken before it runs: what it does may start the next write.
    const std::function<void(bool)> then = std::move(afterWrite);
    afterWrite = nullptr;
    if (then)
        then(saved);
}
