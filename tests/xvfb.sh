# Sourced by the real-display tests: a private Xvfb server for this test alone, and the helpers
# they share. Everything started with `spawn` ends with the test.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# spawn COMMAND...: runs it in the background, logging to $work/NAME.log, and ends it at exit.
spawn() {
    "$@" >"$work/$(basename "$1").log" 2>&1 &
    pids+=($!)
}

# wait_until COMMAND...: retries until COMMAND succeeds, for up to 20 seconds: the bound only
# decides how long a failing check takes, so it is generous for slow and sanitizer builds.
wait_until() {
    local deadline=$((SECONDS + 20))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_until test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

# window_named TITLE: the id of the visible window of that title, once there is one.
window_named() {
    local id
    shown() { id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ]; }
    wait_until shown "$1" || fail "no window \"$1\" appeared: $(cat "$work"/*.log)"
    echo "$id"
}

# open_karvosel COMMAND...: starts it and sets $window to its window's id.
open_karvosel() {
    spawn "$@"
    karvosel_pid=$!
    window=$(window_named Karvosel)
}

stays_above() { [[ $(xprop -id "$window" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]]; }

karvosel_gone() { ! kill -0 "$karvosel_pid" 2>/dev/null; }

# click_copy: clicks the copy button, which spans 8..161 by 184..225 logical pixels.
click_copy() {
    xdotool mousemove --window "$window" 80 204 click 1
}

clipboard_is() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}
