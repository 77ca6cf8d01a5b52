#pragma once

namespace quorvel {

// Message box styles: the number selects the icon; every box has one OK button.
enum class MessageStyle : int {
    Plain = 0,
    Critical = 16,
    Exclamation = 48,
    Information = 64,
};

} // namespace quorvel
