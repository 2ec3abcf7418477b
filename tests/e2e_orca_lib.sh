# Shared by the Orca walks (source it after e2e_lib.sh): Orca itself, with
# its default settings, on a private X server, session bus, AT-SPI bus and
# window manager, speaking for real into libao's null device (with no sound
# card the default output hangs speech-dispatcher and Orca with it); what it
# says after each key is read from its debug log.
# TRANSCRIPT, when set, receives every key and what Orca said after it;
# E2E_ORCA_LOG=FILE keeps Orca's whole debug log.

# Outside the private session bus, prepares and runs the calling script again
# inside one, then ends; inside, returns at once. Call as: orca_session "$@"
orca_session() {
  [ -z "${E2E_ORCA_INSIDE:-}" ] || return 0
  orca_prepare
  dbus-run-session -- "$0" "$@"
  exit
}

# The display, home and speech settings.
orca_prepare() {
  e2e_display
  export HOME="$e2e_work" XDG_CONFIG_HOME="$e2e_work/config" WORK="$e2e_work"
  mkdir -p "$XDG_CONFIG_HOME" "$WORK/bin"
  echo "default_driver=null" >"$HOME/.libao"
  cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
  printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n' \
    >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  # Its own accessibility bus and speech-dispatcher, found through its own
  # session bus and runtime folder rather than addresses given from outside.
  unset AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS
  export E2E_ORCA_INSIDE=1
}

# Inside the session bus: the accessibility bus, a window manager and Orca,
# ready once it has spoken and then been quiet; what Orca spawned ends with
# what was started here.
orca_start() {
  trap orca_end EXIT
  e2e_start /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1
  e2e_start openbox >/dev/null 2>&1
  log="$WORK/orca.log"
  : >"${transcript:=/dev/null}"
  # Orca will not start beside another Orca of the same user (another test
  # run): wait for that one to end.
  for _ in $(seq 180); do pgrep -u "$(id -u)" -x orca >/dev/null || break; sleep 0.5; done
  # Run under script(1), Orca writes its debug log line by line as it speaks.
  e2e_start script -q -f -c "orca --debug-file=/dev/tty" "$log" >/dev/null 2>&1 </dev/null
  for _ in $(seq 600); do grep -q "SPEECH OUTPUT" "$log" 2>/dev/null && break; sleep 0.1; done
  grep -q "SPEECH OUTPUT" "$log" || { echo "FAIL: Orca did not speak within 60 s"; exit 1; }
  QUIET=20 quiet 0  # Orca takes in the desktop before the program comes
}
orca_end() {
  kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null)" 2>/dev/null || true
  e2e_end
  [ -z "${E2E_ORCA_LOG:-}" ] || cp "$log" "$E2E_ORCA_LOG"
}

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
# of a second (10 by default; 30 s at most). Every awaited word is waited for
# on its own, so this only catches what follows them.
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
