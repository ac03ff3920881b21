#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Uses the demo with the keys under the Orca screen reader, under Xvfb with a D-Bus session of its
# own, and checks what Orca speaks.
#   speech.sh DEMO [LANGUAGE]
# Exit 77 (skipped, never passed) when Xvfb, the session bus, xdotool or Orca is missing.
set -u
demo=$1
language=${2:-en}
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session xdotool /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is missing"
        exit 77
    fi
done
exec timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 "$here/orcaspeech.py" "$demo" "$language"
