#!/usr/bin/env bash
# Templates and the welcome from the properties dialog: the first opening
# greets a new user (and offers an earlier version's user a reset); a
# template saved from the dialog and opened again gives the same settings
# after Accept; a file that is no template changes nothing.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="Galaxy Properties"

# shown_after ARGS...: starts the program and waits until its dialog shows.
open_dialog() {
    local shown
    shown=$(trace_count dialog-shown)
    run_program "$@"
    wait_for 5 "the dialog is shown" trace_has dialog-shown $((shown + 1))
}
# The stored settings, without the values that only record where windows
# and folders were and the store's write test.
stored_settings() {
    awk '/^\[/ {skip = ($0 == "[General\\Main]" || $0 == "[Template]" ||
                       $0 == "[General\\Template]")}
         !skip && !/^TestRegWrite=/' "$SETTINGS"
}

# keyboard_in CAPTION: the window with the keyboard has that caption (the
# program traces a window before it shows it).
keyboard_in() {
    [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]
}
welcome_has_keyboard() {
    keyboard_in Orrelume
}
# keyboard_left WINDOW: another window of the program's caption has the
# keyboard (a message over the welcome window, which has the same caption).
keyboard_left() {
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null) && [ "$focus" != "$1" ] &&
        [ "$(xdotool getwindowname "$focus" 2>/dev/null)" = Orrelume ]
}

# A new user is greeted once, without the reset offer.
run_program "$SAVER" /C
dialog=$PROGRAM_PID
wait_for 5 "a first opening greets the user" trace_has "^[0-9]* welcome$"
wait_for 5 "the welcome has the keyboard" welcome_has_keyboard
xdotool key Return
wait_for 5 "the dialog follows the welcome" trace_has dialog-shown
grep -q "^ResetSettings=1" "$SETTINGS" || fail "the welcome is remembered"
xdotool key Escape
expect_end "$dialog" 2 "the dialog is cancelled"
if grep -q "^AnimationType" "$SETTINGS"; then fail "a cancelled first opening stores no settings"; fi
open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
[ "$(trace_count welcome)" -eq 1 ] || fail "the welcome shows only once"
xdotool key alt+a
expect_end "$dialog" 2 "Accept closes the dialog"
grep -q "^AnimationType=0" "$SETTINGS" || fail "Accept stores the settings"
note "a new user is greeted once"

# Save the accepted settings as a template ("t1" gets its extension).
saved=$(stored_settings)
open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
choosers=$(trace_count template-chooser)
xdotool key alt+f a
wait_for 5 "Save As opens the chooser" trace_has template-chooser $((choosers + 1))
wait_for 5 "the chooser has the keyboard" keyboard_in "Enter or Select Template to Save"
xdotool type --delay 5 "$WORK/t1"
xdotool key Return
wait_for 5 "the template is saved" trace_has "template-saved $WORK/t1.glx"
[ -s "$WORK/t1.glx" ] || fail "the template file is there"
[ ! -e "$WORK/t10" ] || fail "the probe leaves no file behind"
xdotool key Escape
expect_end "$dialog" 2 "the dialog is cancelled"
note "a template is saved from the dialog, with its extension"

# Other settings, then the template opened again and accepted.
sed -i 's/^Universe_Stars=.*/Universe_Stars=1234/; s/^_UniGalName=Standard Galaxy$/_UniGalName=Renamed/' \
    "$SETTINGS"
open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
choosers=$(trace_count template-chooser)
xdotool key alt+f o
wait_for 5 "Open opens the chooser" trace_has template-chooser $((choosers + 1))
wait_for 5 "the chooser has the keyboard" keyboard_in "Select Template to Open"
xdotool type --delay 5 "$WORK/t1.glx"
xdotool key Return
wait_for 5 "the template is loaded" trace_has "template-loaded $WORK/t1.glx"
grep -q "^Universe_Stars=1234" "$SETTINGS" || fail "opening a template stores nothing before Accept"
xdotool key alt+a
expect_end "$dialog" 2 "Accept closes the dialog"
[ "$(stored_settings)" = "$saved" ] || {
    diff <(echo "$saved") <(stored_settings) | head -20
    fail "the template gives back the settings it was saved from"
}
note "the template opened and accepted gives the same settings"

# A file that is no template changes nothing and says so.
printf '\x89PNG\r\n\x1a\nnot a template' >"$WORK/picture.glx"
open_dialog "$SAVER" /C
dialog=$PROGRAM_PID
choosers=$(trace_count template-chooser)
xdotool key alt+f o
wait_for 5 "Open opens the chooser" trace_has template-chooser $((choosers + 1))
wait_for 5 "the chooser has the keyboard" keyboard_in "Select Template to Open"
xdotool type --delay 5 "$WORK/picture.glx"
xdotool key Return
wait_for 5 "the file is refused" trace_has "template-refused $WORK/picture.glx"
wait_for 3 "one message says so" window_exists "Orrelume"
xdotool key Return
wait_for 3 "the message goes" test "$(window_count Orrelume)" -eq 0
xdotool key alt+a
expect_end "$dialog" 2 "Accept closes the dialog"
[ "$(stored_settings)" = "$saved" ] || fail "a file that is no template changes nothing"
note "a file that is no template changes nothing"

# A user with an earlier version's settings is offered the reset.
sed -i '/^ResetSettings=/d' "$SETTINGS"
welcomes=$(trace_count "welcome offering-reset")
run_program "$SAVER" /C
dialog=$PROGRAM_PID
wait_for 5 "the earlier settings are offered a reset" trace_has "welcome offering-reset" \
    $((welcomes + 1))
wait_for 5 "the welcome has the keyboard" welcome_has_keyboard
shown=$(trace_count dialog-shown)
xdotool key Return
wait_for 5 "declining shows the dialog" trace_has dialog-shown $((shown + 1))
xdotool key Escape
expect_end "$dialog" 2 "the dialog is cancelled"
[ "$(stored_settings)" = "$saved" ] || fail "declining the reset keeps the settings"
note "an earlier version's settings are offered a reset and kept when declined"

# The reset's copy cannot be written (a folder holds its name beside the
# program): the welcome says so and asks; No keeps everything, and Yes
# resets, which Cancel then undoes.
mkdir -p "$WORK/program/propsave.glx"
cp "$ORRELUME" "$WORK/program/orrelume.scr"
for answer in n y; do
    sed -i '/^ResetSettings=/d' "$SETTINGS"
    welcomes=$(trace_count "welcome offering-reset")
    run_program "$WORK/program/orrelume.scr" /C
    dialog=$PROGRAM_PID
    wait_for 5 "the earlier settings are offered a reset" trace_has "welcome offering-reset" \
        $((welcomes + 1))
    wait_for 5 "the welcome has the keyboard" welcome_has_keyboard
    welcome=$(xdotool getwindowfocus)
    questions=$(trace_count "could not be saved to 'propsave.glx'")
    xdotool key shift+Tab space
    wait_for 5 "the failed copy is reported" trace_has "could not be saved to 'propsave.glx'" \
        $((questions + 1))
    wait_for 5 "the question has the keyboard" keyboard_left "$welcome"
    shown=$(trace_count dialog-shown)
    if [ "$answer" = n ]; then
        xdotool key Return
        wait_for 5 "No keeps the welcome open" trace_has welcome-reset-stopped
        wait_for 5 "the welcome has the keyboard again" test "$(xdotool getwindowfocus)" = "$welcome"
        xdotool key Return
    else
        xdotool key alt+y
    fi
    wait_for 5 "the dialog follows the welcome" trace_has dialog-shown $((shown + 1))
    xdotool key Escape
    expect_end "$dialog" 2 "the dialog is cancelled"
    [ "$(stored_settings)" = "$saved" ] || {
        diff <(echo "$saved") <(stored_settings) | head -20
        fail "a reset without its copy changes nothing until Accept ($answer)"
    }
done
[ -z "$(ls "$WORK/program/propsave.glx")" ] || fail "nothing is written into the folder"
note "a copy that cannot be written is asked about, and Cancel undoes the reset"
