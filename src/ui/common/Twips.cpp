#include "ui/common/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quorvel::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double logicalDpi(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

int twipsToPixels(int twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips * logicalDpi(widget) / kTwipsPerInch));
}

int pixelsToTwips(int pixels, const QWidget* widget)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / logicalDpi(widget)));
}

QRect twipsRect(int left, int top, int width, int height, const QWidget* widget)
{
    return {twipsToPixels(left, widget), twipsToPixels(top, widget), twipsToPixels(width, widget),
            twipsToPixels(height, widget)};
}

} // namespace quorvel::ui
