#!/usr/bin/env bash
# The real program on a private X server with a window manager and no clipboard manager: it
# asks to stay on top, its copy button puts the line on the X clipboard, and the line stays there
# after the window closes, served by the helper until another program takes the clipboard.
# Arguments: karvosel, karvosel-clipboard, a library that takes close_range away.
set -euo pipefail
. "$(dirname "$0")/../../xvfb.sh"
karvosel=$1 helper=$2 no_close_range=$3
start_openbox

# Only the helpers serving this test's display: other tests may run helpers of their own.
helper_pids() { ours "DISPLAY=$DISPLAY" -f "^$helper\$"; }
helper_gone() { [ -z "$(helper_pids)" ]; }
holds_probe() { [ -n "$(find /proc/[0-9]*/fd -lname "$work/probe" 2>/dev/null || true)" ]; }
take_clipboard() { spawn xclip -selection clipboard -loops 1 -i /dev/null; }
# The helper leaves once another program has taken the clipboard.
take_from_helper() {
    take_clipboard
    wait_until helper_gone || fail "the helper goes on after another program took the clipboard"
}

# The helper alone: any text comes back byte for byte, in a session of its own (a terminal
# that closes must not end it), keeping none of its caller's descriptors, with close_range
# and without (kernels < 5.9).
text='Vandrelix.exe "/home/用户/模型 1/robot.model" -xi'
for preload in "" "$no_close_range"; do
    # The sanitizer runtime must come first among the libraries unless told otherwise.
    printf '%s' "$text" | LD_PRELOAD=$preload \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
        "$helper" 9>"$work/probe" || fail "the helper did not take the clipboard"
    ! holds_probe || fail "the helper keeps its caller's descriptor 9 (preload: ${preload:-none})"
    pid=$(helper_pids)
    [ -n "$pid" ] || fail "no $helper serves the text"
    [ "$(ps -o sid= -p "$pid")" != "$(ps -o sid= -p $$)" ] ||
        fail "the helper stays in its caller's session"
    clipboard_is "$text" || fail "the helper serves [$(holds)]"
    [[ $(holds -t TARGETS) == *UTF8_STRING* ]] || fail "no UTF8_STRING"
    take_from_helper
done

expected='Vandrelix.exe "" -xi -xa -ws[400,600] -cc[0,11,0]'
# copy WHICH: clicks the copy button and waits for the line on the clipboard.
copy() { click_copy && wait_until clipboard_is "$expected" || fail "the $1 copy did not arrive"; }
taken() { take_clipboard && wait_until clipboard_is "" || fail "xclip did not take the clipboard"; }
close_karvosel() {
    xdotool windowactivate "$window"
    wait_until active || fail "openbox did not activate the window: $(cat "$work/openbox.log")"
    xdotool key alt+F4
    wait_until karvosel_gone || fail "karvosel did not exit after its window was closed"
    wait "$karvosel_pid" || fail "karvosel exited with status $?: $(cat "$work/karvosel.log")"
}

# The whole way a person goes: copy, let another program take the clipboard, copy again,
# close the window, paste.
open_karvosel "$karvosel"
wait_until stays_above || fail "not on top: $(xprop -id "$window" _NET_WM_STATE)"
copy first && taken && copy second
close_karvosel
clipboard_is "$expected" || fail "after closing, the clipboard holds [$(holds)]"
[ -n "$(helper_pids)" ] || fail "no $helper serves the line"
take_from_helper

# A window closed after another program took the clipboard leaves that program's content alone.
open_karvosel "$karvosel"
copy only
spawn xclip -quiet -selection clipboard -t image/png -i /dev/null
offers_png() { [[ $(holds -t TARGETS) == *image/png* ]]; }
wait_until offers_png || fail "xclip did not take the clipboard"
close_karvosel
offers_png || fail "closing took the clipboard from another program: [$(holds -t TARGETS)]"

# Where a clipboard manager runs, it takes the text over itself: the helper leaves at once.
# The stand-in owns CLIPBOARD_MANAGER as a desktop's manager does, and says so once it does.
echo 'wm withdraw .; selection own -selection CLIPBOARD_MANAGER .; update' >"$work/manager.tcl"
echo 'puts owned; flush stdout' >>"$work/manager.tcl"
spawn wish "$work/manager.tcl"
wait_until grep -qs owned "$work/wish.log" || fail "the stand-in clipboard manager did not start"
status=0
printf 'kept by the manager' | "$helper" || status=$?
[ "$status" -eq 2 ] || fail "with a clipboard manager running the helper answered $status, not 2"

# A screen reader's view of the real program, on an accessibility bus of this test's own: every
# control by its role and name.
spawn dbus-daemon --session --nofork --print-address=3 3>"$work/bus"
wait_until test -s "$work/bus" || fail "no session bus: $(cat "$work/dbus-daemon.log")"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus") QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON
spawn /usr/libexec/at-spi-bus-launcher --launch-immediately
wait_until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
    fail "no accessibility bus: $(cat "$work/at-spi-bus-launcher.log")"
open_karvosel "$karvosel"
printf '%s\t%s\n' frame Karvosel panel 拖拽到此 label 模型预览图 label 模型名： label '' \
    text 模型路径 'check box' 轮廓线 'check box' 本影 'check box' 地面影 'check box' 信息 \
    'check box' 坐标轴 'check box' 截图 'push button' 复制 text 查看器窗口宽度 label X \
    text 查看器窗口高度 >"$work/expected-tree"
tree_is_named() {
    "$(dirname "$0")/atspi_tree.py" karvosel >"$work/tree" && cmp -s "$work/tree" "$work/expected-tree"
}
wait_until tree_is_named || fail "a screen reader finds: $(diff "$work/expected-tree" "$work/tree")"
close_karvosel
echo "PASS: on top; the line outlived the window; the helper left when the clipboard was taken;"
echo "      a screen reader finds every control by its name"
