#pragma once

#include "engine/MessageStyle.h"

#include <QString>

namespace quorvel::platform {

// Modal message and input boxes. Every box of the program goes through here,
// so tests can answer them without blocking.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The style picks the icon; the box has an OK button only.
    virtual void messageBox(const QString& text, const QString& title, MessageStyle style) = 0;
    // Returns the entry, or an empty string when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
};

} // namespace quorvel::platform
