#!/usr/bin/env bash
# End to end: start the real program on an X server, wait for its window,
# save a screenshot, press Alt+E and expect the program to end by itself with
# status 0. Run under xvfb-run (CTest does that).
set -euo pipefail
program="$1"
shot="$2"
title='^Vevari Radidu Zezareruze$'

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
trap 'rm -rf "$runtime"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true' EXIT

"$program" & pid=$!
wid=""
for _ in $(seq 500); do
  wid=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing its window"; exit 1; }
  sleep 0.02
done
[ -n "$wid" ] || { echo "no window titled like the calculator within 10 s"; exit 1; }

sleep 0.3
import -window "$wid" "$shot"
echo "screenshot: $shot"

xdotool windowfocus --sync "$wid"
xdotool key alt+e
for _ in $(seq 250); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    pid=""
    echo "exit status: $status"
    [ "$status" -eq 0 ]
    exit
  fi
  sleep 0.02
done
echo "the program did not end within 5 s of Alt+E"
exit 1
