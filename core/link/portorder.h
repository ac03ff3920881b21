// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tracktune {

// Whether port name a comes before b as a person counts: runs of digits by their number, so
// COM2 before COM10 and ttyUSB9 before ttyUSB10; the rest by text. A total order: names that
// differ only in leading zeros still come in one order.
bool portNameLess(const QString &a, const QString &b);

// The names in that order.
QStringList naturalPortOrder(QStringList names);

// A port as the port list shows it: its name, and its description in brackets where it has one.
QString portEntryText(const QString &name, const QString &description);

} // namespace tracktune
