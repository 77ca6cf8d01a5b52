#include "platform/linux/QtRegistry.h"

namespace quorvel::platform {

long QtRegistry::openKey(Key, const std::string&, unsigned long, Key& key)
{
    key = 0;
    return kFileNotFound;
}

long QtRegistry::queryValue(Key, const std::string&, unsigned long&, unsigned char*, unsigned long&)
{
    return kFileNotFound;
}

long QtRegistry::closeKey(Key)
{
    return kSuccess;
}

} // namespace quorvel::platform
