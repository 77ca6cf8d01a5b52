#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (mingw-w64) from Debian's own qt6-base source
# package, once, into a cache outside the checkout. Prints nothing but the
# prefix with --prefix; otherwise skips the work when the cache is complete.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

qt_version=6.4.2
if [ "$(id -u)" = 0 ]; then
    cache_root=/var/cache/quorvel
else
    cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel
fi
prefix=$cache_root/qt6-mingw-$qt_version
stamp=$prefix/.complete
work=$cache_root/work-qt6-mingw-$qt_version

if [ "${1:-}" = --prefix ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$stamp" ]; then
    echo "Qt $qt_version for mingw: cached in $prefix"
    exit 0
fi

source "$repo/scripts/packages.sh"

# The host's Qt tools (moc, rcc, uic) serve the cross build, so they must be
# the same version as the source.
host_packages=(cmake ninja-build perl dpkg-dev g++-mingw-w64-x86-64-posix
    mingw-w64-tools qt6-base-dev qt6-base-dev-tools)
# A private apt configuration holding the machine's own sources, with deb-src
# entries added, so that the system's apt configuration stays untouched.
private_apt=()
make_private_apt() {
    local dir=$work/apt file
    rm -rf "$dir"
    mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
    touch "$dir/sources.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -e "$file" ] || continue
        sed -E 's/^Types:.*/Types: deb deb-src/' "$file" >"$dir/sources.list.d/$(basename "$file")"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$file" ] || continue
        { grep -E '^[[:space:]]*deb[[:space:]]' "$file" || true; } |
            sed -E 'p; s/^[[:space:]]*deb[[:space:]]/deb-src /' >>"$dir/sources.list.d/$(basename "$file" .list).list"
    done
    private_apt=(-o Dir::Etc::sourcelist="$dir/sources.list"
        -o Dir::Etc::sourceparts="$dir/sources.list.d"
        -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache"
        -o APT::Sandbox::User=root)
    [ "$(id -u)" = 0 ] || private_apt+=(-o Debug::NoLocking=1)
    # A third-party source that is unreachable must not stop the Debian ones.
    apt_get "${private_apt[@]}" update -qq || true
}

fetch_sources() {
    rm -rf "$work/src" "$work/wine"
    mkdir -p "$work/src" "$work/wine"
    local version
    version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    case "$version" in "$qt_version"*) ;; *)
        echo "the host's Qt is $version, not $qt_version" >&2
        exit 1
        ;;
    esac
    (cd "$work/src" && apt_get "${private_apt[@]}" source -qq "qt6-base=$version" >/dev/null)
    # Debian's repacked source lacks the tablet header of the Windows plugin;
    # Wine's development package carries one. Unpacked, not installed.
    (cd "$work/wine" && apt_get "${private_apt[@]}" download -qq libwine-dev &&
        dpkg-deb -x libwine-dev_*.deb root)
}

# The Windows plugin picks the DirectWrite font database whenever DirectWrite 3
# is there, but Qt Gui builds that database only together with Direct2D.
apply_guards() {
    local file=$1/src/plugins/platforms/windows/qwindowsintegration.cpp
    grep -q 'QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)' "$file" ||
        sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' "$file"
}

# Debian's repacked source lacks the tablet headers of the Windows plugin;
# Wine's development package carries them. They need three macros that only
# Wine's own headers define. Idempotent, so that a stopped build resumes.
repair_sources() {
    local headers=$work/wine/root/usr/include/wine/wine/windows
    [ -f "$headers/wintab.h" ] || { echo "wintab.h not found in libwine-dev" >&2; exit 1; }
    mkdir -p "$work/include"
    cp "$headers/wintab.h" "$work/include/wine-wintab.h"
    cp "$headers/pktdef.h" "$work/include/pktdef.h"
    cat >"$work/include/wintab.h.new" <<'HEADER'
#ifndef API
#define API WINAPI
#endif
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#include "wine-wintab.h"
HEADER
    # Rewritten only when changed, so that finished objects stay valid.
    if cmp -s "$work/include/wintab.h.new" "$work/include/wintab.h"; then
        rm "$work/include/wintab.h.new"
    else
        mv "$work/include/wintab.h.new" "$work/include/wintab.h"
    fi
    apply_guards "$1"
}

host_cmake_dir() {
    dirname "$(dirname "$(dpkg -L qt6-base-dev | grep -m 1 '/cmake/Qt6/Qt6Config.cmake$')")"
}

# Widgets none of Quorvel's windows or tests use; leaving them out saves a
# fifth of the Widgets module's build.
unused_widgets=(graphicsview calendarwidget datetimeedit mdiarea dockwidget fontcombobox
    fontdialog colordialog filedialog wizard errormessage progressdialog keysequenceedit
    columnview undoview dial lcdnumber toolbox)

configure_qt() {
    local src=$1 build=$work/build
    [ -f "$build/build.ninja" ] && return 0
    rm -rf "$build"
    cmake -S "$src" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_CXX_FLAGS="-isystem $work/include" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$(host_cmake_dir)" -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DBUILD_SHARED_LIBS=ON \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_freetype=ON -DFEATURE_harfbuzz=OFF \
        -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF -DFEATURE_tuiotouch=OFF \
        -DFEATURE_sql=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_direct2d1_1=OFF \
        $(for feature in "${unused_widgets[@]}"; do echo "-DFEATURE_$feature=OFF"; done)
}

# Only the modules and plugins Quorvel and its tests use: Qt Network (which
# the configuration cannot leave out without rebuilding Qt Core) is not built,
# nor installed.
qt_targets=(Core Gui Widgets Test EntryPointImplementation DeviceDiscoverySupportPrivate FbSupportPrivate
    QWindowsIntegrationPlugin QOffscreenIntegrationPlugin QMinimalIntegrationPlugin
    QWindowsVistaStylePlugin)
build_qt() {
    local build=$work/build target existing=()
    for target in "${qt_targets[@]}"; do
        ninja -C "$build" -t query "$target" >/dev/null 2>&1 && existing+=("$target")
    done
    cmake --build "$build" -j 2 --target "${existing[@]}" -- -k 0
    # Their install steps, emptied, so that the rest installs as usual.
    for dir in src/network src/plugins/tls/certonly src/plugins/networkinformation; do
        [ -f "$build/$dir/cmake_install.cmake" ] && : >"$build/$dir/cmake_install.cmake"
    done
    rm -rf "$prefix"
    cmake --install "$build" >/dev/null
    rm -rf "$prefix/lib/cmake/Qt6Network"
}

install_missing "${host_packages[@]}"
mkdir -p "$work"
if [ ! -f "$work/.fetched" ]; then
    make_private_apt
    fetch_sources
    touch "$work/.fetched"
fi
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)
[ -n "$src" ] || { echo "qt6-base source not unpacked" >&2; exit 1; }
repair_sources "$src"
configure_qt "$src"
build_qt
touch "$stamp"
echo "Qt $qt_version for mingw: built into $prefix"
