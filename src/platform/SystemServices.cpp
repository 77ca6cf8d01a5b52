#include "platform/Services.h"

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"

#ifdef _WIN32
#include "platform/win/WinInstanceGuard.h"
#include "platform/win/WinPrograms.h"
#include "platform/win/WinRegistry.h"
#include "platform/win/WinShell.h"
#include "platform/win/WinZOrder.h"
#else
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtPrograms.h"
#include "platform/qt/QtRegistry.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtZOrder.h"
#endif

namespace quorvel::platform {

namespace {

#ifdef _WIN32
using NativeShell = WinShell;
using NativeZOrder = WinZOrder;
using NativeRegistry = WinRegistry;
using NativePrograms = WinPrograms;
using NativeInstanceGuard = WinInstanceGuard;
#else
using NativeShell = QtShell;
using NativeZOrder = QtZOrder;
using NativeRegistry = QtRegistry;
using NativePrograms = QtPrograms;
using NativeInstanceGuard = QtInstanceGuard;
#endif

struct SystemAdapters {
    QtDialogs dialogs;
    NativeShell shell;
    QtClipboard clipboard;
    NativeZOrder zOrder;
    NativeRegistry registry;
    NativePrograms programs;
    NativeInstanceGuard instanceGuard;
    Services services{dialogs, shell, clipboard, zOrder, registry, programs, instanceGuard};
};

} // namespace

Services& systemServices()
{
    static SystemAdapters adapters;
    return adapters.services;
}

} // namespace quorvel::platform
