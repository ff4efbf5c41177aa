#!/usr/bin/env bash
# The assembler and disassembler programs as a user runs them: their exit
# statuses, their messages, and that bad source writes no image.
# Usage: asm_command_line.sh PAVON_ASM PAVON_DIS
set -euo pipefail

asm=$1
dis=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "case: a bad command line gives the usage and status 2"
status=0
"$asm" 2>err.txt || status=$?
[[ $status == 2 ]] || fail "no arguments: status $status"
grep -q '^usage: pavon-asm SOURCE \[-o DIRECTORY\]' err.txt || fail "no usage: $(cat err.txt)"
status=0
"$asm" a.asm b.asm 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "two sources: status $status"

echo "case: a missing source is reported"
status=0
"$asm" missing.asm 2>err.txt || status=$?
[[ $status == 1 ]] || fail "missing source: status $status"
grep -q 'cannot read missing.asm' err.txt || fail "unexpected message: $(cat err.txt)"

echo "case: bad source lists its errors and leaves older images alone"
mkdir -p out/ROM
echo old >out/ROM/pavon1.bin
printf '        NOP\n        FOO R1\n        JMP nowhere\n' >bad.asm
status=0
"$asm" bad.asm -o out 2>err.txt || status=$?
[[ $status == 1 ]] || fail "bad source: status $status"
expected="bad.asm:2: error: unknown mnemonic 'FOO'
bad.asm:3: error: undefined label 'nowhere'
pavon-asm: 2 errors; no image written"
[[ "$(cat err.txt)" == "$expected" ]] || fail "unexpected messages: $(cat err.txt)"
[[ "$(cat out/ROM/pavon1.bin)" == old && ! -e out/ROM/pavon2.bin ]] || fail "the images changed"

echo "case: good source writes both images whole"
printf '        AORG 0\n        DATA >F000, >0100\n        AORG >8000\n        DATA >1234\n' >good.asm
"$asm" good.asm -o out
[[ $(stat -c %s out/ROM/pavon1.bin) == 32768 && $(stat -c %s out/ROM/pavon2.bin) == 16384 ]] ||
  fail "wrong image sizes"
first=$(od -An -tx1 -N4 out/ROM/pavon1.bin)
[[ "$first" == " f0 00 01 00" ]] || fail "first image starts with$first"
second=$(od -An -tx1 -N2 out/ROM/pavon2.bin)
[[ "$second" == " 12 34" ]] || fail "second image starts with$second"
ls out/ROM | grep -q tmp && fail "temporary files were left"

echo "case: the disassembler lists an image with addresses, words and text"
printf '        AORG >8000\n        LI R0, >1234\n        MOV @>8300(R1), *R2+\n        JMP $\n' >list.asm
"$asm" list.asm -o out
"$dis" out/ROM/pavon2.bin >listing.txt
expected=">8000  0200 1234       LI R0, >1234
>8004  CCA1 8300       MOV @>8300(R1), *R2+
>8008  10FF            JMP >8008
>800A  0000            DATA >0000
*"
[[ "$(cat listing.txt)" == "$expected" ]] || fail "unexpected listing: $(cat listing.txt)"
"$dis" out/ROM/pavon2.bin 0x0100 | head -n 1 | grep -q '^>0100  0200 1234' || fail "ADDRESS was not used"
status=0
"$dis" out/ROM/pavon2.bin '>1X' 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "a bad address: status $status"
echo "PASS"
