#pragma once

#include "platform/Programs.h"

namespace quorvel::platform {

class QtPrograms : public Programs {
public:
    bool isOrdinaryFile(const QString& path) override;
    bool startDetached(const QString& path) override;
};

} // namespace quorvel::platform
