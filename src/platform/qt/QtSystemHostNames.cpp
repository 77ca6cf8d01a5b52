#include "platform/Services.h"
#include "platform/qt/QtHostNames.h"

namespace quorvel::platform {

const unwrap::HostNames& systemHostNames()
{
    static const QtHostNames hostNames{};
    return hostNames;
}

} // namespace quorvel::platform
