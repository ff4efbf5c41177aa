#!/usr/bin/env bash
# Builds the Debian package pavon_VERSION_amd64.deb from a Release build
# made with Debian's own hardening flags, and puts it into OUTPUT_FOLDER
# (default: the current folder). Install it with
#   sudo apt-get install ./pavon_*.deb
# Usage: scripts/package.sh [OUTPUT_FOLDER]
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir="$source_dir/build-package"
output=$(cd "${1:-.}" && pwd)

bash "$source_dir/scripts/deps.sh" package
# Stack protector, fortified library calls, read-only relocations bound at
# start: the flags Debian builds its packages with, all hardening on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
compile_flags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
link_flags=$(dpkg-buildflags --get LDFLAGS)
# The package needs the programs, the demo and the compressed pages, not
# the tests and benchmarks that `all` would build too.
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DPAVON_TESTS=OFF -DPAVON_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$compile_flags" -DCMAKE_EXE_LINKER_FLAGS="$link_flags" >/dev/null
cmake --build "$build_dir" -j2 --target pavon pavon-asm pavon-dis firmware compressed_documents
rm -f "$build_dir"/pavon_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
cp "$build_dir"/pavon_*.deb "$output/"
echo "Written: $(cd "$build_dir" && ls pavon_*.deb) in $output"
