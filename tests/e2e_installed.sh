#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR as a distribution would (prefix
# /usr), validates the desktop entry and the AppStream metainfo, checks that
# every icon size is there, and starts the installed program under Xvfb.
#   e2e_installed.sh BUILD_DIR E2E_EXIT_SCRIPT
set -euo pipefail
build="$1"
e2e_exit="$2"
id=example.orvanta.MetalWeight

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$usr/share/metainfo/$id.metainfo.xml"

missing=0
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
  icon="$usr/share/icons/hicolor/$size/apps/$id.png"
  if ! file "$icon" | grep -q "PNG image data, ${size/x/ x }"; then
    echo "missing or wrong icon: $icon"; missing=1
  fi
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || { echo "missing scalable icon"; missing=1; }
for doc in man/man1/metal-weight.1.gz doc/metal-weight/copyright doc/metal-weight/changelog.Debian.gz; do
  [ -s "$usr/share/$doc" ] || { echo "missing $doc"; missing=1; }
done
[ "$missing" -eq 0 ]

# The entry starts what was installed.
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/applications/$id.desktop")
[ -x "$usr/bin/$exec_line" ] || { echo "Exec=$exec_line is not an installed program"; exit 1; }

QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  "$e2e_exit" "$usr/bin/$exec_line" "$build/installed-window.png"
