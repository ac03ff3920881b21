#include "link/logging.h"

// Debug on by default: the lines are for whoever runs the program from a terminal.
Q_LOGGING_CATEGORY(lcLink, "tracktune.link", QtDebugMsg)
Q_LOGGING_CATEGORY(lcPorts, "tracktune.link.ports", QtDebugMsg)
