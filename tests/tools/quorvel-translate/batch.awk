# A batch of varied links, the same bytes on every machine: a Park-Miller
# generator in integer arithmetic that doubles hold exactly, and bytes written
# as octal escapes, which every awk passes through unchanged (run with LC_ALL=C).
#   awk -v lines=N -f batch.awk
function next_int(n) {
    seed = (seed * 16807) % 2147483647
    return seed % n
}
function pick(list,    parts, count) {
    count = split(list, parts, "|")
    return parts[next_int(count) + 1]
}
function piece(    kind) {
    kind = next_int(16)
    if (kind < 4) return pick("%3A|%2F|%3F|%3D|%26|%23|%2B|%2C|%40|%7E|%3a|%2f|%3d")
    if (kind == 4) return pick("%25|%2525|%252F|%20|%09|%0A|%0D|%00|%7F|%1A")
    if (kind == 5) return pick("%C3%A9|%E2%82%AC|%F0%9F%98%80|%c3%a9|%FF|%C3|%E2%82|%80")
    if (kind == 6) return pick("%|%G1|%4|%%41|%z9|%%")
    if (kind == 7) return pick("\303\251|\342\202\254|\360\237\230\200|\377|\303|\342\202")
    if (kind == 8) return pick("+|&|?|=|#|;|'|)|(|<>|\"|\\|/|\t")
    if (kind == 9) return pick("%27%29%3B|')|');|action=|ACTION=|&action=")
    return pick("a|b|c|x|y|z|0|9|www|example|org|path|q|id|Z|_|-|.")
}
function link(    out, n, i) {
    out = pick("https://r.example.com/c?id=|http://t.example/x?u=|HTTPS://R.EXAMPLE/|/c?|x")
    out = out next_int(100000) pick("&action=|?action=|&action=|&Action=|&")
    out = out pick("https%3A%2F%2F|http%3a%2f%2f|https://|www.|%68ttp%3A")
    n = 2 + next_int(40)
    for (i = 0; i < n; i++) out = out piece()
    return out
}
BEGIN {
    seed = 20261207
    if (!lines) lines = 5000
    for (l = 0; l < lines; l++) {
        kind = next_int(100)
        if (kind == 0) line = ""
        else if (kind == 1) line = pick("_|\t|__") pick("_|\t") link() pick("_|\t")
        else if (kind == 2) { line = ""; for (i = 0; i < 1200 + next_int(800); i++) line = line piece() }
        else if (kind == 3) { line = link(); n = pick("11000|33000"); for (i = 0; i < n; i++) line = line "%2F" }
        else if (l == 2500) { line = "%41"; for (i = 0; i < 40000; i++) line = line "\303\251x\342\202\254\360\237\230\200" }
        else line = link() pick("');|');|');|');');|')|;|xyz|XYZ|');|_|_|_|_|_|_")
        gsub(/_/, " ", line)
        printf "%s%s", line, pick("\n|\n|\n|\n|\n|\n|\r\n|\r")
    }
}
