#!/usr/bin/env bash
# Builds the Debian package, has lintian check it, then runs the filter and
# the program unpacked from it. Usage: deb_package.sh <build dir> <version>.
source "$(dirname "$0")/../support/shell_test.sh"

build_dir=$(cd "${1:?usage: deb_package.sh <build dir> <version>}" && pwd)
version=${2:?usage: deb_package.sh <build dir> <version>}
app_id=example.veskard.Quorvel

# Second pass, under Xvfb; the package's share folder first, so its theme icon is found.
if [ -n "${QUORVEL_UNDER_X:-}" ]; then
    root=$2
    export XDG_DATA_DIRS="$root/usr/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
    export USER="quorvel-deb-$$" # not taken for a copy the user runs
    "$root/usr/bin/Quorvel" &
    app_pid=$!
    trap 'kill "$app_pid" 2>/dev/null' EXIT
    window=$(start_screen "$app_pid") || fail "the unpacked program showed no start-up screen"
    # Docks match the window to its entry by this class.
    wm_class=$(xprop -id "$window" WM_CLASS)
    entry_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$app_id.desktop")
    [[ -n "$entry_class" && "$wm_class" == *"\"$entry_class\"" ]] ||
        fail "the window's class [$wm_class] is not the desktop entry's [$entry_class]"
    # The built-in picture has 32 by 32 pixels alone; the theme's icon has more sizes.
    sizes=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')
    grep -qv 'Icon (32 x 32)' <<<"$sizes" ||
        fail "the window does not use the package's theme icon (sizes: ${sizes//$'\n'/, })"
    focus "$window"
    xdotool key --clearmodifiers Escape
    wait_for ended "$app_pid" >/dev/null
    wait "$app_pid" || fail "Escape on the start-up screen ended the program with status $?"
    exit 0
fi

need dpkg-deb dpkg-shlibdeps file lintian xdotool xprop
work=$(mktemp -d)
source "$(dirname "$0")/keep_manifest.sh"
keep_manifest "$build_dir" "$work"

(cd "$build_dir" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/*.deb)
expected_name="quorvel_${version}-1_$(dpkg --print-architecture).deb"
[ "${#debs[@]}" = 1 ] && [ "$(basename "${debs[0]}")" = "$expected_name" ] ||
    fail "cpack made [${debs[*]##*/}], expected $expected_name alone"
deb=${debs[0]}

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Section)" = utils ] || fail "section is [$(field Section)]"
[ "$(field Homepage)" = "http://www.veskard.example" ] || fail "homepage is [$(field Homepage)]"
for library in libc6 libstdc++6 libqt6widgets6; do
    [[ ", $(field Depends)," == *", $library "* ]] || fail "Depends lacks $library: [$(field Depends)]"
done

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
sed 's/^/lintian: /' "$work/lintian.log"
! grep -q '^E:' "$work/lintian.log" || fail "lintian reported errors"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
link="https://r.example/c?id=7&action=https%3A%2F%2Fexample.org%2Fa%3Fb%3D1');"
translated=$(printf '%s\n' "$link" | "$work/root/usr/bin/quorvel-translate")
[ "$translated" = $'6\thttps://example.org/a?b=1' ] ||
    fail "the unpacked filter printed [$translated]"

(under_x "$build_dir" "$work/root") || exit
finish "$expected_name builds, lintian reports no error, its filter and its program run unpacked"
