#!/usr/bin/env bash
# F5 and F6 as a user presses them: F5 writes the running machine to
# pavon.pvn; a changed state file loaded with F6 changes the picture at once.
# Needs PAVON_BIN (set by CTest). Exits 77 (skipped) without xvfb-run,
# xdotool or ImageMagick.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

readonly STATE_SIZE=81946
readonly VRAM_OFFSET=65536
readonly R7_OFFSET=81944   # low byte of VDP register 7

# Prints the colour of the window's pixel (X, Y) as RRGGBB.
pixel() {
  import -window "$window" "shot.png"
  convert shot.png -depth 8 -crop "1x1+$1+$2" txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | tr -d '#'
}

# True when hex colour $1 is within 12 of red $2, green $3, blue $4 in each
# channel: the window holds 16-bit colours, which lose low bits.
near() {
  local have want i
  for i in 0 1 2; do
    have=$((16#${1:$((2 * i)):2}))
    want=${@:$((i + 2)):1}
    ((have - want <= 12 && want - have <= 12)) || return 1
  done
}

# Waits until pixel (X, Y) shows red, green, blue; fails after WAIT_SECONDS.
expect_pixel() {
  local deadline=$((SECONDS + WAIT_SECONDS)) seen
  while true; do
    seen=$(pixel "$1" "$2")
    near "$seen" "$3" "$4" "$5" && return 0
    ((SECONDS < deadline)) || fail "pixel ($1, $2) is #$seen, expected rgb($3, $4, $5)"
    sleep 0.2
  done
}

# Inside the virtual display, in the work folder.
if [[ "${1:-}" == --inside ]]; then
  cd "$2"
  # The display libraries leave allocations behind at exit; not ours to check.
  ASAN_OPTIONS=detect_leaks=0 "$PAVON_BIN" >stdout.txt 2>stderr.txt &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  window=$(window_of "$pid") || fail "no window appeared"
  timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"

  echo "case: the reset picture, pattern >CD in colours 12 on 13"
  expect_pixel 0 0 0 128 0
  expect_pixel 2 0 205 88 205

  echo "case: F5 writes a state file of $STATE_SIZE bytes"
  xdotool key F5
  deadline=$((SECONDS + WAIT_SECONDS))
  until [[ -f pavon.pvn && $(stat -c %s pavon.pvn) == "$STATE_SIZE" ]]; do
    ((SECONDS < deadline)) || fail "no state file of $STATE_SIZE bytes"
    sleep 0.1
  done
  # The file is written front to back, so at its full length it is complete.
  # The machine sits in its loop: WP >F000 and PC >0100, little-endian.
  [[ $(od -An -tx1 -j 81920 -N 4 pavon.pvn | tr -d ' \n') == 00f00001 ]] ||
    fail "WP and PC at offset 81920 are not >F000 and >0100: $(od -An -tx1 -j 81920 -N 4 pavon.pvn)"

  echo "case: F6 loads a changed state: empty video memory, backdrop colour 6"
  head -c 16384 /dev/zero | dd of=pavon.pvn bs=16384 seek=$((VRAM_OFFSET / 16384)) conv=notrunc status=none
  printf '\x06' | dd of=pavon.pvn bs=1 seek="$R7_OFFSET" conv=notrunc status=none
  [[ $(stat -c %s pavon.pvn) == "$STATE_SIZE" ]] || fail "the changed file has the wrong size"
  xdotool key F6
  expect_pixel 0 0 208 72 0
  expect_pixel 255 191 208 72 0

  echo "case: Escape ends the program with status 0"
  xdotool key Escape
  wait_exit "$pid" || fail "Escape did not end the program"
  trap - EXIT
  [[ "$exit_status" == 0 ]] || fail "exit status $exit_status, expected 0; stderr: $(head -c 2000 stderr.txt)"
  echo "PASS"
  exit 0
fi

: "${PAVON_BIN:?PAVON_BIN must name the program}"
require_tools xvfb-run xdotool import convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

loop_roms "$work"
in_virtual_display 100 "${BASH_SOURCE[0]}" --inside "$work"
