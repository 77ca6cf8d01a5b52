#include "engine/Scan.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#define QUORVEL_AVX2 1
#include <immintrin.h>
#endif

namespace quorvel::scan {

namespace {

constexpr char16_t kMarkerLetters[] = u"action";

// Compared as ASCII: c | 0x20 equals a lower-case letter only for that letter
// and its capital.
bool markerAt(const char16_t* s, std::size_t start) noexcept
{
    for (std::size_t k = 0; k < 6; ++k)
        if ((s[start + k] | 0x20) != kMarkerLetters[k])
            return false;
    return s[start + 6] == u'=';
}

std::size_t findMarkerFrom(const char16_t* s, std::size_t eqFrom, std::size_t n) noexcept
{
    for (std::size_t eq = findUnit(s, eqFrom, n, u'='); eq < n; eq = findUnit(s, eq + 1, n, u'='))
        if (markerAt(s, eq - 6))
            return eq - 6;
    return n;
}

bool mayStartLink(char16_t c) noexcept
{
    const char16_t folded = c | 0x20;
    return folded == u'h' || folded == u'w' || folded == u'a' || folded == u'd' || c == u'/' ||
           c == u'%';
}

LinkScan findMarkerOrLinkPlain(const char16_t* s, std::size_t n) noexcept
{
    bool link = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (s[i] != u'=' && s[i] != u'#')
            continue;
        if (s[i] == u'=' && i >= 6 && markerAt(s, i - 6))
            return {i - 6, true};
        link = link || (i + 1 < n && mayStartLink(s[i + 1]));
    }
    return {n, link};
}

AuthorityScan findAuthorityPlain(const char16_t* s, std::size_t from, std::size_t n) noexcept
{
    AuthorityScan found{n, n, n};
    for (std::size_t i = from; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'/' || c == u'\\' || c == u'?' || c == u'#') {
            found.end = i;
            break;
        }
        if (c == u'@')
            found.lastAt = i;
        else if (c == u':')
            found.lastColon = i;
    }
    return found;
}

#if QUORVEL_AVX2

std::atomic<VectorCode> vectorAllowed{VectorCode::Avx512};

bool allowed(VectorCode level) noexcept
{
    return vectorAllowed.load(std::memory_order_relaxed) >= level;
}

bool hasAvx2() noexcept
{
    static const bool yes = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return yes && allowed(VectorCode::Avx2);
}

// Word compression (vpcompressw) is what makes the wider code pay.
bool hasAvx512() noexcept
{
    static const bool yes = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi2") &&
               __builtin_cpu_supports("popcnt");
    }();
    return yes && allowed(VectorCode::Avx512);
}

// Shuffle that gathers the kept 16-bit lanes of eight to the front.
constexpr auto kCompact = [] {
    std::array<std::array<unsigned char, 16>, 256> t{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        unsigned out = 0;
        for (unsigned lane = 0; lane < 8; ++lane)
            if (mask & (1u << lane)) {
                t[mask][2 * out] = static_cast<unsigned char>(2 * lane);
                t[mask][2 * out + 1] = static_cast<unsigned char>(2 * lane + 1);
                ++out;
            }
        for (unsigned k = 2 * out; k < 16; ++k)
            t[mask][k] = 0x80;
    }
    return t;
}();

#define QUORVEL_TARGET __attribute__((target("avx2,popcnt")))

QUORVEL_TARGET inline __m256i load(const char16_t* p) noexcept
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

QUORVEL_TARGET inline __m256i is(__m256i v, char16_t c) noexcept
{
    return _mm256_cmpeq_epi16(v, _mm256_set1_epi16(static_cast<short>(c)));
}

QUORVEL_TARGET inline void store(char16_t* p, __m256i v) noexcept
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// One bit per 16-bit lane of a lane mask.
QUORVEL_TARGET inline unsigned laneBits(__m256i mask) noexcept
{
    const unsigned m = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_packs_epi16(mask, _mm256_setzero_si256())));
    return (m & 0xFFu) | ((m >> 8) & 0xFF00u);
}

// Hexadecimal digit value of each lane, and whether it is one.
QUORVEL_TARGET inline void hexDigits(__m256i v, __m256i& value, __m256i& ok) noexcept
{
    const __m256i d = _mm256_sub_epi16(v, _mm256_set1_epi16(u'0'));
    const __m256i isDigit = _mm256_cmpeq_epi16(_mm256_min_epu16(d, _mm256_set1_epi16(9)), d);
    const __m256i l =
        _mm256_sub_epi16(_mm256_or_si256(v, _mm256_set1_epi16(0x20)), _mm256_set1_epi16(u'a'));
    const __m256i isLetter = _mm256_cmpeq_epi16(_mm256_min_epu16(l, _mm256_set1_epi16(5)), l);
    value = _mm256_blendv_epi8(_mm256_add_epi16(l, _mm256_set1_epi16(10)), d, isDigit);
    ok = _mm256_or_si256(isDigit, isLetter);
}

// For the percent sign in each lane: the value of the two units after it and
// whether both are hexadecimal digits.
QUORVEL_TARGET inline void codeValues(const char16_t* at, __m256i& value, __m256i& ok,
                                      __m256i& high, __m256i& low) noexcept
{
    __m256i ok1, ok2;
    hexDigits(load(at + 1), high, ok1);
    hexDigits(load(at + 2), low, ok2);
    value = _mm256_add_epi16(_mm256_slli_epi16(high, 4), low);
    ok = _mm256_and_si256(ok1, ok2);
}

// Writes the kept lanes of v at s + w, in order. The stores reach at most
// 16 units past w, never beyond the block being read (or, when writing to
// another buffer, beyond the length of the text).
QUORVEL_TARGET inline void compact(__m256i v, unsigned keep, char16_t* s, std::size_t& w) noexcept
{
    const unsigned low = keep & 0xFFu;
    const unsigned high = keep >> 8;
    const __m128i lo = _mm256_castsi256_si128(v);
    const __m128i hi = _mm256_extracti128_si256(v, 1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s + w),
                     _mm_shuffle_epi8(lo, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                              kCompact[low].data()))));
    w += static_cast<unsigned>(__builtin_popcount(low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s + w),
                     _mm_shuffle_epi8(hi, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                              kCompact[high].data()))));
    w += static_cast<unsigned>(__builtin_popcount(high));
}

QUORVEL_TARGET inline __m256i broadcast(const unsigned char* bytes) noexcept
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)));
}

// Marker candidates ("n=" in either case) among the 16 units from s + i.
QUORVEL_TARGET inline __m256i markerHits(const char16_t* s, std::size_t i) noexcept
{
    const __m256i folded = _mm256_or_si256(load(s + i - 1), _mm256_set1_epi16(0x20));
    return _mm256_and_si256(is(load(s + i), u'='), is(folded, u'n'));
}

// Checks the candidates of one 16-unit block; a lane sets two mask bits.
inline std::size_t markerAmong(const char16_t* s, std::size_t i, unsigned mask) noexcept
{
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t at = i + static_cast<unsigned>(__builtin_ctz(mask)) / 2;
        mask &= mask - 1;
        if (markerAt(s, at - 6))
            return at - 6;
    }
    return static_cast<std::size_t>(-1);
}

// Without `percents`, firstPercent is left at 0 and no lane is tested for it.
QUORVEL_TARGET MarkerScan findMarkerAvx2(const char16_t* s, std::size_t n, bool percents) noexcept
{
    const __m256i percent = _mm256_set1_epi16(u'%');
    const std::size_t none = static_cast<std::size_t>(-1);
    const std::size_t head = n < 6 ? n : 6;
    std::size_t firstPercent = percents ? findUnit(s, 0, head, u'%') : 0;
    if (firstPercent == head)
        firstPercent = n;
    std::size_t i = 6;
    // Two blocks a step, until the first percent sign.
    for (; firstPercent == n && i + 32 <= n; i += 32) {
        const __m256i hitA = markerHits(s, i);
        const __m256i hitB = markerHits(s, i + 16);
        const __m256i pctA = _mm256_cmpeq_epi16(load(s + i), percent);
        const __m256i pctB = _mm256_cmpeq_epi16(load(s + i + 16), percent);
        const __m256i any =
            _mm256_or_si256(_mm256_or_si256(hitA, hitB), _mm256_or_si256(pctA, pctB));
        if (_mm256_testz_si256(any, any))
            continue;
        for (const std::size_t b : {i, i + 16}) {
            const unsigned m = static_cast<unsigned>(_mm256_movemask_epi8(markerHits(s, b)));
            if (const std::size_t at = markerAmong(s, b, m); at != none)
                return {at, n};
            const unsigned p = static_cast<unsigned>(
                _mm256_movemask_epi8(_mm256_cmpeq_epi16(load(s + b), percent)));
            if (p != 0 && firstPercent == n)
                firstPercent = b + static_cast<unsigned>(__builtin_ctz(p)) / 2;
        }
    }
    for (; i + 32 <= n; i += 32) {
        const __m256i hitA = markerHits(s, i);
        const __m256i hitB = markerHits(s, i + 16);
        const __m256i any = _mm256_or_si256(hitA, hitB);
        if (_mm256_testz_si256(any, any))
            continue;
        for (const std::size_t b : {i, i + 16})
            if (const std::size_t at = markerAmong(
                    s, b, static_cast<unsigned>(_mm256_movemask_epi8(markerHits(s, b))));
                at != none)
                return {at, n};
    }
    if (i < n && n >= 6 + 32) {
        // The last two blocks end at n and overlap units already passed,
        // which hold neither a marker nor, when none was found, a percent.
        const std::size_t b = n - 32;
        for (const std::size_t at : {b, b + 16}) {
            const unsigned m = static_cast<unsigned>(_mm256_movemask_epi8(markerHits(s, at)));
            if (const std::size_t marker = markerAmong(s, at, m); marker != none) {
                _mm256_zeroupper();
                return {marker, n};
            }
        }
        if (firstPercent == n) {
            const std::uint64_t p =
                static_cast<std::uint32_t>(
                    _mm256_movemask_epi8(_mm256_cmpeq_epi16(load(s + b), percent))) |
                std::uint64_t{static_cast<std::uint32_t>(
                    _mm256_movemask_epi8(_mm256_cmpeq_epi16(load(s + b + 16), percent)))}
                    << 32;
            if (p != 0)
                firstPercent = b + static_cast<std::size_t>(std::countr_zero(p)) / 2;
        }
        _mm256_zeroupper();
        return {n, firstPercent};
    }
    // The rest goes to 128-bit code: leaving the upper halves dirty would
    // slow every such instruction after this (the compiler adds this only
    // at some of the returns).
    _mm256_zeroupper();
    const std::size_t marker = findMarkerFrom(s, i, n);
    if (firstPercent == n)
        firstPercent = findUnit(s, i, n, u'%');
    return {marker, firstPercent};
}

// Consumed lanes are those of the two (table chains: four) digits behind a
// decoded percent sign; the ones beyond the block carry into the next.
QUORVEL_TARGET void dynamicBlocksAvx2(const char16_t* in, char16_t* out, std::size_t n,
                                      std::size_t limit, Cursor& cursor) noexcept
{
    const __m256i percent = _mm256_set1_epi16(u'%');
    std::size_t i = cursor.r;
    std::size_t w = cursor.w;
    long long count = cursor.count;
    unsigned carry = 0;
    for (; i + 18 <= n && i + 16 <= limit; i += 16) {
        const __m256i v = load(in + i);
        const __m256i isPercent = _mm256_cmpeq_epi16(v, percent);
        if ((_mm256_movemask_epi8(isPercent) | carry) == 0) {
            if (out + w != in + i)
                store(out + w, v);
            w += 16;
            continue;
        }
        __m256i value, ok, high, low;
        codeValues(in + i, value, ok, high, low);
        const __m256i printable = _mm256_sub_epi16(value, _mm256_set1_epi16(32));
        const __m256i inRange =
            _mm256_cmpeq_epi16(_mm256_min_epu16(printable, _mm256_set1_epi16(126 - 32)), printable);
        const __m256i decode = _mm256_and_si256(_mm256_and_si256(isPercent, ok), inRange);
        const unsigned decoded = laneBits(decode);
        const unsigned consumed = (decoded << 1) | (decoded << 2) | carry;
        carry = consumed >> 16;
        compact(_mm256_blendv_epi8(v, value, decode), ~consumed & 0xFFFFu, out, w);
        count += __builtin_popcount(decoded);
    }
    cursor.r = i + static_cast<unsigned>(__builtin_popcount(carry));
    cursor.w = w;
    cursor.count = count;
}

// The first unit in s[from, n), at least 32 units, for which hits() sets its
// lane, 32 units a step.
template <class Hits>
QUORVEL_TARGET inline std::size_t findFirstAvx2(const char16_t* s, std::size_t from, std::size_t n,
                                                Hits hits) noexcept
{
    std::size_t i = from;
    const auto found = [&](std::size_t at, __m256i a, __m256i b) QUORVEL_TARGET {
        const unsigned ma = static_cast<unsigned>(_mm256_movemask_epi8(a));
        if (ma != 0)
            return at + static_cast<unsigned>(__builtin_ctz(ma)) / 2;
        const unsigned mb = static_cast<unsigned>(_mm256_movemask_epi8(b));
        return at + 16 + static_cast<unsigned>(__builtin_ctz(mb)) / 2;
    };
    for (; i + 32 <= n; i += 32) {
        const __m256i a = hits(load(s + i));
        const __m256i b = hits(load(s + i + 16));
        const __m256i any = _mm256_or_si256(a, b);
        if (!_mm256_testz_si256(any, any))
            return found(i, a, b);
    }
    if (i < n) {
        // The last block overlaps units already passed, which hold no hit.
        i = n - 32;
        const __m256i a = hits(load(s + i));
        const __m256i b = hits(load(s + i + 16));
        const __m256i any = _mm256_or_si256(a, b);
        return _mm256_testz_si256(any, any) ? n : found(i, a, b);
    }
    return n;
}

template <std::size_t K>
QUORVEL_TARGET std::size_t findAnyOfAvx2(const char16_t* s, std::size_t from, std::size_t n,
                                         std::u16string_view set) noexcept
{
    __m256i needles[K];
    for (std::size_t k = 0; k < K; ++k)
        needles[k] = _mm256_set1_epi16(static_cast<short>(set[k]));
    return findFirstAvx2(s, from, n, [&](__m256i v) QUORVEL_TARGET {
        __m256i any = _mm256_cmpeq_epi16(v, needles[0]);
        for (std::size_t k = 1; k < K; ++k)
            any = _mm256_or_si256(any, _mm256_cmpeq_epi16(v, needles[k]));
        return any;
    });
}

// U+0000 to U+0020 and U+007F to U+009F.
QUORVEL_TARGET std::size_t findBlankOrControlAvx2(const char16_t* s, std::size_t from,
                                                  std::size_t n) noexcept
{
    const __m256i blank = _mm256_set1_epi16(0x20);
    const __m256i del = _mm256_set1_epi16(0x7F);
    return findFirstAvx2(s, from, n, [&](__m256i v) QUORVEL_TARGET {
        const __m256i low = _mm256_cmpeq_epi16(_mm256_min_epu16(v, blank), v);
        const __m256i d = _mm256_sub_epi16(v, del);
        return _mm256_or_si256(low, _mm256_cmpeq_epi16(_mm256_min_epu16(d, blank), d));
    });
}

// Link starts ('=' or '#', then a unit of mayStartLink) among the 16 units
// from s + i, which must be followed by one more.
QUORVEL_TARGET inline __m256i linkHits(const char16_t* s, std::size_t i) noexcept
{
    const __m256i v = load(s + i);
    const __m256i next = load(s + i + 1);
    const __m256i low = _mm256_or_si256(next, _mm256_set1_epi16(0x20));
    const __m256i starts =
        _mm256_or_si256(_mm256_or_si256(_mm256_or_si256(is(low, u'h'), is(low, u'w')),
                                        _mm256_or_si256(is(low, u'a'), is(low, u'd'))),
                        _mm256_or_si256(is(next, u'/'), is(next, u'%')));
    return _mm256_and_si256(_mm256_or_si256(is(v, u'='), is(v, u'#')), starts);
}

// Both kinds of hit gathered over the whole text without a branch per block
// (where they stand is random, and guessing it wrong costs more than the
// compares); the rare text with a marker candidate is searched again.
// At least 6 + 17 units: a marker ends at 6 at the earliest, and a link
// block reads one unit past itself.
QUORVEL_TARGET LinkScan findMarkerOrLinkAvx2(const char16_t* s, std::size_t n) noexcept
{
    __m256i links = linkHits(s, n - 17);
    for (std::size_t i = 0; i + 17 <= n; i += 16)
        links = _mm256_or_si256(links, linkHits(s, i));
    __m256i markers = markerHits(s, n - 16);
    for (std::size_t i = 6; i + 16 <= n; i += 16)
        markers = _mm256_or_si256(markers, markerHits(s, i));
    const bool link = !_mm256_testz_si256(links, links);
    const bool candidates = !_mm256_testz_si256(markers, markers);
    // Clean upper halves for the 128-bit code after this.
    _mm256_zeroupper();
    if (!candidates)
        return {n, link};
    const std::size_t marker = findMarkerFrom(s, 6, n);
    return {marker, marker < n || link};
}

// Sixteen units a step, the '@' and ':' read from the same block as the
// end: a search that stopped at each of them cost more than the compares.
// At least 16 units from `from` on.
QUORVEL_TARGET AuthorityScan findAuthorityAvx2(const char16_t* s, std::size_t from,
                                               std::size_t n) noexcept
{
    AuthorityScan found{n, n, n};
    const auto last = [](unsigned bits, std::size_t base, std::size_t none) {
        return bits != 0 ? base + static_cast<unsigned>(31 - std::countl_zero(bits)) / 2 : none;
    };
    for (std::size_t i = from; i < n; i += 16) {
        // The last block overlaps units already read: their bits are dropped.
        const std::size_t base = std::min(i, n - 16);
        const unsigned fresh = ~0u << (2 * (i - base));
        const __m256i v = load(s + base);
        const unsigned ends = fresh & static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(
                                          _mm256_or_si256(is(v, u'/'), is(v, u'\\')),
                                          _mm256_or_si256(is(v, u'?'), is(v, u'#')))));
        const unsigned before = fresh & ((ends & (0u - ends)) - 1);
        found.lastAt = last(before & static_cast<unsigned>(_mm256_movemask_epi8(is(v, u'@'))), base,
                            found.lastAt);
        found.lastColon = last(before & static_cast<unsigned>(_mm256_movemask_epi8(is(v, u':'))),
                               base, found.lastColon);
        if (ends != 0) {
            found.end = base + static_cast<unsigned>(std::countr_zero(ends)) / 2;
            break;
        }
    }
    _mm256_zeroupper();
    return found;
}

#define QUORVEL_TARGET512 __attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt")))

// Digit values of '0' to 'o' by their distance from '0'; 16 for what is no
// hexadecimal digit.
alignas(64) constexpr std::array<std::uint16_t, 64> kHexFromZero = [] {
    std::array<std::uint16_t, 64> t{};
    for (std::size_t k = 0; k < t.size(); ++k) {
        const signed char digit = kHexDigit[u'0' + k];
        t[k] = digit < 0 ? 16 : static_cast<std::uint16_t>(digit);
    }
    return t;
}();

// Hexadecimal digit value of each lane (junk where it is none) and which are:
// one look-up in a 64-entry table.
QUORVEL_TARGET512 inline __m512i hexDigits512(__m512i v, __mmask32& ok) noexcept
{
    const __m512i fromZero = _mm512_sub_epi16(v, _mm512_set1_epi16(u'0'));
    const __m512i value =
        _mm512_permutex2var_epi16(_mm512_load_si512(kHexFromZero.data()), fromZero,
                                  _mm512_load_si512(kHexFromZero.data() + 32));
    ok = _mm512_mask_cmple_epu16_mask(_mm512_cmple_epu16_mask(fromZero, _mm512_set1_epi16(63)),
                                      value, _mm512_set1_epi16(15));
    return value;
}

// The dynamic scan 32 units a step: lane masks come free, and one word
// compression packs what is kept.
QUORVEL_TARGET512 void dynamicBlocksAvx512(const char16_t* in, char16_t* out, std::size_t n,
                                           std::size_t limit, Cursor& cursor) noexcept
{
    const __m512i percent = _mm512_set1_epi16(u'%');
    std::size_t i = cursor.r;
    std::size_t w = cursor.w;
    long long count = cursor.count;
    std::uint64_t carry = 0;
    for (; i + 34 <= n && i + 32 <= limit; i += 32) {
        const __m512i v = _mm512_loadu_si512(in + i);
        const __mmask32 isPercent = _mm512_cmpeq_epi16_mask(v, percent);
        if ((isPercent | carry) == 0) {
            if (out + w != in + i)
                _mm512_storeu_si512(out + w, v);
            w += 32;
            continue;
        }
        __mmask32 okHigh, okLow;
        const __m512i high = hexDigits512(_mm512_loadu_si512(in + i + 1), okHigh);
        const __m512i low = hexDigits512(_mm512_loadu_si512(in + i + 2), okLow);
        const __m512i value = _mm512_add_epi16(_mm512_slli_epi16(high, 4), low);
        const __mmask32 decode = _mm512_mask_cmple_epu16_mask(
            isPercent & okHigh & okLow, _mm512_sub_epi16(value, _mm512_set1_epi16(32)),
            _mm512_set1_epi16(126 - 32));
        const std::uint64_t consumed =
            (std::uint64_t{decode} << 1) | (std::uint64_t{decode} << 2) | carry;
        carry = consumed >> 32;
        const __mmask32 keep = static_cast<__mmask32>(~consumed);
        // The store reaches 32 units past w, never beyond the block read (or
        // the text's length, in another buffer).
        _mm512_storeu_si512(
            out + w, _mm512_maskz_compress_epi16(keep, _mm512_mask_mov_epi16(v, decode, value)));
        w += static_cast<unsigned>(__builtin_popcount(keep));
        count += __builtin_popcount(decode);
    }
    cursor.r = i + static_cast<unsigned>(__builtin_popcountll(carry));
    cursor.w = w;
    cursor.count = count;
}

QUORVEL_TARGET void tableBlocksAvx2(char16_t* s, std::size_t n, const TablePlan& plan,
                                    Cursor& cursor) noexcept
{
    static constexpr unsigned char kBit[16] = {1, 2, 4, 8, 16, 32, 64, 128,
                                               1, 2, 4, 8, 16, 32, 64, 128};
    const __m256i rowsLow = broadcast(plan.rowLow.data());
    const __m256i rowsHigh = broadcast(plan.rowHigh.data());
    const __m256i bits = broadcast(kBit);
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    const __m256i percent = _mm256_set1_epi16(u'%');
    const __m256i percentValue = _mm256_set1_epi16(static_cast<short>(plan.percentValue));

    std::size_t i = cursor.r;
    std::size_t w = cursor.w;
    long long count = cursor.count;
    unsigned carry = 0;
    for (; i + 20 <= n; i += 16) {
        const __m256i v = load(s + i);
        const __m256i isPercent = _mm256_cmpeq_epi16(v, percent);
        if ((_mm256_movemask_epi8(isPercent) | carry) == 0) {
            if (w != i)
                store(s + w, v);
            w += 16;
            continue;
        }
        // Lanes that are no code hold junk digits here; they are masked
        // out by ok, and the shuffles only need them not to fault.
        __m256i value, ok, high, low;
        codeValues(s + i, value, ok, high, low);
        const __m256i row = _mm256_blendv_epi8(_mm256_shuffle_epi8(rowsLow, high),
                                               _mm256_shuffle_epi8(rowsHigh, high),
                                               _mm256_cmpgt_epi16(low, _mm256_set1_epi16(7)));
        const __m256i hit =
            _mm256_and_si256(_mm256_and_si256(row, _mm256_shuffle_epi8(bits, low)), lowByte);
        const __m256i decode = _mm256_andnot_si256(_mm256_cmpeq_epi16(hit, _mm256_setzero_si256()),
                                                   _mm256_and_si256(isPercent, ok));
        // Decoded lanes and those that made a percent sign, in one mask.
        const unsigned both = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_packs_epi16(
            decode, _mm256_and_si256(decode, _mm256_cmpeq_epi16(value, percentValue)))));
        const unsigned decoded = (both & 0xFFu) | ((both >> 8) & 0xFF00u);
        unsigned makers = ((both >> 8) & 0xFFu) | ((both >> 16) & 0xFF00u);
        unsigned consumed = (decoded << 1) | (decoded << 2) | carry;
        __m256i out = _mm256_blendv_epi8(v, value, decode);
        if (makers != 0) {
            // A percent sign made by its pass, with the next two original
            // units, is a code for a later pass.
            unsigned chained = 0;
            char16_t made[16];
            for (; makers != 0; makers &= makers - 1) {
                const unsigned lane = static_cast<unsigned>(__builtin_ctz(makers));
                const char16_t* next = s + i + lane + 3;
                const int later = hexPair(next[0], next[1]);
                const int entry = later < 0 ? -1 : plan.entryOf[later];
                if (entry > plan.percentEntry) {
                    chained |= 1u << lane;
                    made[lane] = plan.replacement[entry];
                    consumed |= 3u << (lane + 3);
                    ++count;
                }
            }
            if (chained != 0) {
                alignas(32) char16_t lanes[16];
                store(lanes, out);
                for (; chained != 0; chained &= chained - 1) {
                    const unsigned lane = static_cast<unsigned>(__builtin_ctz(chained));
                    lanes[lane] = made[lane];
                }
                out = load(lanes);
            }
        }
        carry = consumed >> 16;
        compact(out, ~consumed & 0xFFFFu, s, w);
        count += __builtin_popcount(decoded);
    }
    cursor.r = i + static_cast<unsigned>(__builtin_popcount(carry));
    cursor.w = w;
    cursor.count = count;
}

#endif

} // namespace

std::size_t findUnit(const char16_t* s, std::size_t from, std::size_t n, char16_t c) noexcept
{
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi16(static_cast<short>(c));
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
        const unsigned ma = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(a, needle)));
        const unsigned mb = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(b, needle)));
        if ((ma | mb) != 0)
            return i + static_cast<unsigned>(std::countr_zero(ma | (mb << 16))) / 2;
    }
    if (i < n && n - from >= 16) {
        // The last block overlaps units already passed, which hold no c.
        i = n - 16;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
        const unsigned ma = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(a, needle)));
        const unsigned mb = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(b, needle)));
        const unsigned found = ma | (mb << 16);
        return found != 0 ? i + static_cast<unsigned>(std::countr_zero(found)) / 2 : n;
    }
    if (i + 8 <= n) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(a, needle)));
        if (found != 0)
            return i + static_cast<unsigned>(std::countr_zero(found)) / 2;
        i += 8;
    }
#else
    // Four units per 64-bit word: a lane equal to c becomes zero after the xor.
    const std::uint64_t pattern = 0x0001000100010001ULL * c;
    const auto hasZeroLane = [](std::uint64_t x) {
        return (x - 0x0001000100010001ULL) & ~x & 0x8000800080008000ULL;
    };
    for (; i + 16 <= n; i += 16) {
        std::uint64_t words[4];
        std::memcpy(words, s + i, sizeof words);
        if ((hasZeroLane(words[0] ^ pattern) | hasZeroLane(words[1] ^ pattern) |
             hasZeroLane(words[2] ^ pattern) | hasZeroLane(words[3] ^ pattern)) != 0)
            break;
    }
#endif
    for (; i < n; ++i)
        if (s[i] == c)
            return i;
    return n;
}

namespace {

// The first unit in s[from, n) for which `is` holds; `hits` is the same test
// on eight units at a time.
template <class Hits, class Is>
std::size_t findFirst(const char16_t* s, std::size_t from, std::size_t n,
                      [[maybe_unused]] Hits hits, Is is) noexcept
{
    std::size_t i = from;
#if defined(__SSE2__)
    const auto mask = [&](std::size_t at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
        return static_cast<unsigned>(_mm_movemask_epi8(hits(v)));
    };
    for (; i + 16 <= n; i += 16) {
        const unsigned found = mask(i) | mask(i + 8) << 16;
        if (found != 0)
            return i + static_cast<unsigned>(std::countr_zero(found)) / 2;
    }
    if (i < n && n - from >= 16) {
        // The last block overlaps units already passed, which hold no hit.
        i = n - 16;
        const unsigned found = mask(i) | mask(i + 8) << 16;
        return found != 0 ? i + static_cast<unsigned>(std::countr_zero(found)) / 2 : n;
    }
    if (i + 8 <= n) {
        const unsigned found = mask(i);
        if (found != 0)
            return i + static_cast<unsigned>(std::countr_zero(found)) / 2;
        i += 8;
    }
#endif
    for (; i < n; ++i)
        if (is(s[i]))
            return i;
    return n;
}

#if defined(__SSE2__)
__m128i splat(char16_t c) noexcept
{
    return _mm_set1_epi16(static_cast<short>(c));
}

// Lanes whose unsigned value is at most `limit`.
__m128i atMost(__m128i v, char16_t limit) noexcept
{
    return _mm_cmpeq_epi16(_mm_subs_epu16(v, splat(limit)), _mm_setzero_si128());
}
#else
struct NoVector {};
#endif

} // namespace

namespace {

// As many compares a block as the set has units.
template <std::size_t K>
std::size_t findAnyOfSome(const char16_t* s, std::size_t from, std::size_t n,
                          std::u16string_view set) noexcept
{
#if QUORVEL_AVX2
    if (from + 32 <= n && hasAvx2())
        return findAnyOfAvx2<K>(s, from, n, set);
#endif
    std::array<char16_t, K> units;
    std::copy_n(set.begin(), K, units.begin());
#if defined(__SSE2__)
    __m128i needles[K];
    for (std::size_t k = 0; k < K; ++k)
        needles[k] = splat(units[k]);
    const auto hits = [&](__m128i v) {
        __m128i any = _mm_cmpeq_epi16(v, needles[0]);
        for (std::size_t k = 1; k < K; ++k)
            any = _mm_or_si128(any, _mm_cmpeq_epi16(v, needles[k]));
        return any;
    };
#else
    const NoVector hits;
#endif
    return findFirst(s, from, n, hits, [&](char16_t u) {
        return std::find(units.begin(), units.end(), u) != units.end();
    });
}

} // namespace

std::size_t findAnyOf(const char16_t* s, std::size_t from, std::size_t n,
                      std::u16string_view set) noexcept
{
    switch (set.size()) {
    case 1:
#if QUORVEL_AVX2
        // The translation's many short calls go to findUnit alone.
        if (from + 32 <= n && hasAvx2())
            return findAnyOfAvx2<1>(s, from, n, set);
#endif
        return findUnit(s, from, n, set[0]);
    case 2:
        return findAnyOfSome<2>(s, from, n, set);
    case 3:
        return findAnyOfSome<3>(s, from, n, set);
    case 4:
        return findAnyOfSome<4>(s, from, n, set);
    case 5:
        return findAnyOfSome<5>(s, from, n, set);
    default:
        return findAnyOfSome<6>(s, from, n, set);
    }
}

std::size_t findBlankOrControl(const char16_t* s, std::size_t from, std::size_t n) noexcept
{
#if QUORVEL_AVX2
    if (from + 32 <= n && hasAvx2())
        return findBlankOrControlAvx2(s, from, n);
#endif
#if defined(__SSE2__)
    const auto hits = [](__m128i v) {
        return _mm_or_si128(atMost(v, 0x20), atMost(_mm_sub_epi16(v, splat(0x7F)), 0x20));
    };
#else
    const NoVector hits;
#endif
    return findFirst(s, from, n, hits, [](char16_t u) {
        return u <= 0x20 || static_cast<char16_t>(u - 0x7F) <= 0x20;
    });
}

HostLetters lowerHostInto(const char16_t* in, char16_t* out, std::size_t n) noexcept
{
#if defined(__SSE2__)
    // Eight units a step, the last step overlapping the one before: a loop
    // per unit guesses wrong where each host ends and where its capitals are.
    if (n >= 8) {
        __m128i wide = _mm_setzero_si128();
        __m128i hyphens = _mm_setzero_si128();
        const auto lower = [&](std::size_t i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            const __m128i capital = atMost(_mm_sub_epi16(v, splat(u'A')), u'Z' - u'A');
            wide = _mm_or_si128(wide, _mm_and_si128(v, splat(0xFF80)));
            hyphens = _mm_or_si128(hyphens, _mm_cmpeq_epi16(v, splat(u'-')));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                             _mm_add_epi16(v, _mm_and_si128(capital, splat(0x20))));
        };
        for (std::size_t i = 0; i + 8 < n; i += 8)
            lower(i);
        lower(n - 8);
        const __m128i none = _mm_setzero_si128();
        return {_mm_movemask_epi8(_mm_cmpeq_epi16(wide, none)) == 0xFFFF,
                _mm_movemask_epi8(hyphens) != 0};
    }
#endif
    char16_t any = 0;
    bool hyphen = false;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = in[i];
        out[i] = static_cast<char16_t>(c >= u'A' && c <= u'Z' ? c + 32 : c);
        any |= c;
        hyphen = hyphen || c == u'-';
    }
    return {any < 0x80, hyphen};
}

MarkerScan findMarker(const char16_t* s, std::size_t n) noexcept
{
#if QUORVEL_AVX2
    if (hasAvx2())
        return findMarkerAvx2(s, n, true);
#endif
    const std::size_t marker = findMarkerFrom(s, 6, n);
    return {marker, marker == n ? findUnit(s, 0, n, u'%') : n};
}

LinkScan findMarkerOrLink(const char16_t* s, std::size_t n) noexcept
{
#if QUORVEL_AVX2
    if (n >= 6 + 17 && hasAvx2())
        return findMarkerOrLinkAvx2(s, n);
#endif
    return findMarkerOrLinkPlain(s, n);
}

AuthorityScan findAuthority(const char16_t* s, std::size_t from, std::size_t n) noexcept
{
#if QUORVEL_AVX2
    if (from + 16 <= n && hasAvx2())
        return findAuthorityAvx2(s, from, n);
#endif
    return findAuthorityPlain(s, from, n);
}

std::size_t findMarkerOnly(const char16_t* s, std::size_t n) noexcept
{
#if QUORVEL_AVX2
    if (hasAvx2())
        return findMarkerAvx2(s, n, false).marker;
#endif
    return findMarkerFrom(s, 6, n);
}

void dynamicBlocks(const char16_t* in, char16_t* out, std::size_t n, std::size_t limit,
                   Cursor& cursor) noexcept
{
#if QUORVEL_AVX2
    if (hasAvx512())
        dynamicBlocksAvx512(in, out, n, limit, cursor);
    if (hasAvx2())
        dynamicBlocksAvx2(in, out, n, limit, cursor);
#else
    (void)in, (void)out, (void)n, (void)limit, (void)cursor;
#endif
}

void tableBlocks(char16_t* s, std::size_t n, const TablePlan& plan, Cursor& cursor) noexcept
{
#if QUORVEL_AVX2
    if (hasAvx2() && plan.identity)
        tableBlocksAvx2(s, n, plan, cursor);
#else
    (void)s, (void)n, (void)plan, (void)cursor;
#endif
}

VectorCode vectorCode() noexcept
{
#if QUORVEL_AVX2
    return hasAvx512() ? VectorCode::Avx512 : hasAvx2() ? VectorCode::Avx2 : VectorCode::Plain;
#else
    return VectorCode::Plain;
#endif
}

void limitVectorCode(VectorCode widest) noexcept
{
#if QUORVEL_AVX2
    vectorAllowed.store(widest, std::memory_order_relaxed);
#else
    (void)widest;
#endif
}

void useVectorCode(bool enabled) noexcept
{
    limitVectorCode(enabled ? VectorCode::Avx512 : VectorCode::Plain);
}

} // namespace quorvel::scan
