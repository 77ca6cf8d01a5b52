#include "StdStreams.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace quorvel::cli {

namespace {

DWORD lastFailure = 0;
HANDLE input = INVALID_HANDLE_VALUE; // standard input while no file is open

HANDLE currentInput()
{
    return input != INVALID_HANDLE_VALUE ? input : GetStdHandle(STD_INPUT_HANDLE);
}

std::wstring toWide(const std::string& text)
{
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            size);
    return out;
}

std::string toUtf8(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

// The largest piece one ReadFile or WriteFile call takes.
DWORD piece(std::size_t size)
{
    return static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
}

} // namespace

void prepareStandardStreams()
{
    // Input and output go through the handles below; this covers anything
    // the C library itself writes. A closed stream has no descriptor.
    for (FILE* stream : {stdin, stdout, stderr})
        if (const int fd = _fileno(stream); fd >= 0)
            _setmode(fd, _O_BINARY);
}

std::vector<std::string> commandLineArguments(int, char**)
{
    // The narrow arguments come in the system's code page, which cannot hold
    // every character; the wide command line can.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(toUtf8(wide[i], static_cast<int>(wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

bool openInputFile(const std::string& name)
{
    // By wide name: the code page cannot hold every character of a UTF-8 one.
    const HANDLE file = CreateFileW(toWide(name).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        lastFailure = GetLastError();
        return false;
    }
    useStandardInput();
    input = file;
    return true;
}

void useStandardInput()
{
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
    input = INVALID_HANDLE_VALUE;
}

std::ptrdiff_t readInput(char* buffer, std::size_t size)
{
    DWORD got = 0;
    if (ReadFile(currentInput(), buffer, piece(size), &got, nullptr))
        return static_cast<std::ptrdiff_t>(got);
    lastFailure = GetLastError();
    // A pipe whose writer has gone is at its end.
    return lastFailure == ERROR_BROKEN_PIPE ? 0 : -1;
}

bool inputReady()
{
    const HANDLE in = currentInput();
    switch (GetFileType(in)) {
    case FILE_TYPE_PIPE: {
        // When the pipe cannot tell (or has ended), answering at once costs
        // no more than a write.
        DWORD available = 0;
        return PeekNamedPipe(in, nullptr, 0, nullptr, &available, nullptr) && available > 0;
    }
    case FILE_TYPE_DISK:
        return true;
    default:
        // A console: someone is typing, so answer every line at once.
        return false;
    }
}

bool writeOutput(const char* data, std::size_t size)
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(out, data, piece(size), &put, nullptr) || put == 0) {
            lastFailure = put == 0 && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError();
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

void writeError(std::string_view text)
{
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    while (!text.empty()) {
        DWORD put = 0;
        if (!WriteFile(err, text.data(), piece(text.size()), &put, nullptr) || put == 0)
            return;
        text.remove_prefix(put);
    }
}

std::string failureReason()
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, lastFailure, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = length > 0 ? toUtf8(text, static_cast<int>(length))
                                    : "error " + std::to_string(lastFailure);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

} // namespace quorvel::cli
