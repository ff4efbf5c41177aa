#!/usr/bin/env bash
# Runs the demo firmware in a real window as a person would: types on the
# keyboard, moves the sprite with the arrow keys, saves with F5, changes the
# screen, loads with F6. Each screenshot is read back cell by cell against
# the firmware's own font (taken from its second ROM image), and the sprite
# is found by its colour and compared with its shape.
# Needs PAVON_BIN and PAVON_BUILD_DIR (set by CTest). Exits 77 (skipped)
# without xvfb-run, xdotool or ImageMagick.
set -euo pipefail
WAIT_SECONDS=60
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# screen_text SHOT FONT: prints the 24 rows of 32 characters that the
# screenshot shows, then "SPRITE x y" (or "SPRITE none"). A cell matching
# no glyph prints as '?', the cursor as '_'; the sprite's pixels are left
# out of the cells. Colours are taken as the nearest of the demo's four,
# since the 16-bit window loses some of their bits.
screen_text() {
  {
    od -An -v -tu1 -N 528 "$2"
    convert "$1" -depth 8 -compress none ppm:-
  } | awk '
    BEGIN { split("40 60 138 255 255 255 252 240 80 255 160 64", c, " ") }
    function nearest(r, g, b,   k, best, d, bestd) {
      for (k = 0; k < 4; k++) {
        d = (r - c[3*k+1])^2 + (g - c[3*k+2])^2 + (b - c[3*k+3])^2
        if (k == 0 || d < bestd) { best = k; bestd = d }
      }
      return best  # 0 background, 1 text, 2 cursor, 3 sprite
    }
    NR <= 33 { for (i = 1; i <= NF; i++) rom[n_rom++] = $i; next }
    { for (i = 1; i <= NF; i++) v[n_v++] = $i }
    END {
      for (ch = 0; ch < 64; ch++) {
        key = ""
        for (row = 0; row < 8; row++) key = key " " rom[ch*8 + row]
        glyph[key] = sprintf("%c", ch + 32)
      }
      key = ""
      for (row = 0; row < 8; row++) key = key " " rom[520 + row]
      glyph[key] = "_"
      # v: P3 width height maxval, then r g b per pixel
      width = v[1]; height = v[2]
      minx = width; miny = height
      for (y = 0; y < height; y++) for (x = 0; x < width; x++) {
        p = 4 + 3 * (y * width + x)
        k = nearest(v[p], v[p+1], v[p+2])
        lit[x, y] = (k == 1 || k == 2)
        sprite[x, y] = (k == 3)
        if (k == 3) { if (x < minx) minx = x; if (y < miny) miny = y }
      }
      for (cy = 0; cy < 24; cy++) {
        line = ""
        for (cx = 0; cx < 32; cx++) {
          key = ""
          for (row = 0; row < 8; row++) {
            byte = 0
            for (col = 0; col < 8; col++) byte = byte * 2 + lit[cx*8 + col, cy*8 + row]
            key = key " " byte
          }
          line = line ((key in glyph) ? glyph[key] : "?")
        }
        print line
      }
      if (minx == width) { print "SPRITE none"; exit }
      for (row = 0; row < 8; row++) {
        byte = 0
        for (col = 0; col < 8; col++) byte = byte * 2 + sprite[minx + col, miny + row]
        if (byte != rom[512 + row]) { print "SPRITE misshapen at " minx " " miny; exit }
      }
      print "SPRITE " minx " " miny
    }'
}

# Inside the virtual display: run the program in FOLDER, drive it, and
# leave the screen texts in FOLDER/screen-*.txt.
if [[ "${1:-}" == --inside ]]; then
  folder=$2
  font=$3
  cd "$folder"
  "$PAVON_BIN" >stdout.txt 2>stderr.txt &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  window=$(window_of "$pid") || fail "no window appeared"
  timeout "$WAIT_SECONDS" xdotool windowfocus --sync "$window"

  shoot() {  # shoot NAME: screenshot, read back into screen-NAME.txt
    import -window "$window" "shot-$1.png"
    screen_text "shot-$1.png" "$font" >"screen-$1.txt"
  }
  tap() {  # tap KEY...: press and release each key, with frames in between
    for key in "$@"; do
      xdotool keydown "$key"
      sleep 0.12
      xdotool keyup "$key"
      sleep 0.12
    done
  }

  # The demo is up once its instruction check has reported.
  deadline=$((SECONDS + WAIT_SECONDS))
  until shoot boot && grep -q 'CPU CHECK' screen-boot.txt; do
    ((SECONDS < deadline)) || fail "the demo never showed its check: $(cat screen-boot.txt)"
    sleep 0.5
  done

  tap h e l l o space w o r l d Return
  tap 1 2 3 4 5 6 7 8 9 0 minus equal bracketleft bracketright semicolon apostrophe comma period slash backslash Return
  tap t e s t x
  xdotool keydown ctrl
  tap h                                  # Ctrl+H: the backspace
  xdotool keyup ctrl
  tap Right Right Right Down Down
  sleep 0.5
  shoot typed

  tap F5                                 # save ...
  deadline=$((SECONDS + WAIT_SECONDS))
  until [[ -f pavon.pvn ]]; do
    ((SECONDS < deadline)) || fail "F5 wrote no state file"
    sleep 0.2
  done
  tap x y z Left Left
  sleep 0.5
  shoot changed
  tap F6                                 # ... and load
  sleep 0.5
  shoot loaded

  xdotool key Escape
  wait_exit "$pid" || fail "Escape did not end the program"
  exit 0
fi

: "${PAVON_BIN:?PAVON_BIN must name the program}"
: "${PAVON_BUILD_DIR:?PAVON_BUILD_DIR must name the build folder}"
require_tools xvfb-run xdotool import convert
demo="$PAVON_BUILD_DIR/firmware/ROM"
[[ -f "$demo/pavon1.bin" && -f "$demo/pavon2.bin" ]] || fail "the build has not assembled the demo in $demo"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$demo" "$work/ROM"
in_virtual_display 110 "${BASH_SOURCE[0]}" --inside "$work" "$demo/pavon2.bin" ||
  fail "the run under the virtual display failed"

row() {  # row NAME N: row N of a screen, trailing blanks removed
  sed -n "$(($2 + 1))p" "$work/screen-$1.txt" | sed 's/ *$//'
}
sprite() {
  grep '^SPRITE' "$work/screen-$1.txt"
}
expect() {  # expect WHAT ACTUAL EXPECTED
  [[ "$2" == "$3" ]] || fail "$1: got '$2', expected '$3'$(printf '\n%s' "$(cat "$work"/screen-*.txt)")"
}

echo "case: the demo boots to its banner"
expect "banner" "$(row boot 0)" "   PAVON  OPEN DEMO FIRMWARE"
expect "sprite at start" "$(sprite boot)" "SPRITE 120 120"

echo "case: typed keys are echoed, Return starts a line, Ctrl+H erases"
expect "first line" "$(row typed 6)" "HELLO WORLD"
expect "digits and punctuation" "$(row typed 7)" "1234567890-=[];',./\\"
expect "third line" "$(row typed 8)" "TEST_"

echo "case: the arrow keys move the sprite a cell per press"
expect "sprite moved" "$(sprite typed)" "SPRITE 144 136"

echo "case: the machine goes on after F5 saves"
expect "typing after the save" "$(row changed 8)" "TESTXYZ_"
expect "sprite after the save" "$(sprite changed)" "SPRITE 128 136"

echo "case: F6 brings back the saved screen"
expect "first line after loading" "$(row loaded 6)" "HELLO WORLD"
expect "third line after loading" "$(row loaded 8)" "TEST_"
expect "sprite after loading" "$(sprite loaded)" "SPRITE 144 136"
expect "banner after loading" "$(row loaded 0)" "   PAVON  OPEN DEMO FIRMWARE"

[[ ! -s "$work/stderr.txt" ]] || fail "unexpected diagnostics: $(head -c 2000 "$work/stderr.txt")"
echo "PASS"
