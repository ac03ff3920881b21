// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "status/preflightdecoder.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QTimer>

#include <memory>

class QLabel;
class Ui_StatusPanel;

// "Is my tracker working?": the GPS, the radio, the battery and the pressure sensor as the tracker
// itself prints them, each with a mark and words, refreshed each second. A screen reader hears an
// item again only when its state changes, not with every new number.
class StatusPanel : public QFrame
{
    Q_OBJECT

public:
    explicit StatusPanel(QWidget *parent = nullptr);
    ~StatusPanel() override;

    // A line the tracker printed, as the link tells it.
    void takeLine(const QByteArray &line);
    // A list read: its firmware line, its Verbose and its Batt: line.
    void takeList(const QList<tracktune::DumpLine> &list);
    // Another tracker, or none: everything heard so far is forgotten.
    void reset();
    // Shows the status as of now; the panel's own timer calls it each second.
    void refresh();
    tracktune::PreflightStatus status() const;

signals:
    // The pilot asked to switch the tracker's status output on.
    void switchOnRequested();

private:
    void showItem(
        QLabel *mark, QLabel *text, tracktune::ItemState state, const QString &words, const QString &brief);

    std::unique_ptr<Ui_StatusPanel> ui;
    tracktune::PreflightDecoder decoder;
    QElapsedTimer clock;
    QTimer ticker;
};
