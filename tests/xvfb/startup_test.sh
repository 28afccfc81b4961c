#!/usr/bin/env bash
# Starts that open no run window: a configuration start brings an open
# properties dialog to the front, "/a" ends at once, settings an earlier
# version kept for the whole machine are copied to the user once, a ".glx"
# argument is imported before the saver runs, and a saver twin beside the
# program makes it a saver.
source "$(dirname "$0")/lib.sh"
start_display

# The machine-wide settings of an earlier version.
mkdir -p "$XDG_CONFIG_DIRS/Lumenfold"
printf '[General]\nAnimationType=0\n\n[Universe]\nUniverse_Stars=777\n' \
    >"$XDG_CONFIG_DIRS/Lumenfold/QUIV_Galaxy.ini"

for arg in "/a 5" "/A"; do
    timeout $((10 * SLOW)) "$SAVER" $arg >>"$WORK/program.log" 2>&1 || fail "\"$arg\" ends at once"
done
grep -q "^Universe_Stars=777" "$SETTINGS" || fail "the machine-wide settings are copied"
grep -q "^AnimationType=0" "$SETTINGS" || fail "the copy is marked as done"
note "password starts end at once; machine settings are copied"

# A properties dialog that is open already (here a window of that caption)
# comes to the front.
xev -name "Galaxy Properties" -geometry 200x100+10+10 >/dev/null 2>&1 &
STARTED_PIDS+=($!)
wait_for 5 "the open dialog appears" window_exists "Galaxy Properties"
dialog=$(windows_named "Galaxy Properties")
wait_for 5 "the dialog is shown" window_viewable "$dialog"
start_xev 300x200+400+300
other=$XEV_WINDOW
xdotool windowfocus "$other"
wait_for 2 "the other window has the focus" test "$(xdotool getwindowfocus)" = "$other"
timeout $((10 * SLOW)) "$SAVER" /c >>"$WORK/program.log" 2>&1 || fail "/c ends"
wait_for 2 "/c brings the open dialog to the front" test "$(xdotool getwindowfocus)" = "$dialog"
note "/c brings an open properties dialog to the front"

# A template named on the command line is stored before the saver runs (a
# file without galaxy types is no template and is refused).
printf '\r\n[Admin]\r\nProduct=Orrelume\r\nVersion=4.1\r\n\r\n[Universe]\r\nUniverse_Stars=1234\r\n\r\n[UniGal0]\r\n_UniGalName=Deep One\r\n' \
    >"$WORK/Deep Field.GLX"
run_program "$SAVER" "$WORK/Deep Field.GLX"
saver=$PROGRAM_PID
wait_for 5 "the saver runs after the template" window_exists "QUIV:Orrelume 4.1"
grep -q "^Universe_Stars=1234" "$SETTINGS" || fail "the template's values are stored"
wait_for 5 "the saver draws" trace_has first-frame
xdotool key space
expect_end "$saver" 1 "the saver ends"
note "a .glx argument is imported and the saver runs"

# A twin beside the program: the program is a saver.
mkdir -p "$WORK/twin"
ln -s "$ORRELUME" "$WORK/twin/orrelume"
ln -s "$ORRELUME" "$WORK/twin/orrelume.scr"
frames=$(trace_count first-frame)
run_program "$WORK/twin/orrelume" /s
saver=$PROGRAM_PID
wait_for 5 "the program with a twin runs as the saver" window_exists "QUIV:Orrelume 4.1"
# Keys reach the saver once it draws; the window may exist a while before.
wait_for 5 "the twin saver draws" trace_has first-frame $((frames + 1))
xdotool key space
expect_end "$saver" 1 "the saver ends"
note "a saver twin beside the program makes it the saver"
