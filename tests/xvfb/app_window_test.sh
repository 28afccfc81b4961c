#!/usr/bin/env bash
# The application window (the program without a saver twin beside it):
# whatever the command line, it fills the screen without the saver's caption
# and Escape ends it. With "Adv_WinResize" = "1" it is a captioned window
# that comes back where and as large as it was left; F5 restarts the run.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="QUIV:Orrelume 4.1"

# The window the program shows (the only one of that size and more).
program_window() {
    xdotool search --all --pid "$1" --onlyvisible 2>/dev/null | head -n1
}

write_settings Advanced "Adv_WinResize=1"
run_program "$ORRELUME"
app=$PROGRAM_PID
wait_for 5 "the captioned window appears" window_exists "$CAPTION"
window=$(windows_named "$CAPTION")
wait_for 5 "the captioned window draws" trace_has first-frame
# Never placed before: centred.
[ "$(window_geometry "$window")" = "640x480+320+120" ] ||
    fail "a window never placed opens centred, not $(window_geometry "$window")"

# A second saver start sees the caption of this window and ends at once.
timeout $((10 * SLOW)) "$SAVER" /S >>"$WORK/program.log" 2>&1 || fail "the second start ends"
trace_has saver-already-running || fail "/S ends at once while the captioned window runs"

xdotool windowmove "$window" 100 80 windowsize "$window" 700 400
wait_for 2 "the animation follows the window's size" trace_has "surface 700x400"
# F5 runs again with what the settings hold now (edited while it runs).
write_settings Advanced "LockMessage=  Edited while running"
restarts=$(trace_count running)
xdotool key F5
wait_for 2 "F5 restarts the run" trace_has running $((restarts + 1))
trace_has "lock-message Edited while running" || fail "F5 reads the settings again"
running "$app" || fail "F5 keeps the program running"
grep -q "^WindowSize=01500012001050006000" "$SETTINGS" || fail "F5 stores the placement"
xdotool key Escape
expect_end "$app" 1 "Escape ends the captioned window within a second"
grep -q "^WindowState=0" "$SETTINGS" || fail "the placement is stored as normal"
note "a moved and resized window stores its place; F5 restarts the run"

run_program "$ORRELUME"
app=$PROGRAM_PID
wait_for 5 "the captioned window appears again" window_exists "$CAPTION"
window=$(windows_named "$CAPTION")
wait_for 5 "it is shown" window_viewable "$window"
[ "$(window_geometry "$window")" = "700x400+100+80" ] ||
    fail "the window comes back at the same place and size, not $(window_geometry "$window")"
xdotool key Escape
expect_end "$app" 1 "Escape ends it"
note "the window comes back at the same place and size"

# Without "Adv_WinResize" the window fills the screen, whatever the command
# line says.
write_settings Advanced "Adv_WinResize=0"
# Earlier runs may have ended before their first frame: count from here.
frames=$(trace_count first-frame)
run_program "$ORRELUME" /S
app=$PROGRAM_PID
wait_for 5 "the application window appears" trace_has first-frame $((frames + 1))
wait_for 5 "the application window is shown" test -n "$(program_window "$app")"
window=$(program_window "$app")
[ "$(window_geometry "$window")" = "1280x720+0+0" ] ||
    fail "the application window fills the screen, not $(window_geometry "$window")"
[ "$(window_count "$CAPTION")" -eq 0 ] || fail "the full-screen application window has no caption"
xdotool key Escape
expect_end "$app" 1 "Escape ends the application within a second"
note "the application window fills the screen and Escape ends it"

