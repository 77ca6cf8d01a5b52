#include "StdStreams.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace quorvel::cli {

namespace {

int lastFailure = 0;
int input = STDIN_FILENO;

// Waits until fd is ready for `events`; for a stream opened non-blocking.
void waitFor(int fd, short events)
{
    pollfd p{fd, events, 0};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
}

} // namespace

void prepareStandardStreams() {}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool openInputFile(const std::string& name)
{
    const int file = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        lastFailure = errno;
        return false;
    }
    useStandardInput();
    input = file;
    return true;
}

void useStandardInput()
{
    if (input != STDIN_FILENO)
        ::close(input);
    input = STDIN_FILENO;
}

std::ptrdiff_t readInput(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(input, buffer, size);
        if (got >= 0)
            return got;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitFor(input, POLLIN);
        } else if (errno != EINTR) {
            lastFailure = errno;
            return -1;
        }
    }
}

bool inputReady()
{
    pollfd p{input, POLLIN, 0};
    int ready;
    while ((ready = ::poll(&p, 1, 0)) < 0 && errno == EINTR) {
    }
    // When poll cannot tell, the read that follows will.
    return ready != 0;
}

bool writeOutput(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t put = ::write(STDOUT_FILENO, data, size);
        if (put > 0) {
            data += put;
            size -= static_cast<std::size_t>(put);
        } else if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitFor(STDOUT_FILENO, POLLOUT);
        } else if (put == 0 || errno != EINTR) {
            lastFailure = put == 0 ? EIO : errno;
            return false;
        }
    }
    return true;
}

void writeError(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = ::write(STDERR_FILENO, text.data(), text.size());
        if (put > 0)
            text.remove_prefix(static_cast<std::size_t>(put));
        else if (put == 0 || errno != EINTR)
            return;
    }
}

std::string failureReason()
{
    return std::strerror(lastFailure);
}

} // namespace quorvel::cli
