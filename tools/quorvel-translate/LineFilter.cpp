#include "LineFilter.h"

#include "StdStreams.h"
#include "UnwrapReport.h"
#include "engine/ErrorHandler.h"
#include "engine/Reporter.h"
#include "engine/RuntimeError.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace quorvel::cli {

namespace {

constexpr std::size_t kInputSize = std::size_t{1} << 18;
constexpr std::size_t kOutputSize = std::size_t{1} << 18;
// What a long line leaves behind: enough for any ordinary line.
constexpr std::size_t kKeptUnits = std::size_t{1} << 18;
// Room for a count, its tab and the line end.
constexpr std::size_t kLineFrame = 16;

// Ends the run: output could not be written, or standard input read when no
// file was named.
struct StreamFailure {
    const char* what;
};

// Ends the reading of one input.
struct ReadFailure {};

} // namespace

UnitBuffer::~UnitBuffer()
{
    std::free(data_);
}

bool UnitBuffer::reserve(std::size_t units) noexcept
{
    if (units <= capacity_)
        return true;
    const std::size_t grown = std::max({units, capacity_ + capacity_ / 2, std::size_t{4096}});
    if (grown > SIZE_MAX / sizeof(char16_t))
        return false;
    void* moved = std::realloc(data_, grown * sizeof(char16_t));
    if (!moved)
        return false;
    data_ = static_cast<char16_t*>(moved);
    capacity_ = grown;
    return true;
}

void UnitBuffer::trim() noexcept
{
    if (capacity_ <= kKeptUnits)
        return;
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
}

// Message boxes, kept as "title: text" lines until the output before them
// has been written.
class LineFilter::Messages : public Reporter {
public:
    void message(const std::u16string& text, const std::u16string& title, MessageStyle) override
    {
        lines += encodeUtf8(title) + ": ";
        const std::string body = encodeUtf8(text);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
                continue; // a CR LF line break is shown as a plain line break
            lines += body[i];
        }
        lines += '\n';
    }
    std::string lines;
};

LineFilter::LineFilter(const Options& options, const unwrap::HostNames* hosts)
    : options_(options), hosts_(hosts), messages_(std::make_unique<Messages>()),
      in_(new char[kInputSize]), out_(new char[kOutputSize])
{
    buildTranslationTables(codes_, chars_);
    unwrapOptions_.scope = options.unwrap.value_or(unwrap::Scope::All);
    unwrapOptions_.trailing = options.trailing;
    // The steps and hosts are shown only in JSON and in the trace.
    unwrapOptions_.record = options.json || options.trace;
}

LineFilter::~LineFilter() = default;

int LineFilter::run()
{
    try {
        if (options_.files.empty()) {
            try {
                readAll();
            } catch (const ReadFailure&) {
                throw StreamFailure{"cannot read input"};
            }
        }
        for (const std::string& name : options_.files)
            readFile(name);
        flush();
    } catch (const StreamFailure& failure) {
        writeError(std::string("quorvel-translate: ") + failure.what + ": " + failureReason() +
                   "\n");
        return kExitStreams;
    }
    if (unreadable_)
        return kExitStreams;
    return raised_ ? kExitMessages : kExitOk;
}

// A file that cannot be read is reported after the lines read before, and
// the next one is read.
void LineFilter::readFile(const std::string& name)
{
    try {
        if (name == "-")
            useStandardInput();
        else if (!openInputFile(name))
            throw ReadFailure{};
        readAll();
    } catch (const ReadFailure&) {
        flush();
        writeError("quorvel-translate: cannot read " + name + ": " + failureReason() + "\n");
        unreadable_ = true;
        held_ = 0;
        dropping_ = false;
    }
    useStandardInput();
    begin_ = end_ = 0;
    lfKnown_ = skipLf_ = atEnd_ = false;
}

void LineFilter::readAll()
{
    for (;;) {
        takeLines();
        if (atEnd_)
            break;
        refill();
    }
    if (begin_ < end_ || held_ > 0 || dropping_)
        endLine(begin_, end_); // the last line, without a line end
}

void LineFilter::takeLines()
{
    while (takeLine()) {
    }
}

// Translates the next line when its end is in the buffer. A line ends at an
// LF, a CR LF or a lone CR.
bool LineFilter::takeLine()
{
    if (skipLf_ && begin_ < end_) {
        skipLf_ = false;
        if (in_[begin_] == '\n') {
            ++begin_;
            lfKnown_ = false;
        }
    }
    if (begin_ == end_)
        return false;
    if (!lfKnown_ || nextLf_ < begin_) {
        const void* lf = std::memchr(in_.get() + begin_, '\n', end_ - begin_);
        nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - in_.get()) : end_;
        lfKnown_ = true;
    }
    const void* cr = std::memchr(in_.get() + begin_, '\r', nextLf_ - begin_);
    std::size_t end, next;
    if (cr) {
        end = static_cast<std::size_t>(static_cast<const char*>(cr) - in_.get());
        next = end + 1;
        if (next == end_)
            skipLf_ = true;
        else if (in_[next] == '\n')
            ++next;
    } else if (nextLf_ < end_) {
        end = nextLf_;
        next = end + 1;
    } else {
        return false;
    }
    endLine(begin_, end);
    begin_ = next;
    return true;
}

// Makes room for more input. A line longer than the buffer is decoded as far
// as it goes, so that its bytes need not be kept.
void LineFilter::refill()
{
    if (begin_ == 0 && end_ == kInputSize)
        holdLongLine();
    if (begin_ > 0) {
        std::memmove(in_.get(), in_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    lfKnown_ = false;
    // A batch goes out in large writes; a line that comes alone is answered
    // before the filter waits for the next.
    if (used_ > 0 && !inputReady())
        flush();
    const std::ptrdiff_t got = readInput(in_.get() + end_, kInputSize - end_);
    if (got < 0) {
        flush();
        throw ReadFailure{};
    }
    if (got == 0)
        atEnd_ = true;
    end_ += static_cast<std::size_t>(got);
}

void LineFilter::holdLongLine()
{
    const std::string_view bytes(in_.get() + begin_, end_ - begin_);
    const std::size_t take = bytes.size() - incompleteUtf8Tail(bytes);
    if (!dropping_ && text_.reserve(held_ + take)) {
        held_ += decodeUtf8To(bytes.substr(0, take), text_.data() + held_);
    } else {
        dropping_ = true;
        held_ = 0;
        text_.trim();
    }
    begin_ += take;
}

void LineFilter::endLine(std::size_t begin, std::size_t end)
{
    ++lineNumber_;
    const std::string_view bytes(in_.get() + begin, end - begin);
    if (!dropping_ && text_.reserve(held_ + bytes.size())) {
        const std::size_t units = held_ + decodeUtf8To(bytes, text_.data() + held_);
        if (options_.unwrap)
            unwrapLine({text_.data(), units});
        else
            translateLine(units);
    } else {
        reportRuntimeError(*messages_, outOfMemoryError(), u"cmdTrans");
        reportMessages();
        emit({}, 0);
    }
    held_ = 0;
    dropping_ = false;
    text_.trim();
}

void LineFilter::translateLine(std::size_t units)
{
    TranslationView shown{};
    withErrorHandler(*messages_, u"cmdTrans", [&] {
        shown = translateInPlace(*messages_, options_.method, codes_, chars_, options_.trailing,
                                 {text_.data(), units});
    });
    reportMessages();
    emit(shown.text, shown.count);
}

void LineFilter::unwrapLine(std::u16string_view line)
{
    unwrap::Result& result = unwrapped_;
    bool done = false;
    withErrorHandler(*messages_, u"cmdTrans", [&] {
        unwrap::unwrapLink(line, unwrapOptions_, *hosts_, result);
        done = true;
    });
    reportMessages();
    if (!done) {
        emit({}, 0);
        return;
    }
    if (options_.trace)
        report(traceText(lineNumber_, result));
    if (options_.json)
        emitBytes(jsonLine(line, result));
    else
        emit(result.target, static_cast<std::int16_t>(result.layers));
    if (result.status != unwrap::Status::Done) {
        report(problemText(lineNumber_, result));
        raised_ = true;
    }
}

void LineFilter::emitBytes(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (used_ == kOutputSize)
            flush();
        const std::size_t put = std::min(bytes.size(), kOutputSize - used_);
        std::memcpy(out_.get() + used_, bytes.data(), put);
        used_ += put;
        bytes.remove_prefix(put);
    }
}

void LineFilter::emit(std::u16string_view text, std::int16_t count)
{
    if (kOutputSize - used_ < kLineFrame)
        flush();
    char* out = out_.get();
    used_ =
        static_cast<std::size_t>(std::to_chars(out + used_, out + kOutputSize, count).ptr - out);
    out[used_++] = '\t';
    for (;;) {
        const EncodeStep step = encodeUtf8To(text, out + used_, kOutputSize - used_ - 1);
        used_ += step.written;
        text.remove_prefix(step.read);
        if (text.empty())
            break;
        flush();
    }
    out[used_++] = '\n';
}

// Written after the output of the lines before, as a message box would show.
void LineFilter::reportMessages()
{
    if (messages_->lines.empty())
        return;
    report(messages_->lines);
    messages_->lines.clear();
    raised_ = true;
}

// Standard error after the output of the lines before.
void LineFilter::report(const std::string& text)
{
    if (text.empty())
        return;
    flush();
    writeError(text);
}

void LineFilter::flush()
{
    if (used_ > 0 && !writeOutput(out_.get(), used_))
        throw StreamFailure{"cannot write output"};
    used_ = 0;
}

} // namespace quorvel::cli
