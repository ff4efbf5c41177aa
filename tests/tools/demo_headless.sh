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
  (cd "$3" && "$pavon" --headless --frames 10 --save-state "$work/out.pvn" $options >"$work/out.stdout" \
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
for program in trap service; do "$asm" $program.asm -o $program >/dev/null; done
cp first.pvn odd.pvn
printf '\x01\xF0' | dd of=odd.pvn bs=1 seek=81920 conv=notrunc status=none  # WP >F001
# FOLDER OPTIONS|LINE
stops=(
  "trap |pavon: stopped in the debugger at frame 0, PC >000C: byte written into ROM"
  "trap --break >0008|pavon: stopped in the debugger at frame 0, PC >0008: breakpoint at >0008"
  "trap --watch 0xF002|pavon: stopped in the debugger at frame 0, PC >0008: watched memory changed"
  "trap --load-state ../odd.pvn|pavon: stopped in the debugger at frame 0, PC >????: odd workspace pointer >F001"
  "service |pavon: stopped in the debugger at frame 2, PC >0106: byte written into ROM in an interrupt service that had not returned by the frame's end"
)
for stop in "${stops[@]}"; do
  run_case 3 "${stop#* }" "${stop%% *}"
  [[ -f out.pvn ]] || fail "$stop: no state file"
  rm out.pvn
done

echo "case: bad input gives one line naming the file and line, status 2, and writes nothing"
printf '1 down a\n2 down Foo\n' >unknown.txt
head -c 100 /dev/zero >short.pvn
bad=(
  "--input missing.txt|pavon: missing.txt: cannot read the input file: No such file or directory"
  "--input unknown.txt --trace out.txt|pavon: unknown.txt:2: unknown key 'Foo'"
  "--load-state short.pvn|pavon: short.pvn: not a state file: 100 bytes, not 81946"
  "--load-state missing.pvn|pavon: missing.pvn: cannot read the state file: No such file or directory"
  "--trace no/t.txt|pavon: no/t.txt: cannot write the trace: No such file or directory"
  "--save-state no/s.pvn|pavon: no/s.pvn: cannot write the state file: No such file or directory"
  "--trace-from >0100|pavon: --trace-from needs --trace"
)
for case in "${bad[@]}"; do
  run_case 2 "$case" .
  [[ ! -s out.stdout ]] || fail "$case: the machine started: $(cat out.stdout)"
  [[ -z "$(ls out.pvn* out.txt* 2>/dev/null)" ]] || fail "$case: an output was written"
done
echo "PASS"
