#!/usr/bin/env bash
# The manual pages: groff finds nothing to warn about, and each page's
# OPTIONS describe exactly the options that the program's --help lists, so
# an option added to a program without its line in the page fails here.
# Usage: man_pages.sh PAGES_FOLDER PROGRAM...
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../window/lib.sh"  # fail

pages=$1
shift
# option_names: the -x and --name words of standard input, one a line.
option_names() {
  grep -oE -- '(^|[[:space:],["])--?[A-Za-z][A-Za-z0-9-]*' | sed 's/^[^-]*//' | sort -u
}

for program in "$@"; do
  name=$(basename "$program")
  page="$pages/$name.1"
  echo "case: $name(1)"
  warnings=$(groff -ww -z -man "$page" 2>&1) || fail "groff cannot read $page"
  [[ -z $warnings ]] || fail "$page: $warnings"
  help=$("$program" --help 2>&1) || fail "$name --help does not exit 0"
  # The words of the lines that follow .TP in the page's OPTIONS section.
  described=$(awk '/^\.SH/ { in_options = ($2 == "OPTIONS") }
                   in_options && tagged { print }
                   { tagged = in_options && /^\.TP/ }' "$page" | sed 's/\\-/-/g' | option_names)
  listed=$(option_names <<<"$help")
  missing=$(comm -23 <(echo "$listed") <(echo "$described"))
  extra=$(comm -13 <(echo "$listed") <(echo "$described"))
  [[ -z $missing ]] || fail "$page does not describe ${missing//$'\n'/ } that $name --help lists: add an entry under OPTIONS"
  [[ -z $extra ]] || fail "$page describes ${extra//$'\n'/ } that $name --help does not list"
done
echo "PASS"
