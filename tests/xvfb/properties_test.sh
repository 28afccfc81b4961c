#!/usr/bin/env bash
# The properties dialog in a real window: "/C" opens it and the process
# lives as long as it is open; a second configuration start brings it to
# the front; Cancel stores no setting and Accept stores them all; a store
# that cannot be written keeps the dialog open with its message; previews
# start and stop on their buttons and on Escape and never outlive the
# dialog; the application window opens it on a click or a key, pauses
# under it and runs again after it, and its Exit ends the program.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="Galaxy Properties"

# Where a control of the last dialog shown is on the screen ("X Y").
control_at() {
    grep " control $1 " "$WORK/trace.log" | tail -n1 | awk '{print $4, $5}'
}
click_control() {
    local x y
    read -r x y < <(control_at "$1")
    xdotool mousemove "$x" "$y" click 1
}
# open_dialog ARGS...: a configuration start whose dialog is shown.
open_dialog() {
    local shown
    shown=$(trace_count dialog-shown)
    run_program "$@"
    wait_for 5 "the dialog is shown" trace_has dialog-shown $((shown + 1))
}
# The settings without the dialog's own placement.
stored_settings() {
    [ -f "$SETTINGS" ] || return 0
    awk '/^\[/ {skip = ($0 == "[General\\Main]")} !skip' "$SETTINGS"
}

# A user who has been welcomed before (the welcome has a test of its own).
write_settings General "ResetSettings=1"

open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
window_exists "$CAPTION" || fail "/C opens the dialog captioned \"$CAPTION\""
holds_for 0.5 running "$dialog" || fail "the process lives while the dialog is open"
timeout $((10 * SLOW)) "$SAVER" "/c:1234" >>"$WORK/program.log" 2>&1 || fail "a second /c ends"
trace_has configuration-activated || fail "a second /c finds the open dialog"
[ "$(window_count "$CAPTION")" -eq 1 ] || fail "a second /c opens no second dialog"
note "/C opens the dialog; a second /c brings it to the front"

# A preview runs in the dialog's picture box and stops on its own button.
click_control cmdPreviewGal
wait_for 3 "the galaxy preview starts" trace_has "preview-start galaxy"
read -r px py < <(control_at picPreview)
preview_stars() {
    import -window root -crop "120x120+$((px - 60))+$((py - 60))" "$WORK/box.png" 2>/dev/null &&
        [ "$("$CONVERT" "$WORK/box.png" -threshold 0 -format "%[fx:round(mean*w*h)]" info:)" -gt 5 ]
}
wait_for 5 "the preview draws stars" preview_stars
click_control cmdPreviewGal
wait_for 3 "the galaxy preview stops on its button" trace_has "preview-stop galaxy"
running "$dialog" || fail "stopping a preview keeps the dialog"
# Escape stops a running preview first, and cancels only when none runs.
click_control cmdPreviewUni
wait_for 3 "the universe preview starts" trace_has "preview-start universe"
xdotool key Escape
wait_for 3 "Escape stops the preview" trace_has "preview-stop universe"
holds_for 0.3 running "$dialog" || fail "Escape with a preview running keeps the dialog"
note "previews start and stop on their buttons and on Escape"

# Cancel (Escape when no preview runs) stores no setting.
before=$(stored_settings)
xdotool key Escape
expect_end "$dialog" 2 "Escape cancels the dialog and the process ends"
[ "$(stored_settings)" = "$before" ] || fail "Cancel stores no setting"
note "Cancel stores nothing"

# A preview never outlives the dialog: Exit while one runs ends it all.
open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
click_control cmdPreviewUni
wait_for 3 "the universe preview starts" trace_has "preview-start universe" 2
xdotool key alt+f x
expect_end "$dialog" 2 "File, Exit ends the dialog and its preview"
[ "$(stored_settings)" = "$before" ] || fail "Exit stores no setting"
note "Exit ends a dialog with a running preview"

# Accept stores every setting.
open_dialog "$SAVER" ""
dialog=$PROGRAM_PID
xdotool key alt+a
expect_end "$dialog" 2 "Accept closes the dialog"
grep -q "^AnimationType=0" "$SETTINGS" || fail "Accept stores the settings"
grep -q "^Universe_Stars=" "$SETTINGS" || fail "Accept stores the universe"
[ "$(grep -c '^\[Universe\\Galaxy[0-9]*\]' "$SETTINGS")" -eq 50 ] || fail "Accept stores 50 types"
[ "$(grep -c '^\[Universe\\CompGal[0-9]*\]' "$SETTINGS")" -eq 16 ] ||
    fail "Accept stores 16 composites"
note "an empty argument opens the dialog; Accept stores everything"

# A store that cannot be written: the message, once, and the dialog stays
# open with the edits.
# (Such a store cannot remember the welcome either: it greets every time.)
shown=$(trace_count dialog-shown)
welcomes=$(trace_count "welcome")
XDG_CONFIG_HOME=/dev/null/x run_program "$SAVER" /C
dialog=$PROGRAM_PID
wait_for 5 "the welcome window greets" trace_has "welcome" $((welcomes + 1))
# Its trace comes before it is shown: Return waits until it has the keyboard.
wait_for 5 "the welcome has the keyboard" \
    eval '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Orrelume ]'
xdotool key Return
wait_for 5 "the dialog is shown" trace_has dialog-shown $((shown + 1))
xdotool key alt+a
wait_for 3 "the write test's message appears" trace_has "message The settings file is read-only."
# Return goes where the keyboard is: wait until the message has it.
wait_for 5 "the message has the keyboard" \
    eval '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Orrelume ]'
xdotool key Return
wait_for 3 "the message goes" test "$(window_count Orrelume)" -eq 0
wait_for 2 "a read-only store refuses the accept" trace_has "accept-refused"
holds_for 0.5 running "$dialog" || fail "the dialog stays open after a refused accept"
[ "$(trace_count "message The settings file is read-only.")" -eq 1 ] || fail "the message shows once"
xdotool key Escape
expect_end "$dialog" 2 "the dialog is cancelled"
note "a read-only store shows its message once and keeps the dialog open"

# The application window opens the dialog on a click, pauses under it and
# runs again after it; the dialog's Exit ends the program.
run_program "$ORRELUME"
app=$PROGRAM_PID
wait_for 5 "the application window draws" trace_has first-frame
runs=$(trace_count "^[0-9]* running$")
shown=$(trace_count dialog-shown)
xdotool mousemove 640 360 click 1
wait_for 5 "a click opens the dialog" trace_has dialog-shown $((shown + 1))
window_exists "$CAPTION" || fail "the dialog is there"
xdotool key Escape
wait_for 5 "the run starts again after the dialog" trace_has "^[0-9]* running$" $((runs + 1))
running "$app" || fail "closing the dialog keeps the application"
shown=$(trace_count dialog-shown)
xdotool key space
wait_for 5 "a key opens the dialog" trace_has dialog-shown $((shown + 1))
xdotool key alt+f x
expect_end "$app" 2 "the dialog's Exit ends the application"
note "the application window opens the dialog and resumes; Exit ends it"
