// Both translation methods against the reference transliteration: results,
// counts and message boxes must be identical, with the vector code on and off.
//
// Input: a switch byte, the ending's length (low 3 bits of the next byte),
// the ending, then the text, in Latin-1 except that 0xFF takes the next two
// bytes as one 16-bit unit. Switch bit 0 removes the ending; bits 1 and 2
// together fill the text with 'x' up to 32767 units less the low 6 bits of
// the byte after the ending, where 16-bit positions and counts overflow, at
// the fraction of the text the upper 5 bits give (long texts take the
// reference long, hence two bits).
#include "engine/Scan.h"
#include "engine/Text.h"
#include "engine/reference/Run.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace quorvel;
using reference::Outcome;

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    const std::uint8_t switches = in.byte();
    const std::size_t endingLength = in.byte() & 7;
    std::u16string entry;
    while (entry.size() < endingLength && !in.done())
        entry += in.unit();
    // The ending as the options dialog stores it; a blank entry keeps the default.
    TrailingOptions options;
    options.removeTrailing = (switches & 1) != 0;
    if (auto stored = trailingCharsFromEntry(entry))
        options.trailingChars = *stored;
    const std::size_t fillTo = (switches & 6) == 6 ? 32767 - (in.byte() & 63) : 0;
    std::u16string source;
    while (!in.done())
        source += in.unit();
    if (source.size() < fillTo)
        source.insert(source.size() * (switches >> 3) / 32, fillTo - source.size(), u'x');

    for (const bool dynamic : {true, false}) {
        const Outcome expected = reference::run(dynamic, options, source, true);
        for (const bool vector : {true, false}) {
            scan::useVectorCode(vector);
            const Outcome got = reference::run(dynamic, options, source);
            if (got == expected)
                continue;
            std::fprintf(stderr, "%s, vector code %d: count %d, not %d, on %zu units\n",
                         dynamic ? "FixTheURLDyn" : "FixTheURLPredef", vector, got.count,
                         expected.count, source.size());
            std::abort();
        }
    }
    scan::useVectorCode(true);
    return 0;
}
