#!/usr/bin/env bash
# Runs the real program as a user would: ROM images holding a reset vector
# and a "JMP $" loop, a virtual display, the window, and Escape to quit.
# Also checks the start-up failure when the video system cannot start.
# Needs PAVON_BIN (set by CTest). Exits 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Inside the virtual display: start the program, find its window, then end
# it with Escape or, as Ctrl+C in a terminal does, with SIGINT.
if [[ "${1:-}" == --inside ]]; then
  cd "$2"
  "$PAVON_BIN" >stdout.txt 2>"$3" &
  pid=$!
  window=$(window_of "$pid") || { kill "$pid" 2>/dev/null; fail "no window appeared"; }
  geometry=$(xdotool getwindowgeometry "$window")
  [[ "$geometry" == *"Geometry: 256x192"* ]] || { kill "$pid"; fail "window is not 256x192: $geometry"; }
  if [[ "$4" == escape ]]; then
    timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"
    xdotool key Escape
  else
    kill -INT "$pid"
  fi
  wait_exit "$pid" || { kill -KILL "$pid"; fail "$4 did not end the program"; }
  echo "$exit_status" >status.txt
  exit 0
fi

: "${PAVON_BIN:?PAVON_BIN must name the program}"
require_tools xvfb-run xdotool

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

loop_roms "$work"

echo "case: the video system cannot start"
output=$(cd "$work" && SDL_VIDEODRIVER=no-such-driver "$PAVON_BIN") && status=0 || status=$?
[[ "$status" == 255 ]] || fail "exit status $status, expected 255 (-1)"
[[ "$output" == 'Couldn`t load SDL.' ]] || fail "unexpected output: $output"

# run_in_window FOLDER STDERR_FILE escape|interrupt: runs the program in
# FOLDER under a virtual display and ends it; leaves stdout.txt and
# status.txt in FOLDER, and standard error in STDERR_FILE.
run_in_window() {
  in_virtual_display 90 "${BASH_SOURCE[0]}" --inside "$@" ||
    fail "the run under the virtual display failed"
}

echo "case: window opens, Escape quits"
unset SDL_VIDEODRIVER
run_in_window "$work" "$work/stderr.txt" escape
expected=$'CPU created....\n WP is 0xf000, PC is 0x100.'
[[ "$(cat "$work/stdout.txt")" == "$expected" ]] || fail "unexpected standard output: $(cat "$work/stdout.txt")"
[[ "$(cat "$work/status.txt")" == 0 ]] || fail "exit status $(cat "$work/status.txt"), expected 0"
[[ ! -s "$work/stderr.txt" ]] || fail "unexpected diagnostics: $(head -c 2000 "$work/stderr.txt")"

echo "case: no ROM images, the machine starts all the same"
# Without images the processor runs from >0000 into whatever memory holds,
# and may fill standard error with bus diagnostics: they are not kept.
mkdir "$work/empty"
run_in_window "$work/empty" /dev/null escape
expected=$'Error opening ROM ROM/pavon1.bin.\nCPU created....\n WP is 0x0, PC is 0x0.'
[[ "$(cat "$work/empty/stdout.txt")" == "$expected" ]] ||
  fail "unexpected standard output: $(cat "$work/empty/stdout.txt")"
[[ "$(cat "$work/empty/status.txt")" == 0 ]] || fail "exit status $(cat "$work/empty/status.txt"), expected 0"
echo "case: SIGINT still stops the program (SDL would turn it into an ignored quit event)"
run_in_window "$work" /dev/null interrupt
[[ "$(cat "$work/status.txt")" == 130 ]] || fail "exit status $(cat "$work/status.txt"), expected 130 (SIGINT)"
echo "PASS"
