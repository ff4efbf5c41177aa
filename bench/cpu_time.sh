#!/usr/bin/env bash
# Measures the host CPU time that the emulator itself uses (user and system
# time of its process, all threads) while it runs the demo firmware at real
# time in a real window under a virtual X server, three ways: running, held
# by the debugger (F1), and paused (F3). Prints each as a share of one core,
# with the machine's load before and after.
# Usage: bench/cpu_time.sh [SECONDS] [PAVON OPTIONS...]
#   SECONDS defaults to 30; the options default to those of scripts/run.sh.
# Needs a Release build (build-release/, as scripts/run.sh makes it),
# xvfb-run and xdotool.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${PAVON_BUILD_DIR:-$source_dir/build-release}
seconds=${1:-30}
shift || true
options=("$@")
((${#options[@]})) || options=(--speed 1 --scale 3)

# Inside the virtual display: one run per way of measuring.
if [[ "${PAVON_CPU_INSIDE:-}" == 1 ]]; then
  ticks_per_second=$(getconf CLK_TCK)
  cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
  measure() {
    local name=$1 key=$2 pid window before after
    "$build_dir/pavon" "${options[@]}" >/dev/null 2>&1 &
    pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
    xdotool windowfocus --sync "$window"
    [[ -z "$key" ]] || xdotool key "$key"
    sleep 2  # start-up and the key's effect settle
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    xdotool key Escape
    wait "$pid" || true
    awk -v name="$name" -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" \
      'BEGIN { printf "%-34s %5.1f %% of one core (%.2f s CPU in %d s)\n", name, 100 * t / hz / s, t / hz, s }'
  }
  cd "$build_dir/firmware"
  measure "running" ""
  measure "held by the debugger (F1)" F1
  measure "paused (F3)" F3
  exit 0
fi

[[ -x "$build_dir/pavon" && -f "$build_dir/firmware/ROM/pavon1.bin" ]] ||
  { echo "no Release build with the demo firmware in $build_dir (scripts/run.sh makes one)" >&2; exit 1; }
echo "pavon ${options[*]}, demo firmware, ${seconds} s each, Xvfb 1280x1024x24"
echo "load before: $(uptime)"
PAVON_CPU_INSIDE=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "${BASH_SOURCE[0]}" "$seconds" "${options[@]}"
echo "load after:  $(uptime)"
