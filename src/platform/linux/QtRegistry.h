#pragma once

#include "platform/Registry.h"

namespace quorvel::platform {

// There is no registry here: every key is missing.
class QtRegistry : public Registry {
public:
    long openKey(Key root, const std::string& subKey, unsigned long access, Key& key) override;
    long queryValue(Key key, const std::string& valueName, unsigned long& type,
                    unsigned char* buffer, unsigned long& size) override;
    long closeKey(Key key) override;
};

} // namespace quorvel::platform
