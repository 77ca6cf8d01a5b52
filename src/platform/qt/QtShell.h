#pragma once

#include "platform/Shell.h"

namespace quorvel::platform {

class QtShell : public Shell {
public:
    int open(const QString& target) override;
};

} // namespace quorvel::platform
