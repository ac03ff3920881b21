// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/sentencewriter.h"

#include "config/valueencoding.h"
#include "link/logging.h"
#include "link/serial.h"

namespace {
// The tracker answers a sentence with its status line at once; this long without one, the next
// sentence goes out all the same (the read-back tells what was taken).
const int sentenceAnswerMs = 1000;
} // namespace

SentenceWriter::SentenceWriter(Serial &serial, QObject *parent) : QObject(parent), serial(serial)
{
    qRegisterMetaType<SentenceWriter::Result>();
    answerDeadline.setSingleShot(true);
    connect(&answerDeadline, &QTimer::timeout, this, [this] {
        answer.reset();
        sendNext();
    });
    connect(&serial, &Serial::bytesReceived, this, &SentenceWriter::onBytes);
    // Unplugged while waiting: no answer will come, and the next sentence finds the link lost.
    connect(&serial, &Serial::disconnected, this, [this] {
        if (!answer)
            return;
        answer.reset();
        answerDeadline.stop();
        QMetaObject::invokeMethod(this, &SentenceWriter::sendNext, Qt::QueuedConnection);
    });
}

void SentenceWriter::start(const QList<tracktune::DumpLine> &toWrite, std::function<bool()> stopWhen)
{
    if (running)
        return;
    running = true;
    settings = toWrite;
    next = 0;
    shouldStop = std::move(stopWhen);
    stopAsked = false;
    result = Result();
    // The watchdog's poll byte must not land between two sentences' answers.
    serial.pauseWatchdog();
    QMetaObject::invokeMethod(this, &SentenceWriter::sendNext, Qt::QueuedConnection);
}

void SentenceWriter::onBytes(const QByteArray &bytes)
{
    if (!answer || !answer->feed(bytes))
        return;
    answer.reset();
    answerDeadline.stop();
    // Not inside the link's signal: the next sentence goes out from the event loop.
    QMetaObject::invokeMethod(this, &SentenceWriter::sendNext, Qt::QueuedConnection);
}

void SentenceWriter::sendNext()
{
    if (!running || answer)
        return;
    while (next < settings.size()) {
        const tracktune::DumpLine &setting = settings.at(next++);
        if (!result.linkLost && !result.stopped && (stopAsked || (shouldStop && shouldStop())))
            result.stopped = true;
        // Sent, even when the link dropped while waiting for the answer: this one tells.
        if (!result.linkLost && !result.stopped && !serial.isOpen())
            result.linkLost = true;
        const QByteArray sentence = tracktune::configurationSentence(setting.name, setting.value);
        if (result.linkLost || result.stopped || sentence.isEmpty()) {
            result.notSent << setting;
            continue;
        }
        // An adapter's echo of the sentence is no answer; what came before it neither, since
        // the link hands that on before it writes.
        if (!serial.write(sentence)) {
            result.linkLost = true;
            result.notSent << setting;
            continue;
        }
        result.sent << setting;
        answer.emplace(sentence);
        answerDeadline.start(sentenceAnswerMs);
        return;
    }
    running = false;
    emit finished(result);
}
