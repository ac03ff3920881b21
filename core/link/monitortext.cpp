// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/monitortext.h"

namespace tracktune {

QString withLinesCapped(const QString &text, int &openLine, int longest)
{
    QString capped;
    capped.reserve(text.size() + text.size() / qMax(1, longest) + 1);
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            openLine = 0;
        } else if (openLine >= longest) {
            capped += QLatin1Char('\n');
            openLine = 1;
        } else {
            ++openLine;
        }
        capped += c;
    }
    return capped;
}

} // namespace tracktune
