#!/usr/bin/env bash
# A session recorded and replayed: the demo typed into and rewound headless
# with --record, then run again from the recording alone, ends in the same
# state file byte for byte, also when Ctrl+C ended the recorded run.
# Usage: time_travel.sh PAVON DEMO_ROM_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail

pavon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2" "$work/ROM"
cd "$work"

# hello is typed, then taken back by holding Backspace for 50 frames; then abc
cat >keys.txt <<'KEYS'
60 type hello
100 down Backspace
150 up Backspace
160 type abc
KEYS

echo "case: the recording replays to the same state file; the rewind took the typing back"
"$pavon" --headless --frames 300 --input keys.txt --record session.txt --save-state recorded.pvn >/dev/null
"$pavon" --headless --input session.txt --save-state replayed.pvn >/dev/null
cmp recorded.pvn replayed.pvn || fail "the replay ends elsewhere"
typed=$(dd if=recorded.pvn bs=1 skip=$((65536 + 32 * 6)) count=32 status=none | tr -d '\177' | sed 's/ *$//')
[[ $typed == ABC ]] || fail "row 6 of the screen: '$typed'"
[[ $(tail -n 1 session.txt) == "299 down Escape" ]] || fail "the recording ends with '$(tail -n 1 session.txt)'"

echo "case: Ctrl+C ends a recorded run, whose recording replays to the same state file"
"$pavon" --headless --input keys.txt --record killed.txt --save-state killed.pvn >/dev/null &
sleep 2
kill -INT $!
wait $! || fail "status $? after Ctrl+C"
"$pavon" --headless --input killed.txt --save-state killed_replay.pvn >/dev/null
cmp killed.pvn killed_replay.pvn || fail "the replay of the killed run ends elsewhere"
echo "PASS"
