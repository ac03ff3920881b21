// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tracktune {

// The candidate a mistyped name most likely meant, ignoring case: the fewest letters
// added, dropped, changed or swapped, at most two and at most a third of the name's length
// (one for names of up to five letters), the first of equals. Empty when none is that near.
QString nearestName(const QString &name, const QStringList &candidates);

} // namespace tracktune
