#!/usr/bin/env bash
# The program as a distribution installs it, from the build (into a temporary
# DESTDIR, prefix /usr) or from the Debian package (which lintian passes but
# for the warning every package outside Debian gets, and which is unpacked).
# The desktop entry and the AppStream metainfo validate, every icon size and
# document is there, and the installed program starts and ends.
#   e2e_installed.sh BUILD_DIR | PACKAGE.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
id=example.orvanta.MetalWeight

# Private home and XDG folders: the validators keep caches there.
source "$here/e2e_lib.sh"
dest=$(mktemp -d)
trap 'rm -rf "$dest"; e2e_end' EXIT
if [[ "$1" == *.deb ]]; then
  report=$(lintian "$1" 2>/dev/null || true)
  echo "$report"
  if echo "$report" | grep -E '^[EW]: ' | grep -v ' initial-upload-closes-no-bugs '; then
    echo "lintian: errors or warnings above"; exit 1
  fi
  dpkg-deb -f "$1" Depends | grep -q fonts-liberation || { echo "fonts-liberation missing from Depends"; exit 1; }
  dpkg-deb -x "$1" "$dest"
else
  DESTDIR="$dest" cmake --install "$1" --prefix /usr >/dev/null
fi
usr="$dest/usr"

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$usr/share/metainfo/$id.metainfo.xml"

for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
  e2e_check "missing or wrong icon: $size" grep -q "PNG image data, ${size/x/ x }" \
    <<<"$(file "$usr/share/icons/hicolor/$size/apps/$id.png")"
done
e2e_check "missing scalable icon" test -f "$usr/share/icons/hicolor/scalable/apps/$id.svg"
for doc in man/man1/metal-weight.1.gz doc/metal-weight/copyright doc/metal-weight/changelog.Debian.gz; do
  e2e_check "missing $doc" test -s "$usr/share/$doc"
done
[ "$e2e_failed" -eq 0 ]

# The entry starts what was installed.
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/applications/$id.desktop")
[ -x "$usr/bin/$exec_line" ] || { echo "Exec=$exec_line is not an installed program"; exit 1; }
"$here/e2e_exit.sh" "$usr/bin/$exec_line" "$dest/installed-window.png"
