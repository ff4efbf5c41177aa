#!/usr/bin/env bash
# The install as a user meets it: `cmake --install` into a prefix that is
# then moved (the programs find the demo from their own place), the
# installed demo run headless and compared with the build's own, its source
# assembled again into the same images, the pages read by man, the menu
# entry validated, and Tab completion of the three programs.
# Usage: install.sh BUILD_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail, require_tools
require_tools man desktop-file-validate

build=$1
completion_library=/usr/share/bash-completion/bash_completion
[[ -f $completion_library ]] || { echo "SKIP: bash-completion is not installed"; exit "$SKIP"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/usr"
prefix=$work/usr
demo=$prefix/share/pavon/demo
export PATH="$prefix/bin:$PATH" SDL_VIDEODRIVER=dummy
mkdir "$work/run" "$work/sub"
cd "$work/run"

echo "case: the installed demo runs from any folder and writes only there"
before=$(ls -lR "$prefix")
pavon --demo --headless --frames 60 --screenshot shot.png --save-state out.pvn >out.txt ||
  fail "status $?: $(cat out.txt)"
[[ $(ls) == $'out.pvn\nout.txt\nshot.png' && $(ls -lR "$prefix") == "$before" ]] || fail "written: $(ls)"
(cd "$build/firmware" && "$build/pavon" --headless --frames 60 --save-state "$work/built.pvn" >/dev/null)
cmp out.pvn "$work/built.pvn" || fail "the installed demo is not the one the build assembled"

echo "case: the installed source assembles into the installed images"
pavon-asm "$demo/demo.asm" -o again || fail "pavon-asm: status $?"
cmp again/ROM/pavon1.bin "$demo/ROM/pavon1.bin" && cmp again/ROM/pavon2.bin "$demo/ROM/pavon2.bin"

echo "case: man reads each page without a warning"
for page in pavon pavon-asm pavon-dis; do
  warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page.1: $warnings"
done

echo "case: the menu entry"
desktop-file-validate "$prefix/share/applications/pavon.desktop" || fail "the desktop entry does not validate"
grep -qx 'Exec=pavon --demo --speed 1 --scale 3' "$prefix/share/applications/pavon.desktop" || fail "Exec line"
[[ -f $prefix/share/icons/hicolor/scalable/apps/pavon.svg ]] || fail "no icon"

echo "case: Tab completion"
# completions LINE: what Tab offers at the end of LINE, one word a line.
completions() {
  bash -c 'source "$1" && source "$2" && read -ra COMP_WORDS <<<"$3"
    [[ $3 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$3 COMP_POINT=${#3}
    _pavon_complete "${COMP_WORDS[0]}" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}" 2>/dev/null
    [[ ${#COMPREPLY[@]} == 0 ]] || printf "%s\n" "${COMPREPLY[@]}"' _ "$completion_library" "$prefix/share/bash-completion/completions/${1%% *}" "$1"
}
while IFS='|' read -r line expected; do
  [[ $(completions "$line" | sort | tr '\n' ' ') == "$expected" ]] || fail "'$line': $(completions "$line")"
done <<'CASES'
pavon --de|--demo 
pavon --save|--save-state 
pavon --screenshot |again out.pvn out.txt shot.png 
pavon --speed |
pavon-asm -o ../s|../sub 
CASES

echo "case: a demo folder without its first image names the file"
rm "$demo/ROM/pavon1.bin"
pavon --demo --headless --frames 1 >out.txt || true
grep -qxF "Error opening ROM $demo/ROM/pavon1.bin." out.txt || fail "$(cat out.txt)"
echo "PASS"
