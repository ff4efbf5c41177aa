#!/usr/bin/env bash
# Builds the emulator (Release) and runs it in FOLDER, the folder that holds
# ROM/pavon1.bin and ROM/pavon2.bin (default: the current directory), at
# real-time speed in a window three times the machine's size, with the
# program's names when the folder holds its debug information (pavon.dbg).
# Options after the folder go to the emulator and win over these (pavon
# --help lists them).
# Only what it runs is built: the program, the tools and the demo firmware,
# not the tests or the benchmarks.
# Usage: scripts/run.sh [FOLDER] [OPTIONS...]
set -euo pipefail

options=(--speed 1 --scale 3)

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$source_dir/build-release"
folder=.
if [[ $# -gt 0 && "$1" != -* ]]; then
  folder=$1
  shift
fi
folder=$(cd "$folder" && pwd)

bash "$source_dir/scripts/deps.sh" build
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DPAVON_TESTS=OFF -DPAVON_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j2

# Without ROM images of its own, the folder gives way to the demo firmware
# that the build assembles. It runs in demo/ of the checkout, which the
# build never deletes, so that the state file (F5) and the screenshots (F12)
# stay; its images are refreshed from the build on every run.
demo="$source_dir/demo"
if [[ ! -f "$folder/ROM/pavon1.bin" && -f "$build_dir/firmware/ROM/pavon1.bin" ]]; then
  mkdir -p "$demo/ROM"
  cp "$build_dir/firmware/ROM/pavon1.bin" "$build_dir/firmware/ROM/pavon2.bin" "$demo/ROM/"
  if [[ -f "$build_dir/firmware/pavon.dbg" ]]; then
    cp "$build_dir/firmware/pavon.dbg" "$demo/"
  fi
  echo "No ROM/pavon1.bin in $folder: running the demo firmware in $demo instead (F5's pavon.pvn and F12's screenshots go there)."
  folder=$demo
fi

cd "$folder"
if [[ -f pavon.dbg ]]; then
  options+=(--symbols pavon.dbg)
fi
exec "$build_dir/pavon" "${options[@]}" "$@"
