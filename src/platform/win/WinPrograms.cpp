#include "platform/win/WinPrograms.h"

#include <windows.h>

#include <string>

namespace quorvel::platform {

bool WinPrograms::isOrdinaryFile(const QString& path)
{
    const std::wstring widePath = path.toStdWString();
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool WinPrograms::startDetached(const QString& path)
{
    // A plain path names the program file itself: given as the application
    // name, blanks in it cannot make the system run a shorter path's program.
    // A value that opens with a quote is already a command line (a quoted
    // program, perhaps with arguments) and is handed over as it is.
    const bool commandLineGiven = path.startsWith(u'"');
    const std::wstring application = commandLineGiven ? std::wstring() : path.toStdWString();
    std::wstring commandLine = commandLineGiven ? path.toStdWString() : L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(commandLineGiven ? nullptr : application.c_str(), commandLine.data(),
                        nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // Not waited for and not watched: the handles are not needed.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace quorvel::platform
