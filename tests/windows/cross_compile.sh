#!/usr/bin/env bash
# cross_compile.sh SOURCE-ROOT KARVOSEL-RC: compiles the user32 call against the Windows
# headers, links it into a small program against user32, and compiles the resource file.
set -euo pipefail
root=$1 rc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/main.cpp" <<'PROGRAM'
#include "window/topmost_windows.h"
int main() { MakeTopmost(0); }
PROGRAM
x86_64-w64-mingw32-g++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -I"$root" \
    "$root/window/topmost_windows.cpp" "$work/main.cpp" -luser32 -o "$work/topmost.exe"
x86_64-w64-mingw32-windres "$rc" -O coff -o "$work/karvosel.res.o"
x86_64-w64-mingw32-objdump -h "$work/karvosel.res.o" | grep -q '\.rsrc' ||
    { echo "FAIL: the resource file produced no resources"; exit 1; }
echo "PASS: user32 call and resources compile for Windows"
