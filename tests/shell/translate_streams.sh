#!/usr/bin/env bash
# quorvel-translate and its streams: failures reported with status 3, line
# ends, bytes passed unchanged, long lines, and a lone line answered at once.
# $1 is the build directory. QUORVEL_TRANSLATE overrides the command, for
# example "wine /path/to/quorvel-translate.exe" for the Windows build.
set -u
source "$(dirname "$0")/filter_tool.sh"
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Failing streams: NAME, the redirections (as one string for eval), the
# expected start of the message.
while IFS='|' read -r name redirections message; do
    eval "printf 'a%%41\\nb\\n' | \"\${tool[@]}\" $redirections 2>\"\$work/err\""
    status=$?
    [ "$status" = 3 ] || fail "$name: exit status $status, expected 3"
    grep -q "^quorvel-translate: $message: ." "$work/err" ||
        fail "$name: stderr is '$(head -c 200 "$work/err")'"
done <<'ROWS'
full disk|>/dev/full|cannot write output
closed output|>&-|cannot write output
closed input|<&- >/dev/null|cannot read input
help on a full disk|--help >/dev/full|cannot write output
ROWS

# Bytes in and out: NAME|INPUT|EXPECTED|OPTIONS (printf %b escapes).
while IFS='|' read -r name input expected options; do
    read -r -a options <<<"$(printf '%b' "$options")"
    printf '%b' "$input" | "${tool[@]}" "${options[@]}" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" = 0 ] || fail "$name: exit status $status"
    cmp -s "$work/out" <(printf '%b' "$expected") ||
        fail "$name: got $(od -An -c "$work/out" | tr -s ' ' | head -c 200)"
done <<'ROWS'
lone CR ends a line|a%41\rb%42\r\nc\r\rd|1\taA\n1\tbB\n0\tc\n0\t\n0\td\n|
CR at the very end|a\r|0\ta\n|
CR LF inside a link stays out of it|x%0D%0Ay\r\n|0\tx%0D%0Ay\n|
Ctrl-Z is data|a\x1ab%41\nc\n|1\ta\x1abA\n0\tc\n|
LF only out, whatever came in|a\r\nb\n|0\ta\n0\tb\n|
UTF-8 passes unchanged|\xc3\xa9%41\xe2\x82\xac\xf0\x9f\x98\x80\n|1\t\xc3\xa9A\xe2\x82\xac\xf0\x9f\x98\x80\n|
non-ASCII ending|abc\xc3\xa9\n|0\tabc\n|--ending \xc3\x89
ROWS

# A CR that ends one write and the LF that starts the next are one line end.
{
    printf 'a\r'
    sleep 0.3
    printf '\nb\n'
} | "${tool[@]}" >"$work/out"
cmp -s "$work/out" <(printf '0\ta\n0\tb\n') || fail "CR LF split between writes: $(od -An -c "$work/out")"

# Lines longer than the filter's buffers, with characters of two to four
# bytes across every boundary, and one over the engine's 16-bit limit.
awk 'BEGIN { printf "%%41"; for (i = 0; i < 120000; i++) printf "\303\251x\342\202\254\360\237\230\200"; printf "END\n" }' >"$work/long"
awk 'BEGIN { printf "A"; for (i = 0; i < 120000; i++) printf "\303\251x\342\202\254\360\237\230\200"; printf "\n" }' >"$work/long.expected"
"${tool[@]}" --ending end <"$work/long" >"$work/out"
cmp -s "$work/out" <(printf '1\t'; cat "$work/long.expected") || fail "long line: output differs"
{
    cat "$work/long"
    printf 'x%%41\n'
} | sed '1s/END$/%41/' | "${tool[@]}" >"$work/out" 2>"$work/err"
cmp -s "$work/out" <(printf '0\t\n1\txA\n') || fail "long line over the limit: $(head -c 100 "$work/out")"
grep -qx 'FixTheURLDyn: 6 : Overflow' "$work/err" || fail "long line over the limit: no overflow box"

# A line the memory cannot hold is reported like a failed allocation in the
# window, and the next line is translated. (Not under Wine or
# AddressSanitizer, which need more address space than the limit leaves.)
if [ -z "${QUORVEL_TRANSLATE:-}" ] && ! grep -q __asan_init "${tool[0]}"; then
    {
        head -c 40000000 /dev/zero | tr '\0' x
        printf '\nx%%41\n'
    } >"$work/huge"
    (
        ulimit -v 60000
        "${tool[@]}" <"$work/huge" >"$work/out" 2>"$work/err"
    )
    status=$?
    [ "$status" = 1 ] || fail "line beyond memory: exit status $status"
    cmp -s "$work/out" <(printf '0\t\n1\txA\n') || fail "line beyond memory: $(head -c 100 "$work/out")"
    grep -qx 'cmdTrans: 7 : Out of memory' "$work/err" || fail "line beyond memory: no box"
fi

# A line that comes alone is answered before the next is sent. The answer is
# awaited for at most 10 seconds, so a filter that holds it back fails here
# instead of hanging.
coproc FILTER { "${tool[@]}"; }
filter_pid=$FILTER_PID
for exchange in 'x%41|xA' 'y%42|yB'; do
    printf '%s\n' "${exchange%|*}" >&"${FILTER[1]}"
    if ! IFS= read -r -t 10 answer <&"${FILTER[0]}"; then
        fail "interactive: no answer to '${exchange%|*}' within 10 seconds"
        break
    fi
    [ "$answer" = "$(printf '1\t%s' "${exchange#*|}")" ] || fail "interactive: got '$answer'"
done
exec {FILTER[1]}>&-
kill "$filter_pid" 2>/dev/null
wait "$filter_pid" 2>/dev/null

if [ "$failures" -ne 0 ]; then
    echo "translate_streams: $failures check(s) failed" >&2
    exit 1
fi
echo "translate_streams: all checks passed"
