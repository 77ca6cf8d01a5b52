#include "platform/Services.h"

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtPrograms.h"
#include "platform/qt/QtRegistry.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtZOrder.h"

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
