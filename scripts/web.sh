#!/usr/bin/env bash
# Builds the page (the emulator for the browser) into build-web/page/ and
# serves it on http://127.0.0.1:8000/ with Python's own server; --build-only
# stops after the build. Installs what is missing first: the desktop's build
# tools (its assembler makes the demo's ROM images) and Debian's emscripten.
# PAVON_ASM may name an assembler already built (scripts/test.sh gives its own).
# Usage: scripts/web.sh [--build-only]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$source_dir/build-web"
native_dir="$build_dir/native"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

bash "$source_dir/scripts/deps.sh" web
assembler=${PAVON_ASM:-$native_dir/tools/pavon-asm}
if [[ -z "${PAVON_ASM:-}" ]]; then
  cmake -S "$source_dir" -B "$native_dir" -DCMAKE_BUILD_TYPE=Release -DPAVON_HOST=OFF -DPAVON_TESTS=OFF \
    -DPAVON_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build "$native_dir" -j2 --target pavon-asm
fi
emcmake cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DPAVON_WEB=ON \
  -DPAVON_ASM="$assembler" "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -j2

if [[ "${1:-}" == --build-only ]]; then
  exit 0
fi
echo "The page: http://127.0.0.1:8000/ (Ctrl+C stops the server)"
cd "$build_dir/page"
exec python3 -m http.server 8000 --bind 127.0.0.1
