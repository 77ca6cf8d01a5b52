#pragma once

class QWidget;

namespace quorvel::platform {

// Puts a top-level window into (true) or out of (false) the band of topmost
// windows. Both calls bring it to the front and activate it without moving
// or resizing it.
class ZOrder {
public:
    virtual ~ZOrder() = default;
    virtual void setTopmost(QWidget* window, bool topmost) = 0;
};

} // namespace quorvel::platform
