#include "engine/Utf8.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/Scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#define QUORVEL_UTF8_AVX512 1
#include <immintrin.h>
#endif

namespace quorvel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char b) noexcept
{
    return (b & 0xC0) == 0x80;
}

// Length of the sequence a lead byte starts, or 0 when it starts none.
int sequenceLength(unsigned char b0) noexcept
{
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return 2;
    if (b0 >= 0xE0 && b0 <= 0xEF)
        return 3;
    if (b0 >= 0xF0 && b0 <= 0xF4)
        return 4;
    return 0;
}

#if QUORVEL_UTF8_AVX512

#define QUORVEL_TARGET512 __attribute__((target("avx512f,avx512bw,avx512vl")))

// The lanes of a block of 32 that hold the first `count`.
inline std::uint32_t firstLanes(std::size_t count) noexcept
{
    return count >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << count) - 1;
}

// The two fast paths below, 32 units a step; masked loads and stores take
// the end of a short text without a scalar loop.
QUORVEL_TARGET512 void copyAsciiAvx512(const unsigned char* in, std::size_t& i, std::size_t n,
                                       char16_t* out, std::size_t& o) noexcept
{
    while (i < n) {
        const __mmask32 lanes = firstLanes(n - i);
        const __m256i bytes = _mm256_maskz_loadu_epi8(lanes, in + i);
        const __mmask32 other = _mm256_movepi8_mask(bytes) & lanes;
        const __mmask32 ascii = other != 0 ? (other & (0u - other)) - 1 : lanes;
        _mm512_mask_storeu_epi16(out + o, ascii, _mm512_cvtepu8_epi16(bytes));
        const std::size_t run = static_cast<unsigned>(__builtin_popcount(ascii));
        i += run;
        o += run;
        if (other != 0)
            return;
    }
}

QUORVEL_TARGET512 void narrowAsciiAvx512(const char16_t* text, std::size_t& i, std::size_t n,
                                         char* out, std::size_t& o, std::size_t room) noexcept
{
    while (i < n && o < room) {
        const __mmask32 lanes = firstLanes(std::min(n - i, room - o));
        const __m512i units = _mm512_maskz_loadu_epi16(lanes, text + i);
        const __mmask32 other = _mm512_mask_cmpgt_epu16_mask(lanes, units, _mm512_set1_epi16(0x7F));
        const __mmask32 ascii = other != 0 ? (other & (0u - other)) - 1 : lanes;
        _mm256_mask_storeu_epi8(out + o, ascii, _mm512_maskz_cvtepi16_epi8(ascii, units));
        const std::size_t run = static_cast<unsigned>(__builtin_popcount(ascii));
        i += run;
        o += run;
        if (other != 0)
            return;
    }
}

bool useAvx512() noexcept
{
    return scan::vectorCode() == scan::VectorCode::Avx512;
}

#endif

// Widens the ASCII bytes from in[i] on, up to the first other byte or n.
// Blocks are stored whole: out has room for every unit the bytes can make.
inline void copyAscii(const unsigned char* in, std::size_t& i, std::size_t n, char16_t* out,
                      std::size_t& o) noexcept
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o + 8), _mm_unpackhi_epi8(v, zero));
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
        const std::size_t ascii = high == 0 ? 16 : static_cast<unsigned>(std::countr_zero(high));
        i += ascii;
        o += ascii;
        if (ascii < 16)
            return;
    }
#else
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, in + i, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0)
            break;
        for (int k = 0; k < 8; ++k)
            out[o + k] = in[i + k];
        i += 8;
        o += 8;
    }
#endif
    for (; i < n && in[i] < 0x80; ++i)
        out[o++] = in[i];
}

// Decodes the sequence that starts with a byte from 0x80 on, at in[i].
inline void decodeSequence(const unsigned char* in, std::size_t& i, std::size_t n, char16_t* out,
                           std::size_t& o) noexcept
{
    const unsigned char b0 = in[i];
    const int length = sequenceLength(b0);
    if (length == 0) {
        out[o++] = kReplacement;
        ++i;
        return;
    }
    // The allowed range of the second byte excludes overlong forms,
    // surrogates and values beyond U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (b0 == 0xE0)
        low = 0xA0;
    else if (b0 == 0xED)
        high = 0x9F;
    else if (b0 == 0xF0)
        low = 0x90;
    else if (b0 == 0xF4)
        high = 0x8F;
    char32_t cp = b0 & (0x7F >> length);
    std::size_t j = i + 1;
    for (int k = 1; k < length; ++k, ++j) {
        const unsigned char b = j < n ? in[j] : 0;
        const bool ok = j < n && (k == 1 ? (b >= low && b <= high) : isContinuation(b));
        if (!ok) {
            out[o++] = kReplacement;
            i = j;
            return;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < 0x10000) {
        out[o++] = static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out[o++] = static_cast<char16_t>(0xD800 + (cp >> 10));
        out[o++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    i = j;
}

// Narrows the ASCII units from text[i] on into out[o, room), up to the first
// other unit.
inline void narrowAscii(const char16_t* text, std::size_t& i, std::size_t n, char* out,
                        std::size_t& o, std::size_t room) noexcept
{
#if defined(__SSE2__)
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n && o + 16 <= room) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), _mm_packus_epi16(a, b));
        const __m128i isAscii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(a, nonAscii), zero),
                                                _mm_cmpeq_epi16(_mm_and_si128(b, nonAscii), zero));
        const unsigned ascii = static_cast<unsigned>(_mm_movemask_epi8(isAscii));
        const std::size_t run = static_cast<unsigned>(std::countr_one(ascii));
        i += run;
        o += run;
        if (run < 16)
            return;
    }
#endif
    for (; i < n && o < room && text[i] < 0x80; ++i)
        out[o++] = static_cast<char>(text[i]);
}

} // namespace

std::size_t decodeUtf8To(std::string_view bytes, char16_t* out) noexcept
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0, o = 0;
#if QUORVEL_UTF8_AVX512
    if (useAvx512()) {
        while (i < n) {
            copyAsciiAvx512(in, i, n, out, o);
            if (i < n)
                decodeSequence(in, i, n, out, o);
        }
        return o;
    }
#endif
    while (i < n) {
        copyAscii(in, i, n, out, o);
        if (i < n)
            decodeSequence(in, i, n, out, o);
    }
    return o;
}

std::size_t incompleteUtf8Tail(std::string_view bytes) noexcept
{
    const std::size_t n = bytes.size();
    for (std::size_t k = 1; k <= 3 && k <= n; ++k) {
        const auto b = static_cast<unsigned char>(bytes[n - k]);
        if (b < 0x80)
            return 0;
        if (!isContinuation(b))
            return static_cast<std::size_t>(sequenceLength(b)) > k ? k : 0;
    }
    return 0;
}

EncodeStep encodeUtf8To(std::u16string_view text, char* out, std::size_t room) noexcept
{
    const std::size_t n = text.size();
    std::size_t i = 0, o = 0;
#if QUORVEL_UTF8_AVX512
    const bool wide = useAvx512();
#else
    const bool wide = false;
#endif
    while (i < n) {
#if QUORVEL_UTF8_AVX512
        if (wide)
            narrowAsciiAvx512(text.data(), i, n, out, o, room);
#endif
        if (!wide)
            narrowAscii(text.data(), i, n, out, o, room);
        if (i == n)
            break;
        char32_t cp = text[i];
        std::size_t units = 1;
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const bool pair =
                cp <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            if (pair) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                units = 2;
            } else {
                cp = kReplacement;
            }
        }
        const std::size_t size = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (o + size > room)
            break;
        if (size == 1) {
            out[o] = static_cast<char>(cp);
        } else {
            // The lead byte carries the length in its high bits.
            static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
            for (std::size_t k = size - 1; k > 0; --k, cp >>= 6)
                out[o + k] = static_cast<char>(0x80 | (cp & 0x3F));
            out[o] = static_cast<char>(kLead[size] | cp);
        }
        o += size;
        i += units;
    }
    return {i, o};
}

std::u16string decodeUtf8(std::string_view bytes)
{
    std::u16string out(bytes.size(), u'\0');
    out.resize(decodeUtf8To(bytes, out.data()));
    return out;
}

std::string encodeUtf8(std::u16string_view text)
{
    std::string out(maxUtf8Size(text.size()), '\0');
    out.resize(encodeUtf8To(text, out.data(), out.size()).written);
    return out;
}

} // namespace quorvel
