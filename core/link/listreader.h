// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/listcollector.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class Serial;

// One read of the tracker's list, driven by the link's lines and its deadlines: asks for the
// list (0x03) at once, hands every line to a tracktune::ListCollector, asks again when the
// tracker stays without an answer, and ends by finished() with the list or why there is none.
// When it had to ask more than once, the answers to the other requests are let pass first, so
// that the next read or write does not take them for its own. Nothing waits: the read goes on
// inside whatever event loop runs.
class ListReader : public QObject
{
    Q_OBJECT

public:
    // What a read of the list gave: the parameter lines and the status line before them, or
    // why there are none.
    struct Result
    {
        QByteArray list;
        QString statusLine;
        std::optional<tracktune::ReadFailure> failure;
    };

    explicit ListReader(Serial &serial, QObject *parent = nullptr);

    // The watchdog is paused while it runs and resumed after a list. A read that runs is not
    // started again.
    void start();

signals:
    // Once per start(), never from inside start().
    void finished(const ListReader::Result &result);

private:
    // Nothing more is asked or taken; the end is not told here.
    void stopListening();
    void onLine(const QByteArray &line);
    void onStep(tracktune::ListCollector::Step step);
    void ask();
    void finishRead(); // with the list read
    void finish(const Result &result);
    void fail(tracktune::ReadFailure failure);

    Serial &serial;
    tracktune::ListCollector collector;
    QTimer deadline; // the whole read, silent or talking
    QTimer unanswered; // no status line this long after a request: ask again
    QTimer quiet; // held lines and then a pause this long: the list is whole
    QTimer settling; // the list came; the answers to the requests made again may still come
    bool running = false;
    bool talked = false; // any byte since the request
    int requests = 0; // 0x03 sent
    int lateAnswers = 0; // status lines after the list
    std::optional<Result> read; // the list, while the late answers are waited for
    QList<QMetaObject::Connection> listening;
};

Q_DECLARE_METATYPE(ListReader::Result)
