#!/usr/bin/env bash
# With no clipboard manager running, the copied line stays on the X clipboard after the
# window closes, served by the helper until another program takes the clipboard.
# Arguments: karvosel, karvosel-clipboard, x11_tool, a library that takes close_range away.
set -euo pipefail
. "$(dirname "$0")/../xvfb.sh"
karvosel=$1 helper=$2 x11_tool=$3 no_close_range=$4

# Only the helpers serving this test's display: other tests may run helpers of their own.
helper_runs() {
    local pid
    for pid in $(pgrep -f "^$helper\$"); do
        grep -qxz "DISPLAY=$DISPLAY" "/proc/$pid/environ" 2>/dev/null && return 0
    done
    return 1
}
helper_gone() { ! helper_runs; }
holds_probe() { [ -n "$(find /proc/[0-9]*/fd -lname "$work/probe" 2>/dev/null || true)" ]; }

# The helper alone: any text, the Chinese of a path included, comes back byte for byte, and the
# helper keeps none of its caller's descriptors, with close_range and without (kernels < 5.9).
text='Vandrelix.exe "/home/用户/模型 1/robot.model" -xi'
for preload in "" "$no_close_range"; do
    # The sanitizer runtime must come first among the libraries unless told otherwise.
    printf '%s' "$text" | LD_PRELOAD=$preload \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
        "$helper" 9>"$work/probe" || fail "the helper did not take the clipboard"
    ! holds_probe || fail "the helper keeps its caller's descriptor 9 (preload: ${preload:-none})"
    clipboard_is "$text" || fail "the helper serves [$(xclip -o -selection clipboard 2>&1)]"
    targets=$(xclip -o -selection clipboard -t TARGETS)
    [[ $targets == *UTF8_STRING* ]] || fail "the helper offers no UTF8_STRING: $targets"
    spawn xclip -selection clipboard -loops 1 -i /dev/null
    wait_until helper_gone || fail "the helper goes on after another program took the clipboard"
done

# The whole way a person goes: copy, close the window, paste.
expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'
open_karvosel "$karvosel"
click_copy
wait_until clipboard_is "$expected" || fail "the copy did not reach the clipboard"
closed_at=$(date +%s%N)
"$x11_tool" close "$window"
wait_until karvosel_gone || fail "karvosel did not exit after its window was closed"
wait "$karvosel_pid" || fail "karvosel exited with status $?: $(cat "$work/karvosel.log")"
exit_ms=$(( ($(date +%s%N) - closed_at) / 1000000 ))
window_gone() { ! xdotool search --name '^Karvosel$' >/dev/null 2>&1; }
wait_until window_gone || fail "the window is still on the screen"
clipboard_is "$expected" || fail "after closing, the clipboard holds [$(xclip -o -selection clipboard 2>&1)]"
helper_runs || fail "no helper serves the clipboard"

printf 'other' | xclip -selection clipboard -loops 1 &
pids+=($!)
wait_until helper_gone || fail "the helper goes on after another program took the clipboard"
# Where a clipboard manager runs, it takes the text over itself: the helper leaves at once.
spawn "$x11_tool" own CLIPBOARD_MANAGER
wait_until grep -q owned "$work/x11_tool.log" || fail "the stand-in clipboard manager did not start"
status=0
printf 'kept by the manager' | "$helper" || status=$?
[ "$status" -eq 2 ] || fail "with a clipboard manager running the helper answered $status, not 2"
wait_until helper_gone || fail "the helper stays although a clipboard manager runs"

echo "PASS: the line outlived the window (closed to exited in ${exit_ms} ms); the helper left when the clipboard was taken"
