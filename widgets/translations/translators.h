// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QCoreApplication;
QT_END_NAMESPACE

namespace tracktune {

// Makes the window speak the system's language where it has a translation (German, French),
// English otherwise, and Qt's own texts (the message boxes' buttons) with it when Qt's
// translations are installed or lie in "translations" beside the program. Call before the
// window is built; the application owns them.
void installTranslators(QCoreApplication &application);

} // namespace tracktune
