#!/usr/bin/env bash
# Round trips through quorvel-translate. $1 is the build directory.
# QUORVEL_TRANSLATE overrides the command, for example
# "wine /path/to/quorvel-translate.exe" for the Windows build.
set -u
source "$(dirname "$0")/filter_tool.sh"

# run NAME EXPECTED_STATUS INPUT [OPTIONS...]: stdout and stderr land in files.
run() {
    local name=$1 status=$2 input=$3
    shift 3
    printf '%b' "$input" | "${tool[@]}" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    if [ "$got" != "$status" ]; then
        echo "FAIL: $name: exit status $got, expected $status" >&2
        sed 's/^/  stderr: /' "$work/err" >&2
        failures=$((failures + 1))
    fi
}

# expect NAME FILE EXPECTED (backslash escapes as in printf %b)
expect() {
    local name=$1 file=$2
    if ! cmp -s "$work/$file" <(printf '%b' "$3"); then
        echo "FAIL: $name: $file differs" >&2
        echo "  expected: $(printf '%b' "$3" | od -An -c | tr -s ' ' | head -c 300)" >&2
        echo "  got:      $(od -An -c "$work/$file" | tr -s ' ' | head -c 300)" >&2
        failures=$((failures + 1))
    fi
}

run "dynamic" 0 'x%3a%2f%2fy%2ez\n'
expect "dynamic" out '4\tx://y.z\n'
expect "dynamic" err ''

run "both methods differ on %25" 0 'x%252Fy\npage?action=a%3Db\n'
expect "dynamic %25" out '1\tx%2Fy\n1\ta=b\n'
run "predefined" 0 'x%252Fy\npage?action=a%3Db\n%28x%29\n' --predefined
expect "predefined" out '2\tx/y\n1\ta=b\n0\t%28x%29\n'

run "ending removed" 0 "x%27);');\n%20abc%20\n"
expect "ending removed" out "1\tx');\n2\tabc\n"
run "keep ending" 0 "x%27);');\n%20abc%20\n" --keep-ending
expect "keep ending" out "1\tx');');\n2\tabc\n"

run "own ending" 0 'abcxyz\nabcXYZ\nabc\x27);\n' --ending 'xyz  '
expect "own ending" out "0\tabc\n0\tabc\n0\tabc');\n"
run "blank ending ignored" 0 "abc');\n" --ending '   '
expect "blank ending ignored" out '0\tabc\n'
run "ending with =" 0 'a%41END\n' --predefined --ending=end
expect "ending with =" out '0\ta%41\n'

run "CR LF and last line without LF" 0 'a%41\r\n\r\nb%42'
expect "CR LF" out '1\taA\n0\t\n1\tbB\n'

run "invalid UTF-8" 0 'a\xffb%41\xe2\x82\n\xc3\xa9%2F\n'
expect "invalid UTF-8" out '1\ta\xef\xbf\xbdbA\xef\xbf\xbd\n1\t\xc3\xa9/\n'

run "NUL kept" 0 'a\x00%41\n'
expect "NUL kept" out '1\ta\x00A\n'

long=$(head -c 32765 /dev/zero | tr '\0' x)
run "overflow box" 1 "${long}%\nx%3a\n"
expect "overflow box" out '0\t\n1\tx:\n'
expect "overflow box" err 'FixTheURLDyn: 6 : Overflow\n'

codes=$(printf '%%2F%.0s' $(seq 32768))
run "replace box" 1 "%20%20x${codes}\n" --predefined
expect "replace box" out '2\t\n'
expect "replace box" err 'sRemoveReplaceMulti: 6 : Overflow\n'

run "bad option" 2 '' --bogus
expect "bad option" out ''
if ! grep -q '^usage: quorvel-translate' "$work/err"; then
    echo "FAIL: bad option: no usage line on stderr" >&2
    failures=$((failures + 1))
fi
run "missing ending" 2 '' --ending

run "help" 0 '' --help
grep -q -- '--keep-ending' "$work/out" || {
    echo "FAIL: help: options not listed" >&2
    failures=$((failures + 1))
}

if [ "$failures" -ne 0 ]; then
    echo "translate_cli: $failures check(s) failed" >&2
    exit 1
fi
echo "translate_cli: all checks passed"
