#pragma once

// The filter's loop: links in, one per line, translations out, in large
// reads and writes through buffers kept for the whole run.

#include "engine/Tables.h"
#include "engine/Translate.h"
#include "engine/Unwrap.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cli {

struct Options {
    TranslationMethod method = TranslationMethod::Dynamic;
    TrailingOptions trailing;
    std::optional<unwrap::Scope> unwrap; // unwrap instead of translating
    bool json = false;                   // unwrapping written as JSON
    bool trace = false;                  // unwrapping steps to standard error
    std::vector<std::string> files;      // read in order; none: standard input
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitMessages = 1; // a message box or an unfinished unwrapping
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStreams = 3; // input could not be read or output written

// 16-bit text grown with realloc, which can move a large block's pages
// instead of copying them: a line of many megabytes then needs little more
// than its own size.
class UnitBuffer {
public:
    UnitBuffer() = default;
    UnitBuffer(const UnitBuffer&) = delete;
    UnitBuffer& operator=(const UnitBuffer&) = delete;
    ~UnitBuffer();

    char16_t* data() noexcept { return data_; }
    // Room for at least `units`, keeping the contents; false when memory is out.
    bool reserve(std::size_t units) noexcept;
    // Gives a block grown by one long line back to the system.
    void trim() noexcept;

private:
    char16_t* data_ = nullptr;
    std::size_t capacity_ = 0;
};

class LineFilter {
public:
    // hosts is needed for unwrapping only.
    explicit LineFilter(const Options& options, const unwrap::HostNames* hosts = nullptr);
    ~LineFilter();
    // Reads the files, or standard input, to their end; returns the exit status.
    int run();

private:
    class Messages;

    void readFile(const std::string& name);
    void readAll();
    void takeLines();
    bool takeLine();
    void holdLongLine();
    void refill();
    void endLine(std::size_t begin, std::size_t end);
    void translateLine(std::size_t units);
    void unwrapLine(std::u16string_view line);
    void emit(std::u16string_view text, std::int16_t count);
    void emitBytes(std::string_view bytes);
    void reportMessages();
    void report(const std::string& text);
    void flush();

    Options options_;
    const unwrap::HostNames* hosts_;
    unwrap::Options unwrapOptions_;
    unwrap::Result unwrapped_;   // kept for its buffers
    std::size_t lineNumber_ = 0; // counted over all files
    bool unreadable_ = false;    // a file could not be read
    CodeTable codes_, chars_;
    std::unique_ptr<Messages> messages_;
    bool raised_ = false;

    std::unique_ptr<char[]> in_;
    std::size_t begin_ = 0, end_ = 0; // unread bytes
    std::size_t nextLf_ = 0;          // first LF from begin_ on, end_ if none
    bool lfKnown_ = false;
    bool skipLf_ = false; // the last line ended with a CR that an LF may follow
    bool atEnd_ = false;

    UnitBuffer text_;
    std::size_t held_ = 0;  // units of the current line decoded so far
    bool dropping_ = false; // the current line did not fit into memory

    std::unique_ptr<char[]> out_;
    std::size_t used_ = 0;
};

} // namespace quorvel::cli
