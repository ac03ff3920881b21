// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

namespace tracktune {

// The sum of the keys whose text is checked; texts the table does not know count for nothing.
int maskFromChecks(const QHash<QString, bool> &checks, const QHash<int, QString> &bits);

// The mask to write back: the checked keys plus the reported bits that no key of the
// table stands for, so protocols the user cannot see are never switched off.
quint32 mergeMask(quint32 checkedMask, quint32 reportedMask, const QHash<int, QString> &bits);

} // namespace tracktune
