#!/usr/bin/env bash
# The program's process as the system starts it:
# - with standard input, output and error closed (`pavon 2>&-`), it takes
#   them on /dev/null before anything else, so that the display connection
#   cannot get one of their numbers and receive the diagnostics;
# - SIGINT and SIGTERM end it with their default action whenever they
#   arrive: before, during and after the video system comes up (SDL's own
#   handlers would turn them into quit events that it never reads).
# Needs PAVON_BIN (set by CTest). Exits 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly POINTS=40   # signals sent, one run each,
readonly STEP_MS=12  # each this much later than the one before: 0 to about half a second

# Inside the virtual display, in the work folder.
if [[ "${1:-}" == --inside ]]; then
  cd "$2"
  echo "case: started with 0, 1 and 2 closed"
  "$PAVON_BIN" <&- >&- 2>&- &
  pid=$!
  window=$(window_of "$pid") || { kill "$pid" 2>/dev/null; fail "no window appeared"; }
  for descriptor in 0 1 2; do
    target=$(readlink "/proc/$pid/fd/$descriptor") || target=closed
    [[ "$target" == /dev/null ]] || { kill "$pid"; fail "descriptor $descriptor is $target"; }
  done
  # The diagnostic went to /dev/null: the window still answers, Escape quits.
  timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"
  xdotool key Escape
  wait_exit "$pid" || { kill -KILL "$pid"; fail "Escape did not end the program"; }
  [[ "$exit_status" == 0 ]] || fail "exit status $exit_status, expected 0"

  echo "case: SIGINT and SIGTERM at $POINTS points of start-up"
  for ((i = 0; i < POINTS; i++)); do
    signal=$((i % 2 ? 15 : 2))
    # A background job starts with SIGINT ignored; a terminal's foreground
    # program does not.
    env --default-signal=INT "$PAVON_BIN" >/dev/null 2>&1 &
    pid=$!
    # Timed from the moment the program itself runs, not the shell starting it.
    until [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == pavon ]]; do :; done
    sleep "$(printf '0.%03d' $((i * STEP_MS)))"
    kill "-$signal" "$pid"
    wait_exit "$pid" || { kill -KILL "$pid"; fail "signal $signal sent $((i * STEP_MS)) ms after start was lost"; }
    [[ "$exit_status" == $((128 + signal)) ]] ||
      fail "signal $signal at $((i * STEP_MS)) ms: exit status $exit_status, expected $((128 + signal))"
  done
  exit 0
fi

: "${PAVON_BIN:?PAVON_BIN must name the program}"
require_tools xvfb-run xdotool

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
loop_roms "$work"
# At >0100 the program clears the word at >0000, in ROM, which gives a
# diagnostic on standard error; then it loops on itself.
printf '\x04\xE0\x00\x00\x10\xFF' | dd of="$work/ROM/pavon1.bin" bs=1 seek=256 conv=notrunc status=none
in_virtual_display 240 "${BASH_SOURCE[0]}" --inside "$work" || fail "the run under the virtual display failed"
echo "PASS"
