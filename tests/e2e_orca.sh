#!/usr/bin/env bash
# What a screen-reader user hears: Orca itself, with its default settings, on
# the real window. A private X server, session bus, AT-SPI bus, window manager
# and speech into a null sound device; the window is walked by keyboard and
# each key's SPEECH OUTPUT lines from Orca's debug log are checked.
#   e2e_orca.sh PROGRAM [TRANSCRIPT]
# TRANSCRIPT, when given, receives every key and what Orca said after it;
# E2E_ORCA_LOG=FILE keeps Orca's whole debug log.
set -euo pipefail
program="$1"
transcript="${2:-/dev/null}"

source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
if [ -z "${E2E_ORCA_INSIDE:-}" ]; then
  e2e_display
  # Speech runs for real, into libao's null device: with no sound card the
  # default output hangs speech-dispatcher and Orca with it.
  export HOME="$e2e_work" XDG_CONFIG_HOME="$e2e_work/config" WORK="$e2e_work"
  mkdir -p "$XDG_CONFIG_HOME" "$WORK/bin"
  echo "default_driver=null" >"$HOME/.libao"
  cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
  printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n' \
    >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  # The browser stand-in records each address it is asked to open.
  printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
  chmod +x "$WORK/bin/xdg-open"
  export PATH="$WORK/bin:$PATH" E2E_ORCA_INSIDE=1
  # Its own accessibility bus and speech-dispatcher, found through its own
  # session bus and runtime folder rather than addresses given from outside.
  unset AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS
  dbus-run-session -- "$0" "$@"
  exit
fi

# Inside the session bus; what Orca spawned ends with what was started here.
cleanup() {
  kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)" 2>/dev/null || true
  e2e_end
  [ -z "${E2E_ORCA_LOG:-}" ] || cp "$log" "$E2E_ORCA_LOG"
}
trap cleanup EXIT

e2e_start /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1
e2e_print_server Office Basement
e2e_start openbox >/dev/null 2>&1
log="$WORK/orca.log"
: >"$transcript"
# Orca will not start beside another Orca of the same user (another test
# run): wait for that one to end.
for _ in $(seq 180); do pgrep -u "$(id -u)" -x orca >/dev/null || break; sleep 0.5; done
# Run under script(1), Orca writes its debug log line by line as it speaks.
e2e_start script -q -f -c "orca --debug-file=/dev/tty" "$log" >/dev/null 2>&1 </dev/null
for _ in $(seq 600); do grep -q "SPEECH OUTPUT" "$log" 2>/dev/null && break; sleep 0.1; done
grep -q "SPEECH OUTPUT" "$log" || { echo "FAIL: Orca did not speak within 60 s"; exit 1; }

failures=0
heard=
# settle MARK WORDS...: waits until Orca has said each of WORDS since byte
# MARK of its log (30 s at most: a loaded machine slows Orca down), then
# until it has said nothing new for QUIET tenths of a second, so that what
# follows the awaited words is heard as well.
settle() {
  local mark=$1 deadline=$((SECONDS + 30)) w all
  shift
  while :; do
    all=1
    for w in "$@"; do spoken "$mark" | grep -qF -- "$w" || { all=; break; }; done
    [ -n "$all" ] || [ "$SECONDS" -ge "$deadline" ] && break
    sleep 0.1
  done
  quiet "$mark"
}
# quiet MARK: until Orca's speech since MARK has not grown for QUIET tenths
# of a second (30 s at most).
quiet() {
  local deadline=$((SECONDS + 30)) still=0 before now
  before=$(spoken "$1" | wc -l)
  while [ "$still" -lt "${QUIET:-10}" ] && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
    now=$(spoken "$1" | wc -l)
    if [ "$now" = "$before" ]; then still=$((still + 1)); else still=0 before=$now; fi
  done
}
# What Orca said since byte MARK of its log, one utterance a line.
spoken() {
  tail -c +"$(($1 + 1))" "$log" | tr -d '\r' |
    perl -0777 -ne 'while (/SPEECH OUTPUT: \x27(.*?)\x27 ?[[{]/sg) { ($t = $1) =~ s/\s+/ /g; print "$t\n" }'
}
# press "WHAT IS CHECKED" KEY...: presses the keys and keeps what Orca said.
press() {
  mark=$(stat -c %s "$log")
  xdotool key --delay 150 "${@:2}"
  settle "$mark" "${expected[@]}"
  heard=$(spoken "$mark" | paste -sd'|')
  printf '| %s | %s | %s |\n' "$1" "${*:2}" "$heard" >>"$transcript"
}
# await WORDS SECONDS: waits, at most SECONDS, until Orca has said WORDS
# since the last key, and keeps all it said since that key.
await() {
  local deadline=$((SECONDS + $2))
  until spoken "$mark" | grep -qF -- "$1" || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.2; done
  quiet "$mark"  # and whatever follows it
  heard=$(spoken "$mark" | paste -sd'|')
  printf '| %s | %s | %s |\n' "(until \"$1\")" "" "$heard" >>"$transcript"
  expect "$1"
}
# expect WORDS...: each of WORDS is in what Orca said after the last key.
expect() {
  for w in "$@"; do
    if ! grep -qF -- "$w" <<<"$heard"; then
      echo "FAIL: expected '$w' in: $heard"
      failures=$((failures + 1))
    fi
  done
}
# refute WORDS...: none of WORDS is in what Orca said after the last key.
refute() {
  for w in "$@"; do
    if grep -qF -- "$w" <<<"$heard"; then
      echo "FAIL: did not expect '$w' in: $heard"
      failures=$((failures + 1))
    fi
  done
}
# once WORDS: WORDS were said exactly once after the last key.
once() {
  [ "$(grep -oF -- "$1" <<<"$heard" | wc -l)" -eq 1 ] ||
    { echo "FAIL: expected '$1' once in: $heard"; failures=$((failures + 1)); }
}
expected=()
# step "WHAT IS CHECKED" "KEYS" WORDS...: presses the keys, waits for every
# one of WORDS and checks that each was said.
step() { expected=("${@:3}"); press "$1" $2; shift 2; expect "$@"; expected=(); }

QUIET=20 quiet 0  # Orca takes in the desktop before the window comes
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb e2e_start "$program" >/dev/null 2>&1

# The window opens with the alloy list focused.
settle 0 "Alloy" "combo box" "Steel (Default)"
heard=$(spoken 0 | paste -sd'|')
printf '| %s | %s | %s |\n' "window opens" "" "$heard" >>"$transcript"
expect "Alloy" "combo box" "Steel (Default)"
step "next alloy" Down "Aluminum 1100"
step "back" Up "Steel (Default)"
step "form list" Tab "Form" "combo box" "Round Bar"
step "diameter" "Tab 1" "Diameter"
step "diameter unit" Tab "Diameter unit" "combo box" "inches"
step "unit changes" Down "feet"
step "last unit" End "meters"
step "typed letter" i "inches"
step "length" "Tab 1 2" "Length"
step "to Calculate" "Tab Tab Tab Tab" "Calculate"
step "calculate" Return "2.67 pounds"
step "weight field" shift+Tab "2.67 selected"
step "where am I" KP_Enter "Calculated Weight" "2.67"
step "store" "Tab Tab Tab Return" "Result stored, 1 result"
step "store again" "Return Return" "Result stored, 3 results"
step "results list" "Tab Tab Tab Tab" "Stored results" "1 of 3" "Round Bar" "Total Weight: 2.67"
step "select the line" Down "1 of 3, selected"
step "next line" Down "2 of 3"
# Where-am-I names the place itself, right after the move as later.
step "where am I in the list" KP_Enter "2 of 3"
once "2 of 3"
# What Delete did is said first; the line left behind is not read before it.
step "remove by Delete" Delete "Result removed, 2 results left"
refute "Total Weight"
step "select again" Down "1 of 2"
step "remove by button" "shift+Tab shift+Tab shift+Tab Return" "Result removed, 1 result left"
refute "Stored results" "List with"
step "back to the list" "Tab Tab Tab" "Stored results" "List with 1 item"
step "remove by Delete" "Down Delete" "Result removed, 0 results left"
step "link" Tab "www.orvanta.example" "link"
once "www.orvanta.example"
step "open link" Return "return"
step "empty list" shift+Tab "Stored results" "no stored results"
# Printing: the dialog opens on the print server's default queue; the
# printer list says its entries on arrow keys; a job for the queue; then a
# PDF file through the file button and its chooser, the file chosen said
# back; then a cancel.
step "print" "shift+Tab shift+Tab Return" "Print dialog"
expect "Printer" "combo box" "Office"
step "next printer" Down "Print to File (PDF)"
step "back to the queue" Up "Office"
step "print to the queue" Return "Report sent to Office, 1 page"
lpstat -W all -o Office | grep -q "^Office-" ||
  { echo "FAIL: no job in the Office queue"; failures=$((failures + 1)); }
step "print again" Return "Print dialog"
expect "Office"
step "to a file" Down "Print to File (PDF)"
step "file field" Tab "Output file: text" "Vevari Radidu Zezareruze Report.pdf"
step "file button" Tab "Choose output file push button"
step "Return opens the chooser" Return "Choose Output File"
mark=$(stat -c %s "$log")
xdotool type --delay 20 "$WORK/report.pdf"
quiet "$mark"  # Orca echoes every letter
step "file chosen" Return "Output file" "$WORK/report.pdf"
step "print to the file" Return "Report printed, 1 page, to report.pdf"
pdfinfo "$WORK/report.pdf" 2>&1 | grep -q "^Title: *Vevari Radidu Zezareruze Report$" ||
  { echo "FAIL: no report with its title in $WORK/report.pdf"; failures=$((failures + 1)); }
step "print, then cancel" "Return Escape" "Printing cancelled"
# A long print (200 lines, 999 copies: some 7000 pages): the progress is
# heard, where-am-I names the Cancel button, and the outcome is heard after
# it, cancelled as finished. (A cancelled print writes nothing, so the file
# chosen is new both times.)
step "to Store Result" "shift+Tab shift+Tab" "Store Result"
mark=$(stat -c %s "$log")
xdotool key --delay 40 $(printf 'Return %.0s' {1..200})
await "Result stored, 200 results" 60
step "to Print Results" "Tab Tab" "Print Results"
long_print=$(stat -c %s "$log")
for ending in cancelled finished; do
  step "print dialog for a long print" Return "Print dialog"
  step "its options" alt+o "Options shown"
  step "copies" "Tab Tab Tab Tab Tab Tab" "Copies"
  QUIET=0 step "999 copies: the progress" "9 9 9 Return" "Printing"
  expect " pages"
  printing=$mark
  step "where am I while it prints" KP_Enter "Cancel"
  expect "push button"
  if [ "$ending" = cancelled ]; then
    step "Escape in the progress window" Escape "Printing cancelled"
    refute "Report printed"
  else
    mark=$printing
    await "Report printed, " 120
    expect "pages, to print.pdf"
  fi
done
! tail -c +"$((long_print + 1))" "$log" | grep -q "DELUGE" ||
  { echo "FAIL: Orca was flooded during the long prints"; failures=$((failures + 1)); }
step "other link" "Tab Tab Tab Tab" "Telmarin, Inc. link" "https://www.telmarin.example/"
step "round to the start" Tab "Alloy"
step "clear fields" "$(printf 'shift+Tab %.0s' {1..8}) Return" "Fields cleared"
step "refusal" "shift+Tab Return" "Illegal Input" "OK"
step "dismiss: the first field named" Return "Diameter: text"
refute "Calculate"
step "a bad diameter" "x Tab Tab Tab Tab Tab Tab Return" "Illegal Input"
step "dismiss: its text selected" Return "x selected"
# A change of form says each field with what it now holds: the round bar's
# length, in feet, stays in its slot, which the tube calls its wall.
step "a diameter and a length in feet" "2 Tab Tab 1 0 Tab f" "feet"
step "form list" "shift+Tab shift+Tab shift+Tab shift+Tab" "Round Bar"
step "another form" Down "Round Tube" "Outer Diameter 2 inches, Wall 10 feet, Length empty"
step "back to the round bar" Up "Round Bar" "Diameter 2 inches, Length 10 feet"
# Flat review, line by line to the end: the distributor and the disclaimer.
step "review top" KP_Insert+KP_Home "Alloy: Steel (Default)"
review=
for _ in $(seq 20); do
  step "review next line" KP_Page_Up ""
  review+="$heard|"
  grep -q "Disclaimer" <<<"$heard" && break
done
heard="$review"
expect "Orvanta, LLC" "P.O. Box 4127" "Phone:" "Telmarin, Inc." "www.orvanta.example" "Disclaimer"
opened=$(cat "$WORK/opened" 2>/dev/null || true)
[ "$opened" = "http://www.orvanta.example" ] ||
  { echo "FAIL: Return on the link opened '$opened'"; failures=$((failures + 1)); }
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
