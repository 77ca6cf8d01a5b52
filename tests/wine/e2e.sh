#!/usr/bin/env bash
# End to end under Wine, as tests/shell/e2e.sh does natively: the real
# Quorvel.exe on a real X server, driven by the keyboard; the copied URL is read
# back on the X side, and a second copy started meanwhile must end with its
# notice. Usage: e2e.sh <build dir> <wine-run>. Exits 77 when no X server starts.
set -u

build_dir=$(cd "${1:?usage: e2e.sh <build dir> <wine-run>}" && pwd)
wine_run=${2:?usage: e2e.sh <build dir> <wine-run>}
here=$(cd "$(dirname "$0")" && pwd)
app="$build_dir/app/Quorvel.exe"

fail() {
    echo "FAIL: $*"
    exit 1
}

if [ -z "${QUORVEL_E2E_UNDER_X:-}" ]; then
    [ -f "$app" ] || fail "$app has not been built"
    for tool in xdotool xclip; do
        command -v "$tool" >/dev/null || fail "$tool is missing"
    done
    export QUORVEL_E2E_UNDER_X=1
    exec bash "$here/../x11/run-under-x.sh" bash "$0" "$build_dir" "$wine_run"
fi
unset QT_QPA_PLATFORM

# Wine starts slowly on a busy machine: up to a minute.
WAIT_STEPS=600
source "$here/../support/wait_for.sh"

titled() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2"
}

main_window_other_than() {
    local id
    id=$(titled "$app_pid" '^Quorvel   Ver\. ') || return 1
    [ "$id" != "$1" ] && [ "$(echo "$id" | wc -l)" = 1 ] && echo "$id"
}

ended() {
    kill -0 "$1" 2>/dev/null || echo ended
}

cleanup() {
    kill -0 "$app_pid" 2>/dev/null && kill "$app_pid" 2>/dev/null
    [ -n "${second_pid:-}" ] && kill -0 "$second_pid" 2>/dev/null && kill "$second_pid" 2>/dev/null
}

"$wine_run" "$app" &
app_pid=$!
trap cleanup EXIT

start_window=$(wait_for titled "$app_pid" '^Quorvel   Ver\. ') ||
    fail "the start-up screen did not appear"
# A fresh Wine prefix is slow on its first window: a key pressed before the
# window has the focus is lost, so Enter is given again while the screen stays.
main_window=
for _ in 1 2 3 4 5 6; do
    if titled "$app_pid" '^Quorvel   Ver\. ' 2>/dev/null | grep -qx "$start_window"; then
        xdotool windowactivate --sync "$start_window" >/dev/null 2>&1
        xdotool key --clearmodifiers Return
    fi
    main_window=$(WAIT_STEPS=100 wait_for main_window_other_than "$start_window") && break
done
[ -n "$main_window" ] || fail "Enter on the start-up screen did not open the main window alone"
xdotool windowactivate --sync "$main_window" >/dev/null 2>&1

xdotool type --delay 40 'x%3a%2f%2fy%2ez'
xdotool key --clearmodifiers ctrl+p
copied=$(wait_for xclip -selection clipboard -o) || fail "nothing reached the clipboard"
[ "$copied" = "x://y.z" ] || fail "clipboard holds [$copied], expected [x://y.z]"

"$wine_run" "$app" &
second_pid=$!
second_start=$(wait_for titled "$second_pid" '^Quorvel   Ver\. ') ||
    fail "the second copy showed no start-up screen"
xdotool windowactivate --sync "$second_start" >/dev/null 2>&1
xdotool key --clearmodifiers Return
notice=$(wait_for titled "$second_pid" '^Quorvel$') || fail "the second copy gave no notice"
xdotool windowactivate --sync "$notice" >/dev/null 2>&1
xdotool key --clearmodifiers Return
wait_for ended "$second_pid" >/dev/null || fail "the second copy did not end after its notice"
wait "$second_pid" || fail "the second copy ended with status $?"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended with the second"

xdotool windowactivate --sync "$main_window" >/dev/null 2>&1
xdotool key --clearmodifiers Escape
wait_for ended "$app_pid" >/dev/null || fail "Escape did not end the program"
wait "$app_pid"
status=$?
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "PASS: typed link copied as x://y.z; a second copy ended with a notice; Escape ended the program"
