#!/usr/bin/env bash
# orrelume-render's recordings: every kind of file plays with the frame
# count, size and rate asked for; a lossless recording holds exactly the
# frames the renderer draws; bad options leave nothing behind; Ctrl+C ends
# with a file that plays; without ffmpeg the PNG frames still come.
# Usage: recording_test.sh PATH-TO-ORRELUME-RENDER
set -euo pipefail
RENDER=$(readlink -f "$1")
for tool in ffmpeg ffprobe webpmux compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "missing $tool (scripts/install-deps installs it)"
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orrelume-recording.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
fail() {
    echo "FAIL: $*"
    exit 1
}
render() {
    "$RENDER" --factory 0 --seed 5 --size 160x120 "$@"
}
# probe FILE: "codec,width,height,rate,frames" of its video stream.
probe() {
    ffprobe -v error -count_frames -select_streams v:0 -of csv=p=0 \
        -show_entries stream=codec_name,width,height,r_frame_rate,nb_read_frames "$1"
}
expect_probe() {
    local got
    got=$(probe "$1")
    [ "$got" = "$2" ] || fail "$1 reads as '$got', not '$2'"
}

echo "== each kind of file, at the saver's pace unless --fps says otherwise"
render --frames 30 --from 10 --video a.webm 2>err.txt
[ ! -s err.txt ] || fail "a run whose output is no terminal printed: $(cat err.txt)"
expect_probe a.webm "vp9,160,120,25/1,20"
render --frames 12 --video a.mp4 --fps 30
expect_probe a.mp4 "h264,160,120,30/1,12"
render --frames 12 --animation a.gif
expect_probe a.gif "gif,160,120,25/1,12"
render --frames 12 --animation a.webp
info=$(webpmux -info a.webp)
grep -q "Canvas size: 160 x 120" <<<"$info" || fail "a.webp: $info"
grep -q "Number of frames: 12" <<<"$info" || fail "a.webp: $info"
# Every frame lasts the saver's 40 ms.
[ "$(awk '$1 ~ /^[0-9]+:$/ {print $7}' <<<"$info" | sort -u)" = 40 ] || fail "a.webp: $info"
# A galaxy preview at a pace of 32 ms; both recordings come from one run.
render --galaxy 3 --frames 8 --video g.webm --animation g.gif --fps 31.25
expect_probe g.webm "vp9,160,120,125/4,8"
# GIF counts time in hundredths of a second: its rate is not exact.
[ "$(probe g.gif | cut -d, -f1-3,5)" = "gif,160,120,8" ] || fail "g.gif reads as $(probe g.gif)"
[ ! -e orrelume.png ] || fail "a recording also wrote the last frame's PNG without --out"

echo "== the lossless video and the PNG frames are the frames drawn"
render --frames 20 --out frame20.png
render --frames 20 --from 15 --video l.mkv --png-frames frames --out last.png
expect_probe l.mkv "ffv1,160,120,25/1,5"
ffmpeg -v error -i l.mkv -vf "select=eq(n\,4)" -frames:v 1 decoded20.png
for picture in decoded20.png frames/frame-000020.png last.png; do
    diff=$(compare -metric AE frame20.png "$picture" null: 2>&1 || true)
    [ "$diff" = 0 ] || fail "$picture differs from frame 20 in $diff pixels"
done
[ "$(ls frames)" = "$(printf 'frame-%06d.png\n' 16 17 18 19 20)" ] || fail "frames: $(ls frames)"

echo "== bad options: status 2, a message, no file"
mkdir bad && cd bad
expect_refusal() {
    local status=0
    render "$@" 2>err.txt || status=$?
    [ "$status" = 2 ] || fail "$* ended with status $status, not 2"
    [ -s err.txt ] || fail "$* gave no message"
    [ "$(ls)" = err.txt ] || fail "$* left $(ls | tr '\n' ' ')"
}
expect_refusal --frames 5 --video a.avi
expect_refusal --frames 5 --animation a.mp4
expect_refusal --frames 5 --video "$WORK/none/a.webm"
expect_refusal --frames 5 --size 4100x2000 --video a.mp4
expect_refusal --frames 5 --size 161x120 --video a.webm
expect_refusal --frames 5 --from 5 --video a.webm
cd ..

echo "== Ctrl+C ends a recording with a file that plays"
status=0
"$RENDER" --factory 0 --seed 5 --size 160x120 --frames 100000000 --video i.mp4 2>err.txt &
pid=$!
for _ in $(seq 200); do
    [ -s i.mp4.part ] && break
    sleep 0.05
done
[ -s i.mp4.part ] || fail "the recording never started"
kill -INT "$pid"
wait "$pid" || status=$?
[ "$status" = 130 ] || fail "an interrupted run ended with status $status, not by SIGINT"
[ ! -e i.mp4.part ] || fail "the unfinished file was left"
frames=$(probe i.mp4 | cut -d, -f5)
[ "$frames" -gt 0 ] || fail "the interrupted recording does not play"
grep -q "i.mp4 holds $frames frames" err.txt || fail "no word of the stop: $(cat err.txt)"

echo "== without ffmpeg: a message and status 1; the PNG frames still come"
status=0
PATH=/nonexistent "$RENDER" --factory 0 --size 160x120 --frames 3 --video n.webm 2>err.txt ||
    status=$?
[ "$status" = 1 ] && grep -q "Debian package ffmpeg" err.txt || fail "no ffmpeg: $(cat err.txt)"
[ ! -e n.webm ] && [ ! -e n.webm.part ] || fail "no ffmpeg, yet a file was left"
PATH=/nonexistent "$RENDER" --factory 0 --size 160x120 --frames 3 --png-frames p
[ "$(ls p | wc -l)" = 3 ] || fail "no ffmpeg: the PNG frames did not come"
echo "PASS"
