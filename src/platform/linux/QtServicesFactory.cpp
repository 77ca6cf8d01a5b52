#include "platform/Services.h"

#include "platform/linux/QtInstanceGuard.h"
#include "platform/linux/QtPrograms.h"
#include "platform/linux/QtRegistry.h"
#include "platform/linux/QtShell.h"
#include "platform/linux/QtZOrder.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"

namespace quorvel::platform {

namespace {

struct QtAdapters {
    QtDialogs dialogs;
    QtShell shell;
    QtClipboard clipboard;
    QtZOrder zOrder;
    QtRegistry registry;
    QtPrograms programs;
    QtInstanceGuard instanceGuard;
    Services services{dialogs, shell, clipboard, zOrder, registry, programs, instanceGuard};
};

} // namespace

Services& systemServices()
{
    static QtAdapters adapters;
    return adapters.services;
}

} // namespace quorvel::platform
