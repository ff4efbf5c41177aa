#!/usr/bin/env bash
# Headless runs as a firmware's CI job makes them: the demo firmware typed
# into from an input file, its verdict read from video memory in the saved
# state file; runs that stop in the debugger; bad input.
# Usage: demo_headless.sh PAVON PAVON_ASM DEMO_ROM_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail

pavon=$1
asm=$2
demo=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir demo
cp -r "$demo" demo/ROM

# row STATE N: row N of the name table (video memory >0000) in a state
# file, the cursor and trailing blanks left out.
row() {
  dd if="$1" bs=1 skip=$((65536 + 32 * $2)) count=32 status=none | tr -d '\177' | sed 's/ *$//'
}

cat >demo/keys.txt <<'KEYS'
# the demo has checked the processor by frame 60; then it echoes keys
60 type hello world
110 down Return
112 up Return
120 type 42
KEYS

# run_case STATUS 'OPTIONS|LINE' FOLDER: ten frames headless in FOLDER with
# OPTIONS end with STATUS, and LINE (a pattern) is the first line on
# standard error that starts with "pavon:". The state file goes to out.pvn.
run_case() {
  local status=0 options=${2%%|*} expected=${2#*|}
  # shellcheck disable=SC2086
  (cd "$3" && timeout 60 "$pavon" --headless --frames 10 --save-state "$work/out.pvn" $options >"$work/out.stdout" \
    2>"$work/err.txt") || status=$?
  [[ $status == "$1" ]] || fail "$options: status $status"
  # shellcheck disable=SC2053
  [[ "$(grep -m 1 '^pavon:' "$work/err.txt")" == $expected ]] || fail "$options: $(cat "$work/err.txt")"
}

# demo_run NAME OPTION...: 200 frames of the demo with the keys above; the
# state file goes to NAME.pvn, the picture to NAME.png.
demo_run() {
  local name=$1
  shift
  (cd demo && "$pavon" --headless --frames 200 --input keys.txt --save-state "../$name.pvn" \
    --screenshot "../$name.png" "$@" >/dev/null) || fail "$name: status $?"
}

echo "case: the demo passes its instruction check and echoes what is typed"
demo_run first
rows="$(row first.pvn 3)|$(row first.pvn 6)|$(row first.pvn 7)"
[[ $rows == " CPU CHECK OK|HELLO WORLD|42" ]] || fail "rows 3, 6 and 7: '$rows'"

echo "case: the same state file and picture on every run, whatever the speed"
demo_run real_time --speed 1
demo_run unpaced --speed max  # as the first run, which had no --speed
for name in real_time unpaced; do
  cmp -s first.pvn "$name.pvn" || fail "$name.pvn differs from first.pvn"
  cmp -s first.png "$name.png" || fail "$name.png differs from first.png"
done

echo "case: a stop in the debugger ends the run with status 3 and one line (? is any digit)"
cat >trap.asm <<'ASM'
        DATA >F000, START
START:  LI   R1, >1234          ; >0004
        MOVB R1, @>0100         ; >0008: a byte into ROM
        JMP  $                  ; >000C
ASM
# A frame interrupt service that writes into ROM and never returns: it goes
# back to the main loop with LWPI and B, as it may.
cat >service.asm <<'ASM'
        DATA >F000, START
        AORG >000C
        DATA >F020, SERVICE
        AORG >0100
START:  LIMI 3
LOOP:   JMP  LOOP               ; >0104
SERVICE: MOVB R1, @>0100        ; >0106
        LWPI >F000
        B    @LOOP
ASM
printf '        DATA >F001, >0004\n        JMP  $\n' >oddreset.asm
# LI R1 writes the word at >0000 (refused: the reset vector stays), LI R0 the
# word at >8000, which takes word writes.
printf '        DATA >F000, >0004\n        LWPI >FFFE\n        LI   R1, >ABCD\n        LWPI >8000\n        LI   R0, >1234\n        JMP  $\n' >romreg.asm
for program in trap service oddreset romreg; do "$asm" $program.asm -o $program >/dev/null; done
cp first.pvn odd.pvn
printf '\x01\xF0' | dd of=odd.pvn bs=1 seek=81920 conv=notrunc status=none  # WP >F001
head -c 81946 /dev/zero >zero.pvn  # every word an unassigned code of no cycles
# FOLDER[:STATUS, 3 if not given] OPTIONS|LINE
stops=(
  "trap |pavon: stopped in the debugger at frame 0, PC >000C: byte written into ROM"
  "trap --break >0008|pavon: stopped in the debugger at frame 0, PC >0008: breakpoint at >0008"
  "trap --watch 0xF002|pavon: stopped in the debugger at frame 0, PC >0008: watched memory changed"
  "trap --load-state ../odd.pvn|pavon: stopped in the debugger at frame 0, PC >????: odd workspace pointer >F001"
  "service |pavon: stopped in the debugger at frame 2, PC >0106: byte written into ROM in an interrupt service that had not returned by the frame's end"
  "trap --load-state ../zero.pvn|pavon: stopped in the debugger at frame 0, PC >0000: an endless loop of instructions that use no cycles"
  "oddreset |pavon: stopped in the debugger at frame 0, PC >0004: odd workspace pointer >F001"
  "romreg:0 |"
  "trap:1 --screenshot no/shot.png|pavon: stopped in the debugger at frame 0, PC >000C: byte written into ROM"
  ".:2 |pavon: a headless run needs its program: ROM/pavon1.bin cannot be read"
)
for stop in "${stops[@]}"; do
  folder=${stop%% *} status=3
  [[ $folder != *:* ]] || status=${folder#*:} folder=${folder%:*}
  run_case "$status" "${stop#* }" "$folder"
  [[ $status == 2 || -f out.pvn ]] || fail "$stop: no state file"
  [[ $folder != romreg || $(od -An -tx1 -N4 out.pvn; od -An -tx1 -j 32768 -N2 out.pvn) == $' f0 00 00 04\n 12 34' &&
    $(grep -c "Write to ROM address 0x0 at PC=0x0008" err.txt) == 1 ]] || fail "a register write changed ROM"
  rm -f out.pvn
done

echo "case: a save that fails at a stop gives status 1; a reader gone does not end the run"
(ulimit -f 40 && run_case 1 "|pavon: stopped in the debugger at frame 0, PC >000C: byte written into ROM" trap)
grep -q "out.pvn: cannot write the state file" err.txt || fail "no line for the failed save: $(cat err.txt)"
status=0
(cd trap && python3 -c 'import os, subprocess, sys; r, w = os.pipe(); os.close(r)
sys.exit(subprocess.call(sys.argv[1:], stdout=w, stderr=w))' "$pavon" --headless --save-state ../out.pvn) || status=$?
[[ $status == 3 && -f out.pvn ]] || fail "into a closed pipe: status $status"
rm out.pvn

echo "case: bad input gives one line naming the file and line, status 2, and writes nothing"
printf '1 down a\n2 down Foo\n' >unknown.txt
head -c 100 /dev/zero >short.pvn
bad=(
  "--input missing.txt|pavon: missing.txt: cannot read the input file: No such file or directory"
  "--input unknown.txt --trace out.txt|pavon: unknown.txt:2: unknown key 'Foo' (keys: a to z, 0 to 9, *, Escape, Backspace)"
  "--load-state short.pvn|pavon: short.pvn: not a state file: 100 bytes, not 81946"
  "--load-state missing.pvn|pavon: missing.pvn: cannot read the state file: No such file or directory"
  "--trace no/t.txt|pavon: no/t.txt: cannot write the trace: No such file or directory"
  "--save-state no/s.pvn|pavon: no/s.pvn: cannot write the state file: No such file or directory"
  "--trace-from >0100|pavon: --trace-from needs --trace"
  "--input esc.txt|pavon: esc.txt:1: unknown key '\\\\x1B\\\\x00' (keys: *)"
  "--trace X --save-state X --screenshot X|pavon: --save-state X and --trace X are the same file"
  "--input demo/keys.txt --trace demo/keys.txt|pavon: --trace demo/keys.txt and --input demo/keys.txt are the same file"
  "--screenshot link.txt --input demo/keys.txt|pavon: --screenshot link.txt and --input demo/keys.txt are the same file"
  "--screenshot ROM/pavon2.bin|pavon: --screenshot ROM/pavon2.bin and the ROM image ROM/pavon2.bin are the same file"
)
printf '1 down \033\000\n' >esc.txt
ln -s demo/keys.txt link.txt
mkdir ROM && touch ROM/pavon2.bin
for case in "${bad[@]}"; do
  run_case 2 "$case" .
  [[ ! -s out.stdout ]] || fail "$case: the machine started: $(cat out.stdout)"
  [[ -z "$(ls out.pvn* out.txt* 2>/dev/null)" ]] || fail "$case: an output was written"
done
echo "case: a program in two files by its names: breaks, watches, the trace, the call stack, bad names"
(cd "$(dirname "${BASH_SOURCE[0]}")/../fixtures/calls" && "$asm" main.asm -o "$work/calls" -l "$work/calls.lst" >/dev/null)
sed 's/^line 0120 4 1 2 code/line 0120 4 1 x code/' calls/pavon.dbg >calls/bad.dbg
printf '0 press Return\n20 down a\n' >calls/late.txt
stop="pavon: stopped in the debugger at frame"
from_step="  called from STEP+4 (main.asm:13)|  called from LOOP (main.asm:10)"
# STATUS OPTIONS|STANDARD ERROR, lines joined by ||FILE:LINE whose address in the listing is the state's PC
named=(
  "3 --break COUNT|$stop 0, PC >0120 (COUNT, count.asm:2): breakpoint at >0120|$from_step|count.asm:2"
  "3 --break STEP+4|$stop 0, PC >0116 (STEP+4, main.asm:13): breakpoint at >0116|  called from LOOP (main.asm:10)|main.asm:13"
  "3 --break count.asm:3|$stop 0, PC >0124 (COUNT+4, count.asm:3): breakpoint at >0124|$from_step|count.asm:3"
  "3 --break TICK|$stop 1, PC >0126 (TICK, main.asm:17): breakpoint at >0126|  interrupted at *|main.asm:17"
  "3 --watch COUNTER=3|watch >F064: >0002 -> >0003 at PC >0120 (COUNT, count.asm:2), frame 0|$stop 0, PC >0124 (COUNT+4, count.asm:3): watched memory changed|$from_step|"
  "0 --trace t.txt --trace-from STEP --input late.txt|pavon: late.txt: warning: 1 events from frame 20 on lie beyond --frames 10: they never happen|"
  "2 --break COUNTR|pavon: --break COUNTR: no name COUNTR in the program's symbols; the nearest: COUNT, COUNTER, LOOP|"
  "2 --trace t.txt --trace-from main.asm:4|pavon: --trace-from main.asm:4: line 4 of main.asm placed no instruction; the nearest that did: main.asm:7|"
  "2 --watch-vram x.asm:3:1|pavon: --watch-vram x.asm:3:1: no file x.asm in the program's symbols; its files: main.asm, count.asm|"
  "2 --symbols bad.dbg|pavon: bad.dbg:2[0-9]: source line 'x' out of range|"
  "2 --symbols . --break 0|pavon: .: cannot read the debug information: Is a directory|"
)
for case in "${named[@]}"; do
  status=0 options=${case%%|*} pattern=${case#*|} line=${case##*|}
  pattern=${pattern%|*}
  # shellcheck disable=SC2086
  (cd calls && timeout 60 "$pavon" --headless --frames 10 --symbols pavon.dbg ${options#* } --save-state ../out.pvn \
    2>../err.txt >/dev/null) || status=$?
  [[ $status == "${case%% *}" ]] || fail "$options: status $status: $(cat err.txt)"
  got=$(paste -sd '|' err.txt)
  # shellcheck disable=SC2053
  [[ $got == $pattern ]] || fail "$options: $got"
  pc=$(printf '%04X' "$(od -An -tu2 -j 81922 -N2 out.pvn 2>/dev/null || echo 0)")  # little-endian
  [[ -z $line || $(grep -m1 "^$line " calls.lst | awk '{print $2}') == "$pc" ]] || fail "$options: PC >$pc, not $line's"
  rm -f out.pvn
done
grep -q '^     0 .* 0116 0420 012C      BLWP @VECTOR .* STEP+4$' calls/t.txt || fail "no named trace line: $(head -3 calls/t.txt)"
printf '\xE0' | dd of=calls/ROM/pavon1.bin bs=1 seek=$((0x121)) conv=notrunc status=none  # INCT: COUNT assembled again
(cd calls && "$pavon" --headless --frames 1 --symbols pavon.dbg 2>../err.txt >/dev/null) || fail "a changed image: status $?"
[[ $(cat err.txt) == "pavon: warning: the ROM images differ from pavon.dbg at COUNT (>0120, count.asm:2): was the program assembled again without it?" ]] ||
  fail "no warning for a changed image: $(cat err.txt)"
echo "PASS"
