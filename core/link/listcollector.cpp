// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/listcollector.h"

#include "config/dumpline.h"

#include <QCoreApplication>

namespace tracktune {

namespace {

const int linesBeforeResend = 10;
const int longestSentenceRun = 8;
const int endingLines = 2;
const int shortestList = 10;
// A noisy line may put a few bytes before a sentence's "$".
const int strayBytes = 8;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHex(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "Name = Value", by the rule the dump's parser splits it with.
bool isParameterLine(const QByteArray &line)
{
    return splitParameterLine(QString::fromLatin1(line)).has_value();
}

// Where an NMEA sentence's "$" is, stray bytes before it allowed; -1: no sentence.
int sentenceStart(const QByteArray &line)
{
    const int dollar = line.indexOf('$');
    if (dollar < 0 || dollar > strayBytes || dollar + 1 >= line.size())
        return -1;
    const char first = line.at(dollar + 1);
    return (first >= 'A' && first <= 'Z') ? dollar : -1;
}

// Where a sentence whose line end was lost stops, after its "*hh", when more follows; 0: not so.
int endOfRunOnSentence(const QByteArray &line)
{
    const int start = sentenceStart(line);
    if (start < 0)
        return 0;
    for (int star = line.indexOf('*', start); star >= 0; star = line.indexOf('*', star + 1)) {
        if (star + 2 < line.size() && isHex(line.at(star + 1)) && isHex(line.at(star + 2)))
            return line.mid(star + 3).trimmed().isEmpty() ? 0 : star + 3;
    }
    return 0;
}

// "<T>:<A>:<AAAAAA>/<16 hex CPU id>...", as the tracker prints before its list.
bool isStatusLine(const QByteArray &line)
{
    return parseStatusLine(QString::fromLatin1(line)).has_value();
}

// Where the status line starts in the line: at its start, or after the bytes of a line cut
// short (noise, an adapter's echo of the request) that ran on into it; -1: none.
int statusLineStart(const QByteArray &line)
{
    for (int colon = line.indexOf(':', 1); colon >= 1; colon = line.indexOf(':', colon + 1)) {
        if (isStatusLine(line.mid(colon - 1)))
            return colon - 1;
    }
    return -1;
}

} // namespace

QString readFailureText(ReadFailure failure)
{
    switch (failure) {
    case ReadFailure::PortClosed:
        return QCoreApplication::translate("tracktune", "The port closed while the tracker's list was read");
    case ReadFailure::Silent:
        return QCoreApplication::translate("tracktune", "The device did not answer");
    case ReadFailure::TooShort:
        return QCoreApplication::translate("tracktune", "The device's answer was too short to be a list");
    case ReadFailure::Deadline:
        return QCoreApplication::translate("tracktune", "The device printed no list in time");
    }
    return QString();
}

ListCollector::Step ListCollector::feed(const QByteArray &bytes)
{
    if (last == Step::Done || last == Step::Failed)
        return last;
    QByteArray line = bytes;
    // A NUL byte is line noise: it neither cuts a line nor makes one.
    if (line.contains('\0')) {
        line.replace('\0', QByteArray());
        if (line.trimmed().isEmpty())
            return Step::GoOn;
    }
    // A sentence that lost its line end: the parameter after it is still one.
    const int cut = endOfRunOnSentence(line);
    if (cut <= 0)
        return take(line);
    const Step first = take(line.left(cut));
    if (first == Step::Done || first == Step::Failed)
        return first;
    const Step second = feed(line.mid(cut));
    return second == Step::GoOn ? first : second;
}

ListCollector::Step ListCollector::take(const QByteArray &line)
{
    // The tracker's answer starts with its status line: whatever came before it, the end of a
    // list that answered an earlier request included, is none of it.
    if (const int start = statusLineStart(line); start >= 0) {
        status = QString::fromLatin1(line.mid(start)).trimmed();
        isStarted = false;
        collected.clear();
        heldLines = 0;
        heldSentences = 0;
        return Step::GoOn;
    }
    if (!isStarted) {
        if (!status.isEmpty() && line.startsWith("Address ")) {
            isStarted = true;
            collected = line;
            return Step::GoOn;
        }
        // The tracker may have missed the request, or be in the middle of something else; once
        // its status line came it is printing its list, however long its task list is.
        if (status.isEmpty() && ++linesSinceRequest > linesBeforeResend) {
            linesSinceRequest = 0;
            return Step::Resend;
        }
        return Step::GoOn;
    }
    if (isParameterLine(line)) {
        // Whatever another task printed inside the list is no part of it.
        heldLines = 0;
        heldSentences = 0;
        collected += line;
        return Step::GoOn;
    }
    if (sentenceStart(line) >= 0)
        return ++heldSentences >= longestSentenceRun ? finish() : Step::GoOn;
    return ++heldLines >= endingLines ? finish() : Step::GoOn;
}

void ListCollector::requested()
{
    linesSinceRequest = 0;
}

ListCollector::Step ListCollector::quiet()
{
    if (last == Step::Done || last == Step::Failed)
        return last;
    return isStarted && holding() ? finish() : Step::GoOn;
}

ListCollector::Step ListCollector::finish()
{
    if (collected.size() < shortestList) {
        why = ReadFailure::TooShort;
        last = Step::Failed;
    } else {
        last = Step::Done;
    }
    return last;
}

} // namespace tracktune
