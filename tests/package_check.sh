#!/usr/bin/env bash
# Checks the Debian package as a distribution would: lintian reports no error
# and no warning but the one a package outside Debian always gets, and the
# program extracted from the package starts and ends under Xvfb.
#   package_check.sh PACKAGE.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
deb="$1"

report=$(lintian "$deb" 2>/dev/null || true)
echo "$report"
if echo "$report" | grep -E '^[EW]: ' | grep -v ' initial-upload-closes-no-bugs '; then
  echo "lintian: errors or warnings above"; exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
dpkg-deb -f "$deb" Depends | grep -q fonts-liberation || { echo "fonts-liberation missing from Depends"; exit 1; }
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  "$here/e2e_exit.sh" "$root/usr/bin/metal-weight" "$root/window.png"
