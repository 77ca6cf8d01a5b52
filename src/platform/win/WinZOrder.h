#pragma once

#include "platform/ZOrder.h"

namespace quorvel::platform {

// The topmost band of the Windows desktop, through SetWindowPos.
class WinZOrder : public ZOrder {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

} // namespace quorvel::platform
