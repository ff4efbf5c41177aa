#!/usr/bin/env bash
# The emulator's command line as a user meets it: --help and --version on
# standard output with status 0; a bad line gives one line and the usage on
# standard error and status 2, before any window opens. Each bad line's
# reason is the options' unit tests' business.
# Usage: pavon_command_line.sh PAVON
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail

pavon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Nothing may reach a display: a run that got that far would fail or hang.
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=no-such-driver

# run ARGS...: runs the program, leaving status, out.txt and err.txt.
run() {
  status=0
  timeout 10 "$pavon" "$@" >out.txt 2>err.txt || status=$?
}

echo "case: --help prints the usage on standard output"
run --speed 2 --help
[[ $status == 0 && ! -s err.txt ]] || fail "--help: status $status, $(cat err.txt)"
[[ $(head -n 1 out.txt) == "usage: pavon [OPTIONS]" ]] || fail "--help: $(head -n 3 out.txt)"
for text in --speed --scale --fullscreen --screenshot --symbols FILE:LINE F3 F4 F12 Alt+Return Tab; do
  grep -q -- "$text" out.txt || fail "the usage does not mention $text"
done

echo "case: --version"
run --version
[[ $status == 0 && $(cat out.txt) =~ ^pavon\ [0-9] && ! -s err.txt ]] || fail "--version: $status $(cat out.txt err.txt)"

echo "case: a bad line: one line saying why, the usage, status 2, nothing written"
run --scale=0x0
[[ $status == 2 ]] || fail "status $status"
[[ $(head -n 1 err.txt) == "pavon: --scale: '0x0' is not a whole number from 1 to 8" ]] || fail "$(head -n 1 err.txt)"
[[ $(sed -n 2p err.txt) == "usage: pavon [OPTIONS]" ]] || fail "no usage after the reason"
[[ ! -s out.txt && $(ls) == $'err.txt\nout.txt' ]] || fail "written: $(ls) $(cat out.txt)"

echo "case: options are read before the video system starts"
run --speed 1 --scale 3
[[ $status == 255 && $(cat out.txt) == 'Couldn`t load SDL.' ]] || fail "status $status: $(cat out.txt)"
echo "PASS"
