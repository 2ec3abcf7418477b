# Shared by the end-to-end scripts (source it): a private X server, the
# calculator's window, and an end to everything started, last first.
e2e_pids=()
e2e_work=$(mktemp -d)
chmod 700 "$e2e_work"
# Folders of its own, never the machine's user's.
export XDG_RUNTIME_DIR="$e2e_work" HOME="$e2e_work/home" XDG_CONFIG_HOME="$e2e_work/config" \
  XDG_DATA_HOME="$e2e_work/data" XDG_CACHE_HOME="$e2e_work/cache" XDG_STATE_HOME="$e2e_work/state"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
e2e_end() {
  for ((i = ${#e2e_pids[@]} - 1; i >= 0; i--)); do kill "${e2e_pids[$i]}" 2>/dev/null || true; done
  # A process that was just told to end may still be writing its log there.
  rm -rf "$e2e_work" 2>/dev/null || { sleep 0.5 && rm -rf "$e2e_work"; } || true
}
trap e2e_end EXIT

# Runs a command in the background until the script ends; $! is its id.
e2e_start() { "$@" & e2e_pids+=($!); }

# Runs a command (the arguments after $1) every 0.05 s until it succeeds;
# fails once $1 seconds have passed without.
e2e_until() {
  local end=$((SECONDS + $1))
  until "${@:2}"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.05; done
}

# Runs a check (the arguments after $1), saying $1 when it fails and counting
# it in e2e_failed: a list of checks tells every failure, then
# `[ "$e2e_failed" -eq 0 ]` ends the test.
e2e_failed=0
e2e_check() { "${@:2}" || { echo "$1"; e2e_failed=$((e2e_failed + 1)); }; }

# An X server on a display it picks itself, so tests may run side by side.
e2e_display() {
  e2e_start Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$e2e_work/display"
  e2e_until 30 e2e_display_answers || { echo "no X server within 30 s" >&2; return 1; }
}
e2e_display_answers() {
  [ -s "$e2e_work/display" ] && export DISPLAY=":$(cat "$e2e_work/display")" && xdotool getmouselocation >/dev/null 2>&1
}

# Saves a screenshot of window $1 as $2 once it is drawn: mapped is not yet
# drawn, so it must show more than the background.
e2e_drawn() { import -window "$1" "$2" 2>/dev/null && [ "$(identify -format %k "$2")" -gt 8 ]; }

# Prints the id of the calculator's window once process $1 shows it.
e2e_window() {
  local end=$((SECONDS + 30))
  until xdotool search --onlyvisible --name '^Vevari Radidu Zezareruze$' 2>/dev/null | head -n 1 | grep .; do
    kill -0 "$1" 2>/dev/null || { echo "the program ended before showing its window" >&2; return 1; }
    [ "$SECONDS" -lt "$end" ] || { echo "no window titled like the calculator within 30 s" >&2; return 1; }
    sleep 0.02
  done
}

# A print server of the test's own, never the machine's: configuration,
# spool, logs and socket in the work folder, CUPS_SERVER naming it, and the
# queues named (printing into /dev/null), the first the default.
e2e_print_server() {
  local root="$e2e_work/cups"
  mkdir -p "$root"/spool "$root"/cache "$root"/state "$root"/tmp "$root"/log
  printf 'Listen %s/cups.sock\nBrowsing No\nWebInterface No\nDefaultPolicy open\n<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n' \
    "$root" >"$root/cupsd.conf"
  printf 'ServerRoot %s\nRequestRoot %s/spool\nCacheDir %s/cache\nStateDir %s/state\nTempDir %s/tmp\nErrorLog %s/log/error_log\nAccessLog %s/log/access_log\nPageLog %s/log/page_log\nFileDevice Yes\n' \
    "$root" "$root" "$root" "$root" "$root" "$root" "$root" "$root" >"$root/cups-files.conf"
  export CUPS_SERVER="$root/cups.sock"
  e2e_start /usr/sbin/cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf"
  e2e_until 30 e2e_scheduler_runs || { echo "the private print server did not start within 30 s" >&2; return 1; }
  for queue in "$@"; do
    lpadmin -p "$queue" -v file:///dev/null -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  done
  lpadmin -d "$1"
}
e2e_scheduler_runs() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
