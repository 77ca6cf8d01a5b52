#pragma once

#include <string>

namespace quorvel {

// Message box styles: the number selects the icon; every box has one OK button.
enum MessageStyle : int {
    kStylePlain = 0,
    kStyleCritical = 16,
    kStyleExclamation = 48,
    kStyleInformation = 64,
};

// The only way the engine reaches the user: a modal message box.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void message(const std::u16string& text, const std::u16string& title, int style) = 0;
};

} // namespace quorvel
