#pragma once

#include "platform/InstanceGuard.h"

namespace quorvel::platform {

// A named mutex in the session's namespace. The first copy holds it for the
// life of the process; the system releases it however the process ends.
class WinInstanceGuard : public InstanceGuard {
public:
    WinInstanceGuard() = default;
    ~WinInstanceGuard() override;
    WinInstanceGuard(const WinInstanceGuard&) = delete;
    WinInstanceGuard& operator=(const WinInstanceGuard&) = delete;

    bool anotherInstanceRunning() override;

private:
    void* mutex_ = nullptr; // HANDLE, kept out of the header
    bool asked_ = false;
    bool another_ = false;
};

} // namespace quorvel::platform
