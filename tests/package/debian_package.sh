#!/usr/bin/env bash
# debian_package.sh BUILD-FOLDER X11-TOOL: builds the Debian package, has lintian check it, checks
# its dependencies and where its files land, and runs the unpacked program: it copies, and the
# line outlives its window.
set -euo pipefail
. "$(dirname "$0")/../xvfb.sh"
build=$1 x11_tool=$2

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/karvosel_*.deb)
echo "built $(basename "$deb")"

# Tests run as root here; informational tags are shown but only errors and warnings fail.
lintian --allow-root --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
cat "$work/lintian.log"

depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt Widgets: $depends"
[[ $depends == *libxcb1* ]] || fail "Depends lacks libxcb1 (the clipboard helper): $depends"
[[ $recommends == *fonts-wqy-microhei* ]] || fail "Recommends lacks a Chinese font: $recommends"

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/karvosel usr/libexec/karvosel/karvosel-clipboard \
    usr/share/applications/org.karvosel.Karvosel.desktop \
    usr/share/metainfo/org.karvosel.Karvosel.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/karvosel.svg \
    usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/karvosel.png; do
    [ -e "$root/$file" ] || fail "$file is missing"
done
# The helper is started by the window only, so the one command on PATH is karvosel.
commands=$(ls -A "$root/usr/bin" 2>&1 || true)
[ "$commands" = karvosel ] || fail "usr/bin should hold karvosel alone, holds: $commands"

version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/karvosel/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$logged" = "$version" ] || fail "the changelog's latest version is $logged, the package's $version"

# The installed program finds the installed clipboard helper, which keeps the line after closing.
expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'
open_karvosel "$root/usr/bin/karvosel"
click_copy
wait_until clipboard_is "$expected" || fail "the installed program did not copy"
"$x11_tool" close "$window"
wait_until karvosel_gone || fail "the installed program did not exit after its window closed"
clipboard_is "$expected" || fail "the installed helper did not keep the line"
echo "PASS: Depends: $depends"
