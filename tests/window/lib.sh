# What the window tests share; sourced, not run. They run the real program
# in a virtual display (xvfb-run) and drive it with xdotool as a person
# would. Each test names the tools it needs; without them it is skipped.

readonly SKIP=77
readonly WAIT_SECONDS=${WAIT_SECONDS:-30}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# require_tools TOOL...: skip the test (exit 77) unless every tool is here.
require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIP"; }
  done
}

# loop_roms FOLDER: ROM images whose reset vector gives WP = >F000 and
# PC = >0100, where the word >10FF jumps to itself. The second image is
# empty, which is accepted.
loop_roms() {
  mkdir -p "$1/ROM"
  head -c 32768 /dev/zero >"$1/ROM/pavon1.bin"
  printf '\xF0\x00\x01\x00' | dd of="$1/ROM/pavon1.bin" conv=notrunc status=none
  printf '\x10\xFF' | dd of="$1/ROM/pavon1.bin" bs=1 seek=256 conv=notrunc status=none
  : >"$1/ROM/pavon2.bin"
}

# in_virtual_display SECONDS SCRIPT ARGS...: runs the script under Xvfb.
in_virtual_display() {
  local seconds=$1
  shift
  timeout "$seconds" xvfb-run -a -s "-screen 0 1280x1024x24" bash "$@"
}

# window_of PID: prints the program's visible window once it is shown.
window_of() {
  timeout "$WAIT_SECONDS" xdotool search --sync --onlyvisible --pid "$1" | head -n 1
}

# wait_exit PID: waits for the program (a child of this shell) to end and
# puts its exit status in exit_status; fails when it does not end in time.
wait_exit() {
  timeout "$WAIT_SECONDS" tail -s 0.1 --pid="$1" -f /dev/null || return 1
  exit_status=0
  wait "$1" || exit_status=$?
}
