#!/usr/bin/env bash
# What a screen-reader user hears: Orca itself, with its default settings, on
# the real window, walked by keyboard (tests/e2e_orca_lib.sh). Two walks,
# each with an Orca of its own: the window's controls, or printing.
#   e2e_orca.sh PROGRAM TRANSCRIPT window|print
set -euo pipefail
program="$1"
transcript="$2"
walk="$3"

here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/e2e_lib.sh"
source "$here/e2e_orca_lib.sh"
orca_session "$@"
# The browser stand-in records each address it is asked to open.
printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"

[ "$walk" = window ] || e2e_print_server Office Basement
orca_start

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb e2e_start "$program" >/dev/null 2>&1

# The window opens with the alloy list focused.
settle 0 "Alloy" "combo box" "Steel (Default)"
heard=$(spoken 0 | paste -sd'|')
printf '| %s | %s | %s |\n' "window opens" "" "$heard" >>"$transcript"
expect "Alloy" "combo box" "Steel (Default)"

window_walk() {
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
  step "other link" "Tab Tab" "Telmarin, Inc. link" "https://www.telmarin.example/"
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
}

print_walk() {
  # One stored result, then the Print Results button.
  step "diameter" "Tab Tab 1" "Diameter"
  step "length" "Tab Tab 1 2" "Length"
  step "calculate" "Tab Tab Tab Tab Return" "pounds"
  step "store" "Tab Tab Return" "Result stored, 1 result"
  step "to Print Results" "Tab Tab" "Print Results"
  # Printing: the dialog opens on the print server's default queue; the
  # printer list says its entries on arrow keys; a job for the queue; then a
  # PDF file through the file button and its chooser, the file chosen said
  # back; then a cancel.
  step "print" Return "Print dialog"
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
  step "print once more" Return "Print dialog"
  step "then cancel" Escape "Printing cancelled"
  # Long prints of 100 stored lines. 999 copies (some 4000 pages): the
  # progress is heard, where-am-I names the Cancel button, and Escape in the
  # progress window is heard as a cancel. Then 499 copies (some 2000 pages:
  # progress on a fast machine, an end within a minute or two on a loaded one)
  # is heard to its end. The dialog opens on the file chosen last.
  step "to Store Result" "shift+Tab shift+Tab" "Store Result"
  mark=$(stat -c %s "$log")
  xdotool key --delay 40 $(printf 'Return %.0s' {1..99})
  await "Result stored, 100 results" 60
  step "to Print Results" "Tab Tab" "Print Results"
  long_print=$(stat -c %s "$log")
  step "print dialog for a long print" Return "Print dialog"
  step "copies" alt+c "Copies"
  QUIET=0 step "999 copies: the progress" "9 9 9 Return" "Printing"
  expect " pages"
  step "where am I while it prints" KP_Enter "Cancel"
  expect "push button"
  step "Escape in the progress window" Escape "Printing cancelled"
  refute "Report printed"
  step "print dialog for a long print again" Return "Print dialog"
  step "copies again" alt+c "Copies"
  QUIET=0 step "499 copies" "4 9 9 Return" "return"
  await "Report printed, " 240
  expect "pages, to report.pdf"
  ! tail -c +"$((long_print + 1))" "$log" | grep -q "DELUGE" ||
    { echo "FAIL: Orca was flooded during the long prints"; failures=$((failures + 1)); }
}

"${walk}_walk"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
