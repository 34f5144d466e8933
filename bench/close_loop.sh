#!/usr/bin/env bash
# Opens and closes the window many times in a row and counts the close requests that karvosel
# ignored, for the dev and ci builds, on a bare private X server and under openbox. Each round
# starts karvosel, waits for its window, copies, asks the window to close as a window manager's
# close button does, and waits up to 20 s for the program to exit. Not a test: it takes minutes.
# Usage: bench/close_loop.sh [ROUNDS] (200 by default). Exits non-zero when a close was ignored.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
rounds=${1:-200}

ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev libxcb-damage0-dev xvfb \
    xdotool xclip x11-utils openbox
ensure_chinese_font
for preset in dev ci; do
    configure_and_build "$preset"
done
[ -f build/bench/CMakeCache.txt ] || cmake --preset bench
cmake --build build/bench --target x11_close

. tests/xvfb.sh

# close_rounds BUILD: prints "ignored median-ms max-ms" over $rounds rounds.
close_rounds() {
    local bin=$1/bin ignored=0 round started times=()
    for ((round = 1; round <= rounds; round++)); do
        open_karvosel "$bin/karvosel"
        click_copy
        started=$(date +%s%N)
        build/bench/bin/x11_close "$window"
        if ! wait_until karvosel_gone; then
            ignored=$((ignored + 1))
            kill "$karvosel_pid"
        fi
        wait "$karvosel_pid" 2>/dev/null || true
        times+=($((($(date +%s%N) - started) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n |
        awk -v ignored="$ignored" '{ t[NR] = $1 } END { print ignored, t[int((NR + 1) / 2)], t[NR] }'
}

results=()
for wm in none openbox; do
    [ "$wm" = none ] || start_openbox
    for preset in dev ci; do
        say "closing the $preset build's window $rounds times, window manager: $wm"
        read -r ignored median max < <(close_rounds "build/$preset")
        results+=("$(printf '%-6s %-9s %6s %8s %16s %13s' "$preset" "$wm" "$rounds" "$ignored" "$median" "$max")")
    done
done

echo
printf '%-6s %-9s %6s %8s %16s %13s\n' build wm rounds ignored "median exit ms" "max exit ms"
printf '%s\n' "${results[@]}"
! printf '%s\n' "${results[@]}" | awk '$4 != 0 { found = 1 } END { exit !found }'
