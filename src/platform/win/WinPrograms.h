#pragma once

#include "platform/Programs.h"

namespace quorvel::platform {

// File attributes from GetFileAttributesW; programs started with CreateProcessW.
class WinPrograms : public Programs {
public:
    bool isOrdinaryFile(const QString& path) override;
    bool startDetached(const QString& path) override;
};

} // namespace quorvel::platform
