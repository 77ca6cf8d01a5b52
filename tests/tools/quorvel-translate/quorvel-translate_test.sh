#!/usr/bin/env bash
# quorvel-translate: the cases of cases.txt, then what a table cannot hold
# (memory, lines answered at once) and today's output on a generated batch.
# $1 is the build directory. QUORVEL_TRANSLATE overrides the command, for
# example "wine-run /path/to/quorvel-translate.exe" for the Windows build.
set -u
here=$(cd "$(dirname "$0")" && pwd)
read -r -a tool <<<"${QUORVEL_TRANSLATE:-${1:?usage: $(basename "$0") BUILD_DIR}/tools/quorvel-translate/quorvel-translate}"
command -v "${tool[0]}" >/dev/null || { echo "FAIL: ${tool[0]} was not built" >&2; exit 1; }
[[ ${tool[0]} == */* && ${tool[0]} != /* ]] && tool[0]=$PWD/${tool[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
shown() { od -An -c "$1" | tr -s ' \n' ' ' | head -c 300; }

# expand TEXT: printf %b escapes, and {TEXT*N} repeated.
expand() {
    local text=$1
    while [[ $text =~ ^(.*)\{([^{}*]*)\*([0-9]+)\}(.*)$ ]]; do
        text=${BASH_REMATCH[1]}$(yes "${BASH_REMATCH[2]}" | head -n "${BASH_REMATCH[3]}" | tr -d '\n')${BASH_REMATCH[4]}
    done
    printf '%b' "$text"
}

# check_stream NAME FILE EXPECTED: what a case wrote against its column.
check_stream() {
    local name=$1 file=$2 expected=$3 patterns pattern
    if [[ $expected == '~'* ]]; then
        IFS='~' read -r -a patterns <<<"${expected:1}"
        for pattern in "${patterns[@]}"; do
            grep -Eq -- "$pattern" "$file" || fail "$name: no line of $file matches '$pattern'"
        done
    elif ! cmp -s "$file" <(expand "$expected"); then
        fail "$name: $file differs"$'\n'"  expected: $(shown <(expand "$expected"))"$'\n'"  got:      $(shown "$file")"
    fi
}

printf 'x%%41\n' >one
printf 'y%%42' >two
printf 'a\r' >cr
while IFS='|' read -r name status options input stdout stderr; do
    [[ -z $name || $name == '#'* ]] && continue
    expand "$input" | eval "\"\${tool[@]}\" $options" >out 2>err
    got=$?
    [ "$got" = "$status" ] || fail "$name: exit status $got, expected $status"
    check_stream "$name" out "$stdout"
    check_stream "$name" err "$stderr"
done <"$here/cases.txt"

# The README's console examples print what it shows (standard error, which
# follows the output before it, included).
quorvel-translate() { "${tool[@]}" "$@"; }
awk '/^```console$/ { on = 1; next } /^```$/ { on = 0 } !on || $0 == "" { file = ""; next }
    /^\$ / { file = sprintf("example%02d", ++n); print substr($0, 3) >(file ".command"); printf "" >(file ".expected"); next }
    file { print >(file ".expected") }' "$here/../../../README.md"
for example in example*.command; do
    eval "$(<"$example")" >out 2>&1
    cmp -s out "${example%.command}.expected" || fail "README: '$(<"$example")' printed $(shown out)"
done

# A line the memory cannot hold is reported like a failed allocation in the
# window, and the next line is translated. (Not under Wine or
# AddressSanitizer, which need more address space than the limit leaves.)
if [ -z "${QUORVEL_TRANSLATE:-}" ] && ! grep -q __asan_init "${tool[0]}"; then
    { head -c 40000000 /dev/zero | tr '\0' x && printf '\nx%%41\n'; } >huge
    (ulimit -v 60000 && "${tool[@]}" <huge >out 2>err)
    echo "status $?" | cat - err >>out
    cmp -s out <(printf '0\t\n1\txA\nstatus 1\ncmdTrans: 7 : Out of memory\n') || fail "line beyond memory: $(shown out)"
fi

# A line that comes alone is answered before the next is sent, one that a CR
# ends too, and the LF that starts the next write ends no second line. The
# answer is awaited for at most 10 seconds, so a filter that holds it back
# fails here instead of hanging.
coproc FILTER { "${tool[@]}"; }
filter_pid=$FILTER_PID
for exchange in 'x%41\n|1\txA' 'a\r|0\ta' '\nb\n|0\tb' 'y%42\n|1\tyB'; do
    printf '%b' "${exchange%|*}" >&"${FILTER[1]}"
    IFS= read -r -t 10 answer <&"${FILTER[0]}" || answer="nothing within 10 seconds"
    [ "$answer" = "$(printf '%b' "${exchange#*|}")" ] || fail "interactive: '${exchange%|*}' got '$answer'"
done
exec {FILTER[1]}>&-
kill "$filter_pid" 2>/dev/null
wait "$filter_pid" 2>/dev/null

# Today's output on a generated batch stays byte for byte what it was. Each
# checksum was made by the filter as it was before unwrapping came, with
#   LC_ALL=C awk -f batch.awk >batch
#   { quorvel-translate OPTIONS <batch 2>&1; echo "status $?"; } | sha256sum
LC_ALL=C awk -f "$here/batch.awk" >batch
while read -r sum options; do
    got=$({ eval "\"\${tool[@]}\" $options" <batch 2>&1; echo "status $?"; } | sha256sum)
    [ "${got%% *}" = "$sum" ] || fail "generated batch with '$options': output differs from the recorded one"
done <<'SUMS'
07a3e7b29f8d23a8c664725725105231024fe83b1d0b749a479487f5628fb5b6
2b8081ac92404f3ea6077b9bb72f5d3852d8d70c2cca296c460ba54999b2bb80 --predefined
7dd93634176b34508eb252e4682c3274a210ffef239e5d5da4254363ad770c70 --keep-ending
ad659789260ffa8afd767a9545c0bad4aa0119d85052ecdab555d551b2b63b27 --ending xyz
SUMS

[ "$failures" -eq 0 ] || { echo "quorvel-translate: $failures check(s) failed" >&2; exit 1; }
echo "quorvel-translate: all checks passed"
