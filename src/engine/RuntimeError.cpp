#include "engine/RuntimeError.h"

#include <string>

namespace quorvel {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description)
{}

RuntimeError overflowError()
{
    return RuntimeError(kOverflowError, "Overflow");
}

RuntimeError outOfMemoryError()
{
    return RuntimeError(kOutOfMemoryError, "Out of memory");
}

std::int16_t checked16(long long value)
{
    if (value < -32768 || value > 32767)
        throw overflowError();
    return static_cast<std::int16_t>(value);
}

std::u16string errorMessageText(const RuntimeError& error)
{
    std::u16string text;
    for (char c : std::to_string(error.number()))
        text.push_back(static_cast<char16_t>(c));
    text += u" : ";
    // Descriptions are the program's own ASCII texts.
    for (unsigned char c : error.description())
        text.push_back(static_cast<char16_t>(c));
    return text;
}

void reportRuntimeError(Reporter& reporter, const RuntimeError& error, std::u16string_view title)
{
    reporter.message(errorMessageText(error), std::u16string(title), MessageStyle::Critical);
}

} // namespace quorvel
