#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the demo under Xvfb with a D-Bus session of its own, on which the accessibility bus
# starts when first asked for, and reads the window through it as a screen reader would.
#   accessibility.sh DEMO [LANGUAGE]
# Exit 77 (skipped, never passed) when Xvfb, the session bus or the accessibility bus cannot start.
set -u
demo=$1
language=${2:-en}
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is missing"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: python3-pyatspi is missing"
    exit 77
fi
exec timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 "$here/readwindow.py" "$demo" "$language"
