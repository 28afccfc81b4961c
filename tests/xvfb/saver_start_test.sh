#!/usr/bin/env bash
# The saver's first moments: input that arrives while its window is still
# being shown ends it like input during the run, judged by the saver's own
# settings; and its lock message sits centred at the top at scale 1 and 2.
#
# The show lasts a few milliseconds; ORRELUME_SHOW_HOLD_MS keeps the program
# serving window events inside the show for that long after the window is
# mapped, and the trace line "showing" says when it is there. Input sent
# after that line and before "window-shown" is input during the show.
source "$(dirname "$0")/lib.sh"
start_display
CAPTION="QUIV:Orrelume 4.1"

# start_held: a saver held inside its show.
start_held() {
    local seen
    seen=$(trace_count showing)
    ORRELUME_SHOW_HOLD_MS=$((1500 * SLOW)) run_program "$SAVER" /S
    wait_for 5 "the saver is being shown" trace_has showing $((seen + 1))
}

# ends_early DESCRIPTION: the held saver ends within a second, draws no frame.
ends_early() {
    local frames
    frames=$(trace_count first-frame)
    expect_end "$PROGRAM_PID" 1 "$1 ends the saver within a second"
    [ "$(trace_count first-frame)" -eq "$frames" ] || fail "$1: the ended saver drew no frame"
    [ "$(window_count "$CAPTION")" -eq 0 ] || fail "$1: no saver window is left"
}

start_held
xdotool mousemove 640 360 click 1
ends_early "a click during the show"
note "a click while the window comes up ends the saver"

start_held
xdotool key space
ends_early "a key during the show"
note "a key while the window comes up ends the saver"

# Four mouse moves during the show close the saver, unless the saver's
# settings say to ignore them: then it runs on and a key ends it.
start_held
for x in 100 200 300 400 500; do xdotool mousemove "$x" 300; sleep 0.05; done
ends_early "four mouse moves during the show"
write_settings Advanced "Adv_MouseMove=1"
start_held
for x in 100 200 300 400 500; do xdotool mousemove "$x" 300; sleep 0.05; done
wait_for 5 "the saver that ignores moves draws" trace_has first-frame
trace_has "mouse-move ignored" 4 || fail "moves during the show are judged by Adv_MouseMove"
xdotool key Return
expect_end "$PROGRAM_PID" 1 "a key ends the saver that ignored moves"
note "moves during the show count, or not, as Adv_MouseMove says"

# Input just after the show, before the first frame.
seen=$(trace_count window-shown)
run_program "$SAVER" /S
wait_for 5 "the saver is shown" trace_has window-shown $((seen + 1))
xdotool mousemove 640 360 click 1
expect_end "$PROGRAM_PID" 1 "a click just after the show ends the saver within a second"
note "a click just after the show ends the saver"

# The lock message, centred at the top edge in the window's own units. Few
# stars, so that none is mistaken for the text.
write_settings Advanced "Adv_MouseMove=0" "LockMessage=Back at three" "Adv_FontHueV=0" \
    "Adv_FontSize=20"
write_settings Universe "Universe_Stars=10" "Universe_AmStar=0"
for scale in 1 2; do
    seen=$(trace_count first-frame)
    QT_SCALE_FACTOR=$scale run_program "$SAVER" /S
    wait_for 5 "the saver at scale $scale draws" trace_has first-frame $((seen + 1))
    read -r x w h width < <(grep "lock-message-at" "$WORK/trace.log" | tail -n1 |
        sed -E 's/.* ([0-9-]+) ([0-9]+)x([0-9]+) of ([0-9]+)$/\1 \2 \3 \4/')
    [ $((width * scale)) -eq 1280 ] || fail "scale $scale: the window is $width wide"
    d=$((2 * x + w - width))
    [ "${d#-}" -le 1 ] && [ "$x" -ge 0 ] ||
        fail "scale $scale: the panel at $x, $w wide, is centred in $width"
    # What the screen shows: the text's pixels lie within the panel, about
    # the middle of the screen.
    window=$(windows_named "$CAPTION")
    import -window "$window" "$WORK/shot.png"
    box=$("$CONVERT" "$WORK/shot.png" -crop "1280x$((h * scale))+0+0" +repage \
        -fuzz 8% -fill black +opaque "#FF3737" -trim -format "%w %X" info:)
    read -r textw textx <<<"$box"
    textx=${textx#+}
    [ "$textw" -gt $((w * scale / 2)) ] || fail "scale $scale: the text shows whole ($box)"
    mid=$((textx + textw / 2))
    [ "$mid" -ge 600 ] && [ "$mid" -le 680 ] || fail "scale $scale: the text is centred ($box)"
    xdotool key space
    expect_end "$PROGRAM_PID" 1 "a key ends the saver at scale $scale"
    note "the lock message is centred at the top at scale $scale"
done
