#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
# Usage: scripts/deps.sh build|package|test|web
#   build: compiler, CMake, SDL 1.2, libpng, nlohmann-json (the debug
#          adapter's messages): what the programs need
#   package: the above plus what CPack's Debian package needs (dpkg-shlibdeps
#            for the dependencies, file to find the programs)
#   test:  the above plus GoogleTest, Google Benchmark, the virtual display
#          and the tools the window tests drive it with, clang with its
#          libFuzzer for the fuzz targets, the checks of the install and the
#          package (man, groff, desktop-file-validate, bash-completion,
#          lintian), and for the page's tests Emscripten, Chromium and npm
#          (npm also for the editor extension's tests)
#   web:   the build's packages plus Emscripten, which builds the page
set -euo pipefail

packages=(g++ cmake make pkg-config libsdl1.2-compat-dev libpng-dev nlohmann-json3-dev)
if [[ "${1:-build}" == package || "${1:-build}" == test ]]; then
  packages+=(dpkg-dev file)
fi
if [[ "${1:-build}" == test ]]; then
  packages+=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick clang-14 libclang-rt-14-dev)
  packages+=(man-db groff desktop-file-utils bash-completion lintian)
fi
if [[ "${1:-build}" == test || "${1:-build}" == web ]]; then
  packages+=(emscripten)
fi
if [[ "${1:-build}" == test ]]; then
  packages+=(chromium)
  # npm, unless a Node.js from elsewhere brought its own
  if ! command -v npm >/dev/null; then
    packages+=(npm)
  fi
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
