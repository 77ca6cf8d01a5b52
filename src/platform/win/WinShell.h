#pragma once

#include "platform/Shell.h"

namespace quorvel::platform {

// ShellExecuteW with the "open" verb. The wide call keeps every character of
// the target; targets that would run a program never reach it.
class WinShell : public Shell {
public:
    int open(const QString& target) override;
};

} // namespace quorvel::platform
