#include "ui/common/Placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quorvel::ui {

namespace {

void moveFrameToCentre(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect centred(QPoint(), window->frameGeometry().size());
    centred.moveCenter(screen->availableGeometry().center());
    window->move(centred.topLeft());
}

// Before a window is first shown its frame is unknown: the window manager
// adds it. Once the frame shows up, the window is centred again, once.
class CentreWhenFramed : public QObject {
public:
    explicit CentreWhenFramed(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        const bool placed = event->type() == QEvent::Move || event->type() == QEvent::Resize;
        if (placed && window->isVisible() && window->frameGeometry() != window->geometry()) {
            window->removeEventFilter(this);
            deleteLater();
            moveFrameToCentre(window);
        }
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget* window)
{
    moveFrameToCentre(window);
    if (!window->isVisible() && window->frameGeometry() == window->geometry())
        new CentreWhenFramed(window);
}

} // namespace quorvel::ui
