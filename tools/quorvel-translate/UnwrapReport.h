#pragma once

// What the filter writes about an unwrapped line: the JSON object, the steps
// in words and the reason a walk stopped early.

#include "engine/Unwrap.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::cli {

// One JSON object in UTF-8 and its line end.
std::string jsonLine(std::u16string_view input, const unwrap::Result& result);

// "line N: ..." lines for standard error.
std::string traceText(std::size_t line, const unwrap::Result& result);
std::string problemText(std::size_t line, const unwrap::Result& result);

} // namespace quorvel::cli
