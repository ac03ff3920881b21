#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The translations cover every text the window shows, and only those; no two of the window's
# access keys clash, in English or translated.
#   translations.sh LUPDATE SOURCE_DIR          checks the committed .ts files
#   translations.sh LUPDATE SOURCE_DIR update   brings them up to date with the sources
# The check runs lupdate into copies: a text without a translation stays "unfinished" there,
# and a text the sources no longer have leaves the copy with fewer messages.
set -eu

lupdate=$1
src=$(cd "$2" && pwd)
mode=${3:-check}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The window's sources: the command line, the tests and the tools stay English; build
# folders hold generated code.
find "$src" \( -path "$src/tests" -o -path "$src/tools" -o -path "$src/bench" -o -path "$src/cli" \
    -o -name '.*' -o -name 'build*' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print | LC_ALL=C sort >"$work/sources"
if ! [ -s "$work/sources" ]; then
    echo "no sources found under $src" >&2
    exit 1
fi

# "messages" counts the translatable texts of a .ts file, "open" those without a translation
# or whose source text is gone.
messages() { grep -c '<message' "$1" || true; }
open() { grep -c -E 'type="(unfinished|vanished|obsolete)"' "$1" || true; }

# The access keys of the window's texts (tag: source or translation), one letter a line.
access_keys() {
    awk -v tag="$2" '/<name>/ { window = ($0 ~ /<name>MainWindow</) }
        window && $0 ~ "<" tag ">.*&amp;" { sub(/.*&amp;/, ""); print tolower(substr($0, 1, 1)) }' "$1"
}
clashes() { access_keys "$1" "$2" | sort | uniq -d | tr '\n' ' '; }

status=0
for ts in "$src"/widgets/translations/tracktune_*.ts; do
    name=$(basename "$ts")
    # English translates only the plural forms of the source texts.
    only=""
    [ "$name" = tracktune_en.ts ] && only=-pluralonly
    if [ "$mode" = update ]; then
        "$lupdate" -silent -no-obsolete $only -locations none -I "$src/core" -I "$src/widgets" @"$work/sources" -ts "$ts"
        echo "$name: $(messages "$ts") texts, $(open "$ts") to translate"
        continue
    fi
    # Two buttons of the window never share an access key, in English or translated.
    for tag in source translation; do
        if [ -n "$(clashes "$ts" $tag)" ]; then
            echo "$name: access keys used twice in the window's ${tag}s: $(clashes "$ts" $tag)" >&2
            status=1
        fi
    done
    cp "$ts" "$work/$name"
    "$lupdate" -silent -no-obsolete $only -locations none -I "$src/core" -I "$src/widgets" @"$work/sources" -ts "$work/$name"
    untranslated=$(open "$work/$name")
    if [ "$untranslated" -ne 0 ]; then
        echo "$name: $untranslated texts without a translation:" >&2
        grep -B3 -E 'type="(unfinished|vanished|obsolete)"' "$work/$name" | grep '<source>' >&2 || true
        status=1
    fi
    if [ "$(messages "$work/$name")" -ne "$(messages "$ts")" ]; then
        echo "$name: holds texts the sources no longer have:" >&2
        diff "$ts" "$work/$name" | grep '^<.*<source>' >&2 || true
        status=1
    fi
done
if [ $status -ne 0 ]; then
    echo "run: sh tests/translations.sh $lupdate $src update, then translate the new texts" >&2
fi
exit $status
