#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A stand-in flasher that cannot reach the chip: it says why on standard error, in
# colour, and exits with 2.
echo 'Connecting........_____....'
printf 'Serial port %s\n' "$3" >&2
printf '\033[31mA fatal error occurred: Failed to connect: No serial data received.\033[0m\a\n' >&2
exit 2
