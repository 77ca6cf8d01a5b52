#pragma once

#include <QString>

namespace quorvel::platform {

// Opens a target with the user's default handler ("Open" verb). Returns the
// shell's result code: above 32 is success, 32 and below a failure.
class Shell {
public:
    virtual ~Shell() = default;
    virtual int open(const QString& target) = 0;
};

} // namespace quorvel::platform
