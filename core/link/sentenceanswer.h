// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <utility>

namespace tracktune {

// Whether the bytes that arrived since a sentence went out hold the tracker's answer. An adapter
// that echoes what it is sent gives the sentence back first: that is no answer.
class SentenceAnswer
{
public:
    explicit SentenceAnswer(QByteArray sentence) : sentence(std::move(sentence)) { }
    // True once the answer has begun, with these bytes or earlier ones.
    bool feed(const QByteArray &bytes);

private:
    QByteArray sentence;
    int echoed = 0; // how much of the sentence came back so far
    bool hasBegun = false;
};

} // namespace tracktune
