#pragma once

#include "platform/Clipboard.h"

namespace quorvel::platform {

class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace quorvel::platform
