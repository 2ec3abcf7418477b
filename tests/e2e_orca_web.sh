#!/usr/bin/env bash
# What a screen-reader user hears on the web page: Orca, default settings,
# with Debian's Chromium showing build-web/site/index.html. The same private
# X server, session bus, AT-SPI bus, window manager and silent speech as the
# window's walk (e2e_orca.sh); a weighing, a store and a refusal by keyboard,
# each key's SPEECH OUTPUT lines from Orca's debug log checked.
#   e2e_orca_web.sh SITE_DIR [TRANSCRIPT]
set -euo pipefail
site="$(cd "$1" && pwd)"
transcript="${2:-/dev/null}"

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
if [ -z "${E2E_ORCA_INSIDE:-}" ]; then
  e2e_display
  export HOME="$e2e_work" XDG_CONFIG_HOME="$e2e_work/config" WORK="$e2e_work"
  mkdir -p "$XDG_CONFIG_HOME"
  echo "default_driver=null" >"$HOME/.libao"
  cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
  printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n' \
    >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  export E2E_ORCA_INSIDE=1
  dbus-run-session -- "$0" "$@"
  exit
fi

cleanup() {
  kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)" 2>/dev/null || true
  e2e_end
  [ -z "${E2E_ORCA_LOG:-}" ] || cp "$log" "$E2E_ORCA_LOG"
}
trap cleanup EXIT

e2e_start /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1
e2e_start openbox >/dev/null 2>&1
log="$WORK/orca.log"
: >"$transcript"
for _ in $(seq 180); do pgrep -u "$(id -u)" -x orca >/dev/null || break; sleep 0.5; done
e2e_start script -q -f -c "orca --debug-file=/dev/tty" "$log" >/dev/null 2>&1 </dev/null
for _ in $(seq 200); do grep -q "SPEECH OUTPUT" "$log" 2>/dev/null && break; sleep 0.1; done
grep -q "SPEECH OUTPUT" "$log" || { echo "FAIL: Orca did not start"; exit 1; }
sleep 4  # Orca takes in the desktop before the browser comes
# Chromium builds its accessibility tree for a screen reader on the AT-SPI bus.
e2e_start chromium --no-sandbox --force-renderer-accessibility --no-first-run \
  --disable-gpu --user-data-dir="$WORK/chromium" --app="file://$site/index.html" >/dev/null 2>&1

failures=0
heard=
settle() {
  for _ in $(seq 80); do
    sleep 0.1
    spoken "$1" | grep -qF -- "${2:-}" && break
  done
  sleep 1.5  # and whatever follows it
}
spoken() {
  tail -c +"$(($1 + 1))" "$log" | tr -d '\r' |
    perl -0777 -ne 'while (/SPEECH OUTPUT: \x27(.*?)\x27 ?[[{]/sg) { ($t = $1) =~ s/\s+/ /g; print "$t\n" }'
}
press() {
  local mark
  mark=$(stat -c %s "$log")
  xdotool key --delay 150 "${@:2}"
  settle "$mark" "${first_expected:-}"
  heard=$(spoken "$mark" | paste -sd'|')
  printf '| %s | %s | %s |\n' "$1" "${*:2}" "$heard" >>"$transcript"
}
expect() {
  for w in "$@"; do
    if ! grep -qF -- "$w" <<<"$heard"; then
      echo "FAIL: expected '$w' in: $heard"
      failures=$((failures + 1))
    fi
  done
}
step() { first_expected="$3"; press "$1" $2; shift 2; expect "$@"; }

# The page opens; Orca reads it once the lists are filled.
for _ in $(seq 300); do spoken 0 | grep -q "Steel (Default)" && break; sleep 0.1; done
sleep 3
heard=$(spoken 0 | paste -sd'|')
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
