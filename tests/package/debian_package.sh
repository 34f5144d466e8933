#!/usr/bin/env bash
# debian_package.sh BUILD-FOLDER NO-CLOSE-RANGE: builds the Debian package, has lintian check it,
# checks its dependencies and where its files land, and has the unpacked program pass the same
# real-display test as the built one.
set -euo pipefail
. "$(dirname "$0")/../scratch.sh"
build=$1 no_close_range=$2

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

"$(dirname "$0")/../window/qt/karvosel_on_x11.sh" "$root/usr/bin/karvosel" \
    "$root/usr/libexec/karvosel/karvosel-clipboard" "$no_close_range"
echo "PASS: Depends: $depends"
