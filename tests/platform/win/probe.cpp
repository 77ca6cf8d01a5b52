// A stand-in program for the Windows adapter tests.
//   probe guard        asks the single-instance guard, prints "first" or
//                      "another"; a first copy then holds the guard until its
//                      standard input closes.
//   probe [mark NAME]  leaves NAME.txt (default "started.txt") beside itself,
//                      holding the command line it was started with.
#include "platform/win/WinInstanceGuard.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int reportGuard()
{
    quorvel::platform::WinInstanceGuard guard;
    const bool another = guard.anotherInstanceRunning();
    std::puts(another ? "another" : "first");
    std::fflush(stdout);
    if (!another)
        while (std::getchar() != EOF) {
        }
    return 0;
}

int leaveMark(const std::wstring& name)
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + name + L".txt";
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return 1;
    const std::wstring commandLine = GetCommandLineW();
    std::fwrite(commandLine.data(), sizeof(wchar_t), commandLine.size(), file);
    std::fclose(file);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"guard") == 0)
        return reportGuard();
    if (argc == 3 && std::wcscmp(argv[1], L"mark") == 0)
        return leaveMark(argv[2]);
    return leaveMark(L"started");
}
