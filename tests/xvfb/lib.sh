# Shared helpers of the real-window tests: each test script sources this
# file with the program's path as its first argument. It starts an Xvfb
# display of its own (the server picks a free display number), a settings
# folder of its own and a trace file through which the program reports its
# milestones; everything is removed on exit.
#
# Tests wait for conditions with time limits (wait_for), never for fixed
# times. ORRELUME_SLOW (1 normally, more under sanitizers) stretches the
# limits.
set -euo pipefail

ORRELUME=$(readlink -f "$1")
SLOW=${ORRELUME_SLOW:-1}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orrelume-xvfb.XXXXXX")
XVFB_PID=""
STARTED_PIDS=()

# ImageMagick's own convert, ahead of any other program of that name.
CONVERT=/usr/bin/convert
[ -x "$CONVERT" ] || CONVERT=convert

# need_tools TOOL...: every tool is there, or the test ends: on CI a missing
# tool is a failure, elsewhere the test is skipped.
need_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "missing $tool (scripts/install-deps installs it)"
            [ -n "${CI:-}" ] && exit 1
            exit 77
        fi
    done
}
need_tools Xvfb xdotool xwininfo xev import "$CONVERT"

cleanup() {
    local pid
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$WORK/trace.log" ]; then
        echo "--- trace"
        cat "$WORK/trace.log"
    fi
    exit 1
}

note() {
    echo "ok: $*"
}

# wait_for SECONDS DESCRIPTION COMMAND...: polls COMMAND until it succeeds;
# fails the test when SECONDS (times ORRELUME_SLOW) pass first.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline=$(($(date +%s%N) + limit * SLOW * 1000000000))
    until "$@"; do
        if [ "$(date +%s%N)" -gt "$deadline" ]; then
            fail "$what (not within ${limit}s x $SLOW)"
        fi
        sleep 0.02
    done
}

# holds_for SECONDS COMMAND...: true when COMMAND stays true for SECONDS,
# for what must not happen (a window that must stay open).
holds_for() {
    local limit
    limit=$(awk -v s="$1" 'BEGIN { printf "%d", s * 1000000000 }')
    shift
    local deadline=$(($(date +%s%N) + limit))
    while [ "$(date +%s%N)" -lt "$deadline" ]; do
        "$@" || return 1
        sleep 0.02
    done
}

# XVFB_SCREEN (WIDTHxHEIGHTxDEPTH, 1280x720x24 unless set) sizes the screen.
start_display() {
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x720x24}" -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_for 10 "Xvfb starts" test -s "$WORK/display"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    wait_for 10 "the display answers" xdpyinfo_ok
    # The pointer starts in a corner, away from the middle of the screen.
    xdotool mousemove 5 5
}

xdpyinfo_ok() {
    xwininfo -root >/dev/null 2>&1
}

export XDG_CONFIG_HOME="$WORK/config"
export XDG_CONFIG_DIRS="$WORK/machine"
export XDG_RUNTIME_DIR="$WORK/runtime"
export ORRELUME_TRACE="$WORK/trace.log"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset QT_QPA_PLATFORM
mkdir -p "$XDG_CONFIG_HOME/Lumenfold" "$XDG_CONFIG_DIRS" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
SETTINGS="$XDG_CONFIG_HOME/Lumenfold/QUIV_Galaxy.ini"

# The saver twin: "orrelume.scr" in a folder of its own runs as the saver.
SAVER="$WORK/saver/orrelume.scr"
mkdir -p "$WORK/saver"
ln -s "$ORRELUME" "$SAVER"

# run_program PROGRAM ARGS...: starts the program in the background; its
# process id is in $PROGRAM_PID.
run_program() {
    "$@" >>"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    STARTED_PIDS+=("$PROGRAM_PID")
}

# Whether a process still runs (an exited child that was not waited for
# yet does not count).
running() {
    [ -r "/proc/$1/stat" ] || return 1
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != "Z" ] && [ "$state" != "X" ]
}

ended() {
    ! running "$1"
}

# expect_end PID SECONDS DESCRIPTION: the process ends within the time.
expect_end() {
    wait_for "$2" "$3" ended "$1"
    wait "$1" 2>/dev/null || true
}

# Lines of the trace that contain a text.
trace_count() {
    if [ -f "$WORK/trace.log" ]; then
        grep -c -- "$1" "$WORK/trace.log" || true
    else
        echo 0
    fi
}

trace_has() {
    [ "$(trace_count "$1")" -ge "${2:-1}" ]
}

# The windows whose caption is exactly the text (shown or not).
windows_named() {
    xdotool search --name "^$1\$" 2>/dev/null || true
}

window_count() {
    windows_named "$1" | grep -c . || true
}

window_exists() {
    [ "$(window_count "$1")" -ge "${2:-1}" ]
}

# "WxH+X+Y" of a window.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'
}

window_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

# start_xev GEOMETRY: another program's window (xev's), shown; its process
# id is in $XEV and its window in $XEV_WINDOW.
start_xev() {
    xev -geometry "$1" >/dev/null 2>&1 &
    XEV=$!
    STARTED_PIDS+=("$XEV")
    wait_for 5 "xev's window appears" window_exists "Event Tester"
    XEV_WINDOW=$(windows_named "Event Tester")
    wait_for 5 "xev's window is shown" window_viewable "$XEV_WINDOW"
}

# The number of a window's pixels that are neither black nor white (stars,
# where the background is black and other programs' windows are white).
star_pixels() {
    import -window "$1" "$WORK/shot.png" 2>/dev/null &&
        "$CONVERT" "$WORK/shot.png" -fill black -opaque white -threshold 0 \
            -format "%[fx:round(mean*w*h)]" info:
}

# stars_drawn WINDOW: more than a handful of star pixels.
stars_drawn() {
    local n
    n=$(star_pixels "$1") && [ "$n" -gt 20 ]
}

# write_settings SECTION KEY=VALUE...: adds values to the user's settings.
write_settings() {
    local section=$1
    shift
    {
        echo
        echo "[$section]"
        printf '%s\n' "$@"
    } >>"$SETTINGS"
}

# two_monitors: makes the display's one screen (start it with
# XVFB_SCREEN=2560x720x24) two monitors of 1280x720 side by side, as RandR
# reports them to the program.
two_monitors() {
    xrandr --setmonitor left 1280/339x720/190+0+0 screen >/dev/null
    xrandr --setmonitor right 1280/339x720/190+1280+0 none >/dev/null
    [ "$(xrandr --listmonitors | head -n1)" = "Monitors: 2" ] || fail "two monitors are made"
}

# region_star_pixels FILE GEOMETRY: star pixels (neither black nor white) in
# a part (WxH+X+Y) of a screenshot.
region_star_pixels() {
    "$CONVERT" "$1" -crop "$2" +repage -fill black -opaque white -threshold 0 \
        -format "%[fx:round(mean*w*h)]" info:
}
