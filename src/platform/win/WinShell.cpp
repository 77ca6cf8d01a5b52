#include "platform/win/WinShell.h"

#include "platform/shared/ShellTargets.h"

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

namespace quorvel::platform {

int WinShell::open(const QString& target)
{
    const ShellDecision decision = decideShellTarget(target);
    if (decision.verdict != ShellVerdict::Open)
        return resultCodeFor(decision.verdict);
    const std::wstring file = decision.nativeTarget.toStdWString();
    const HINSTANCE result =
        ShellExecuteW(GetActiveWindow(), L"open", file.c_str(), L"", L"", SW_SHOWNORMAL);
    // The result is an error code dressed as a handle; above 32 means success.
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

} // namespace quorvel::platform
