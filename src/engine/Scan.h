#pragma once

// Inner loops of the translation methods, kept apart from the procedures so
// that the vector code stays in one place. Not for use outside the engine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::scan {

inline constexpr std::array<signed char, 128> kHexDigit = [] {
    std::array<signed char, 128> t{};
    for (auto& v : t)
        v = -1;
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t['A' + i] = static_cast<signed char>(10 + i);
        t['a' + i] = static_cast<signed char>(10 + i);
    }
    return t;
}();

// Value of two ASCII hexadecimal digits (either case), or -1.
inline int hexPair(char16_t hi, char16_t lo) noexcept
{
    if ((hi | lo) >= 128)
        return -1;
    const int h = kHexDigit[hi];
    const int l = kHexDigit[lo];
    return (h | l) < 0 ? -1 : h * 16 + l;
}

// Index of the first c in s[from, n), or n.
std::size_t findUnit(const char16_t* s, std::size_t from, std::size_t n, char16_t c) noexcept;

// For the unwrapping: index of the first unit in s[from, n) that is one of
// the (one to six) units of `set`, or n.
std::size_t findAnyOf(const char16_t* s, std::size_t from, std::size_t n,
                      std::u16string_view set) noexcept;

// Index of the first blank or control character (U+0000 to U+0020, U+007F to
// U+009F) in s[from, n), or n.
std::size_t findBlankOrControl(const char16_t* s, std::size_t from, std::size_t n) noexcept;

// Index of the first "action=" in any letter case, or n. The letters are
// compared as ASCII: upper-casing never maps another character onto them.
// When there is no marker, the same pass tells where the first percent sign
// is (n: none), so that a text without either is read only once.
struct MarkerScan {
    std::size_t marker;
    std::size_t firstPercent;
};
MarkerScan findMarker(const char16_t* s, std::size_t n) noexcept;
// The marker alone, for a caller that needs no percent sign.
std::size_t findMarkerOnly(const char16_t* s, std::size_t n) noexcept;

// For the unwrapping: the first marker, as findMarkerOnly, and whether an
// '=' or a '#' before it is followed by a unit that may start a link
// ("hw/%" and "ad", in either case). With a marker, link is true.
struct LinkScan {
    std::size_t marker;
    bool link;
};
LinkScan findMarkerOrLink(const char16_t* s, std::size_t n) noexcept;

// For the unwrapping: a host's n units copied to out (another buffer) with
// ASCII capitals in lower case, and what the same pass tells of them.
struct HostLetters {
    bool ascii;  // every unit below U+0080
    bool hyphen; // without one, no "xn--" label
};
HostLetters lowerHostInto(const char16_t* in, char16_t* out, std::size_t n) noexcept;

// For the unwrapping: where the authority that starts at `from` ends (at its
// first '/', '\\', '?' or '#', or n), and its last '@' and last ':' (n when
// there is none).
struct AuthorityScan {
    std::size_t end;
    std::size_t lastAt;
    std::size_t lastColon;
};
AuthorityScan findAuthority(const char16_t* s, std::size_t from, std::size_t n) noexcept;

// Where an in-place rewrite stands: the text is s[0, w) followed by s[r, n).
struct Cursor {
    std::size_t r = 0;
    std::size_t w = 0;
    long long count = 0;
};

// The predefined codes by value, for the one-scan table method.
struct TablePlan {
    std::array<signed char, 256> entryOf{}; // code value -> table index, or -1
    std::array<char16_t, 25> replacement{};
    int percentEntry = -1; // the entry whose replacement is a percent sign
    int percentValue = -1; // and its code value
    bool identity = false; // every replacement is the character of its code value
    // Membership bitmap: the row of a value's high nibble, split by its low
    // nibble (0-7, 8-15), holds one bit per low nibble.
    std::array<unsigned char, 16> rowLow{};
    std::array<unsigned char, 16> rowHigh{};
};

// Vector front parts of the two scans: they take whole blocks from the cursor
// on and stop where the exact scalar loop has to go on (near the end of the
// text and, for the dynamic scan, before position `limit`). They do nothing
// when the processor lacks the instructions. The dynamic scan reads in[0, n)
// and writes out, which is in itself or another buffer of n units.
void dynamicBlocks(const char16_t* in, char16_t* out, std::size_t n, std::size_t limit,
                   Cursor& cursor) noexcept;
void tableBlocks(char16_t* s, std::size_t n, const TablePlan& plan, Cursor& cursor) noexcept;

// The widest vector code the scans may use, so that tests can hold each to
// the plain loops' results; they never use instructions the processor lacks.
// The widest is allowed by default.
enum class VectorCode { Plain, Avx2, Avx512 };
void limitVectorCode(VectorCode widest) noexcept;

// The widest the processor has and the limit allows (for the UTF-8 codec too).
VectorCode vectorCode() noexcept;

// Switches all vector code chosen at run time off (and on again); the
// 128-bit code that every x86-64 processor has stays.
void useVectorCode(bool enabled) noexcept;

} // namespace quorvel::scan
