#!/usr/bin/env bash
# Throughput and memory of quorvel-translate, with a python3 line loop over
# urllib.parse.unquote and cat measured in the same run, and of
# quorvel-translate --unwrap against plain translation of the same batch.
#
#   bench/cli_throughput.sh BUILD_DIR [OTHER_FILTER]
#
# OTHER_FILTER (for example a build of an earlier commit) joins the paired
# repetitions as "other". QUORVEL_BENCH_REPS sets the repetitions (default 7).
# The inputs come from a fixed seed, so every run measures the same bytes.
set -euo pipefail
filter=${1:?usage: cli_throughput.sh BUILD_DIR [OTHER_FILTER]}/tools/quorvel-translate/quorvel-translate
other=${2:-}
reps=${QUORVEL_BENCH_REPS:-7}
[ -x "$filter" ] || {
    echo "cli_throughput: $filter was not built" >&2
    exit 1
}
[ -z "$other" ] || [ -x "$other" ] || {
    echo "cli_throughput: $other is not a program" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# batch: 220,000 redirect links of about 150 characters with 5 to 15 escape
# codes, 60 % ending in "');". short: 1,000,000 lines of about 20 characters.
# line: one line of 100,000,000 bytes, a link followed by plain text.
python3 - "$work" <<'EOF'
import random, sys
work = sys.argv[1]
rng = random.Random(20240613)
alnum = "abcdefghijklmnopqrstuvwxyz0123456789"
codes = ["%3A", "%2F", "%3F", "%3D", "%26", "%20", "%2B", "%25", "%23", "%2C", "%40", "%7E"]

def word(lo, hi):
    return "".join(rng.choice(alnum) for _ in range(rng.randint(lo, hi)))

def target(length, ncodes):
    parts = ["https%3A%2F%2F", word(4, 10), ".example.org"]
    size, made = sum(map(len, parts)), 2
    while size < length:
        piece = rng.choice(codes) + word(2, 9) if made < ncodes else word(3, 9)
        made += piece.startswith("%")
        parts.append(piece)
        size += len(piece)
    return "".join(parts)

with open(f"{work}/batch", "w") as out:
    for _ in range(220000):
        head = f"https://r{rng.randint(1, 9)}.example.com/c?id={rng.randint(1, 99999)}&action="
        tail = "');" if rng.random() < 0.6 else ""
        out.write(head + target(150 - len(head) - len(tail), rng.randint(5, 15)) + tail + "\n")
with open(f"{work}/short", "w") as out:
    for _ in range(1000000):
        out.write(word(8, 14) + rng.choice(codes) + word(3, 6) + "\n")
with open(f"{work}/line", "w") as out:
    head = "https://r.example.com/c?action=" + target(200, 12)
    filler = "".join(rng.choice(alnum + "/._-") for _ in range(4096))
    out.write(head + filler * ((100000000 - len(head) - 1) // 4096))
    out.write("x" * ((100000000 - len(head) - 1) % 4096) + "\n")
EOF

python_loop='import sys
from urllib.parse import unquote
write = sys.stdout.write
for line in sys.stdin:
    write(unquote(line))'

# seconds NAME FILE: wall time of one run, output to /dev/null.
seconds() {
    local start=$EPOCHREALTIME
    case $1 in
    filter) "$filter" <"$2" >/dev/null ;;
    unwrap) "$filter" --unwrap <"$2" >/dev/null ;;
    other) "$other" <"$2" >/dev/null ;;
    python) python3 -c "$python_loop" <"$2" >/dev/null ;;
    cat) cat "$2" >/dev/null ;;
    esac
    local end=$EPOCHREALTIME
    echo "$start $end" | awk '{ printf "%.6f", $2 - $1 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# paired FILE TOOLS...: every repetition runs each tool once, in a rotated
# order, so a busy moment of the machine hits all of them alike. Prints the
# median MB/s of each and the medians of the ratios within repetitions.
paired() {
    local file=$1
    shift
    local tools=("$@") bytes
    bytes=$(stat -c %s "$file")
    local -A times=()
    for ((r = 0; r < reps; r++)); do
        for ((k = 0; k < ${#tools[@]}; k++)); do
            local tool=${tools[$(((k + r) % ${#tools[@]}))]}
            times[$tool]+="$(seconds "$tool" "$file") "
        done
    done
    printf '%s: %d bytes, %d repetitions\n' "$(basename "$file")" "$bytes" "$reps"
    for tool in "${tools[@]}"; do
        printf '  %-7s %8.1f MB/s (median)\n' "$tool" \
            "$(tr ' ' '\n' <<<"${times[$tool]}" | grep . | median | awk -v b="$bytes" '{ print b / $1 / 1e6 }')"
    done
    for tool in "${tools[@]}"; do
        [ "$tool" = filter ] || [ "$tool" = unwrap ] && continue
        local ratios
        ratios=$(paste <(tr ' ' '\n' <<<"${times[$tool]}" | grep .) \
            <(tr ' ' '\n' <<<"${times[filter]}" | grep .) | awk '{ print $1 / $2 }' | median)
        printf '  filter / %-7s %8.3f  (speed ratio, median of the paired repetitions)\n' "$tool" "$ratios"
    done
    if [ -n "${times[unwrap]:-}" ]; then
        printf '  unwrap / filter  %8.3f  (speed ratio, median of the paired repetitions; at least 0.5 wanted)\n' \
            "$(paste <(tr ' ' '\n' <<<"${times[filter]}" | grep .) \
                <(tr ' ' '\n' <<<"${times[unwrap]}" | grep .) | awk '{ print $1 / $2 }' | median)"
    fi
}

tools=(filter python cat)
[ -z "$other" ] || tools=(filter other python cat)
echo "== Throughput (wall time, output to /dev/null)"
paired "$work/batch" "${tools[@]}" unwrap
paired "$work/short" "${tools[@]}"

# Peak resident memory in KiB of one run.
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

echo "== Peak resident memory (/usr/bin/time -f %M)"
cat "$work/short" "$work/short" "$work/short" "$work/short" >"$work/short4"
cat "$work/batch" "$work/batch" "$work/batch" "$work/batch" >"$work/batch4"
for f in short short4 batch batch4 line; do
    size=$(stat -c %s "$work/$f")
    for tool in filter ${other:+other} unwrap; do
        case $tool in
        filter) program=("$filter") ;;
        other) program=("$other") ;;
        unwrap) [[ $f == batch* ]] || continue; program=("$filter" --unwrap) ;;
        esac
        kib=$(peak "${program[@]}" <"$work/$f")
        printf '  %-7s %-8s %10d bytes in: %8d KiB peak, %.2f times the input\n' \
            "$tool" "$f" "$size" "$kib" "$(awk -v k="$kib" -v s="$size" 'BEGIN { print k * 1024 / s }')"
    done
done
