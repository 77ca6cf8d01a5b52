#include "ui/common/Placement.h"

#include <QScreen>
#include <QWidget>

namespace quorvel::ui {

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect centred(QPoint(), window->frameGeometry().size());
    centred.moveCenter(screen->availableGeometry().center());
    window->move(centred.topLeft());
}

} // namespace quorvel::ui
