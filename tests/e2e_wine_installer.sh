#!/usr/bin/env bash
# The Windows installer under wine, as a user meets it: installed silently into
# a fresh wine prefix, the installed program started on a private X server, a
# plate of 0.5 in x 12 in x 10 ft calculated by keyboard and the weight read
# back off the window (OCR), Alt+E, then the uninstaller, which must leave
# nothing behind: no program folder, no Start-menu entry, no entry in the list
# of installed programs.
#   e2e_wine_installer.sh INSTALLER.exe [SCREENSHOT]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/e2e_lib.sh"
installer=$(realpath "$1")
shot="${2:-$e2e_work/window.png}"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEPREFIX="$e2e_work/wine" WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "FAIL: $*"; exit 1; }
# Wine's server outlives the program; it ends before its prefix is removed.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; e2e_end' EXIT

e2e_display
"$wine" wineboot --init
# Whatever wine itself keeps changing (its own folders, temporary files) is
# left out of the before-and-after comparison.
files() {
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
}
files >"$e2e_work/before"

# /D= comes last and without blanks: wine quotes an argument with blanks, and
# the installer then ignores it.
"$wine" "$installer" /S '/D=C:\MetalWeight'
dir="$WINEPREFIX/drive_c/MetalWeight"
# The installer returns before it has written its uninstaller.
for _ in $(seq 300); do [ -f "$dir/Uninstall.exe" ] && break; sleep 0.1; done
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller 30 s after the installer started"
for f in metal-weight.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll \
  libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
  platforms/qwindows.dll styles/qwindowsvistastyle.dll LICENSE.txt; do
  [ -s "$dir/$f" ] || fail "$f was not installed"
done
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vevari Radidu Zezareruze"
[ -f "$menu/Vevari Radidu Zezareruze.lnk" ] || fail "no Start-menu entry"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\metal-weight'
"$wine" reg query "$uninstall_key" /v DisplayName | grep -q 'Vevari Radidu Zezareruze' ||
  fail "no entry in the list of installed programs"

# The installed program, by keyboard: Plate, 0.5 in, 12 in, 10 ft, Calculate.
e2e_start "$wine" 'C:\MetalWeight\metal-weight.exe'
pid=$!
wid=$(e2e_window "$pid")
sleep 1
xdotool windowfocus --sync "$wid"
xdotool key --delay 120 Tab p Tab 0 period 5 Tab Tab 1 2 Tab Tab 1 0 Tab f Tab Tab Tab Return
sleep 1
import -window "$wid" "$shot"
convert "$shot" -resize 300% -colorspace Gray "$e2e_work/large.png"
read_back=$(tesseract "$e2e_work/large.png" - 2>/dev/null)
grep -q '204\.19' <<<"$read_back" || fail "204.19 not read off the window; read: $read_back"

xdotool windowfocus --sync "$wid"
xdotool key alt+e
for _ in $(seq 250); do kill -0 "$pid" 2>/dev/null || break; sleep 0.04; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end within 10 s of Alt+E"

"$wine" "$dir/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself after this returns: wait
# until it has removed all it will.
gone() { [ ! -e "$dir" ] && [ ! -e "$menu" ] && ! "$wine" reg query "$uninstall_key" >/dev/null 2>&1; }
for _ in $(seq 60); do gone && break; sleep 0.5; done
[ -e "$dir" ] && fail "the program folder is still there: $(cd "$dir" && find . | head)"
[ -e "$menu" ] && fail "the Start-menu entry is still there"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
/usr/lib/wine/wineserver -w # the uninstaller's copy of itself has ended
files >"$e2e_work/after"
diff "$e2e_work/before" "$e2e_work/after" || fail "files left behind (above)"
echo "installed, calculated 204.19, exited and uninstalled without a trace"
