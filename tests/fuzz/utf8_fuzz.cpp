// The UTF-8 codec against a table-driven reading of the well-formed byte
// sequences (each maximal ill-formed subsequence one U+FFFD, as is a lone
// surrogate), and its round trips.
#include "engine/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using quorvel::decodeUtf8;
using quorvel::encodeUtf8;

constexpr char32_t kReplacement = 0xFFFD;

// The well-formed byte sequences: byte ranges, position by position.
struct Form {
    unsigned char low[4];
    unsigned char high[4];
    std::size_t length;
};
constexpr Form kForms[] = {
    {{0x00}, {0x7F}, 1},
    {{0xC2, 0x80}, {0xDF, 0xBF}, 2},
    {{0xE0, 0xA0, 0x80}, {0xE0, 0xBF, 0xBF}, 3},
    {{0xE1, 0x80, 0x80}, {0xEC, 0xBF, 0xBF}, 3},
    {{0xED, 0x80, 0x80}, {0xED, 0x9F, 0xBF}, 3},
    {{0xEE, 0x80, 0x80}, {0xEF, 0xBF, 0xBF}, 3},
    {{0xF0, 0x90, 0x80, 0x80}, {0xF0, 0xBF, 0xBF, 0xBF}, 4},
    {{0xF1, 0x80, 0x80, 0x80}, {0xF3, 0xBF, 0xBF, 0xBF}, 4},
    {{0xF4, 0x80, 0x80, 0x80}, {0xF4, 0x8F, 0xBF, 0xBF}, 4},
};

void appendUnits(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000)
        out += static_cast<char16_t>(cp);
    else
        out += {char16_t(0xD800 + ((cp - 0x10000) >> 10)), char16_t(0xDC00 + (cp & 0x3FF))};
}

// How many bytes from the start of `bytes` fit the form.
std::size_t fitting(const Form& form, std::string_view bytes)
{
    std::size_t k = 0;
    while (k < form.length && k < bytes.size() &&
           static_cast<unsigned char>(bytes[k]) >= form.low[k] &&
           static_cast<unsigned char>(bytes[k]) <= form.high[k])
        ++k;
    return k;
}

char32_t codePoint(std::string_view sequence)
{
    const std::size_t n = sequence.size();
    char32_t cp = static_cast<unsigned char>(sequence[0]) & (0xFF >> (n == 1 ? 1 : n + 1));
    for (std::size_t k = 1; k < n; ++k)
        cp = cp << 6 | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    return cp;
}

// Also tells whether the bytes were well-formed throughout.
std::u16string referenceDecode(std::string_view bytes, bool& wellFormed)
{
    std::u16string out;
    wellFormed = true;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::string_view rest = bytes.substr(i);
        std::size_t maximalSubpart = 1;
        const Form* whole = nullptr;
        for (const Form& form : kForms) {
            const std::size_t k = fitting(form, rest);
            if (k == form.length)
                whole = &form;
            maximalSubpart = std::max(maximalSubpart, k);
        }
        if (whole != nullptr) {
            appendUnits(out, codePoint(rest.substr(0, whole->length)));
            i += whole->length;
        } else {
            out += static_cast<char16_t>(kReplacement);
            wellFormed = false;
            i += maximalSubpart;
        }
    }
    return out;
}

// The text with every lone surrogate replaced.
std::u16string repaired(std::u16string text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            ++i;
        else if (text[i] >= 0xD800 && text[i] < 0xE000)
            text[i] = kReplacement;
    }
    return text;
}

void require(bool holds, const char* what, std::size_t size)
{
    if (holds)
        return;
    std::fprintf(stderr, "UTF-8 codec: %s fails on %zu bytes of input\n", what, size);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bool wellFormed = false;
    const std::u16string decoded = decodeUtf8(bytes);
    require(decoded == referenceDecode(bytes, wellFormed), "decoding", size);
    const std::string encoded = encodeUtf8(decoded);
    require(!wellFormed || encoded == bytes, "bytes -> text -> bytes", size);
    require(decodeUtf8(encoded) == decoded, "text -> bytes -> text", size);

    // The same input as 16-bit units, low byte first: well-formed UTF-8 has
    // one encoding only, so the bytes are right when the reference reads them
    // as well-formed and as the units repaired.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const std::string unitBytes = encodeUtf8(units);
    const std::u16string back = referenceDecode(unitBytes, wellFormed);
    require(wellFormed && back == repaired(units), "encoding", size);
    require(decodeUtf8(unitBytes) == back, "units -> bytes -> units", size);
    return 0;
}
