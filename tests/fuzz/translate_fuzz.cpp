// Both translation methods against the reference transliteration: results,
// counts and message boxes must be identical, with the vector code on and off.
//
// Input: a switch byte, the ending's length (low 3 bits of the next byte),
// the ending, then the text. Bytes are Latin-1 characters, except that 0xFF
// takes the next two bytes as one 16-bit unit (lone surrogates, letters whose
// upper case is not Latin-1). Switch bit 0 removes the ending. Switch bits 1
// and 2 together fill the text with 'x' up to 32767 units less the low 6 bits
// of the byte after the ending, where the 16-bit positions and counts
// overflow; the filler goes in at the fraction of the text that the upper 5
// switch bits give. Such long texts take the reference long, hence two bits.
#include "engine/Scan.h"
#include "engine/Text.h"
#include "engine/Translate.h"
#include "engine/reference/ReferenceEngine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace quorvel;
using Str = std::u16string;

struct Outcome {
    Str result = u"<untouched>";
    std::int16_t count = -99;
    std::vector<std::tuple<Str, Str, MessageStyle>> boxes = {};
    bool operator==(const Outcome&) const = default;
};

struct Recorder : Reporter {
    Outcome o;
    void message(const Str& text, const Str& title, MessageStyle style) override
    {
        o.boxes.emplace_back(text, title, style);
    }
};

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    bool done() const { return at >= size; }
    std::uint8_t byte() { return done() ? 0 : data[at++]; }
    char16_t unit()
    {
        const std::uint8_t b = byte();
        if (b != 0xFF)
            return b;
        const std::uint8_t high = byte();
        return static_cast<char16_t>(high << 8 | byte());
    }
};

using DynMethod = decltype(&FixTheURLDyn);
using PredefMethod = decltype(&FixTheURLPredef);

Outcome run(bool dynamic, DynMethod dyn, PredefMethod predef, const TrailingOptions& options,
            const Str& source)
{
    static const auto tables = [] {
        std::pair<CodeTable, CodeTable> t;
        buildTranslationTables(t.first, t.second);
        return t;
    }();
    Recorder r;
    if (dynamic)
        dyn(r, options, source, r.o.result, r.o.count);
    else
        predef(r, tables.first, tables.second, options, source, r.o.result, r.o.count);
    return r.o;
}

void report(const char* method, bool vector, const Str& source, const Outcome& expected,
            const Outcome& got)
{
    std::fprintf(stderr,
                 "%s with the %s differs on %zu units: reference count %d, result %zu units, "
                 "%zu boxes; engine count %d, result %zu units, %zu boxes\n",
                 method, vector ? "vector code" : "plain loops", source.size(), expected.count,
                 expected.result.size(), expected.boxes.size(), got.count, got.result.size(),
                 got.boxes.size());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    const std::uint8_t switches = in.byte();
    const std::size_t endingLength = in.byte() & 7;
    Str entry;
    while (entry.size() < endingLength && !in.done())
        entry += in.unit();
    // The ending as the options dialog stores it; a blank entry keeps the default.
    TrailingOptions options;
    options.removeTrailing = (switches & 1) != 0;
    if (auto stored = trailingCharsFromEntry(entry))
        options.trailingChars = *stored;
    const std::size_t fillTo = (switches & 6) == 6 ? 32767 - (in.byte() & 63) : 0;
    Str source;
    while (!in.done())
        source += in.unit();
    if (source.size() < fillTo)
        source.insert(source.size() * (switches >> 3) / 32, fillTo - source.size(), u'x');

    for (const bool dynamic : {true, false}) {
        const Outcome expected =
            run(dynamic, reference::FixTheURLDyn, reference::FixTheURLPredef, options, source);
        for (const bool vector : {true, false}) {
            scan::useVectorCode(vector);
            const Outcome got = run(dynamic, FixTheURLDyn, FixTheURLPredef, options, source);
            if (!(got == expected))
                report(dynamic ? "FixTheURLDyn" : "FixTheURLPredef", vector, source, expected, got);
        }
    }
    scan::useVectorCode(true);
    return 0;
}
