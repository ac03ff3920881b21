// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/dumpline.h"
#include "link/sentenceanswer.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class Serial;

// Writes one "$POGNS," sentence per setting, in the order given, each once the tracker has begun
// to answer the one before or a second has gone by (tracktune::SentenceAnswer), and ends by
// finished(). Nothing waits: the writing goes on inside whatever event loop runs.
class SentenceWriter : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        QList<tracktune::DumpLine> sent; // whole sentences out, in order
        QList<tracktune::DumpLine> notSent; // refused by the sentence rules, after a stop or a loss
        bool linkLost = false; // the port closed or refused a sentence
        bool stopped = false; // a stop came before every setting was sent
    };

    explicit SentenceWriter(Serial &serial, QObject *parent = nullptr);

    // A setting that no sentence can carry (tracktune::sentenceRefusal) is never sent. shouldStop
    // is asked before each sentence, as stop() is: the one in flight is finished, no more go out.
    void start(const QList<tracktune::DumpLine> &settings, std::function<bool()> shouldStop = {});
    void stop() { stopAsked = true; }
    bool isRunning() const { return running; }

signals:
    // Once per start(), never from inside start().
    void finished(const SentenceWriter::Result &result);

private:
    void sendNext();
    void onBytes(const QByteArray &bytes);

    Serial &serial;
    QList<tracktune::DumpLine> settings;
    int next = 0;
    std::function<bool()> shouldStop;
    bool stopAsked = false;
    bool running = false;
    Result result;
    std::optional<tracktune::SentenceAnswer> answer; // to the sentence in flight
    QTimer answerDeadline;
};

Q_DECLARE_METATYPE(SentenceWriter::Result)
