#pragma once

#include <array>
#include <string>

namespace quorvel {

inline constexpr std::size_t kTableSize = 25;

using CodeTable = std::array<std::u16string, kTableSize>;

// Fills the predefined escape codes and, at the same index, the character each
// stands for. The order matters: each code is replaced in its own pass.
void buildTranslationTables(CodeTable& maCode, CodeTable& maChar);

} // namespace quorvel
