#include "platform/win/WinRegistry.h"

#include <windows.h>

namespace quorvel::platform {

namespace {

constexpr Registry::Key kFirstPredefinedRoot = 0x80000000u;
constexpr Registry::Key kLastPredefinedRoot = 0x800000FFu;

// Predefined roots are 32-bit values the system sign-extends on 64-bit
// builds; handles it gave out are used as they are.
HKEY toHkey(Registry::Key key)
{
    if (key >= kFirstPredefinedRoot && key <= kLastPredefinedRoot)
        return reinterpret_cast<HKEY>(
            static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long WinRegistry::openKey(Key root, const std::string& subKey, unsigned long access, Key& key)
{
    HKEY opened = nullptr;
    const LONG status =
        RegOpenKeyExA(toHkey(root), subKey.c_str(), 0, static_cast<REGSAM>(access), &opened);
    key = status == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
    return status;
}

long WinRegistry::queryValue(Key key, const std::string& valueName, unsigned long& type,
                             unsigned char* buffer, unsigned long& size)
{
    DWORD valueType = 0;
    DWORD dataSize = static_cast<DWORD>(size);
    const LONG status =
        RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &valueType, buffer, &dataSize);
    type = valueType;
    size = dataSize;
    return status;
}

long WinRegistry::closeKey(Key key)
{
    return RegCloseKey(toHkey(key));
}

} // namespace quorvel::platform
