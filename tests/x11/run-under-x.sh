#!/usr/bin/env bash
# Runs a command on a private X server with a window manager, so that tests see
# real window-manager behaviour. Exits 77 (skipped) when no X server can start.
set -u

if ! command -v Xvfb >/dev/null; then
    echo "SKIP: Xvfb is not installed (the test set-up installs it when run as root)"
    exit 77
fi

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.05
done
display=$(head -n1 "$display_file")
rm -f "$display_file"
if [ -z "$display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "SKIP: no X server could be started"
    exit 77
fi

export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
wm_pid=
if command -v openbox >/dev/null; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    # Give the window manager time to take over the root window; a busy
    # machine may need several seconds.
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
