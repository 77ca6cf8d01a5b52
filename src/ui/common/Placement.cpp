#include "ui/common/Placement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quorvel::ui {

namespace {

bool framed(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

// A window's decorations, or before it is framed, those of another window
// of the program that is, as the window manager dresses them alike.
QMargins decorations(const QWidget* window)
{
    const QWidget* dressed = window;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (!framed(dressed) && other->isVisible() && framed(other))
            dressed = other;
    }
    const QRect frame = dressed->frameGeometry(), client = dressed->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

void moveFrameToCentre(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), window->size().grownBy(decorations(window)));
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
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
        if (placed && window->isVisible() && framed(window)) {
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
    if (!window->isVisible() && !framed(window))
        new CentreWhenFramed(window);
}

} // namespace quorvel::ui
