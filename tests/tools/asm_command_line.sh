#!/usr/bin/env bash
# The assembler and disassembler programs as a user runs them: their exit
# statuses, their messages, that bad source writes no image, and that the
# outputs are replaced all together or not at all.
# Usage: asm_command_line.sh PAVON_ASM PAVON_DIS FIXTURES
set -euo pipefail

asm=$1
dis=$2
fixtures=$3

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
echo "case: --help and --version on standard output, status 0"
for tool in "$asm" "$dis"; do
  "$tool" --help | grep -q "^usage: $(basename "$tool") " || fail "$tool --help"
  [[ "$("$tool" --version)" =~ ^$(basename "$tool")\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$tool --version"
done

echo "case: a program in two files gives its debug information, a listing and a disassembly with names"
cp -r "$fixtures/symbols" two
"$asm" two/main.asm -o two/out -l two/main.lst
[[ "$(head -n 1 two/out/pavon.dbg)" == "pavon-dbg 1" ]] || fail "no debug information"
grep -q '^two/lib/draw.asm:3  001A  D800 E002 ' two/main.lst || fail "listing: $(cat two/main.lst)"
"$dis" --symbols two/out/pavon.dbg two/out/ROM/pavon1.bin >two/dis.txt
expected="DRAW:
>0016  0200 4000       LI R0, >4000
>001A  D800 E002       MOVB R0, @>E002
>001E  06C0            SWPB R0
>0020  045B            B *R11
TABLE:
>0022  1234 5678       DATA >1234, >5678
NAME:
>0026  48 49           TEXT 'HI'
>0028  01 02 03        BYTE >01, >02, >03"
[[ "$(sed -n '/^DRAW:/,/BYTE/p' two/dis.txt)" == "$expected" ]] || fail "pavon-dis --symbols: $(cat two/dis.txt)"
printf 'pavon-dbg 9\n' >future.dbg
status=0
"$dis" --symbols future.dbg two/out/ROM/pavon1.bin >/dev/null 2>err.txt || status=$?
[[ $status == 1 && "$(cat err.txt)" == "pavon-dis: future.dbg:1: format version 9 is newer than this program reads (1)" ]] ||
  fail "a future debug file: status $status, $(cat err.txt)"

# Each case: the source, the status and a line of the messages; the
# outputs of an earlier good run must stay exactly as they were.
echo "case: failures change no output"
mkdir -p fifo_dir folder.asm && mkfifo fifo_dir/pipe.asm
printf ' COPY "b.asm"\n' >a.asm && printf ' NOP\n COPY "a.asm"\n' >b.asm
printf '  LI R1,%s1\n' "$(head -c 1000000 /dev/zero | tr '\0' -)" >deep.asm
printf ' COPY "nowhere.asm"\n' >missing.asm
printf ' COPY "folder.asm"\n' >folder.asm.src && printf ' COPY "fifo_dir/pipe.asm"\n' >fifo.asm
printf ' NOP\n' >nop.asm
cases=(
  "deep.asm|1|deep.asm:1: error: bad expression: more than 64 signs in a row"
  "missing.asm|1|missing.asm:1: error: cannot COPY nowhere.asm: no such file"
  "folder.asm.src|1|folder.asm.src:1: error: cannot COPY folder.asm: a folder, not a file"
  "fifo.asm|1|fifo.asm:1: error: cannot COPY fifo_dir/pipe.asm: not a regular file (a FIFO, a device or a socket)"
  "a.asm|1|b.asm:2: error: cannot COPY a.asm: it includes itself (a.asm -> b.asm -> a.asm)"
  "nop.asm -l nop.asm|2|pavon-asm: nop.asm would replace the source file nop.asm; nothing written"
  "nop.asm -l keep/pavon.dbg|2|pavon-asm: keep/pavon.dbg and keep/pavon.dbg are the same file; nothing written"
)
"$asm" two/main.asm -o keep
chmod 640 keep/ROM/pavon1.bin
ln -s "$work/victim" keep/ROM/pavon1.bin.tmp
before=$(cat keep/ROM/pavon1.bin keep/ROM/pavon2.bin keep/pavon.dbg | md5sum)
for entry in "${cases[@]}"; do
  IFS='|' read -r arguments expected_status message <<<"$entry"
  status=0
  # shellcheck disable=SC2086
  timeout 10 "$asm" $arguments -o keep 2>err.txt || status=$?
  [[ $status == "$expected_status" ]] || fail "$arguments: status $status"
  grep -qxF "$message" err.txt || fail "$arguments: $(head -c 300 err.txt)"
done
mkdir keep/ROM/pavon2.bin.new && mv keep/ROM/pavon2.bin keep/saved2 && mv keep/ROM/pavon2.bin.new keep/ROM/pavon2.bin
status=0
"$asm" nop.asm -o keep 2>err.txt || status=$?
[[ $status == 1 ]] && grep -q "cannot write keep/ROM/pavon2.bin" err.txt || fail "a folder as the second image: $status"
rmdir keep/ROM/pavon2.bin && mv keep/saved2 keep/ROM/pavon2.bin
[[ "$(cat keep/ROM/pavon1.bin keep/ROM/pavon2.bin keep/pavon.dbg | md5sum)" == "$before" ]] || fail "a failure changed an output"
[[ $(find keep -name '*.??????' | wc -l) == 0 && ! -e victim ]] || fail "temporary files or the link's target written"
"$asm" nop.asm -o keep
[[ $(stat -c %a keep/ROM/pavon1.bin) == 640 && -L keep/ROM/pavon1.bin.tmp && ! -e victim ]] ||
  fail "a replaced image lost its mode, or the link at the old temporary name was followed"
echo "PASS"
