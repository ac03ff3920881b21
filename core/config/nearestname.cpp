// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/nearestname.h"

#include <QVector>

#include <algorithm>

namespace tracktune {

namespace {

// Edits from one text to the other, a swap of two neighbours counting as one: the
// commonest slip in typing "AcftType" is "AcftTyep".
int editDistance(const QString &from, const QString &to)
{
    const int rows = from.size() + 1;
    const int columns = to.size() + 1;
    QVector<int> cost(rows * columns);
    const auto at = [&cost, columns](int row, int column) -> int & { return cost[row * columns + column]; };
    for (int row = 0; row < rows; ++row)
        at(row, 0) = row;
    for (int column = 0; column < columns; ++column)
        at(0, column) = column;
    for (int row = 1; row < rows; ++row) {
        for (int column = 1; column < columns; ++column) {
            const int change = from.at(row - 1) == to.at(column - 1) ? 0 : 1;
            int best = std::min(
                {at(row - 1, column) + 1, at(row, column - 1) + 1, at(row - 1, column - 1) + change});
            if (row > 1 && column > 1 && from.at(row - 1) == to.at(column - 2)
                && from.at(row - 2) == to.at(column - 1))
                best = std::min(best, at(row - 2, column - 2) + 1);
            at(row, column) = best;
        }
    }
    return at(rows - 1, columns - 1);
}

} // namespace

QString nearestName(const QString &name, const QStringList &candidates)
{
    // A short name is near too many others: "Crew" is two edits from "Reg".
    const int allowed = std::clamp(int(name.size()) / 3, 1, 2);
    const QString typed = name.toCaseFolded();
    QString nearest;
    int nearestDistance = allowed + 1;
    for (const QString &candidate : candidates) {
        // Lengths further apart than the best so far cannot beat it.
        if (std::abs(int(candidate.size()) - int(name.size())) >= nearestDistance)
            continue;
        const int distance = editDistance(typed, candidate.toCaseFolded());
        if (distance < nearestDistance) {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace tracktune
