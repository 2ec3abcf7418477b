#!/usr/bin/env bash
# The Windows installer under wine, as a user meets it: installed silently into
# a fresh wine prefix, with what Windows shows of it checked (the program's
# version resource, the one Start-menu shortcut and its description, the
# values of the uninstall entry), then installed again over it through its
# pages (read off the screen: the product along the bottom, a licence to read
# rather than accept, a finish page that starts the program), the program it
# started used by keyboard (a plate of 0.5 in x 12 in x 10 ft, the weight read
# back off the window by OCR) and ended with Alt+E, then the uninstaller,
# which must leave nothing behind: no program folder, no Start-menu entry, no
# entry in the list of installed programs.
#   e2e_wine_installer.sh INSTALLER.exe [SCREENSHOT]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/e2e_lib.sh"
installer=$(realpath "$1")
shot="${2:-$e2e_work/window.png}"
# The installer is named after the project's version: metal-weight-1.0.0-win64.exe.
version=$(basename "$installer" | sed -E 's/^metal-weight-(.*)-win64\.exe$/\1/')
product='Vevari Radidu Zezareruze'
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
e2e_until 30 test -f "$dir/Uninstall.exe" || fail "no uninstaller 30 s after the installer started"
/usr/lib/wine/wineserver -w
for f in metal-weight.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll \
  libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
  platforms/qwindows.dll styles/qwindowsvistastyle.dll LICENSE.txt; do
  [ -s "$dir/$f" ] || fail "$f was not installed"
done

# Properties > Details: the version resource of the installed program.
resource=$(x86_64-w64-mingw32-windres -i "$dir/metal-weight.exe" -J coff -O rc)
for value in "\"ProductName\", \"$product\"" '"CompanyName", "Orvanta, LLC"' \
  '"FileDescription", "Metal weight calculator"' \
  "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\""; do
  grep -qF "VALUE $value" <<<"$resource" || fail "no $value in the version resource: $resource"
done
grep -q "FILEVERSION ${version//./, }, 0" <<<"$resource" ||
  fail "the file version is not $version: $(grep VERSION <<<"$resource")"

# One shortcut straight in Programs, no folder and no uninstall shortcut; its
# description names the calculator, for the Start menu's search.
programs="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
shortcut="$programs/$product.lnk"
[ -f "$shortcut" ] || fail "no Start-menu shortcut: $(ls "$programs")"
[ -e "$programs/$product" ] && fail "a Start-menu folder: $(ls "$programs/$product")"
find "$programs" -iname '*uninstall*' | grep . && fail "an uninstall shortcut (above)"
strings -el "$shortcut" | grep -q 'Metal weight calculator' ||
  fail "the shortcut's description does not name the calculator: $(strings -el "$shortcut")"
strings "$shortcut" | grep -qF 'C:\MetalWeight\metal-weight.exe' || fail "the shortcut starts something else"

# The entry in the list of installed programs: numbers where Windows reads
# numbers, and the size of what was installed (in KB).
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\metal-weight'
entry=$("$wine" reg query "$uninstall_key" | tr -d '\r')
value() { sed -n -E "s/^ +$1 +(REG_[A-Z_]+) +(.*)\$/\1 \2/p" <<<"$entry"; }
[ "$(value DisplayName)" = "REG_SZ $product" ] || fail "no entry in the list of installed programs: $entry"
[ "$(value DisplayVersion)" = "REG_SZ $version" ] || fail "DisplayVersion: $(value DisplayVersion)"
[ "$(value NoModify)" = "REG_DWORD 0x1" ] || fail "NoModify is not the number 1: $(value NoModify)"
[ "$(value NoRepair)" = "REG_DWORD 0x1" ] || fail "NoRepair is not the number 1: $(value NoRepair)"
read -r type size <<<"$(value EstimatedSize)"
installed=$(du -sk --apparent-size "$dir" | cut -f1)
[ "$type" = REG_DWORD ] && [ $((size)) -gt $((installed * 95 / 100)) ] &&
  [ $((size)) -le "$installed" ] || fail "EstimatedSize $type $size for $installed KB installed"

# Installed again over it, through the pages, by keyboard. Each page is
# read off the screen until it shows what it should.
wid=
page_text=
page() { # TEXT: waits up to 30 s for the installer's page to show TEXT
  local last=""
  for _ in $(seq 60); do
    # (each page adds its own name to the title: "... Setup: License Agreement")
    wid=$(xdotool search --onlyvisible --name "^$product Setup" 2>/dev/null | head -n 1 || true)
    # From the screen as a whole (wine's window alone may be caught half
    # drawn), and read only once two looks half a second apart agree: the
    # page has been drawn and takes keys.
    if [ -n "$wid" ] && eval "$(xdotool getwindowgeometry --shell "$wid")" &&
      import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$e2e_work/page.png" 2>/dev/null; then
      local now
      now=$(md5sum <"$e2e_work/page.png")
      if [ "$now" = "$last" ]; then
        # Read twice: as it is, and with light grey made black (the text
        # along the bottom) and every word looked for on its own (the
        # buttons and the check box).
        convert "$e2e_work/page.png" -resize 300% -colorspace Gray "$e2e_work/page-1.png"
        convert "$e2e_work/page.png" -colorspace Gray -resize 400% -threshold 80% "$e2e_work/page-2.png"
        page_text=$({ tesseract "$e2e_work/page-1.png" - && tesseract "$e2e_work/page-2.png" - --psm 11; } 2>/dev/null | tr '\n' ' ')
        grep -qF "$1" <<<"$page_text" && return
      fi
      last=$now
    fi
    sleep 0.5
  done
  fail "no installer page showing \"$1\" within 30 s; read: $page_text"
}
# Next (Install, Finish: the same button) with the mouse, which needs no
# window manager to give the installer the focus.
next() { xdotool mousemove --window "$wid" $((WIDTH - 136)) $((HEIGHT - 21)) click 1; }
"$wine" "$installer" &
page "Welcome to $product Setup"
next
page "nothing to accept"
grep -qF "I Agree" <<<"$page_text" && fail "the licence asks to be agreed to: $page_text"
page "$product $version" # along the bottom of the page, not the installer's maker
grep -qF "Nullsoft" <<<"$page_text" && fail "the installer's maker along the bottom: $page_text"
next
page "Choose Install Location"
next
page "Run Vevari"
next # Finish, with Run ticked: the program starts

program() { wid=$(xdotool search --onlyvisible --name "^$product\$" 2>/dev/null | head -n 1) && [ -n "$wid" ]; }
e2e_until 30 program || fail "the finish page did not start the program within 30 s"
# Installed where it was, with its one shortcut.
"$wine" reg query "$uninstall_key" /v InstallLocation | grep -qF 'C:\MetalWeight' ||
  fail "installed again elsewhere: $("$wine" reg query "$uninstall_key" /v InstallLocation)"
[ "$(find "$programs" -iname '*.lnk' | wc -l)" -eq 1 ] || fail "not one shortcut: $(find "$programs")"

# The program the finish page started, by keyboard once it is drawn: Plate,
# 0.5 in, 12 in, 10 ft, Calculate; the weight is read off the window as soon
# as it shows (30 s at most: wine on a loaded machine is slow).
e2e_until 30 e2e_drawn "$wid" "$shot" || true
xdotool windowfocus --sync "$wid"
xdotool key --delay 120 Tab p Tab 0 period 5 Tab Tab 1 2 Tab Tab 1 0 Tab f Tab Tab Tab Return
weighed() {
  import -window "$wid" "$shot" && convert "$shot" -resize 300% -colorspace Gray "$e2e_work/large.png" &&
    read_back=$(tesseract "$e2e_work/large.png" - 2>/dev/null) && grep -q '204\.19' <<<"$read_back"
}
e2e_until 30 weighed || fail "204.19 not read off the window within 30 s; read: ${read_back:-nothing}"

xdotool windowfocus --sync "$wid"
xdotool key alt+e
e2e_until 30 eval '! program' || fail "the program did not end within 30 s of Alt+E"

"$wine" "$dir/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself after this returns: wait
# until it has removed all it will.
gone() { [ ! -e "$dir" ] && [ ! -e "$shortcut" ] && ! "$wine" reg query "$uninstall_key" >/dev/null 2>&1; }
e2e_until 30 gone || true
[ -e "$dir" ] && fail "the program folder is still there: $(cd "$dir" && find . | head)"
[ -e "$shortcut" ] && fail "the Start-menu shortcut is still there"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
/usr/lib/wine/wineserver -w # the uninstaller's copy of itself has ended
files >"$e2e_work/after"
diff "$e2e_work/before" "$e2e_work/after" || fail "files left behind (above)"
echo "installed silently and through its pages, described itself, calculated 204.19, exited and uninstalled without a trace"
