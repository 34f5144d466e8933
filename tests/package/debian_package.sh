#!/usr/bin/env bash
# debian_package.sh BUILD-FOLDER: builds the Debian package, checks its dependencies and where
# its files land, and starts the unpacked program.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/karvosel_*.deb)
echo "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt Widgets: $depends"
[[ $depends == *libxcb1* ]] || fail "Depends lacks libxcb1 (the clipboard helper): $depends"
[[ $recommends == *fonts-wqy-microhei* ]] || fail "Recommends lacks a Chinese font: $recommends"

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/karvosel usr/bin/karvosel-clipboard \
    usr/share/applications/org.karvosel.Karvosel.desktop \
    usr/share/metainfo/org.karvosel.Karvosel.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/karvosel.svg; do
    [ -e "$root/$file" ] || fail "$file is missing"
done
for size in 16 24 32 48 64 128 256; do
    [ -e "$root/usr/share/icons/hicolor/${size}x${size}/apps/karvosel.png" ] ||
        fail "the ${size}x${size} icon is missing"
done
[ -x "$root/usr/bin/karvosel" ] || fail "usr/bin/karvosel is not executable"

QT_QPA_PLATFORM=offscreen "$root/usr/bin/karvosel" >"$work/run.log" 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the installed program did not keep running: $(cat "$work/run.log")"
echo "PASS: Depends: $depends"
