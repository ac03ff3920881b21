// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tracktune {

// Every port the search may take, in the order it tries them: the known tracker adapters in
// name order, then any other adapter with "USB" in its description, in name order. Whether a
// port opens plays no part, so a busy tracker still counts: a write that must not guess can
// refuse unless there is one.
QStringList portCandidates(const QHash<QString, QString> &ports);

} // namespace tracktune
