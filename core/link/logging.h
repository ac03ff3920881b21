// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// The link's diagnostics. The port map has a category of its own: the search
// prints it twice a second, and QT_LOGGING_RULES="tracktune.link.ports.debug=false"
// silences just that.
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcPorts)
