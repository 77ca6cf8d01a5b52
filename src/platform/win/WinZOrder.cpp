#include "platform/win/WinZOrder.h"

#include <QWidget>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quorvel::platform {

void WinZOrder::setTopmost(QWidget* window, bool topmost)
{
    // Qt keeps its own record of the flag; it must match what the window is.
    const Qt::WindowFlags flags = window->windowFlags();
    if (!window->windowHandle()) {
        window->setWindowFlags(topmost ? flags | Qt::WindowStaysOnTopHint
                                       : flags & ~Qt::WindowStaysOnTopHint);
        return;
    }
    window->overrideWindowFlags(topmost ? flags | Qt::WindowStaysOnTopHint
                                        : flags & ~Qt::WindowStaysOnTopHint);
    const auto hwnd = reinterpret_cast<HWND>(window->winId());
    // No SWP_NOACTIVATE: the call also brings the window to the front and
    // activates it. A refusal by the system is not an error for the caller.
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace quorvel::platform
