#!/usr/bin/env bash
# End to end: start the real program on a private X server, wait for its
# window, save a screenshot, press Alt+E and expect the program to end by
# itself with status 0.
#   e2e_exit.sh PROGRAM SCREENSHOT
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_display
QT_QPA_PLATFORM=xcb e2e_start "$1"
pid=$!
wid=$(e2e_window "$pid")
e2e_until 10 e2e_drawn "$wid" "$2" || true

xdotool windowfocus --sync "$wid"
xdotool key alt+e
e2e_until 30 eval '! kill -0 "$pid" 2>/dev/null' ||
  { echo "the program did not end within 30 s of Alt+E"; exit 1; }
status=0
wait "$pid" || status=$?
echo "exit status: $status"
[ "$status" -eq 0 ]
