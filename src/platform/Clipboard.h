#pragma once

#include <QString>

namespace quorvel::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Removes every format the clipboard holds.
    virtual void clear() = 0;
    // Places text in the plain-text format.
    virtual void setText(const QString& text) = 0;
};

} // namespace quorvel::platform
