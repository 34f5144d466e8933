#!/usr/bin/env bash
# shipped_exe.sh OBJDUMP EXE ARCHITECTURE BUILD-DIR ZIP: the program runs as a single file on every
# Windows from 7 SP1 to 11: it imports only functions of the list of those that Windows 7 SP1 has
# for ARCHITECTURE; its manifest declares what each of them reads, for ARCHITECTURE; and
# `cpack -G ZIP` ships it alone in ZIP.
set -euo pipefail
. "$(dirname "$0")/../../scratch.sh"
objdump=$1 exe=$2 architecture=$3 build=$4 zip=$5
table=$("$objdump" -p "$exe")
# Every function the exe imports, as "dll function", against the list of those known to exist on
# Windows 7 SP1: a function looked up at run time, a DLL that Windows does not ship, or a toolchain
# update that brings in a newer function fails here, not on Windows 7.
imported=$(awk '/DLL Name:/ { dll = tolower($3) } /^[[:space:]]*$/ { dll = "" }
                dll && NF == 3 && $2 ~ /^[0-9]+$/ { print dll, $3 }' <<<"$table" | LC_ALL=C sort)
[ -n "$imported" ] || fail "no imported functions found in $exe"
known=$(grep -v '^#' "$(dirname "$0")/windows7_imports_$architecture.txt")
unknown=$(LC_ALL=C comm -23 <(echo "$imported") <(echo "$known"))
[ -z "$unknown" ] || fail "imports functions not yet checked against Windows 7:" $unknown

# Windows 7 to 8.1 read dpiAware, Windows 10 from 1607 dpiAwareness, from 1703 its first value.
for declaration in "<dpiAware [^>]*>true</dpiAware>" \
    "<dpiAwareness [^>]*>PerMonitorV2, PerMonitor</dpiAwareness>" \
    "name=\"Karvosel.Karvosel\" [^>]*processorArchitecture=\"$architecture\"" \
    '35138b9a-5d96-4fbd-8e2d-a2440225f93a' '4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38' \
    '1f676c76-80e1-4239-95bb-83d0f6d0da78' '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'; do
    grep -aqE "$declaration" "$exe" || fail "the manifest lacks $declaration"
done
# UTF-8 as the ANSI code page would garble the names of a narrow (ANSI) file list dropped on it.
! grep -aq '<activeCodePage' "$exe" || fail "the manifest sets activeCodePage"

cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || fail "cpack: $(cat "$work/cpack.log")"
content=$(cd "$work" && cmake -E tar tf "$zip" 2>&1) || fail "no $zip: $(ls "$work")"
[ "$content" = karvosel.exe ] || fail "the zip holds [$content]"
echo "PASS: imports only functions of Windows 7 SP1; the manifest; $zip holds karvosel.exe"
