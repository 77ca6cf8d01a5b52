#!/usr/bin/env bash
# The Windows packages under Wine, nothing of the build on the search path: the
# .zip runs unpacked; the silent installer and uninstaller leave nothing behind.
source "$(dirname "$0")/../support/shell_test.sh"
build_dir=$(cd "${1:?usage: package.sh <build dir> <wine-run>}" && pwd)
wine_run=${2:?usage: package.sh <build dir> <wine-run>}
need xdotool unzip
under_x "$@"
export QUORVEL_WINE_BARE=1 LC_ALL=C.UTF-8 WAIT_STEPS=600
installer=$(ls "$build_dir"/Quorvel-*-windows-x64.exe 2>/dev/null | head -n 1)
zip=$(ls "$build_dir"/Quorvel-*-windows-x64.zip 2>/dev/null | head -n 1)
[ -n "$installer" ] && [ -n "$zip" ] || fail "no packages in $build_dir (cpack makes them)"

"$wine_run" cmd /c exit >/dev/null 2>&1 # the prefix exists from here on
prefix=$(. <(grep -m1 '^export WINEPREFIX=' "$wine_run") && echo "$WINEPREFIX")
drive=$prefix/drive_c
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Everything outside Wine's own folders, and the registry's mentions of us.
snapshot() {
    wineserver_wait
    (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort)
    local hive
    for hive in "$prefix"/*.reg; do
        echo "registry $(basename "$hive"): $(grep -ic 'quorvel\|veskard' "$hive") mentions"
    done
}
wineserver_wait() {
    WINEPREFIX=$prefix wineserver -w
}

# Starts Quorvel.exe, goes past the start-up screen and ends it with Escape.
run_program() {
    local exe=$1 pid window main
    "$wine_run" "$exe" &
    pid=$!
    window=$(start_screen "$pid") || { kill "$pid"; fail "$exe showed no start-up screen"; }
    main=$(main_window "$pid" "$window") || { kill "$pid"; fail "$exe opened no main window"; }
    focus "$main"
    xdotool key --clearmodifiers Escape
    wait "$pid" || fail "$exe ended with status $?"
}

translate_check() {
    local exe=$1 out
    out=$(printf 'x%%3a%%2f%%2fy%%2ez\n' | "$wine_run" "$exe" | tr -d '\r')
    [ "$out" = "$(printf '4\tx://y.z')" ] || fail "$exe wrote [$out]"
}

unzip -q "$zip" -d "$work/zip"
folder=$(ls -d "$work"/zip/Quorvel-* | head -n 1)
for file in Quorvel.exe quorvel-translate.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll; do
    [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
translate_check "$folder/quorvel-translate.exe"
run_program "$folder/Quorvel.exe"

snapshot >"$work/before"
"$wine_run" "$installer" /S || fail "the installer ended with status $?"
wineserver_wait
target="$drive/Program Files/Quorvel"
[ -f "$target/Quorvel.exe" ] || fail "nothing installed into C:\\Program Files\\Quorvel"
[ -f "$target/platforms/qwindows.dll" ] || fail "the Windows platform plugin was not installed"
[ -f "$target/Uninstall.exe" ] || fail "no uninstaller"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel"
[ -f "$menu/Quorvel.lnk" ] || fail "no Start-menu entry for all users"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
entry=$("$wine_run" reg query "$key" 2>/dev/null | tr -d '\r')
for field in "DisplayName.*Quorvel" "DisplayVersion.*2\.2\.1" "Publisher.*Veskard" \
    "UninstallString.*Program Files.Quorvel.Uninstall.exe"; do
    echo "$entry" | grep -q "$field" || fail "Apps & features entry lacks $field"
done

translate_check 'C:\Program Files\Quorvel\quorvel-translate.exe'
run_program 'C:\Program Files\Quorvel\Quorvel.exe'

"$wine_run" 'C:\Program Files\Quorvel\Uninstall.exe' /S || fail "the uninstaller ended with status $?"
wineserver_wait # the uninstaller finishes from a copy of itself
snapshot >"$work/after"
diff "$work/before" "$work/after" >"$work/diff" ||
    fail "left behind after uninstalling: $(grep '^[<>]' "$work/diff" | head -n 10 | tr '\n' ' ')"
finish "zip and installer work; the uninstaller left no file and no registry entry behind"
