#!/usr/bin/env bash
# Input in the saver: three mouse moves leave it running and a fourth closes
# it; with "Adv_MouseMove" = "1" no move closes it (a key still does); in
# background mode ("Adv_DispBackG" = "1") a key and a single click are
# ignored and a double-click closes it.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="QUIV:Orrelume 4.1"

# start_saver: a saver that has drawn its first frame.
start_saver() {
    local frames
    frames=$(trace_count first-frame)
    run_program "$SAVER" /S
    wait_for 5 "the saver appears" window_exists "$CAPTION"
    wait_for 5 "the saver draws" trace_has first-frame $((frames + 1))
}

# move_to X Y PATTERN: moves the pointer and waits until the saver saw it.
move_to() {
    local seen
    seen=$(trace_count "$3")
    xdotool mousemove "$1" "$2"
    wait_for 2 "the saver sees the move to $1,$2" trace_has "$3" $((seen + 1))
}

start_saver
saver=$PROGRAM_PID
move_to 300 300 mouse-move
move_to 400 320 mouse-move
move_to 500 340 mouse-move
holds_for 0.3 running "$saver" || fail "three mouse moves leave the saver running"
xdotool mousemove 600 360
expect_end "$saver" 1 "the fourth mouse move closes the saver within a second"
note "three moves leave the saver running, the fourth closes it"

write_settings Advanced "Adv_MouseMove=1"
start_saver
saver=$PROGRAM_PID
for x in 100 200 300 400 500 600; do
    move_to "$x" 200 "mouse-move ignored"
done
holds_for 0.3 running "$saver" || fail "no mouse move closes the saver that ignores them"
xdotool key Return
expect_end "$saver" 1 "a key still ends the saver that ignores mouse moves"
note "with Adv_MouseMove = 1 no move closes the saver; a key does"

write_settings Advanced "Adv_MouseMove=0" "Adv_DispBackG=1"
start_saver
saver=$PROGRAM_PID
keys=$(trace_count "key")
xdotool key space
wait_for 2 "the background saver sees the key" trace_has "key" $((keys + 1))
xdotool mousemove 640 360
clicks=$(trace_count "click")
xdotool click 1
wait_for 2 "the background saver sees the click" trace_has "click" $((clicks + 1))
holds_for 0.5 running "$saver" || fail "background mode ignores a key and a click"
# A double-click: two clicks in quick succession at the same place (and
# clear of the single click before).
xdotool mousemove 700 400 click --repeat 2 --delay 60 1
expect_end "$saver" 2 "a double-click ends the background saver"
note "background mode ignores a key and a click and ends on a double-click"
