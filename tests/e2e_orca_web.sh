#!/usr/bin/env bash
# What a screen-reader user hears on the web page: Orca, default settings,
# with Debian's Chromium showing build-web/site/index.html, in the same
# private session as the window's walk (tests/e2e_orca_lib.sh); a weighing, a
# store and a refusal by keyboard.
#   e2e_orca_web.sh SITE_DIR [TRANSCRIPT]
set -euo pipefail
site="$(cd "$1" && pwd)"
transcript="${2:-/dev/null}"

here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/e2e_lib.sh"
source "$here/e2e_orca_lib.sh"
orca_session "$@"

orca_start
opened=$(stat -c %s "$log")
# Chromium builds its accessibility tree for a screen reader on the AT-SPI bus.
e2e_start chromium --no-sandbox --force-renderer-accessibility --no-first-run \
  --disable-gpu --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$WORK/chromium" --app="file://$site/index.html" >/dev/null 2>&1

# The page opens; Orca reads it once the lists are filled.
settle "$opened" "Alloy combo box" "Steel (Default)"
heard=$(spoken "$opened" | paste -sd'|')
printf '| %s | %s | %s |\n' "page opens" "" "$heard" >>"$transcript"
expect "Alloy combo box" "Steel (Default)"
step "alloy list" Tab "Alloy" "Steel (Default)"
step "form list" Tab "Form" "Round Bar"
step "diameter" "Tab 2" "Diameter"
step "diameter unit" Tab "Diameter unit" "inches"
step "length" "Tab 1 0" "Length"
step "weight field" "Tab Tab Tab" "Calculated Weight" "pounds (lbs.)"
step "calculate" Tab "Calculate"
step "press" Return "8.91 pounds"
step "store" "Tab Tab Return" "Result stored, 1 result"
step "pieces" "shift+Tab shift+Tab shift+Tab shift+Tab" "Number of Pieces"
step "a bad number of pieces" "ctrl+a x Tab Tab Return" "Invalid Input" \
  "You entered an illegal value for the number of pieces"
step "dismiss: the field named" Return "Number of Pieces" "x selected"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
