#!/usr/bin/env bash
# Checks that no source file includes a header of a layer above its own,
# that nothing below the host includes SDL, and that the programs built from
# the lower layers alone do not load it.
# Usage: layers.sh SOURCE_DIR [PROGRAM...]
set -euo pipefail
cd "${1:?usage: layers.sh SOURCE_DIR [PROGRAM...]}"
shift

core="machine cpu bus video"
# folder: the folders its files may include from
declare -A allowed=(
  [machine]="machine"
  [cpu]="$core"
  [bus]="$core"
  [video]="$core"
  [isa]="$core isa"
  [debugger]="$core isa symbols debugger"
  [rewind]="$core isa debugger rewind"
  [dap]="$core isa symbols debugger rewind dap"
  [platform]="platform"
  [display]="$core isa debugger rewind platform display shell"
  [shell]="$core isa symbols debugger rewind dap platform display shell"
  [symbols]="$core symbols"
  [tools]="$core isa symbols platform tools"
  [web]="$core isa debugger rewind platform display shell web"
)
below_host="machine cpu bus video isa symbols debugger rewind dap platform tools"

status=0
for folder in "${!allowed[@]}"; do
  while IFS=: read -r file line text; do
    included=${text#*\"}
    included=${included%%\"*}
    included_folder=${included%%/*}
    if [[ " ${allowed[$folder]} " != *" $included_folder "* ]]; then
      echo "$file:$line: includes $included, above its layer"
      status=1
    fi
  done < <(grep -rn '^#include "' "$folder" || true)
done
for folder in $below_host; do
  if grep -rn '^#include <SDL' "$folder"; then
    echo "$folder: includes SDL below the host layer"
    status=1
  fi
done
for program in "$@"; do
  if ldd "$program" | grep -i sdl; then
    echo "$program: loads SDL"
    status=1
  fi
done
exit "$status"
