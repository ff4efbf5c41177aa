#!/usr/bin/env bash
# The editor's side, with the npm packages that scripts/test.sh installs
# (npm ci in editors/vscode): the scripted debugging session against the
# program given, or the grammar on its sample. Skipped (77) without them.
# Usage: node_tests.sh session PAVON PROGRAM_FOLDER | grammar
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
extension="$here/../../editors/vscode"
if [[ ! -d "$extension/node_modules/mocha" ]]; then
  echo "the npm packages are missing: run npm ci in editors/vscode (scripts/test.sh does)"
  exit 77
fi
cd "$extension"
case "$1" in
  session)
    PAVON_BIN=$2 PAVON_DAP_PROGRAM=$3 NODE_PATH="$extension/node_modules" \
      node_modules/.bin/mocha --reporter dot "$here/session.test.js" ;;
  grammar)
    node_modules/.bin/vscode-tmgrammar-test -g syntaxes/pavon-asm.tmLanguage.json "$here/grammar_sample.asm" ;;
esac
