#!/usr/bin/env bash
# End to end, as a user would: the real Quorvel on a real X server, driven by
# the keyboard; the copied URL is read back from outside the program, and a
# second copy started meanwhile must end with its notice.
# Usage: e2e.sh <build dir>. Exits 77 (skipped) only when no X server starts.
set -u

build_dir=$(cd "${1:?usage: e2e.sh <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
app="$build_dir/app/Quorvel"

fail() {
    echo "FAIL: $*"
    exit 1
}

install_missing_tools() {
    local missing=() tool
    for tool in Xvfb:xvfb xdotool:xdotool xclip:xclip openbox:openbox xprop:x11-utils; do
        command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
    done
    dpkg-query -W -f='${Status}' fonts-dejavu-core 2>/dev/null | grep -q 'ok installed' ||
        missing+=(fonts-dejavu-core)
    ((${#missing[@]})) || return 0
    if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

# First pass: make sure the tools are there, then run again under Xvfb.
if [ -z "${QUORVEL_E2E_UNDER_X:-}" ]; then
    [ -x "$app" ] || fail "$app has not been built"
    install_missing_tools
    for tool in xdotool xclip; do
        command -v "$tool" >/dev/null || fail "$tool is missing and could not be installed"
    done
    export QUORVEL_E2E_UNDER_X=1
    exec bash "$here/../x11/run-under-x.sh" bash "$0" "$build_dir"
fi

source "$here/../support/wait_for.sh"

# Every visible window of the program, by title.
program_windows() {
    xdotool search --all --onlyvisible --pid "$app_pid" --name '^Quorvel   Ver\. '
}

main_window_other_than() {
    local id
    id=$(program_windows) || return 1
    [ "$id" != "$1" ] && [ "$(echo "$id" | wc -l)" = 1 ] && echo "$id"
}

process_ended() {
    kill -0 "$app_pid" 2>/dev/null || echo ended
}

# Keys go to the focused window: under load the window manager may focus late.
focused_is() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && echo "$1"
}

focus() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1
    wait_for focused_is "$1" >/dev/null
}

second_copy_notice() {
    xdotool search --all --onlyvisible --pid "$second_pid" --name '^Quorvel$'
}

second_copy_ended() {
    kill -0 "$second_pid" 2>/dev/null || echo ended
}

cleanup() {
    kill -0 "$app_pid" 2>/dev/null && kill "$app_pid" 2>/dev/null
    [ -n "${second_pid:-}" ] && kill -0 "$second_pid" 2>/dev/null && kill "$second_pid" 2>/dev/null
}

# A name of its own, so that a Quorvel the user runs does not count as a first copy.
export USER="quorvel-e2e-$$"
"$app" &
app_pid=$!
trap cleanup EXIT

start_window=$(wait_for program_windows) || fail "the start-up screen did not appear"
focus "$start_window" || fail "the start-up screen did not take the focus"
xdotool key --clearmodifiers Return

main_window=$(wait_for main_window_other_than "$start_window") ||
    fail "Enter on the start-up screen did not open the main window alone"
focus "$main_window" || fail "the main window did not take the focus"

link="http://r.example/out?id=1&action=http%3A%2F%2Fwww.example.com%2Fpage%3Fq%3Da%2Bb%26n%3D7');"
expected="http://www.example.com/page?q=a+b&n=7"
xdotool type --delay 15 "$link"
xdotool key --clearmodifiers ctrl+p

copied=$(wait_for xclip -selection clipboard -o) || fail "nothing reached the clipboard"
[ "$copied" = "$expected" ] || fail "clipboard holds [$copied], expected [$expected]"

# A second copy gets as far as its start-up screen; OK there ends it with a notice.
"$app" &
second_pid=$!
second_start=$(wait_for xdotool search --all --onlyvisible --pid "$second_pid" --name '^Quorvel   Ver\. ') ||
    fail "the second copy showed no start-up screen"
xdotool windowactivate --sync "$second_start" >/dev/null 2>&1
xdotool key --clearmodifiers Return
notice=$(wait_for second_copy_notice) || fail "the second copy gave no notice"
xdotool windowactivate --sync "$notice" >/dev/null 2>&1
xdotool key --clearmodifiers Return
wait_for second_copy_ended >/dev/null || fail "the second copy did not end after its notice"
wait "$second_pid" || fail "the second copy ended with status $?"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended with the second"

xdotool windowactivate --sync "$main_window" >/dev/null 2>&1
xdotool key --clearmodifiers Escape
wait_for process_ended >/dev/null || fail "Escape did not end the program"
wait "$app_pid"
status=$?
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "PASS: typed link copied as $expected; a second copy ended with a notice; Escape ended the program"
