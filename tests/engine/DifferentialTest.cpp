#include "RecordingReporter.h"
#include "engine/Scan.h"
#include "engine/reference/ReferenceEngine.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvel {
namespace {

using namespace quorvel::testing;

// Pieces that make the interesting cases likely: codes in the table and not,
// both digit cases, broken and chained codes, markers, endings, blanks, NUL,
// lone surrogates and letters whose upper case is not ASCII.
// clang-format off
const std::u16string kPieces[] = {
    u"%", u"%", u"%%", u"%2", u"%25", u"%2F", u"%2f", u"%3a", u"%3D", u"%41", u"%7e", u"%7F",
    u"%20", u"%27", u"%29", u"%3B", u"%1f", u"%g4", u"%4G", u"0", u"2", u"7", u"a", u"E", u"F",
    u"f", u"action=", u"ACTION=", u"AcTion=", u"actio", u"');", u")", u" ", u"  ", u"\u00e9",
    u"\u00c9", u"\u0131", u"\u017f", u"x", u"\t", u"\xd800", u"\xdc00", u"xyz", u"nd", u"%2525",
    u"%252F", u"%252f", u"%2541", u"%257E", u"%2520", std::u16string(1, u'\0')};
const std::u16string kEndings[] = {u"');", u"X", u"\u00c9ND", u"%", u" ;", u"", u"7E", u"  '"};
// clang-format on

// Both methods of the engine, with its vector code and without, against the
// reference, on seeded random links with random options.
TEST(Differential, EngineMatchesReference)
{
    std::mt19937_64 rng{20240611};
    const auto below = [&](std::size_t n) { return rng() % n; };
    const auto pieces = [&](std::size_t count) {
        std::u16string s;
        while (count-- > 0)
            s += kPieces[below(std::size(kPieces))];
        return s;
    };
    const auto compare = [&](const std::u16string& source, bool dynamic = true) {
        const TrailingOptions options{below(4) != 0, kEndings[below(std::size(kEndings))]};
        const auto& [codes, chars] = kStandardTables;
        const Outcome dyn = dynamic ? run(&reference::FixTheURLDyn, options, source) : Outcome{};
        const Outcome predef = run(&reference::FixTheURLPredef, options, source, codes, chars);
        SCOPED_TRACE(::testing::PrintToString(source.substr(0, 80)));
        // Ends with the vector code on. Without the dynamic method its empty
        // outcome is compared with itself; the number streamed is the switch.
        for (const bool vector : {false, true}) {
            scan::useVectorCode(vector);
            EXPECT_EQ(dynamic ? run(&FixTheURLDyn, options, source) : dyn, dyn) << vector;
            EXPECT_EQ(run(&FixTheURLPredef, options, source, codes, chars), predef) << vector;
        }
    };
    for (int i = 0; i < 20000 && !HasFailure(); ++i)
        compare(pieces(below(40)));
    // Texts rewritten to a length near 32767: filler with valid codes put in
    // at random, so that original and rewritten positions differ, a random
    // tail and sometimes a marker in front; markers at 32759 to 32761.
    const std::u16string valid[] = {u"%41", u"%2f", u"%2F", u"%25", u"%7e", u"%20"};
    for (int i = 0; i < 24 && !HasFailure(); ++i) {
        const std::size_t codes = below(3) == 0 ? 0 : below(400);
        std::u16string text(32755 + below(16) - codes, u'x');
        for (std::size_t c = 0; c < codes; ++c)
            text.insert(below(text.size() + 1), valid[below(std::size(valid))]);
        compare((below(3) == 0 ? pieces(5) + u"action=" : u"") + text + pieces(below(8)));
    }
    for (const std::size_t at : {32759u, 32760u, 32761u})
        compare(std::u16string(at - 1, u'x') + u"ACTION=%2f");
    // Table passes of 32766 and 32769 replacements, totals beyond 32767 and
    // codes that the %25 pass forms; the reference is quadratic here, so only
    // a few. These and the markers above reach every overflow box.
    const std::u16string mixes[][3] = {
        {u"%2F", u"%2f", u"%2F"}, {u"%20", u"%23", u"%252F"}, {u"%3a", u"%25", u"x%"}};
    for (std::size_t i = 0; i < 4 && !HasFailure(); ++i) {
        std::u16string source;
        for (std::size_t k = 32766 + i - (i % 3 == 1 ? 6000 : 0); k > 0; --k)
            source += mixes[i % 3][below(3)];
        compare(source + pieces(4), false);
    }
}

} // namespace
} // namespace quorvel
