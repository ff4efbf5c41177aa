#!/usr/bin/env bash
# The Debian package as scripts/package.sh builds it: the files it holds,
# their modes and owner, its dependencies, the version its programs print,
# and lintian's verdict (no error, no warning).
# Usage: package_check.sh SOURCE_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail

source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
bash "$source_dir/scripts/package.sh" "$work" >package.log 2>&1 || fail "scripts/package.sh: $(tail -n 20 package.log)"
deb=$(echo pavon_*_amd64.deb)
version=$(dpkg-deb -f "$deb" Version)
[[ $deb == "pavon_${version}_amd64.deb" ]] || fail "package file $deb, version $version"

echo "case: the files, their modes and owner"
dpkg-deb --contents "$deb" | awk '{ print $1, $2, $6 }' >contents.txt
expected=(usr/bin/pavon usr/bin/pavon-asm usr/bin/pavon-dis usr/share/applications/pavon.desktop
  usr/share/icons/hicolor/scalable/apps/pavon.svg usr/share/doc/pavon/copyright usr/share/doc/pavon/changelog.Debian.gz
  usr/share/pavon/demo/ROM/pavon1.bin usr/share/pavon/demo/ROM/pavon2.bin)
for program in pavon pavon-asm pavon-dis; do
  expected+=("usr/share/man/man1/$program.1.gz" "usr/share/bash-completion/completions/$program")
done
for source in "$source_dir"/firmware/*.asm; do
  expected+=("usr/share/pavon/demo/${source##*/}")
done
for path in "${expected[@]}"; do
  mode=-rw-r--r--
  [[ $path == usr/bin/* ]] && mode=-rwxr-xr-x
  grep -qxF -- "$mode root/root ./$path" contents.txt || fail "not $mode root/root: $path"
done
! grep -vE '^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x) root/root ' contents.txt || fail "modes or owners above"

echo "case: dependencies, and the version the programs print"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libsdl1.2debian* && $depends == *libpng16-16* && $depends == *libc6* ]] || fail "Depends: $depends"
dpkg-deb -x "$deb" root
for program in pavon pavon-asm pavon-dis; do
  printed=$(root/usr/bin/$program --version 2>/dev/null) || fail "$program --version does not exit 0"
  [[ $printed == "$program ${version%-*}" ]] || fail "$program --version: $printed, not ${version%-*}"
done

echo "case: lintian"
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian"
echo "PASS"
