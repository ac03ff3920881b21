#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders each manual page as man does and fails on any warning; checks the sections a
# reader looks for and that the page names the version built.
# Usage: manpage-test.sh VERSION PAGE...
set -eu
version=$1
shift
command -v groff >/dev/null || { echo "skipped: groff is not installed"; exit 77; }
status=0
for page in "$@"; do
    name=$(basename "$page")
    # -ww: every warning; a macro typo or a stray line start would otherwise print garbage silently.
    warnings=$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 "$page" 2>&1 >/dev/null) || true
    [ -z "$warnings" ] || { echo "$name: $warnings"; status=1; }
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS" EXAMPLES "SEE ALSO"; do
        grep -q "^\.SH \"\{0,1\}$section\"\{0,1\}\$" "$page" || { echo "$name: no $section section"; status=1; }
    done
    head -n 1 "$page" | grep -qF "\"tracktune $version\"" || { echo "$name: not for version $version"; status=1; }
done
exit $status
