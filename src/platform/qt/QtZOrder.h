#pragma once

#include "platform/ZOrder.h"

namespace quorvel::platform {

class QtZOrder : public ZOrder {
public:
    void setTopmost(QWidget* window, bool topmost) override;
};

} // namespace quorvel::platform
