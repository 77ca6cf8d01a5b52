#pragma once

#include "platform/ZOrder.h"

namespace quorvel::platform {

// Keep-on-top through the window manager's "above" state (X11). Where the
// windowing system gives ordinary clients no such state (Wayland), the window
// is only raised and activated, as far as the compositor allows.
class QtZOrder : public ZOrder {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

} // namespace quorvel::platform
