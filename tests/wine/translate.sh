#!/usr/bin/env bash
# quorvel-translate.exe under Wine must write the very bytes the Linux build
# writes: line ends, UTF-8 and a Ctrl-Z in the input pass through untouched, an
# --ending or a file name beyond the system code page arrives whole, and host
# names unwrap alike.
source "$(dirname "$0")/../support/shell_test.sh"
wine_run=${1:?usage: translate.sh WINE_RUN WINDOWS_EXE LINUX_EXE}
windows=${2:?}
linux=${3:?}
if [ ! -x "$linux" ]; then
    echo "SKIP: no Linux build of quorvel-translate to compare with ($linux)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine hands the arguments over in the locale's encoding.
export LC_ALL=C.UTF-8

shown() {
    od -An -c "$1" | tr -s ' \n' ' ' | head -c 160
}
# compare NAME INPUT_FILE [OPTIONS...]: standard output, standard error and
# exit status of both builds
compare() {
    local name=$1 input=$2 stream
    shift 2
    "$linux" "$@" <"$input" >"$work/linux.out" 2>"$work/linux.err"
    echo $? >"$work/linux.status"
    "$wine_run" "$windows" "$@" <"$input" >"$work/windows.out" 2>"$work/windows.err"
    echo $? >"$work/windows.status"
    for stream in out err status; do
        cmp -s "$work/linux.$stream" "$work/windows.$stream" || flag "$name: the $stream differs;" \
            "Linux: $(shown "$work/linux.$stream"), Windows: $(shown "$work/windows.$stream")"
    done
}

# input NAME: printf's %b escapes of the rest, into a file
input() {
    local file="$work/$1.in"
    shift
    printf '%b' "$*" >"$file"
    echo "$file"
}

compare "CR LF, no final line end" "$(input crlf 'a%41\r\n\r\nb%42')"
compare "Ctrl-Z inside a line and alone" "$(input ctrlz 'a\x1ab%41\n\x1a\nafter%42\n')"
compare "UTF-8 raw, escaped and broken" "$(input utf8 'caf\xc3\xa9 %C3%A9\n\xff%e2%82\n\xe2\x82\xac%E2%82%AC\n')"
compare "ending beyond the code page" "$(input ending '\xd0\xb6%41\xd0\x96\xc2\xbb\n')" --ending 'Ж»'
compare "message on standard error" "$(input overflow "$(printf '%%41%.0s' $(seq 40000))\n")"

links='https://eur01.safelinks.protection.outlook.com/?url=https%3A%2F%2Fwww.google.com%2Furl%3Fq%3Dhttps%3A%2F%2Fb%25C3%25BCcher.example%2F&data=05\n'
links+='https://www.google.com/url?q=https://\xd0\xb5xample.com/\nhttps://www.google.com/url?q=javascript:alert(1)\n'
compare "unwrapping, lookalike and international hosts" "$(input unwrap "$links")" --unwrap --json --trace
printf 'x%%41\n' >"$work/Ж.txt"
pushd "$work" >/dev/null && compare "file named beyond the code page" "$(input stdin 'y%42\n')" Ж.txt - && popd >/dev/null

finish "the Windows build wrote the Linux build's bytes in every case"
