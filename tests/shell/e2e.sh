#!/usr/bin/env bash
# End to end on a real X server, by the keyboard: Quorvel, or with <wine-run> its
# Windows build under Wine. Usage: e2e.sh <build dir> [<wine-run>].
source "$(dirname "$0")/../support/shell_test.sh"

build_dir=$(cd "${1:?usage: e2e.sh <build dir> [<wine-run>]}" && pwd)
wine_run=${2:-}
link="http://r.example/out?id=1&action=http%3A%2F%2Fwww.example.com%2Fpage%3Fq%3Da%2Bb%26n%3D7');"
expected="http://www.example.com/page?q=a+b&n=7"
app=("$build_dir/app/Quorvel")
if [ -n "$wine_run" ]; then
    app=("$wine_run" "$build_dir/app/Quorvel.exe")
    link='x%3a%2f%2fy%2ez' expected='x://y.z'
    export WAIT_STEPS=600 # Wine starts slowly on a busy machine: up to a minute
fi
[ -f "${app[-1]}" ] || fail "${app[-1]} has not been built"
need xdotool xclip
under_x "$@"

# A name of its own, so that a Quorvel the user runs does not count as a first copy.
export USER="quorvel-e2e-$$"
"${app[@]}" &
app_pid=$!
trap 'kill "$app_pid" ${second_pid:+"$second_pid"} 2>/dev/null' EXIT

start_window=$(start_screen "$app_pid") || fail "the start-up screen did not appear"
main_window=$(main_window "$app_pid" "$start_window") ||
    fail "Enter on the start-up screen did not open the main window alone"
focus "$main_window"
xdotool type --delay 40 "$link"
xdotool key --clearmodifiers ctrl+p
copied=$(wait_for xclip -selection clipboard -o) || fail "nothing reached the clipboard"
[ "$copied" = "$expected" ] || fail "clipboard holds [$copied], expected [$expected]"

# A second copy gets as far as its start-up screen; OK there ends it with a notice.
"${app[@]}" &
second_pid=$!
second_start=$(start_screen "$second_pid") || fail "the second copy showed no start-up screen"
focus "$second_start"
xdotool key --clearmodifiers Return
notice=$(wait_for titled "$second_pid" '^Quorvel$') || fail "the second copy gave no notice"
focus "$notice"
xdotool key --clearmodifiers Return
wait_for ended "$second_pid" >/dev/null || fail "the second copy did not end after its notice"
wait "$second_pid" || fail "the second copy ended with status $?"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended with the second"

focus "$main_window"
xdotool key --clearmodifiers Escape
wait_for ended "$app_pid" >/dev/null || fail "Escape did not end the program"
wait "$app_pid" || fail "the program ended with status $?"
finish "typed link copied as $expected; a second copy ended with a notice; Escape ended the program"
