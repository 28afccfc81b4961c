#!/usr/bin/env bash
# The display going away: when the X server ends, or the program's connection
# to it is cut (xkill), the saver, the preview inside another program's
# window, the application window and the properties dialog each end within a
# second, by themselves (no signal, so no core dump). Every case runs on a
# display of its own; another way of running (a hack run, say) is one more
# branch in start_mode and one more line at the end.
source "$(dirname "$0")/lib.sh"

# start_mode MODE: starts the program in that mode on the current display and
# waits until it runs; $PROGRAM_PID is the program and $MODE_WINDOW a window
# whose connection is the program's (for xkill).
start_mode() {
    local frames
    frames=$(trace_count first-frame)
    case $1 in
    saver)
        run_program "$SAVER" /S
        wait_for 5 "the saver draws" trace_has first-frame $((frames + 1))
        MODE_WINDOW=$(windows_named "QUIV:Orrelume 4.1")
        ;;
    preview)
        xev -geometry 320x240+40+40 >/dev/null 2>&1 &
        STARTED_PIDS+=("$!")
        wait_for 5 "xev's window appears" window_exists "Event Tester"
        run_program "$SAVER" /p "$(windows_named "Event Tester")"
        wait_for 5 "the preview draws" trace_has first-frame $((frames + 1))
        # The preview's own connection, on which it draws and watches.
        MODE_WINDOW=$(windows_named "QUIV:Preview Orrelume 4.1")
        ;;
    application)
        run_program "$ORRELUME"
        wait_for 5 "the application window draws" trace_has first-frame $((frames + 1))
        MODE_WINDOW=$(xdotool search --all --pid "$PROGRAM_PID" --onlyvisible | head -n1)
        ;;
    dialog)
        # A user who has been welcomed before.
        grep -q "^ResetSettings=1" "$SETTINGS" 2>/dev/null || write_settings General "ResetSettings=1"
        local opened
        opened=$(trace_count "configuration$")
        run_program "$SAVER" /C
        wait_for 5 "the properties dialog opens" trace_has "configuration$" $((opened + 1))
        wait_for 5 "its window is shown" window_exists "Galaxy Properties"
        MODE_WINDOW=$(windows_named "Galaxy Properties")
        ;;
    esac
    [ -n "$MODE_WINDOW" ] || fail "$1: no window of the program found"
}

# check_loss MODE HOW: HOW "server" ends the X server, "connection" cuts the
# program's connection to it.
check_loss() {
    # start_display reads the number of the new display from this file: the
    # last display's number must not be taken for it.
    rm -f "$WORK/display"
    start_display
    start_mode "$1"
    local pid=$PROGRAM_PID start end status=0
    start=$(date +%s%N)
    case $2 in
    server) kill "$XVFB_PID" ;;
    connection) xkill -id "$MODE_WINDOW" >/dev/null ;;
    esac
    wait_for 1 "$1 ends when the display's $2 goes" ended "$pid"
    end=$(date +%s%N)
    wait "$pid" || status=$?
    [ "$status" -lt 128 ] || fail "$1 was ended by signal $((status - 128)) when the $2 went"
    note "$1 ends $(((end - start) / 1000000)) ms after the display's $2 went (exit $status)"
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
}

for mode in saver preview application dialog; do
    check_loss "$mode" server
    check_loss "$mode" connection
done

if grep -E "Sanitizer|runtime error" "$WORK/program.log"; then
    fail "a sanitizer spoke up when the display went"
fi
