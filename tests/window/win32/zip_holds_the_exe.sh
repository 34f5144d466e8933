#!/usr/bin/env bash
# zip_holds_the_exe.sh BUILD-DIR VERSION: `cpack -G ZIP` makes karvosel-VERSION-win64.zip, which
# holds karvosel.exe and nothing else.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G ZIP --config "$1/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
    { echo "FAIL: cpack failed: $(cat "$work/cpack.log")"; exit 1; }
zip="$work/karvosel-$2-win64.zip"
[ -f "$zip" ] || { echo "FAIL: no $(basename "$zip"): $(ls "$work")"; exit 1; }
content=$(cd "$work" && cmake -E tar tf "$zip")
[ "$content" = karvosel.exe ] || { echo "FAIL: the zip holds [$content]"; exit 1; }
echo "PASS: $(basename "$zip") holds karvosel.exe"
