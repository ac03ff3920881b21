// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class Ui_SerialMonitor;
QT_END_NAMESPACE

// A window with the raw text the device sends, as the link's poll collects it.
class SerialMonitor : public QDialog
{
    Q_OBJECT

public:
    explicit SerialMonitor(QWidget *parent = nullptr);
    ~SerialMonitor() override;

    // The device prints its whole parameter list on every poll, about 2.5 KB a
    // second; the oldest lines go beyond this so that a day of it stays bounded.
    static constexpr int scrollbackLines = 20000;

    // "Source Code Pro" where installed, else the system's fixed-pitch font: columns line up.
    static QFont terminalFont(const QStringList &installedFamilies);
    QString shownText() const;
    // Writes what is shown to a text file; false, with the reason, when it could not.
    bool saveTo(const QString &path, QString *error = nullptr) const;

public slots:
    void updateConnection(const QString &device);
    void append(const QString &data);

private slots:
    void on_buttonClean_clicked();
    void on_buttonSave_clicked();
    void on_buttonStartStop_clicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // What arrived while the window was hidden: shown when it opens, without an event per line
    // for a screen reader to filter meanwhile.
    QString hiddenText;
    bool capturing = true;
    int openLine = 0; // length of the unfinished last line shown
    Ui_SerialMonitor *ui = nullptr;
};
