#!/usr/bin/env bash
# End to end through the real accessibility stack: a private X server, a
# session bus, the AT-SPI bus and the program, then e2e_accessibility.py
# walks the window with the keyboard and reads what a screen reader is told.
#   e2e_accessibility.sh PROGRAM
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$1"

work=$(mktemp -d)
chmod 700 "$work"
pids=()
cleanup() {
  # The program first, the X server last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A free display number of our own.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done

export XDG_RUNTIME_DIR="$work"
eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 && break
  sleep 0.05
done

# The browser stand-in: records each address it is asked to open.
mkdir "$work/bin"
printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" OPENED="$work/opened"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb "$program" & pids+=($!)
/usr/bin/python3 "$here/e2e_accessibility.py" "$program"
