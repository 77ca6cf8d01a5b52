#include "platform/linux/QtZOrder.h"

#include <QWidget>
#include <QWindow>

namespace quorvel::platform {

void QtZOrder::setTopmost(QWidget* window, bool topmost)
{
    QWindow* native = window->windowHandle();
    if (!native) {
        // Not shown yet: the flag simply goes along when the window is created.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        return;
    }
    // QWidget::setWindowFlags would hide the window and create it anew. The
    // native window instead passes the change on as a state request to the
    // window manager; the widget is told the same flags without acting on them.
    native->setFlag(Qt::WindowStaysOnTopHint, topmost);
    window->overrideWindowFlags(topmost ? window->windowFlags() | Qt::WindowStaysOnTopHint
                                        : window->windowFlags() & ~Qt::WindowStaysOnTopHint);
    window->raise();
    window->activateWindow();
}

} // namespace quorvel::platform
