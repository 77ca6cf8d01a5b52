#pragma once

#include "engine/Reporter.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// The program's run-time error: a number and a description, reported by the
// error handler of the procedure in which it arises.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    int number_;
    std::string description_;
};

inline constexpr int kOverflowError = 6;

RuntimeError overflowError();

// 7 "Out of memory": what an error handler reports for a failed allocation.
inline constexpr int kOutOfMemoryError = 7;

RuntimeError outOfMemoryError();

// Positions and counts that the window procedures keep are signed 16-bit;
// anything beyond that range raises the overflow error.
std::int16_t checked16(long long value);

// "6 : Overflow": the text every error handler shows.
std::u16string errorMessageText(const RuntimeError& error);

// The box every error handler shows: that text, critical style, titled after
// the procedure.
void reportRuntimeError(Reporter& reporter, const RuntimeError& error, std::u16string_view title);

} // namespace quorvel
