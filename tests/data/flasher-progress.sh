#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A stand-in flasher: records its arguments, NO_COLOR and PYTHONUNBUFFERED, prints five progress lines a
# fifth of a second apart, holding them back as a Python flasher does on a pipe unless
# PYTHONUNBUFFERED is set, then waits for the test's "release" file.
here=$(dirname "$0")
printf '%s\0' "$@" > "$here/arguments"
printf 'NO_COLOR=%s PYTHONUNBUFFERED=%s\n' "$NO_COLOR" "$PYTHONUNBUFFERED" > "$here/environment"
echo 'Connecting....'
held=''
for p in 20 40 60 80 100; do
    line="Writing at 0x000$p... ($p %)"
    if [ -n "$PYTHONUNBUFFERED" ]; then echo "$line"; else held="$held$line
"; fi
    sleep 0.2
done
printf '%s' "$held"
while [ ! -e "$here/release" ]; do sleep 0.05; done
echo 'Hard resetting via RTS pin...'
