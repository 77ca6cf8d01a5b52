#include "platform/Services.h"

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/win/WinInstanceGuard.h"
#include "platform/win/WinPrograms.h"
#include "platform/win/WinRegistry.h"
#include "platform/win/WinShell.h"
#include "platform/win/WinZOrder.h"

namespace quorvel::platform {

namespace {

// Boxes and the clipboard are the toolkit's own on every system.
struct WinAdapters {
    QtDialogs dialogs;
    WinShell shell;
    QtClipboard clipboard;
    WinZOrder zOrder;
    WinRegistry registry;
    WinPrograms programs;
    WinInstanceGuard instanceGuard;
    Services services{dialogs, shell, clipboard, zOrder, registry, programs, instanceGuard};
};

} // namespace

Services& systemServices()
{
    static WinAdapters adapters;
    return adapters.services;
}

} // namespace quorvel::platform
