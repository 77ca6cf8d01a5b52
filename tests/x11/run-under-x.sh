#!/usr/bin/env bash
# Runs a command on a private X server with a window manager, so that tests see
# real window-manager behaviour. Exits 77 (skipped) when no X server can start.
set -u

skip() { echo "SKIP: $1"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed (the test set-up installs it as root)"

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.05
done
display=$(head -n1 "$display_file")
rm -f "$display_file"
[ -n "$display" ] && kill -0 "$xvfb_pid" 2>/dev/null || skip "no X server could be started"

export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
wm_pid=
if command -v openbox >/dev/null; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    # A busy machine may need seconds before the window manager holds the root window.
    for _ in $(seq 150); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
fi

"$@"
status=$?
[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
kill "$xvfb_pid" 2>/dev/null
wait 2>/dev/null
exit $status
