#pragma once

class QWidget;

namespace quorvel::ui {

// Moves a window so that its frame sits in the middle of its screen's free area.
void centreOnScreen(QWidget* window);

} // namespace quorvel::ui
