#!/usr/bin/env bash
# The demo firmware with the options of scripts/run.sh, as a person uses it
# every day: a window three times the machine's size with square pixels, the
# title, pause (F3), screenshots with F12 that never replace a file, and the
# --screenshot written at the end; standard output as without options.
# Needs PAVON_BIN, PAVON_BUILD_DIR and PAVON_SOURCE_DIR (set by CTest). Exits
# 77 (skipped) without xvfb-run, xdotool or ImageMagick.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# wait_for_title TEXT: waits until the window's title is TEXT.
wait_for_title() {
  local deadline=$((SECONDS + WAIT_SECONDS)) title
  until title=$(xdotool getwindowname "$window") && [[ "$title" == "$1" ]]; do
    ((SECONDS < deadline)) || fail "title '$title', expected '$1'"
    sleep 0.1
  done
}

# wait_for_file NAME: waits until the file NAME exists.
wait_for_file() {
  local deadline=$((SECONDS + WAIT_SECONDS))
  until [[ -f "$1" ]]; do
    ((SECONDS < deadline)) || fail "no $1"
    sleep 0.1
  done
}

# Inside the virtual display, in the work folder, with run.sh's options.
if [[ "${1:-}" == --inside ]]; then
  cd "$2"
  shift 2
  "$PAVON_BIN" "$@" --screenshot at-exit.png >stdout.txt 2>stderr.txt &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  window=$(window_of "$pid") || fail "no window appeared"

  echo "case: the window is three times the machine's size, titled pavon"
  geometry=$(xdotool getwindowgeometry "$window")
  [[ "$geometry" == *"Geometry: 768x576"* ]] || fail "window is not 768x576: $geometry"
  wait_for_title pavon
  timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"
  # The demo's screen is up when its text and sprite bring colours besides
  # the background.
  deadline=$((SECONDS + WAIT_SECONDS))
  until import -window "$window" window.png && (($(convert window.png -format %k info:) >= 3)); do
    ((SECONDS < deadline)) || fail "the demo's screen did not appear"
    sleep 0.2
  done

  echo "case: F3 pauses, and the title says so"
  xdotool key F3
  wait_for_title "pavon - paused"

  echo "case: the picture is made of square 3 by 3 blocks"
  import -window "$window" window.png
  convert window.png -sample 256x192! small.png
  convert small.png -sample 768x576! blocks.png
  [[ $(compare -metric AE window.png blocks.png null: 2>&1) == 0 ]] || fail "the window's pixels are not 3 by 3 blocks"

  echo "case: F12 writes pavon-0001.png, then pavon-0002.png, of the paused picture"
  xdotool key F12
  wait_for_file pavon-0001.png
  wait_for_title "pavon - paused - screenshot pavon-0001.png"
  [[ $(identify -format '%wx%h' pavon-0001.png) == 256x192 ]] || fail "the screenshot is not 256x192"
  # The window shows 16-bit colours, the file the palette's own.
  [[ $(compare -fuzz 4% -metric AE pavon-0001.png small.png null: 2>&1) == 0 ]] ||
    fail "the screenshot is not the window's picture"
  xdotool key F12
  wait_for_file pavon-0002.png
  cmp -s pavon-0001.png pavon-0002.png || fail "the second screenshot differs while paused"

  echo "case: Escape ends the program with status 0 and the picture in at-exit.png"
  xdotool key F3 Escape
  wait_exit "$pid" || fail "Escape did not end the program"
  trap - EXIT
  [[ "$exit_status" == 0 ]] || fail "exit status $exit_status; stderr: $(head -c 2000 stderr.txt)"
  [[ $(identify -format '%wx%h' at-exit.png) == 256x192 ]] || fail "no 256x192 at-exit.png"
  [[ "$(cat stdout.txt)" == $'CPU created....\n WP is 0xf000, PC is 0x54.' ]] ||
    fail "unexpected standard output: $(cat stdout.txt)"
  echo "PASS"
  exit 0
fi

: "${PAVON_BIN:?PAVON_BIN must name the program}"
: "${PAVON_BUILD_DIR:?PAVON_BUILD_DIR must name the build folder}"
: "${PAVON_SOURCE_DIR:?PAVON_SOURCE_DIR must name the source folder}"
require_tools xvfb-run xdotool import convert compare identify

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$PAVON_BUILD_DIR/firmware/ROM" "$work/"

echo "case: no display to reach: one line on standard error, the machine runs on"
status=0
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 3 "$PAVON_BIN" \
  >stdout.txt 2>stderr.txt) || status=$?
[[ $status == 124 ]] || fail "status $status, expected the timeout's 124: $(cat "$work/stderr.txt")"
grep -qx 'pavon: no display can be reached; the machine runs without a visible window' "$work/stderr.txt" ||
  fail "no one-line report: $(cat "$work/stderr.txt")"
[[ "$(cat "$work/stdout.txt")" == $'CPU created....\n WP is 0xf000, PC is 0x54.' ]] ||
  fail "unexpected standard output: $(cat "$work/stdout.txt")"
# The options that scripts/run.sh passes.
eval "$(grep '^options=(' "$PAVON_SOURCE_DIR/scripts/run.sh")"
in_virtual_display 100 "${BASH_SOURCE[0]}" --inside "$work" "${options[@]}"
