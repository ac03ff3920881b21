// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleetoutput.h"

#include "config/terminaltext.h"

#include <QStringList>

#include <cstdio>

namespace tracktune {

const char fleetMemberVariable[] = "TRACKTUNE_CLI_FLEET_MEMBER";

bool isFleetMember()
{
    return qEnvironmentVariableIsSet(fleetMemberVariable);
}

const char fleetStartedVariable[] = "TRACKTUNE_CLI_FLEET_STARTED";

QDateTime backupTime()
{
    const QDateTime started = QDateTime::fromString(qEnvironmentVariable(fleetStartedVariable), Qt::ISODate);
    return isFleetMember() && started.isValid() ? started : QDateTime::currentDateTime();
}

void FleetMemberOutput::hold(QTextStream &out, QTextStream &err)
{
    out.setString(&outBuffer);
    err.setString(&errBuffer);
}

void FleetMemberOutput::pass(const QString &prefixShown, bool prefixOutput, bool ending)
{
    const QString prefix = terminalText(prefixShown) + QStringLiteral(": ");
    const QString tag = QStringLiteral("tracktune-cli: ");
    const auto pass = [&](const QString &buffer, int &relayed, FILE *file, bool prefixed) {
        const int end = ending ? buffer.size() : buffer.lastIndexOf(QLatin1Char('\n')) + 1;
        if (end <= relayed)
            return;
        QStringList lines = buffer.mid(relayed, end - relayed).split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
        relayed = end;
        QString text;
        for (const QString &line : std::as_const(lines)) {
            if (!prefixed)
                text += line;
            else if (line.startsWith(tag))
                text += tag + prefix + line.mid(tag.size());
            else
                text += prefix + line;
            text += QLatin1Char('\n');
        }
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
        std::fflush(file);
    };
    pass(outBuffer, outRelayed, stdout, prefixOutput);
    pass(errBuffer, errRelayed, stderr, true);
}

} // namespace tracktune
