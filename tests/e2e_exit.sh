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
# Mapped is not yet drawn: the picture is kept once it shows more than the
# background.
for _ in $(seq 200); do
  import -window "$wid" "$2"
  [ "$(identify -format %k "$2")" -gt 8 ] && break
  sleep 0.05
done

xdotool windowfocus --sync "$wid"
xdotool key alt+e
for _ in $(seq 1500); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    echo "exit status: $status"
    [ "$status" -eq 0 ]
    exit
  fi
  sleep 0.02
done
echo "the program did not end within 30 s of Alt+E"
exit 1
