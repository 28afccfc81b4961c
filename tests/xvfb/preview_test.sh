#!/usr/bin/env bash
# The preview: "/p" and the id of another program's window (here xev's)
# draws the animation inside that window's whole area, follows its size,
# and ends within a second once the window is destroyed. A handle of 0 or of
# no window ends the program by itself.
source "$(dirname "$0")/lib.sh"
start_display

# The number of pure white pixels of a window (xev's own background).
white_pixels() {
    import -window "$1" "$WORK/preview.png" 2>/dev/null &&
        "$CONVERT" "$WORK/preview.png" -fill black +opaque white -fill white -opaque white \
            -format "%[fx:round(mean*w*h)]" info:
}
# xev keeps a small white window of its own inside its window: the preview
# covers everything else.
covered() {
    local white
    white=$(white_pixels "$1") && [ "$white" -le 3000 ]
}

start_xev 320x240+40+40
host=$XEV_WINDOW

run_program "$SAVER" /p "$host"
preview=$PROGRAM_PID
wait_for 5 "the preview starts in xev's window" trace_has "preview $host 320x240"
wait_for 5 "the preview draws" trace_has first-frame
wait_for 5 "the preview covers xev's window" covered "$host"
wait_for 5 "stars are drawn in it" stars_drawn "$host"
window_exists "QUIV:Preview Orrelume 4.1" || fail "the preview bears its caption"
[ "$(windows_named "QUIV:Orrelume 4.1" | grep -c .)" -eq 0 ] || fail "the preview shows no window"
note "/p <id> draws inside another program's window"

xdotool windowsize "$host" 500 360
wait_for 2 "the preview follows the new size" trace_has "surface 500x360"
wait_for 2 "the preview covers the grown window" covered "$host"
note "the preview follows a resize"

kill "$XEV"
expect_end "$preview" 1 "the preview ends within a second after its window is gone"
window_exists "QUIV:Preview Orrelume 4.1" && fail "no preview window is left"
note "the preview ends when its window is destroyed"

# No window: the program ends by itself.
for arg in "/p:1234" "/p 1234" "/P" "/p 0"; do
    timeout $((5 * SLOW)) "$SAVER" "$arg" >>"$WORK/program.log" 2>&1 ||
        fail "$arg ends by itself"
done
note "/p:1234, a stale handle and no handle end by themselves"
