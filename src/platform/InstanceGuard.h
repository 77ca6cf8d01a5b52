#pragma once

namespace quorvel::platform {

// Tells whether another copy of the program is already running. The first
// copy claims the name on its first question and keeps it until it ends.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherInstanceRunning() = 0;
};

} // namespace quorvel::platform
