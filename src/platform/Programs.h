#pragma once

#include <QString>

namespace quorvel::platform {

class Programs {
public:
    virtual ~Programs() = default;
    // True for an existing file that is not a folder, not hidden and not a system file.
    virtual bool isOrdinaryFile(const QString& path) = 0;
    // Starts a program in a normal window without waiting for it.
    virtual bool startDetached(const QString& path) = 0;
};

} // namespace quorvel::platform
