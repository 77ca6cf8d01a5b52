#include "platform/win/WinInstanceGuard.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quorvel::platform {

namespace {

constexpr wchar_t kMutexName[] = L"Local\\Quorvel-single-instance";

} // namespace

WinInstanceGuard::~WinInstanceGuard()
{
    if (mutex_)
        CloseHandle(static_cast<HANDLE>(mutex_));
}

bool WinInstanceGuard::anotherInstanceRunning()
{
    if (asked_)
        return another_;
    asked_ = true;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    // Read at once: any later call may overwrite the last error.
    const DWORD error = GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        another_ = true;
    } else if (!mutex && error == ERROR_ACCESS_DENIED) {
        // Another copy made the mutex under rights this one cannot open with.
        another_ = true;
    } else {
        mutex_ = mutex;
    }
    return another_;
}

} // namespace quorvel::platform
