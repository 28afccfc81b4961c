#!/usr/bin/env bash
# The installed tree: `cmake --install` into a DESTDIR under the build
# folder puts every file in place, the entries name programs that exist in
# that tree, the desktop files and the saver description are valid where the
# checkers are installed, and the installed saver twin runs "/S".
#
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
BUILD=$(readlink -f "$1")
DEST="$BUILD/install-test"
PREFIX=/usr
rm -rf "$DEST"
DESTDIR="$DEST" cmake --install "$BUILD" --prefix "$PREFIX" >"$BUILD/install-test.log" 2>&1 || {
    cat "$BUILD/install-test.log"
    echo "FAIL: cmake --install"
    exit 1
}
ROOT="$DEST$PREFIX"

failed=0
check() {
    if ! "$@"; then
        echo "FAIL: $*"
        failed=1
    fi
}

# Every file, and the links resolved inside the tree.
for f in bin/orrelume bin/orrelume-render libexec/orrelume/orrelume.scr \
    libexec/xscreensaver/orrelume; do
    check test -x "$ROOT/$f"
done
for f in share/applications/orrelume.desktop share/applications/orrelume-settings.desktop \
    share/applications/screensavers/orrelume.desktop share/xscreensaver/config/orrelume.xml \
    share/icons/hicolor/scalable/apps/orrelume.svg share/icons/hicolor/48x48/apps/orrelume.png \
    share/icons/hicolor/128x128/apps/orrelume.png share/man/man6/orrelume.6.gz \
    share/doc/orrelume/copyright share/doc/orrelume/manual/index.html; do
    check test -s "$ROOT/$f"
done
check gzip -t "$ROOT/share/man/man6/orrelume.6.gz"
# The twin must reach the program, not a copy that could fall behind.
check test "$(readlink -f "$ROOT/libexec/orrelume/orrelume.scr")" = "$ROOT/bin/orrelume"
check test "$(readlink -f "$ROOT/libexec/xscreensaver/orrelume")" = "$ROOT/bin/orrelume"

# Programs the entries start by full path exist under the prefix they were
# installed to (not the one the build was configured with).
while read -r path; do
    check test -x "$DEST$path"
done < <(grep -hoE '^(Try)?Exec=/[^ ]+' "$ROOT"/share/applications/*.desktop \
    "$ROOT"/share/applications/screensavers/*.desktop | cut -d= -f2)
check grep -q "^Exec=$PREFIX/libexec/orrelume/orrelume.scr /C$" \
    "$ROOT/share/applications/orrelume-settings.desktop"
check grep -q '<command arg="-root"/>' "$ROOT/share/xscreensaver/config/orrelume.xml"
# mate-screensaver and xfce4-screensaver run a theme's program only from
# their own folders under /usr; for any other prefix the entry still names
# Debian's folder, where a link reaches the program.
DAEMON_ENTRY=share/applications/screensavers/orrelume.desktop
check grep -qx "Exec=$PREFIX/libexec/xscreensaver/orrelume -root" "$ROOT/$DAEMON_ENTRY"
check grep -qx "TryExec=$PREFIX/libexec/xscreensaver/orrelume" "$ROOT/$DAEMON_ENTRY"
LOCAL="$BUILD/install-test-local"
rm -rf "$LOCAL"
DESTDIR="$LOCAL" cmake --install "$BUILD" --prefix /usr/local >>"$BUILD/install-test.log" 2>&1 ||
    check false "cmake --install --prefix /usr/local"
check grep -qx "Exec=/usr/libexec/xscreensaver/orrelume -root" "$LOCAL/usr/local/$DAEMON_ENTRY"
rm -rf "$LOCAL"

if command -v desktop-file-validate >/dev/null 2>&1; then
    for f in "$ROOT"/share/applications/*.desktop "$ROOT"/share/applications/screensavers/*.desktop; do
        # Hints are advice; errors and warnings fail.
        out=$(desktop-file-validate "$f" 2>&1 | grep -v ": hint: " || true)
        [ -z "$out" ] || {
            echo "$out"
            check false "$f validates"
        }
    done
else
    echo "desktop-file-validate is not installed: the desktop files are not validated"
    [ -z "${CI:-}" ] || check false "desktop-file-validate is installed (scripts/install-deps)"
fi
if command -v xmllint >/dev/null 2>&1; then
    check xmllint --noout "$ROOT/share/xscreensaver/config/orrelume.xml"
else
    echo "xmllint is not installed: the saver description is not checked"
    [ -z "${CI:-}" ] || check false "xmllint is installed (scripts/install-deps)"
fi
[ "$failed" -eq 0 ] || exit 1
echo "ok: the installed tree holds every file and its entries are valid"

# The installed twin is the saver: "/S" covers the screen and draws, and a
# key ends it.
TWIN="$ROOT/libexec/orrelume/orrelume.scr"
source "$(dirname "$0")/../xvfb/lib.sh" "$ROOT/bin/orrelume"
start_display
run_program "$TWIN" /S
wait_for 5 "the installed twin's saver draws" trace_has first-frame
grep -q "start \[/S\]" "$WORK/trace.log" || fail "the twin read its command line"
window=$(windows_named "QUIV:Orrelume 4.1")
[ -n "$window" ] && [ "$(window_geometry "$window")" = "1280x720+0+0" ] ||
    fail "the installed twin's saver covers the screen"
xdotool key space
expect_end "$PROGRAM_PID" 2 "a key ends the installed twin's saver"
note "the installed saver twin runs /S"

# The daemons' entry, run as they run it: its command draws into the window
# they name in XSCREENSAVER_WINDOW, and their SIGTERM ends it by that signal.
command=$(sed -n 's/^Exec=//p' "$ROOT/$DAEMON_ENTRY")
start_xev 320x240+40+40
# shellcheck disable=SC2086 # the entry's command splits into its words
XSCREENSAVER_WINDOW=$XEV_WINDOW run_program "$DEST"$command
wait_for 5 "the entry's command draws into the daemon's window" stars_drawn "$XEV_WINDOW"
kill -TERM "$PROGRAM_PID"
wait_for 1 "SIGTERM ends the entry's command" ended "$PROGRAM_PID"
rc=0
wait "$PROGRAM_PID" || rc=$?
[ "$rc" -eq $((128 + 15)) ] || fail "the entry's command ends by SIGTERM (status $rc)"
note "the daemons' entry runs the display mode in their window"
rm -rf "$DEST"
