#!/bin/bash
# The debugger in a real window: F1 stops the running machine and brings the
# overlay up, every further F1 executes exactly one instruction, F2 lets the
# machine run under the overlay, e leaves the overlay, Escape ends the
# program with status 0. The overlay is read back from screenshots, cell by
# cell, against the overlay's own font. Exits 77 (skipped) without xvfb-run,
# xdotool or ImageMagick's import.
set -euo pipefail
: "${PAVON_BIN:?}" "${PAVON_SOURCE_DIR:?}"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require_tools xvfb-run xdotool import python3

if [ -z "${DEBUGGER_STEP_IN_XVFB:-}" ]; then
    DEBUGGER_STEP_IN_XVFB=1 in_virtual_display 110 "$0" "$@"
    exit
fi

work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$work/shot.ppm" ]; then
        cat "$work/screen.txt" >&2
        cp "$work/shot.ppm" "${PAVON_BUILD_DIR:-/tmp}/debugger_step_failure.ppm"
    fi
    tail -n 20 "$work/pavon.log" >&2
    exit 1
}

# The program: WP = >F000, PC = >0100; at >0100 INC R0, then JMP >0100.
mkdir -p "$work/ROM"
python3 - "$work/ROM" <<'EOF'
import struct, sys
rom1 = bytearray(0x8000)
for address, word in [(0x0000, 0xF000), (0x0002, 0x0100), (0x0100, 0x0580), (0x0102, 0x10FE)]:
    rom1[address:address + 2] = struct.pack(">H", word)
open(sys.argv[1] + "/pavon1.bin", "wb").write(rom1)
open(sys.argv[1] + "/pavon2.bin", "wb").write(bytes(0x4000))
EOF

# Turns a screenshot into 24 lines of 40 characters: ' ' for a blank cell,
# '~' for a cell that is not a glyph of the font drawn in ink on paper.
cat > "$work/read_screen.py" <<'EOF'
import re, sys
font_source, shot = sys.argv[1], sys.argv[2]
glyphs = {}
code = ord("(")
for line in open(font_source):
    rows = re.findall(r'"([.#]{5})"', line)
    if len(rows) == 7:
        glyphs[tuple(["....."] + rows)] = chr(code)
        code += 1
data = open(shot, "rb").read()
fields = data.split(maxsplit=4)
assert fields[0] == b"P6" and fields[3] == b"255"
width, height, pixels = int(fields[1]), int(fields[2]), fields[4]
def kind(x, y):
    r, g, b = pixels[3 * (y * width + x):3 * (y * width + x) + 3]
    if r + g + b < 60:
        return "#"
    if abs(r - 80) < 12 and abs(g - 108) < 12 and abs(b - 207) < 12:
        return "."
    return "?"
for row in range(24):
    text = ""
    for column in range(40):
        cell = []
        for q in range(8):
            cell.append("".join(kind(column * 6 + p, row * 8 + q) for p in range(1, 6)))
        first = "".join(kind(column * 6, row * 8 + q) for q in range(8))
        if "?" in "".join(cell) + first or "#" in first:
            text += "~"
        elif all(r == "....." for r in cell):
            text += " "
        else:
            text += glyphs.get(tuple(cell), "~")
    print(text)
EOF

screen() {
    import -window "$window" -depth 8 "$work/shot.ppm"
    python3 "$work/read_screen.py" "$PAVON_SOURCE_DIR/debugger/font.cpp" "$work/shot.ppm" > "$work/screen.txt"
}
cell_text() {  # column, row, length
    sed -n "$(($2 + 1))p" "$work/screen.txt" | cut -c "$(($1 + 1))-$(($1 + $3))"
}
# Takes screenshots until the command succeeds on one, for up to ten seconds.
wait_for() {
    for _ in $(seq 40); do
        screen
        "$@" && return 0
        sleep 0.25
    done
    return 1
}
overlay_shown() { [ "$(cell_text 0 0 13)" = "CPU REGISTERS" ]; }
overlay_gone() { ! overlay_shown; }
values_changed() { [ "$(cell_text 4 1 4)" != "$pc" ] || [ "$(cell_text 4 6 4)" != "$r0" ]; }
r0_changed() { [ "$(cell_text 4 6 4)" != "$r0" ]; }

cd "$work"
"$PAVON_BIN" > "$work/pavon.log" 2>&1 &
pid=$!

window=$(window_of "$pid") || fail "no window appeared"
xdotool mousemove --window "$window" 128 96
xdotool windowfocus "$window" 2>/dev/null || true
sleep 1

# F1 while running: the processor stops and the overlay comes up.
xdotool key F1
wait_for overlay_shown || fail "F1 did not bring the overlay up"
pc=$(cell_text 4 1 4)
r0=$(cell_text 4 6 4)
[ "$pc" = 0100 ] || [ "$pc" = 0102 ] || fail "PC shown as '$pc'"

# Each further F1 executes exactly one instruction, and nothing runs
# between presses.
for step in 1 2 3 4 5; do
    if [ "$pc" = 0100 ]; then
        want_pc=0102
        want_r0=$(printf "%04X" $(((16#$r0 + 1) & 0xFFFF)))
        want_line="JMP >0100"
    else
        want_pc=0100
        want_r0=$r0
        want_line="INC R0   "
    fi
    xdotool key F1
    wait_for values_changed || fail "step $step: F1 executed nothing"
    sleep 0.5
    screen
    new_pc=$(cell_text 4 1 4)
    new_r0=$(cell_text 4 6 4)
    [ "$new_pc" = "$want_pc" ] && [ "$new_r0" = "$want_r0" ] ||
        fail "step $step: PC $pc R0 $r0 became PC $new_pc R0 $new_r0, not PC $want_pc R0 $want_r0"
    [ "$(cell_text 0 17 9)" = "$want_line" ] || fail "step $step: disassembly '$(cell_text 0 17 9)'"
    pc=$new_pc
    r0=$new_r0
done

# F2: the processor runs again, under the overlay, which follows it.
xdotool key F2
wait_for r0_changed || fail "the processor does not run after F2"
r0=$(cell_text 4 6 4)
wait_for r0_changed || fail "the processor stopped again after F2"
overlay_shown || fail "the overlay went away on F2"

# e: the overlay goes and the VDP picture is back.
xdotool key e
wait_for overlay_gone || fail "e did not leave the overlay"
grep -q '[^~]' <(cut -c 1-40 "$work/screen.txt") && fail "overlay cells are still on screen"

xdotool key Escape
status=0
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the program"
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS"
