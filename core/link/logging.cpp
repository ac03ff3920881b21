// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/logging.h"

// Debug off unless asked for (QT_LOGGING_RULES="tracktune.*.debug=true"): a program
// started from the menu writes nothing while all is well.
Q_LOGGING_CATEGORY(lcLink, "tracktune.link", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPorts, "tracktune.link.ports", QtInfoMsg)
