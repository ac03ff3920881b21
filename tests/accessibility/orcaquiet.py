# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the Orca screen reader with no sound: what it would speak goes to a log, one
"SPEECH OUTPUT: '...'" line per utterance, as its own debug output writes it.

orcaquiet.py PREFERENCES_FOLDER LOG_FILE

Started this way, not as the orca command, because the command refuses to start beside another
Orca of the same user (tests run side by side) and logs every event it sees, which slows it down.
"""
import sys

from orca import debug


def main():
    prefs, log = sys.argv[1], sys.argv[2]
    debug.debugLevel = debug.LEVEL_INFO
    debug.debugFile = open(log, "w", buffering=1)

    from orca import orca, speech
    # No speech server: speak() still writes each utterance to the log.
    speech.init = lambda: None
    manager = orca.getSettingsManager()
    manager.activate(prefs, {"enableBraille": False, "enableSound": False,
                             "enableTutorialMessages": False, "enableMouseReview": False,
                             "enableKeyEcho": False})
    sys.path.insert(0, manager.getPrefsDir())
    return orca.main()


if __name__ == "__main__":
    sys.exit(main())
