#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

// UTF-8 bytes to 16-bit text. Each maximal ill-formed subsequence becomes one
// U+FFFD and decoding goes on, so no input is refused.
std::u16string decodeUtf8(std::string_view bytes);

// 16-bit text to UTF-8; a lone surrogate is written as U+FFFD.
std::string encodeUtf8(std::u16string_view text);

// The same two for callers that keep their own buffers.

// Decodes all of bytes into out, which has room for bytes.size() units (no
// character takes fewer bytes than units). Returns the units written.
std::size_t decodeUtf8To(std::string_view bytes, char16_t* out) noexcept;

// How many bytes at the end of a piece of a longer text to hold back because
// the next piece may complete their character: decoding the piece without
// them, and later with them in front of the next, gives the same text as
// decoding it whole.
std::size_t incompleteUtf8Tail(std::string_view bytes) noexcept;

// Encodes whole characters from the front of text into out[0, room), as many
// as fit; room >= 4 always takes one.
struct EncodeStep {
    std::size_t read;    // units of text taken
    std::size_t written; // bytes of out written
};
EncodeStep encodeUtf8To(std::u16string_view text, char* out, std::size_t room) noexcept;

// Bytes that encoding n units can take at most.
constexpr std::size_t maxUtf8Size(std::size_t units) noexcept
{
    return 3 * units;
}

} // namespace quorvel
