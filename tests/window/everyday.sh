#!/usr/bin/env bash
# The demo firmware with the options of scripts/run.sh, as a person uses it
# every day (see the cases below).
# Needs PAVON_BIN, PAVON_BUILD_DIR and PAVON_SOURCE_DIR (set by CTest). Exits
# 77 (skipped) without xvfb-run, xdotool or ImageMagick.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly STARTED=$'CPU created....\n WP is 0xf000, PC is 0x54.'

# wait_until COMMAND...: runs the command until it succeeds, or fails.
wait_until() {
  local deadline=$((SECONDS + WAIT_SECONDS))
  until "$@"; do
    ((SECONDS < deadline)) || fail "gave up waiting for: $*"
    sleep 0.2
  done
}
title_is() { [[ "$(xdotool getwindowname "$window")" == "$1" ]]; }
# The demo's screen is up when its text and sprite bring colours besides the
# background.
demo_shown() { import -window "$window" window.png && (($(convert window.png -format %k info:) >= 3)); }

# Inside the virtual display, in the work folder, with run.sh's options.
if [[ "${1:-}" == --inside ]]; then
  cd "$2"
  shift 2
  "$PAVON_BIN" "$@" --screenshot at-exit.png >stdout.txt 2>stderr.txt &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  window=$(window_of "$pid") || fail "no window appeared"

  echo "case: the window is three times the machine's size, titled pavon"
  [[ "$(xdotool getwindowgeometry "$window")" == *"Geometry: 768x576"* ]] || fail "the window is not 768x576"
  wait_until title_is pavon
  timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"
  wait_until demo_shown

  echo "case: F3 pauses; the picture is made of square 3 by 3 blocks"
  xdotool key F3
  wait_until title_is "pavon - paused"
  import -window "$window" window.png
  convert window.png -sample 256x192! small.png
  convert small.png -sample 768x576! blocks.png
  [[ $(compare -metric AE window.png blocks.png null: 2>&1) == 0 ]] || fail "the pixels are not 3 by 3 blocks"

  echo "case: F12 writes pavon-0001.png, the picture in the window"
  xdotool key F12
  wait_until title_is "pavon - paused - screenshot pavon-0001.png"
  # The window shows 16-bit colours, the file the palette's own.
  [[ $(compare -fuzz 4% -metric AE pavon-0001.png small.png null: 2>&1) == 0 ]] || fail "the screenshot differs"

  echo "case: Escape ends the program with status 0 and the picture in at-exit.png"
  xdotool key F3 Escape
  wait_exit "$pid" || fail "Escape did not end the program"
  trap - EXIT
  [[ "$exit_status" == 0 ]] || fail "exit status $exit_status; stderr: $(head -c 2000 stderr.txt)"
  [[ $(identify -format '%wx%h' at-exit.png) == 256x192 ]] || fail "no 256x192 at-exit.png"
  [[ "$(cat stdout.txt)" == "$STARTED" ]] || fail "unexpected standard output: $(cat stdout.txt)"
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
cd "$work"

echo "case: no display to reach: one line on standard error, the machine runs on"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 3 "$PAVON_BIN" >stdout.txt 2>stderr.txt || status=$?
[[ $status == 124 ]] || fail "status $status, expected the timeout's 124: $(cat stderr.txt)"
grep -qx 'pavon: no display can be reached; the machine runs without a visible window' stderr.txt ||
  fail "no one-line report: $(cat stderr.txt)"
[[ "$(cat stdout.txt)" == "$STARTED" ]] || fail "unexpected standard output: $(cat stdout.txt)"

eval "$(grep '^options=(' "$PAVON_SOURCE_DIR/scripts/run.sh")"  # the options that scripts/run.sh passes
in_virtual_display 100 "${BASH_SOURCE[0]}" --inside "$work" "${options[@]}"
