// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/portorder.h"

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The end of the run of digits that starts at from.
int digitsEnd(const QString &text, int from)
{
    while (from < text.size() && isDigit(text.at(from)))
        ++from;
    return from;
}

} // namespace

namespace tracktune {

bool portNameLess(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a.at(i)) && isDigit(b.at(j))) {
            const int endA = digitsEnd(a, i);
            const int endB = digitsEnd(b, j);
            // Leading zeros count for nothing; then the longer number is the larger.
            while (i < endA - 1 && a.at(i) == QLatin1Char('0'))
                ++i;
            while (j < endB - 1 && b.at(j) == QLatin1Char('0'))
                ++j;
            if (endA - i != endB - j)
                return endA - i < endB - j;
            const int order = QStringView(a).mid(i, endA - i).compare(QStringView(b).mid(j, endB - j));
            if (order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j);
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

QStringList naturalPortOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), portNameLess);
    return names;
}

QString portEntryText(const QString &name, const QString &description)
{
    const QString shown = description.trimmed();
    if (shown.isEmpty())
        return name;
    return name + QStringLiteral(" (") + shown + QLatin1Char(')');
}

} // namespace tracktune
