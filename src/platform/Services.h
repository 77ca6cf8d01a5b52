#pragma once

#include "engine/Unwrap.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/InstanceGuard.h"
#include "platform/Programs.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/ZOrder.h"

namespace quorvel::platform {

// Host names through Qt, the same on every system.
const unwrap::HostNames& systemHostNames();

// Everything the windows need from the platform, handed to each window.
struct Services {
    Dialogs& dialogs;
    Shell& shell;
    Clipboard& clipboard;
    ZOrder& zOrder;
    Registry& registry;
    Programs& programs;
    InstanceGuard& instanceGuard;
    const unwrap::HostNames& hostNames = systemHostNames();
};

// The real adapters of this platform, created on first use.
Services& systemServices();

} // namespace quorvel::platform
