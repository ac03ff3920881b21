#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the Windows build under Wine, each case a real program start: both programs' --version,
# --help and usage errors with their exit codes, the window in English and in German (the
# window's texts and Qt's own), and the installer's silent install, the installed programs and
# the uninstaller. Screenshots stay in BUILD_DIR. Needs Xvfb, Wine, xdotool, ImageMagick and
# tesseract (German); scripts/windows installs them.
#   windows-smoke.sh BUILD_DIR
set -uo pipefail
BUILD="$(cd "$1" && pwd)"
ZIP="$(ls "$BUILD"/tracktune-*-windows-x64.zip)"
SETUP="$(ls "$BUILD"/tracktune-*-windows-x64.exe)"
VERSION="$(basename "$ZIP" | sed 's/^tracktune-\(.*\)-windows-x64.zip$/\1/')"
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -d "$WORK/prefix" ] && WINEPREFIX="$WORK/prefix" wineserver -k 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

passed=0
failed=0
ok() { passed=$((passed + 1)); echo "ok - $1"; }
not_ok() { failed=$((failed + 1)); echo "FAIL - $1"; [ -n "${2:-}" ] && echo "$2" | sed 's/^/    /'; }

# The display first: a Wine prefix made without one never shows a window.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
exec 3>&-
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"
export WINEPREFIX="$WORK/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 300 wineboot -i >"$WORK/wineboot.log" 2>&1 || { cat "$WORK/wineboot.log"; echo "windows: 0 passed, 1 failed"; exit 1; }

unzip -q "$ZIP" -d "$WORK/zip"
DIR="$WORK/zip/$(basename "$ZIP" .zip)"

# run NAME EXPECTED_CODE PATTERN PROGRAM ARGS...: the exit code and a line of the output.
run() {
    local name=$1 code=$2 pattern=$3
    shift 3
    local out rc
    out=$(timeout 60 wine "$@" 2>&1)
    rc=$?
    if [ "$rc" -eq "$code" ] && grep -qE -- "$pattern" <<<"$out"; then
        ok "$name"
    else
        not_ok "$name (exit $rc, expected $code)" "$out"
    fi
}

# waitForWindow TITLE: whether a window of that title shows within 60 s.
waitForWindow() {
    for _ in $(seq 120); do
        xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\"" && return 0
        sleep 0.5
    done
    return 1
}

# startWindow NAME EXE [env...]: starts the window, waits for its title, keeps a screenshot.
startWindow() {
    local name=$1 exe=$2
    shift 2
    env "$@" wine "$exe" >"$WORK/window.log" 2>&1 &
    APP_PID=$!
    if waitForWindow "tracktune - $VERSION"; then
        ok "$name"
        return 0
    fi
    not_ok "$name: no window titled 'tracktune - $VERSION'" "$(xwininfo -root -tree | grep '"')"
    return 1
}

stopWindow() {
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
}

start=$SECONDS
# The firmware folders, one per chip, with both argument templates and no flasher or image.
firmwareMissing=""
for chip in esp32 esp32s3 esp32c3; do
    for file in config-app.txt config-merged.txt; do
        [ -f "$DIR/firmware/$chip-tracker/$file" ] || firmwareMissing="$firmwareMissing $chip-tracker/$file"
    done
done
if [ -z "$firmwareMissing" ] && [ -f "$DIR/firmware/README.txt" ] &&
    ! find "$DIR/firmware" -name '*.bin' -o -name '*.exe' | grep -q .; then
    ok "the zip holds the three chip folders with their templates, and no flasher or image"
else
    not_ok "the zip's firmware folders" "missing:$firmwareMissing; $(find "$DIR/firmware" 2>&1)"
fi
if grep -q "tracktune-cli backup" "$DIR/README.txt" && grep -q "tracktune-cli apply" "$DIR/README.txt" &&
    grep -q "tracktune-cli status" "$DIR/README.txt" && grep -q "esp32s3-tracker" "$DIR/README.txt"; then
    ok "README.txt names backup, apply, status and the firmware folders"
else
    not_ok "README.txt names backup, apply, status and the firmware folders"
fi
run "tracktune-cli --version" 0 "^tracktune-cli $VERSION" "$DIR/tracktune-cli.exe" --version
run "tracktune-cli --help names the console's signals" 0 "Ctrl\+Break" "$DIR/tracktune-cli.exe" --help
run "tracktune-cli with an unknown command is a usage error" 2 "unknown command: shwo" \
    "$DIR/tracktune-cli.exe" shwo
run "tracktune --version" 0 "^tracktune $VERSION" "$DIR/tracktune.exe" --version
run "tracktune --help" 0 "^Usage: tracktune" "$DIR/tracktune.exe" --help
run "tracktune with an unknown option is a usage error" 2 "unknown option '--bogus'" \
    "$DIR/tracktune.exe" --bogus
# A settings file named with a drive letter, backslashes and a blank is read (a file it cannot
# read is a usage error, 2); the search for the port comes after it.
mkdir -p "$WINEPREFIX/drive_c/My Settings"
printf 'Address = 0x1A2B3C\nAcftType = 1\n' >"$WINEPREFIX/drive_c/My Settings/club.txt"
run "tracktune-cli reads C:\\My Settings\\club.txt, then finds no COM9" 1 "cannot open COM9" \
    "$DIR/tracktune-cli.exe" apply --dry-run --port COM9 'C:\My Settings\club.txt'
# The image check the window runs before an update, from the command line: a web page saved as
# merged.bin and an ESP32-S3 image for an ESP32 board are refused; the same image for an ESP32-S3
# board is taken. The image: header (chip id 9, no SHA-256), one segment holding the application
# descriptor's magic, zeros, the checksum byte.
printf '<!DOCTYPE html>\n<html><head><title>Releases</title>' >"$WINEPREFIX/drive_c/My Settings/merged.bin"
printf '\351\001\002\040\000\000\010\100\356\000\000\000\011\000\000\000\000\217\001\000\000\000\000\000'\
'\040\000\100\077\004\000\000\000\062\124\315\253\000\000\000\000\000\000\000\000\000\000\000\357' \
    >"$WINEPREFIX/drive_c/My Settings/firmware-s3.bin"
run "tracktune-cli image refuses a web page saved as merged.bin" 1 "refused: The file is text, not a firmware image" \
    "$DIR/tracktune-cli.exe" image --board TBeam12 'C:\My Settings\merged.bin'
run "tracktune-cli image refuses an ESP32-S3 image for an ESP32 board" 1 \
    "refused: This image is for an ESP32-S3; the tracker \(TBeam10-sx1262\) has an ESP32\." \
    "$DIR/tracktune-cli.exe" image --board TBeam10-sx1262 'C:\My Settings\firmware-s3.bin'
run "tracktune-cli image takes it for an ESP32-S3 board" 0 "^Chip: ESP32-S3" \
    "$DIR/tracktune-cli.exe" image --board HTIT 'C:\My Settings\firmware-s3.bin'
# COM1 is Wine's name for a serial device of this machine, which may be no UART and answers
# nothing: the command ends by its deadline (an open that never returns included), not by the timeout.
comStart=$SECONDS
run "tracktune-cli show -p COM1 gives up on a port without a tracker" 1 "COM1" \
    "$DIR/tracktune-cli.exe" show -p COM1
if [ $((SECONDS - comStart)) -le 20 ]; then
    ok "... within 20 s ($((SECONDS - comStart)) s)"
else
    not_ok "... took $((SECONDS - comStart)) s" ""
fi
if x86_64-w64-mingw32-objdump -p "$DIR/tracktune.exe" | grep -c "(Windows GUI)" >/dev/null; then
    ok "tracktune.exe is a Windows GUI program (no console window)"
else
    not_ok "tracktune.exe is a Windows GUI program (no console window)"
fi

if startWindow "the window shows" "$DIR/tracktune.exe"; then
    sleep 1
    import -window root "$BUILD/tracktune-wine.png"
fi
stopWindow

# German: the window's own texts (the serial monitor's title) and Qt's (a text field's menu).
mkdir -p "$WORK/locale"
localedef -i de_DE -f UTF-8 "$WORK/locale/de_DE.UTF-8" || not_ok "the German locale for Wine"
if startWindow "the window shows in German" "$DIR/tracktune.exe" LOCPATH="$WORK/locale" LANG=de_DE.UTF-8; then
    xdotool key alt+x # Experte
    sleep 1
    xdotool key alt+m # Serieller Monitor
    if waitForWindow "Serieller Monitor"; then
        ok "the window's texts are German: the serial monitor is 'Serieller Monitor'"
        geometry=$(xwininfo -name "Serieller Monitor")
        x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
        y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
        w=$(awk '/Width:/ {print $2}' <<<"$geometry")
        h=$(awk '/Height:/ {print $2}' <<<"$geometry")
        cx=$((x + w / 2)) cy=$((y + h / 3))
        xdotool mousemove "$cx" "$cy" click 3
        sleep 2
        import -window root "$BUILD/tracktune-wine-de.png"
        convert "$BUILD/tracktune-wine-de.png" -crop "320x200+$cx+$cy" -colorspace Gray -resize 300% \
            -threshold 90% "$WORK/menu.png"
        menu=$(tesseract "$WORK/menu.png" - -l deu 2>/dev/null)
        if grep -q "Kopieren" <<<"$menu" && grep -q "Alles" <<<"$menu"; then
            ok "Qt's texts are German: the text field's menu says 'Kopieren', 'Alles auswählen'"
        else
            not_ok "Qt's texts are German: the text field's menu (read from the screenshot)" "$menu"
        fi
    else
        not_ok "the window's texts are German: no window 'Serieller Monitor'" "$(xwininfo -root -tree | grep '"')"
    fi
fi
stopWindow

# The installer: silent, per user, with its Start menu entry; the uninstaller takes it all away.
run "the installer installs silently" 0 "" "$SETUP" /S
installed=$(find "$WINEPREFIX/drive_c/users" -path "*/AppData/Local/Programs/tracktune" -type d | head -1)
shortcut=$(find "$WINEPREFIX/drive_c" -name "tracktune.lnk" | head -1)
missing=""
for file in tracktune.exe tracktune-cli.exe LICENSE.txt README.txt translations/qtbase_de.qm \
    translations/qtbase_fr.qm Uninstall.exe firmware/esp32-tracker/config-merged.txt \
    firmware/esp32s3-tracker/config-app.txt firmware/esp32c3-tracker/config-merged.txt; do
    [ -f "$installed/$file" ] || missing="$missing $file"
done
if [ -n "$installed" ] && [ -z "$missing" ] && [ -n "$shortcut" ]; then
    ok "installed in the user's programs folder with a Start menu entry"
else
    not_ok "installed in the user's programs folder with a Start menu entry" \
        "folder: '$installed', missing:$missing, shortcut: '$shortcut'"
fi
if [ -n "$installed" ]; then
    run "the installed tracktune-cli starts" 0 "^tracktune-cli $VERSION" "$installed/tracktune-cli.exe" --version
    # The silent install takes the PATH offer: a new command prompt finds tracktune-cli.
    userPath=$(timeout 60 wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r')
    if grep -qi 'Programs\\tracktune' <<<"$userPath"; then
        ok "the installer put its folder on the user's PATH"
    else
        not_ok "the installer put its folder on the user's PATH" "$userPath"
    fi
    run "tracktune-cli runs by its name in a new command prompt" 0 "^tracktune-cli $VERSION" \
        cmd /c tracktune-cli --version
    startWindow "the installed tracktune shows its window" "$installed/tracktune.exe"
    stopWindow
    timeout 60 wine "$installed/Uninstall.exe" /S >/dev/null 2>&1
    # The uninstaller goes on from a copy of itself in the temporary folder.
    for _ in $(seq 60); do [ -e "$installed" ] || break; sleep 0.5; done
    if [ ! -e "$installed" ] && ! find "$WINEPREFIX/drive_c" -name "tracktune.lnk" | grep -q .; then
        ok "the uninstaller removes the programs and the Start menu entry"
        userPath=$(timeout 60 wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r')
        if grep -qi 'Programs\\tracktune' <<<"$userPath"; then
            not_ok "the uninstaller takes its folder off the PATH" "$userPath"
        else
            ok "the uninstaller takes its folder off the PATH"
        fi
    else
        not_ok "the uninstaller removes the programs and the Start menu entry" "$(ls -R "$installed" 2>&1)"
    fi
fi

echo "not tested under Wine: the exchange with a tracker (Wine 8 reads nothing from a serial port made" \
    "from a pseudo-terminal); the Linux suites test it against the simulated tracker"
echo "windows under Wine took $((SECONDS - start)) s; screenshots: $BUILD/tracktune-wine.png, $BUILD/tracktune-wine-de.png"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
