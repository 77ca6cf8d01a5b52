#include "platform/qt/QtZOrder.h"

#include <QWidget>

namespace quorvel::platform {

void QtZOrder::setTopmost(QWidget* window, bool topmost)
{
    Q_UNUSED(topmost);
    window->raise();
    window->activateWindow();
}

} // namespace quorvel::platform
