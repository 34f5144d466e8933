#!/usr/bin/env bash
# rebuilt_packages.sh SOURCE BUILD-FOLDER GENERATOR [FILE...]: the package that `cpack -G GENERATOR`
# makes in BUILD-FOLDER (SOURCE/build/PRESET) and the one made by building the preset's packaged
# targets again, from a copy of SOURCE in a folder of another name and later, are the same bytes, as
# are each build's FILEs (named relative to its build folder); each SHA-256 file matches its package.
set -euo pipefail
. "$(dirname "$0")/../scratch.sh"
source=$1 build=$2 generator=$3
shift 3
preset=$(basename "$build")
[ "$build" -ef "$source/build/$preset" ] || fail "$build is not the build folder of a preset"
files=("$@")

# pack BUILD-FOLDER PACKAGES: packs into PACKAGES, which then holds the package, its SHA-256 and
# the FILEs.
pack() {
    mkdir "$2"
    (cd "$2" && cpack -G "$generator" --config "$1/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
        fail "cpack: $(cat "$work/cpack.log")"
    rm -r "$2/_CPack_Packages"
    (cd "$2" && sha256sum -c ./*.sha256) || fail "a SHA-256 file does not match its package"
    for file in "${files[@]}"; do cp "$1/$file" "$2"; done
}
pack "$build" "$work/first"

# Every date the second build could leave in a file is at least one zip time step (2 s) later.
packed=$(date +%s)
later() { [ "$(date +%s)" -ge $((packed + 2)) ]; }
wait_until later || fail "the clock stands still"
again=$work/karvosel-again
mkdir "$again"
tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$again" -xmf -
# The same commit: the copy shares the checkout's history.
if top=$(git -C "$source" rev-parse --show-toplevel 2>/dev/null) && [ "$top" -ef "$source" ]; then
    echo "gitdir: $(git -C "$source" rev-parse --absolute-git-dir)" >"$again/.git"
fi
(cd "$again" && cmake --preset "$preset" -DBUILD_TESTING=OFF && cmake --build --preset "$preset") \
    >"$work/build.log" 2>&1 || fail "the copy does not build: $(tail -n 20 "$work/build.log")"
pack "$again/build/$preset" "$work/second"

diff -r "$work/first" "$work/second" || fail "the second build differs from the first"
echo "PASS: the same bytes from both builds:" $(ls "$work/first")
cat "$work/first"/*.sha256
