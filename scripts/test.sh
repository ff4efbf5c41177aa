#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs every test: the unit tests, the tests that
# drive the real program in a virtual window, and the page's tests in
# headless Chromium (the page built by scripts/web.sh --build-only). Then
# builds the fuzz targets with clang (in build-fuzz) and runs each for
# PAVON_FUZZ_SECONDS (default 30; 0 skips them): any crash fails. A run of
# the whole suite (no ctest arguments) also builds the Debian package and
# checks it.
# Usage: scripts/test.sh [extra ctest arguments, e.g. -R Bus or -L window]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$source_dir/build"
fuzz_dir="$source_dir/build-fuzz"
fuzz_seconds=${PAVON_FUZZ_SECONDS:-30}

bash "$source_dir/scripts/deps.sh" test
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DPAVON_SANITIZE=ON -DPAVON_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2
# The page, and the packages its tests drive Chromium with (installed again
# only when their lock file changed).
PAVON_ASM="$build_dir/tools/pavon-asm" bash "$source_dir/scripts/web.sh" --build-only
web_tests="$source_dir/tests/web"
if [[ ! "$web_tests/node_modules/.package-lock.json" -nt "$web_tests/package-lock.json" ]]; then
  (cd "$web_tests" && npm ci --no-audit --no-fund)
fi
# The editor extension's test tools (the debug adapter's session, the grammar).
(cd "$source_dir/editors/vscode" && npm ci --no-audit --no-fund --loglevel=error)
(cd "$build_dir" && ctest --output-on-failure "$@")
if (($# == 0)); then
  bash "$source_dir/tests/tools/package_check.sh" "$source_dir"
fi

if ((fuzz_seconds > 0)); then
  CC=clang-14 CXX=clang++-14 cmake -S "$source_dir" -B "$fuzz_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPAVON_SANITIZE=ON -DPAVON_WERROR=ON -DPAVON_FUZZ=ON -DPAVON_FUZZ_SECONDS="$fuzz_seconds" >/dev/null
  cmake --build "$fuzz_dir" -j2 --target fuzz_targets
  (cd "$fuzz_dir" && ctest --output-on-failure -L fuzz -j2)
fi
