#pragma once

#include <cstdint>
#include <string>

namespace quorvel::platform {

// The raw registry calls, as thin as the system's own: status codes are the
// system's (0 success), types 1 text and 4 32-bit number.
class Registry {
public:
    using Key = std::uintptr_t;
    static constexpr Key kLocalMachine = 0x80000002u;
    static constexpr long kSuccess = 0;
    static constexpr long kFileNotFound = 2;

    virtual ~Registry() = default;
    virtual long openKey(Key root, const std::string& subKey, unsigned long access, Key& key) = 0;
    // buffer holds size bytes on entry; size receives the bytes written.
    virtual long queryValue(Key key, const std::string& valueName, unsigned long& type,
                            unsigned char* buffer, unsigned long& size) = 0;
    virtual long closeKey(Key key) = 0;
};

} // namespace quorvel::platform
