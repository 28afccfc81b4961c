#!/usr/bin/env bash
# Hack runs, as the X11 saver daemons start them, under the application's
# own name: "-window-id" draws into another program's window and ends when
# it goes; "-root" ends within a second of SIGTERM and leaves nothing behind;
# a bare start with XSCREENSAVER_WINDOW set draws into that window (never
# the properties dialog) and ends on SIGINT. A run ended by a signal ends by
# that signal, so daemons do not log it as a failure. Bad ids end at once.
source "$(dirname "$0")/lib.sh"

"$ORRELUME" --help >"$WORK/help.txt" 2>&1 || fail "--help exits 0"
for form in "-window-id" "-root" "/S" "/P" ".glx" "--add-to-xscreensaver"; do
    grep -q -- "$form" "$WORK/help.txt" || fail "--help names $form"
done
note "--help lists both forms, without a display"

# XScreenSaver's programs: list gets the program's line; the file as it was
# is kept beside it, and a file that is not there is not made.
home="$WORK/home"
mkdir -p "$home"
rc=0
HOME=$home "$ORRELUME" --add-to-xscreensaver >>"$WORK/program.log" 2>&1 || rc=$?
[ "$rc" -eq 1 ] && [ ! -e "$home/.xscreensaver" ] || fail "no ~/.xscreensaver: status 1, no file made"
printf 'mode:		one
programs:			      \
		  lines -root	    \n

fade:		True
' >"$home/.xscreensaver"
chmod 600 "$home/.xscreensaver"
cp "$home/.xscreensaver" "$WORK/xscreensaver.orig"
HOME=$home "$ORRELUME" --add-to-xscreensaver >>"$WORK/program.log" 2>&1 || fail "the line is added"
cmp -s "$home/.xscreensaver.before-orrelume" "$WORK/xscreensaver.orig" || fail "the old file is kept"
[ "$(grep -v -x -F '  "Orrelume"  orrelume -root  \n\' "$home/.xscreensaver")" = "$(cat "$WORK/xscreensaver.orig")" ] ||
    fail "only the line is added"
[ "$(sed -n 3p "$home/.xscreensaver")" = '  "Orrelume"  orrelume -root  \n\' ] || fail "the line heads the list"
[ "$(stat -c %a "$home/.xscreensaver")" = 600 ] || fail "the file keeps its permissions"
cp "$home/.xscreensaver" "$WORK/xscreensaver.added"
HOME=$home "$ORRELUME" --add-to-xscreensaver >>"$WORK/program.log" 2>&1 || fail "a second run succeeds"
cmp -s "$home/.xscreensaver" "$WORK/xscreensaver.added" || fail "a second run changes nothing"
note "--add-to-xscreensaver adds its line once and keeps the file as it was"

start_display

start_xev 320x240+40+40
host=$XEV_WINDOW

run_program "$ORRELUME" -window-id "$(printf '0x%x' "$host")"
hack=$PROGRAM_PID
wait_for 5 "the hack starts in xev's window" trace_has "hack $host 320x240"
wait_for 5 "stars are drawn in it" stars_drawn "$host"
xdotool windowsize "$host" 400 300
wait_for 2 "the hack follows the new size" trace_has "hack-layout 400x300"
kill "$XEV"
expect_end "$hack" 1 "the hack ends within a second after its window is gone"
trace_has hack-window-gone || fail "the hack saw its window go"
note "-window-id draws into another program's window and ends with it"

run_program "$ORRELUME" -root
hack=$PROGRAM_PID
wait_for 5 "the root hack draws" trace_has first-frame 2
wait_for 5 "stars are drawn on the root" stars_drawn root
kill -TERM "$hack"
wait_for 1 "SIGTERM ends the hack within a second" ended "$hack"
rc=0
wait "$hack" || rc=$?
[ "$rc" -eq $((128 + 15)) ] || fail "the hack ends by SIGTERM itself (status $rc)"
trace_has hack-signal || fail "the hack stopped on the signal"
leftovers=$(find "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" -type f ! -name QUIV_Galaxy.ini)
[ -z "$leftovers" ] || fail "the hack leaves nothing behind: $leftovers"
[ "$(window_count "QUIV:Orrelume 4.1")" -eq 0 ] || fail "the hack shows no window"
note "SIGTERM ends a -root hack within a second, leaving only the settings"

start_xev 300x200+400+300
host=$XEV_WINDOW
XSCREENSAVER_WINDOW=$(printf '0x%x' "$host") run_program "$SAVER"
hack=$PROGRAM_PID
wait_for 5 "a bare start with XSCREENSAVER_WINDOW is a hack" trace_has "hack $host 300x200"
wait_for 5 "stars are drawn in the daemon's window" stars_drawn "$host"
window_exists "Galaxy Properties" && fail "no properties dialog"
kill -INT "$hack"
wait_for 1 "SIGINT ends the hack within a second" ended "$hack"
rc=0
wait "$hack" || rc=$?
[ "$rc" -eq $((128 + 2)) ] || fail "the hack ends by SIGINT itself (status $rc)"
trace_has "^[0-9]* exit$" 3 || fail "the hack cleaned up before it ended"
note "XSCREENSAVER_WINDOW with no argument starts a hack, not the dialog; signals end it by themselves"

for bad in abc 0 4294967296 -7; do
    rc=0
    timeout $((5 * SLOW)) "$ORRELUME" -window-id "$bad" >>"$WORK/program.log" 2>&1 || rc=$?
    [ "$rc" -eq 1 ] || fail "-window-id $bad ends by itself, reporting a failure ($rc)"
done
window_exists "Galaxy Properties" && fail "no window for bad ids"
note "bad window ids end at once"

# The settings entry of the desktop menus: "/C" from the application file.
run_program "$ORRELUME" /C
# (a first start greets the user before the dialog opens)
wait_for 10 "/C from the application file opens the properties dialog" \
    trace_has "^[0-9]* \(welcome\|configuration\)$"
trace_has application && fail "/C opens no application window"
kill "$PROGRAM_PID"
expect_end "$PROGRAM_PID" 2 "the dialog ends"
note "/C opens the properties dialog from the application file too"
