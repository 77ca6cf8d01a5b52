#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR as a distribution would and checks
# what lands there.
source "$(dirname "$0")/../support/shell_test.sh"

build_dir=${1:?usage: install_tree.sh <build dir> <version>}
version=${2:?usage: install_tree.sh <build dir> <version>}
app_id=example.veskard.Quorvel
need desktop-file-validate appstreamcli man

work=$(mktemp -d)
source "$(dirname "$0")/keep_manifest.sh"
keep_manifest "$build_dir" "$work"
root=$work/root

DESTDIR=$root cmake --install "$build_dir" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

# Exactly these files: nothing of the tests, benchmarks or static libraries.
expected=(usr/bin/Quorvel usr/bin/quorvel-translate usr/share/doc/quorvel/copyright
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
    usr/share/man/man1/Quorvel.1.gz usr/share/man/man1/quorvel-translate.1.gz
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg")
icon_sizes=(16 24 32 48 64 128 256)
for size in "${icon_sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) >"$work/installed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed" >"$work/list.diff"; then
    flag "installed files differ from the expected list (- missing, + extra):"
    grep '^[-+][^-+]' "$work/list.diff"
fi

for program in Quorvel quorvel-translate; do
    [ -x "$root/usr/bin/$program" ] || flag "usr/bin/$program is not executable"
    # A run path into the build tree would load the build's libraries, or none.
    ! readelf -d "$root/usr/bin/$program" 2>/dev/null | grep -E 'R(UN)?PATH' ||
        flag "usr/bin/$program carries a run path"
done

# Each PNG is as large as the folder it sits in says (width and height are
# big-endian words at bytes 16 and 20 of the file).
for size in "${icon_sizes[@]}"; do
    png="$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    [ -f "$png" ] || continue
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width x $height" = "$size x $size" ] || flag "the ${size}x$size icon is $width x $height"
done

desktop="$root/usr/share/applications/$app_id.desktop"
messages=$(desktop-file-validate "$desktop" 2>&1) || flag "desktop-file-validate failed"
[ -z "$messages" ] || flag "desktop-file-validate said: $messages"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Icon)" = "$app_id" ] || flag "the desktop entry's icon is [$(entry Icon)]"
[ -x "$root/usr/bin/$(entry Exec)" ] || flag "the desktop entry runs [$(entry Exec)], which is not installed"
[ "$(entry StartupWMClass)" = Quorvel ] || flag "StartupWMClass is [$(entry StartupWMClass)]"

metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    flag "appstreamcli validate failed"
! grep -E '^(E|W):' "$work/appstream.log" || flag "appstreamcli reported errors or warnings"
grep -q "<id>$app_id</id>" "$metainfo" || flag "the metadata's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    flag "the metadata does not launch $app_id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || flag "the metadata has no release $version"
# The About box's web-site link and the metadata's home page are one address.
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
strings -el "$root/usr/bin/Quorvel" | grep -qxF "$homepage" ||
    flag "the program does not show the home page [$homepage]"

for page in Quorvel quorvel-translate; do
    file="$root/usr/share/man/man1/$page.1.gz"
    [ -f "$file" ] || continue
    warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >"$work/$page.txt")
    [ -z "$warnings" ] || flag "man warns about $page.1: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' FILES EXAMPLES 'SEE ALSO'; do
        grep -qx "$section" "$work/$page.txt" || flag "$page.1 has no $section section"
    done
    grep -q "Quorvel $version" "$work/$page.txt" || flag "$page.1 does not name version $version"
done

shown=$("$root/usr/bin/quorvel-translate" --version)
[ "$shown" = "quorvel-translate $version" ] || flag "--version printed [$shown]"

finish "${#expected[@]} files installed; desktop entry, metadata and manual pages validate; --version prints $version"
