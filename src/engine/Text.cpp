#include "engine/Text.h"

namespace quorvel {

namespace {

// Pairs laid out upper, lower, upper, lower...: the lower one has the parity
// given, and its capital sits just before it.
constexpr char16_t pairUpper(char16_t c, unsigned lowerParity) noexcept
{
    return (c & 1u) == lowerParity ? static_cast<char16_t>(c - 1) : c;
}

} // namespace

char16_t upperCaseChar(char16_t c) noexcept
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
    // Mappings that would land on an ASCII letter (dotless i, long s) are left
    // out on purpose: a non-ASCII letter must never match "action=" or a code.
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            return static_cast<char16_t>(c - 0x20);
        return c == 0xFF ? char16_t{0x178} : c;
    }
    if (c < 0x180) {
        if (c <= 0x137)
            return c >= 0x132 || c < 0x130 ? pairUpper(c, 1) : c;
        if (c >= 0x139 && c <= 0x148)
            return pairUpper(c, 0);
        if (c >= 0x14A && c <= 0x177)
            return pairUpper(c, 1);
        if (c >= 0x179 && c <= 0x17E)
            return pairUpper(c, 0);
        return c;
    }
    if (c >= 0x370 && c < 0x400) {
        if (c >= 0x3B1 && c <= 0x3CB)
            return c == 0x3C2 ? char16_t{0x3A3} : static_cast<char16_t>(c - 0x20);
        switch (c) {
        case 0x3AC:
            return 0x386;
        case 0x3AD:
        case 0x3AE:
        case 0x3AF:
            return static_cast<char16_t>(c - 0x25);
        case 0x3CC:
            return 0x38C;
        case 0x3CD:
        case 0x3CE:
            return static_cast<char16_t>(c - 0x3F);
        default:
            return c;
        }
    }
    if (c >= 0x400 && c < 0x530) {
        if (c >= 0x430 && c <= 0x44F)
            return static_cast<char16_t>(c - 0x20);
        if (c >= 0x450 && c <= 0x45F)
            return static_cast<char16_t>(c - 0x50);
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0)
            return pairUpper(c, 1);
        if (c >= 0x4C1 && c <= 0x4CE)
            return pairUpper(c, 0);
        return c == 0x4CF ? char16_t{0x4C0} : c;
    }
    return c;
}

std::u16string upperCase(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        c = upperCaseChar(c);
    return out;
}

std::u16string trimBlanks(std::u16string_view text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

std::u16string trimTrailingBlanks(std::u16string_view text)
{
    const auto last = text.find_last_not_of(u' ');
    return last == std::u16string_view::npos ? std::u16string{}
                                             : std::u16string(text.substr(0, last + 1));
}

std::optional<std::u16string> trailingCharsFromEntry(std::u16string_view entry)
{
    std::u16string kept = trimTrailingBlanks(entry);
    if (kept.find_first_not_of(u' ') == std::u16string::npos)
        return std::nullopt;
    return upperCase(kept);
}

} // namespace quorvel
