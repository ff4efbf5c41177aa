#!/usr/bin/env bash
# Builds the emulator (Release) and runs it in FOLDER, the folder that holds
# ROM/pavon1.bin and ROM/pavon2.bin (default: the current directory), at
# real-time speed in a window three times the machine's size. Options after
# the folder go to the emulator and win over these (pavon --help lists them).
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
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2

# Without ROM images of its own, the folder gives way to the demo images
# that the build assembles, when there are any.
demo="$build_dir/firmware"
if [[ ! -f "$folder/ROM/pavon1.bin" && -f "$demo/ROM/pavon1.bin" ]]; then
  echo "No ROM/pavon1.bin in $folder: running the demo firmware in $demo instead."
  folder=$demo
fi

cd "$folder"
exec "$build_dir/pavon" "${options[@]}" "$@"
