#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors, and runs every test: the unit tests and the tests
# that drive the real program in a virtual window.
# Usage: scripts/test.sh [extra ctest arguments, e.g. -R Bus or -L window]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$source_dir/build"

bash "$source_dir/scripts/deps.sh" test
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DPAVON_SANITIZE=ON -DPAVON_WERROR=ON >/dev/null
cmake --build "$build_dir" -j2
cd "$build_dir"
ctest --output-on-failure "$@"
