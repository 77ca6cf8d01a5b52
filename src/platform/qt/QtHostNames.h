#pragma once

#include "engine/Unwrap.h"

namespace quorvel::platform {

// Host names through Qt: IDNA with QUrl, scripts with QChar.
class QtHostNames : public unwrap::HostNames {
public:
    std::optional<std::u16string> toAscii(std::u16string_view host) const override;
    std::u16string toUnicode(std::u16string_view asciiHost) const override;
    bool looksDeceptive(std::u16string_view unicodeHost) const override;
};

} // namespace quorvel::platform
