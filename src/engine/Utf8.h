#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// UTF-8 bytes to 16-bit text. Each maximal ill-formed subsequence becomes one
// U+FFFD and decoding goes on, so no input is refused.
std::u16string decodeUtf8(std::string_view bytes);

// 16-bit text to UTF-8; a lone surrogate is written as U+FFFD.
std::string encodeUtf8(std::u16string_view text);

} // namespace quorvel
