#pragma once

#include "engine/MessageStyle.h"

#include <string>

namespace quorvel {

// The only way the engine reaches the user: a modal message box.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void message(const std::u16string& text, const std::u16string& title,
                         MessageStyle style) = 0;
};

} // namespace quorvel
