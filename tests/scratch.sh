# Sourced by the shell tests: a scratch folder and background programs that end with the test.

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

# ours VAR=VALUE PGREP-ARGUMENT...: the processes pgrep finds whose environment holds VAR=VALUE,
# those serving this test and none of another test's.
ours() {
    local pid
    for pid in $(pgrep "${@:2}"); do
        if grep -qxz "$1" "/proc/$pid/environ" 2>/dev/null; then echo "$pid"; fi
    done
}

karvosel_gone() { ! kill -0 "$karvosel_pid" 2>/dev/null; }
