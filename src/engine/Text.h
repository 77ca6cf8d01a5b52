#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Length-preserving upper-casing of 16-bit text: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic letters; everything else stays as it is.
char16_t upperCaseChar(char16_t c) noexcept;
std::u16string upperCase(std::u16string_view text);

// Blanks are U+0020 only; tabs and other white space stay.
std::u16string trimBlanks(std::u16string_view text);
std::u16string trimTrailingBlanks(std::u16string_view text);

// Makes text the piece of it that `view` shows (or a copy of another view).
// Inline: the translation calls it once a line.
inline void keepOnly(std::u16string& text, std::u16string_view view)
{
    if (view.empty()) {
        text.clear();
    } else if (const std::less<const char16_t*> before;
               !before(view.data(), text.data()) &&
               before(view.data(), text.data() + text.size())) {
        text.resize(static_cast<std::size_t>(view.data() - text.data()) + view.size());
        text.erase(0, static_cast<std::size_t>(view.data() - text.data()));
    } else {
        text.assign(view);
    }
}

// The ending as the "Define trailing characters" dialog stores it: upper-cased,
// trailing blanks removed. An entry that is blank after trimming changes nothing.
std::optional<std::u16string> trailingCharsFromEntry(std::u16string_view entry);

} // namespace quorvel
