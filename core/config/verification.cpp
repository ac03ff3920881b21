#include "config/verification.h"

#include "config/valueencoding.h"

#include <QRegularExpression>

namespace tracktune {

std::optional<qint64> valueAsNumber(const QString &value)
{
    static const QRegularExpression hex(QStringLiteral("^0[xX]([0-9A-Fa-f]{1,15})$"));
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,19}$"));
    const QString text = value.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (const QRegularExpressionMatch match = hex.match(text); match.hasMatch())
        number = match.captured(1).toLongLong(&ok, 16);
    else if (decimal.match(text).hasMatch())
        number = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(number) : std::nullopt;
}

bool reportsAsWritten(const QString &written, const QString &reported)
{
    // What went out on the wire, and the dump's line end, do not count.
    const QString sent = oneLineValue(written);
    const std::optional<qint64> sentNumber = valueAsNumber(sent);
    const std::optional<qint64> reportedNumber = valueAsNumber(reported);
    if (sentNumber && reportedNumber)
        return *sentNumber == *reportedNumber;
    // The dump cannot show blanks around a value, so they count on neither side.
    return sent.trimmed() == reported.trimmed();
}

QStringList untakenParameters(const QList<DumpLine> &written, const QList<DumpLine> &reported)
{
    QStringList untaken;
    for (const DumpLine &change : written) {
        const auto shown = std::find_if(reported.cbegin(), reported.cend(),
            [&change](const DumpLine &entry) { return entry.name == change.name; });
        if (shown == reported.cend() || !reportsAsWritten(change.value, shown->value))
            untaken << change.name;
    }
    return untaken;
}

} // namespace tracktune
