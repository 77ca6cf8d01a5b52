# Sourced by the shell tests of the built programs: failures and skips, the
# private X server, and the waits for Quorvel's windows there.
set -u
support_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failures=0

# fail ends the test; flag counts a failure and goes on to the next check.
fail() {
    echo "FAIL: $*"
    exit 1
}
flag() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# finish SUMMARY: passes, unless a check was flagged.
finish() {
    ((failures == 0)) || fail "$failures check(s) failed"
    echo "PASS: $*"
}

# need TOOL...: the test is skipped where a tool is missing.
need() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    ((${#missing[@]} == 0)) && return
    echo "SKIP: ${missing[*]} missing (scripts/build.sh installs them when run as root)"
    exit 77
}

# under_x ARGUMENT...: runs the calling script again with these arguments on a
# private X server with a window manager, unless it already runs there.
under_x() {
    [ -n "${QUORVEL_UNDER_X:-}" ] && return
    QUORVEL_UNDER_X=1 exec bash "$support_dir/../x11/run-under-x.sh" bash "$0" "$@"
}

# wait_for COMMAND...: prints COMMAND's output once it succeeds with some, polling
# every tenth of a second up to WAIT_STEPS times (machines running tests are busy).
wait_for() {
    local output
    for _ in $(seq "${WAIT_STEPS:-200}"); do
        if output=$("$@" 2>/dev/null) && [ -n "$output" ]; then
            echo "$output"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# titled PID PATTERN: the visible windows of process PID with such a title.
titled() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2"
}
main_title='^Quorvel   Ver\. ' # the start-up screen's and the main window's

ended() {
    kill -0 "$1" 2>/dev/null || echo ended
}

# Keys go to the focused window: under load the window manager may focus late.
focused_is() {
    [ "$(xdotool getwindowfocus)" = "$1" ] && echo "$1"
}
focus() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    WAIT_STEPS=50 wait_for focused_is "$1" >/dev/null
}

# start_screen PID: the start-up screen, once shown; fails when none shows.
start_screen() {
    wait_for titled "$1" "$main_title"
}

other_main_window() {
    local id
    id=$(titled "$1" "$main_title") || return 1
    [ "$id" != "$2" ] && [ "$(echo "$id" | wc -l)" = 1 ] && echo "$id"
}

# main_window PID START: Enter on the start-up screen START until the main window shows
# alone, then prints it; a slow window loses a key pressed before it has the focus.
main_window() {
    for _ in 1 2 3 4 5 6; do
        if titled "$1" "$main_title" 2>/dev/null | grep -qx "$2"; then
            focus "$2"
            xdotool key --clearmodifiers Return
        fi
        WAIT_STEPS=100 wait_for other_main_window "$1" "$2" && return 0
    done
    return 1
}
