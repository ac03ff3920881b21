// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

namespace tracktune {

// Why a read of the list gave none.
enum class ReadFailure {
    PortClosed, // the link closed before or while reading
    Silent, // nothing came after the request
    TooShort, // what looked like a list was under 10 bytes
    Deadline, // the device talked, but no whole list came in time
};

// In the installed translator's language.
QString readFailureText(ReadFailure failure);

// The tracker's answer to 0x03, line by line: which lines are its parameter list, and when the
// list is over. The list is the one after the last status line (the tracker prints one before
// each list), so the end of an earlier answer still on the wire is never taken for it. No clock
// and no port: the driver feeds every line read, says when it asked (again), and calls quiet()
// when 100 ms went by without a line while lines are held back.
class ListCollector
{
public:
    enum class Step {
        GoOn, // read the next line
        Resend, // ask again (0x03), then go on
        Done, // list() holds the whole list
        Failed, // failure() says why
    };

    Step feed(const QByteArray &line);
    Step quiet();
    // A request (0x03) went out: the count of lines before asking again starts anew.
    void requested();

    // Lines are held back that may end the list or be dropped from it.
    bool holding() const { return heldLines > 0 || heldSentences > 0; }
    bool started() const { return isStarted; }
    // The parameter lines, as they came, NUL bytes dropped.
    QByteArray list() const { return collected; }
    // The last status line printed before the list, without its line end; empty when none was.
    QString statusLine() const { return status; }
    ReadFailure failure() const { return why; }

private:
    Step take(const QByteArray &line);
    Step finish();

    QByteArray collected;
    QString status;
    Step last = Step::GoOn;
    ReadFailure why = ReadFailure::Deadline;
    bool isStarted = false;
    int linesSinceRequest = 0;
    int heldLines = 0; // since the last parameter line, sentences not counted
    int heldSentences = 0; // since the last parameter line
};

} // namespace tracktune

Q_DECLARE_METATYPE(tracktune::ReadFailure)
