#!/usr/bin/env bash
# The information windows in real windows, opened by a small program of
# their own (ORRELUME_INFO_CHILD, or the one built beside the program): the
# about box animates its composites and opens the credits, whose starfield
# animates until OK closes it; the diagnostics pass their store test on the
# user's settings file and draw their circle; the help window searches the
# manual.
source "$(dirname "$0")/lib.sh"
CHILD=${ORRELUME_INFO_CHILD:-$(dirname "$ORRELUME")/tests/orrelume_info_windows_child}
[ -x "$CHILD" ] || fail "no information windows program at $CHILD"
start_display

# The last traced place of a control: "WxH+X+Y" and "X Y" (its centre).
rect_of() {
    grep " rect $1 " "$WORK/trace.log" | tail -n1 | awk '{print $6 "x" $7 "+" $4 "+" $5}'
}
centre_of() {
    grep " control $1 " "$WORK/trace.log" | tail -n1 | awk '{print $4, $5}'
}
# shot GEOMETRY FILE: that part of the screen.
shot() {
    import -window root -crop "$1" +repage "$2" 2>/dev/null
}
# The number of pixels in which two pictures differ.
differing() {
    compare -metric AE "$1" "$2" null: 2>&1 | awk '{print int($1)}'
}
lit_pixels() {
    "$CONVERT" "$1" -threshold 0 -format "%[fx:round(mean*w*h)]" info:
}
# shows_stars NAME GEOMETRY PICTURE: a picture of the control, with stars.
shows_stars() {
    shot "$2" "$WORK/$1-$3.png" && [ "$(lit_pixels "$WORK/$1-$3.png")" -gt 20 ]
}
# moved_on NAME GEOMETRY: a new picture of the control, with stars, differs
# from the first.
moved_on() {
    shows_stars "$1" "$2" b && [ "$(differing "$WORK/$1-a.png" "$WORK/$1-b.png")" -gt 20 ]
}
# animates NAME: the control shows stars, and a later picture of it differs.
animates() {
    local geometry
    geometry=$(rect_of "$1")
    [ -n "$geometry" ] || fail "$1 has no traced place"
    wait_for 3 "stars are drawn in $1" shows_stars "$1" "$geometry" a
    wait_for 3 "$1 changes" moved_on "$1" "$geometry"
}
click_at() {
    # shellcheck disable=SC2086
    xdotool mousemove $1 click 1
}

run_program "$CHILD" about
about=$PROGRAM_PID
wait_for 10 "the about box opens" trace_has about-shown
wait_for 5 "the first composite runs" trace_has "about-composite 0"
window_exists "About Orrelume" || fail "the about box bears its caption"
about_ok=$(centre_of cmdDismiss)
animates picQUIV
note "the about box animates the composites"

click_at "$(centre_of cmdCredits)"
wait_for 5 "the credits open" trace_has credits-shown
wait_for 5 "the credits' starfield moves" trace_has credits-first-frame
animates picField
click_at "$(centre_of cmdDismiss)"
wait_for 5 "OK closes the credits" trace_has credits-closed
wait_for 5 "the credits window goes" bash -c "! xdotool search --name '^Credits\$' >/dev/null"
running "$about" || fail "the about box stays open after the credits"
note "the credits animate and close on OK"

click_at "$about_ok"
expect_end "$about" 5 "OK closes the about box"
trace_has about-closed || fail "the about box traced its closing"
note "OK closes the about box"

run_program "$CHILD" diagnostics
diagnostics=$PROGRAM_PID
wait_for 10 "the diagnostics open" trace_has "diagnostics-shown OK"
grep -q '^RegistryReadWriteTest=OK' "$SETTINGS" || fail "the store test wrote the settings file"
# The circle: some hundreds of single pixels, never more than 361.
circle_drawn() {
    local lit
    shot "$(rect_of picGraphics)" "$WORK/circle.png" &&
        lit=$(lit_pixels "$WORK/circle.png") && [ "$lit" -gt 100 ] && [ "$lit" -le 361 ]
}
wait_for 5 "the graphics test draws its circle" circle_drawn
click_at "$(centre_of cmdDismiss)"
expect_end "$diagnostics" 5 "OK closes the diagnostics"
note "the diagnostics test the settings file and draw the circle"

run_program "$CHILD" help 1
helper=$PROGRAM_PID
wait_for 10 "the help opens at the search" trace_has "help-page search.html"
wait_for 5 "the help window is there" window_exists "Orrelume Help - Searching the Manual"
help_window=$(windows_named "Orrelume Help - Searching the Manual" | head -n1)
wait_for 5 "the help window is shown" window_viewable "$help_window"
xdotool windowfocus --sync "$help_window"
xdotool type --delay 20 "template"
xdotool key Return
wait_for 5 "the search finds pages" grep -Eq "help-search [1-9]" "$WORK/trace.log"
xdotool key Escape
expect_end "$helper" 5 "Escape closes the help window"
note "the help window searches the manual"
