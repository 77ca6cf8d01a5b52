#pragma once

#include <QRect>

class QWidget;

namespace quorvel::ui {

// Layout sizes are kept in twips (1/1440 inch): 15 twips per pixel at 96 dpi,
// following the logical DPI of the screen the widget is on.
int twipsToPixels(int twips, const QWidget* widget = nullptr);
int pixelsToTwips(int pixels, const QWidget* widget = nullptr);
QRect twipsRect(int left, int top, int width, int height, const QWidget* widget = nullptr);

} // namespace quorvel::ui
