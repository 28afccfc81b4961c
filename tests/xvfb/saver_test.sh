#!/usr/bin/env bash
# The full-screen saver: started with "/S" it covers the screen under its
# caption, a key or a click ends it within a second and leaves no window,
# and a second "/S" while it runs ends at once without a window of its own.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="QUIV:Orrelume 4.1"

run_program "$SAVER" /S
saver=$PROGRAM_PID
wait_for 5 "the saver's window appears" window_exists "$CAPTION"
window=$(windows_named "$CAPTION")
wait_for 5 "the saver's window is shown" window_viewable "$window"
[ "$(window_geometry "$window")" = "1280x720+0+0" ] ||
    fail "the saver covers the screen, not $(window_geometry "$window")"
wait_for 5 "the first frame is drawn" trace_has first-frame
wait_for 5 "stars are drawn" stars_drawn "$window"
note "/S covers the screen with its caption and draws"

# A first start on an empty store stores the 4.x factory types and
# composites, and leaves "AnimationType" absent (settings were not accepted).
grep -q "^_UniGalName=Standard Galaxy$" "$SETTINGS" || fail "a first start stores the 4.x types"
grep -q "^_UniGalName=Nested Horns$" "$SETTINGS" || fail "a first start stores all 50 types"
grep -q "^_CompGalName=Nested Rings + Comet Core$" "$SETTINGS" ||
    fail "a first start stores the 4.x composites"
if grep -q "^AnimationType" "$SETTINGS"; then fail "AnimationType stays absent"; fi
note "a first /S on an empty store stores the 4.x set"

# A second start finds the caption and ends at once, in any case and with
# any text after the switch.
for arg in /S /s "/S:1234" "/sanything"; do
    before=$(trace_count saver-already-running)
    timeout $((10 * SLOW)) "$SAVER" "$arg" >>"$WORK/program.log" 2>&1 ||
        fail "a second start with $arg ends"
    [ "$(trace_count saver-already-running)" -gt "$before" ] ||
        fail "a second start with $arg sees the running saver"
    [ "$(window_count "$CAPTION")" -eq 1 ] || fail "a second start with $arg opens no window"
done
note "a second /S, /s, /S:1234, /sanything ends at once"

# A leading blank skips the check: a second saver starts.
run_program "$SAVER" " /S"
second=$PROGRAM_PID
wait_for 5 "a leading blank starts a second saver" window_exists "$CAPTION" 2
kill "$second"
expect_end "$second" 5 "the second saver is stopped"
note "\" /S\" starts a saver without the single-instance check"

# A key press ends the saver within a second, and no window is left.
running "$saver" || fail "the saver still runs"
xdotool key space
expect_end "$saver" 1 "a key press ends the saver within a second"
[ "$(window_count "$CAPTION")" -eq 0 ] || fail "no saver window is left"
note "a key press ends the saver"

# A click ends it the same way; so does the saver of any other argument.
run_program "$SAVER" "some words"
saver=$PROGRAM_PID
wait_for 5 "the saver of another argument appears" window_exists "$CAPTION"
wait_for 5 "its first frame" trace_has first-frame 2
xdotool click 1
expect_end "$saver" 1 "a click ends the saver within a second"
note "a click ends the saver"
