#pragma once

#include "platform/Shell.h"

namespace quorvel::platform {

// ShellExecuteW with the "open" verb. Only what the shared allow-list lets
// through reaches it, judged with Windows' PATHEXT as well; the wide call
// keeps every character.
class WinShell : public Shell {
public:
    int open(const QString& target) override;
};

} // namespace quorvel::platform
