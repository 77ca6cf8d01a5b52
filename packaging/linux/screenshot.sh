#!/usr/bin/env bash
# Takes the AppStream screenshot from the real program on a private X server:
# the main window with a translated link. Needs xvfb, openbox, xdotool and
# imagemagick. Usage: screenshot.sh [build dir]; writes screenshot-main-window.png
# beside this script, to be published under the web site's quorvel/ folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$(cd "${1:-$here/../../build}" && pwd)

if [ -z "${QUORVEL_SCREENSHOT_UNDER_X:-}" ]; then
    QUORVEL_SCREENSHOT_UNDER_X=1 exec bash "$here/../../tests/x11/run-under-x.sh" bash "$0" "$build_dir"
fi

"$build_dir/app/Quorvel" &
app_pid=$!
trap 'kill "$app_pid" 2>/dev/null' EXIT

# Prints the one visible window of the program, once there is exactly one
# other than $1.
window_other_than() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --all --onlyvisible --pid "$app_pid" --name '^Quorvel   Ver\. ' || true)
        if [ -n "$id" ] && [ "$id" != "$1" ] && [ "$(wc -l <<<"$id")" = 1 ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window of Quorvel showed" >&2
    return 1
}

start=$(window_other_than none)
xdotool windowactivate --sync "$start" key --clearmodifiers Return
main=$(window_other_than "$start")
xdotool windowactivate --sync "$main"
xdotool type --delay 10 "https://r.example/out?id=1&action=https%3A%2F%2Fwww.example.com%2Fdocs%2Fstart%3Flang%3Den%26page%3D2');"
sleep 1
# The frame shows the title as a desktop draws it.
import -window "$main" -frame "$here/screenshot-main-window.png"
echo "wrote $here/screenshot-main-window.png"
