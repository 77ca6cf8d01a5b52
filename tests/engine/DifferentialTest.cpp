#include "RecordingReporter.h"
#include "engine/RuntimeError.h"
#include "engine/Scan.h"
#include "engine/Translate.h"
#include "engine/reference/ReferenceEngine.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace quorvel {
namespace {

using testing::Box;
using testing::RecordingReporter;

struct Outcome {
    std::u16string result = u"<untouched>";
    std::int16_t count = -99;
    std::vector<Box> boxes;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& r, std::ostream* out)
{
    *out << r.result.size() << " units, count " << r.count;
    for (const Box& box : r.boxes)
        *out << ' ' << box;
}

// Pieces that make the interesting cases likely: codes in the table and not,
// both digit cases, broken codes, markers, the endings, blanks and letters
// whose upper case is not ASCII.
const std::u16string kPieces[] = {
    u"%",       u"%",      u"%",       u"%%",
    u"%2",      u"%25",    u"%25",     u"%2F",
    u"%2f",     u"%3a",    u"%3D",     u"%41",
    u"%7e",     u"%7F",    u"%20",     u"%27",
    u"%29",     u"%3B",    u"%1f",     u"%g4",
    u"%4G",     u"0",      u"2",       u"5",
    u"7",       u"a",      u"c",       u"E",
    u"F",       u"f",      u"action=", u"ACTION=",
    u"AcTion=", u"actio",  u"');",     u"'",
    u")",       u";",      u" ",       u"  ",
    u"\u00e9",  u"\u00c9", u"\u0131",  u"\u017f",
    u"x",       u"/",      u"?",       u"&",
    u"=",       u"g",      u"\t",      std::u16string(1, u'\0'),
    u"\xd800",  u"\xdc00", u"xyz",     u"XYZ",
    u"nd",      u"%2525",  u"%252F",   u"%252f",
    u"%2541",   u"%257E",  u"%2520",
};

const std::u16string kEndings[] = {u"');", u"');", u"X", u"\u00c9ND", u"%",
                                   u" ;",  u"XYZ", u"",  u"7E",       u"  '"};

// Run once with the vector code where the processor has it and once with the
// plain loops only.
class Differential : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        buildTranslationTables(codes_, chars_);
        scan::useVectorCode(GetParam());
    }
    void TearDown() override { scan::useVectorCode(true); }

    std::u16string pieces(std::size_t count)
    {
        std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
        std::u16string s;
        for (std::size_t i = 0; i < count; ++i)
            s += kPieces[pick(rng_)];
        return s;
    }

    std::size_t below(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

    TrailingOptions randomOptions()
    {
        return TrailingOptions{below(4) != 0, kEndings[below(std::size(kEndings))]};
    }

    using Dyn = void (*)(Reporter&, const TrailingOptions&, const std::u16string&, std::u16string&,
                         std::int16_t&);
    using Predef = void (*)(Reporter&, const CodeTable&, const CodeTable&, const TrailingOptions&,
                            const std::u16string&, std::u16string&, std::int16_t&);

    static Outcome run(Dyn method, const std::u16string& source, const TrailingOptions& options)
    {
        Outcome o;
        RecordingReporter reporter;
        method(reporter, options, source, o.result, o.count);
        o.boxes = std::move(reporter.boxes);
        return o;
    }

    Outcome run(Predef method, const std::u16string& source, const TrailingOptions& options)
    {
        Outcome o;
        RecordingReporter reporter;
        method(reporter, codes_, chars_, options, source, o.result, o.count);
        o.boxes = std::move(reporter.boxes);
        return o;
    }

    void comparePredefined(const std::u16string& source, const TrailingOptions& options)
    {
        const Outcome fast = run(&FixTheURLPredef, source, options);
        ASSERT_EQ(fast, run(&reference::FixTheURLPredef, source, options))
            << "predefined, case " << case_;
        tally(fast);
    }

    void compareMethods(const std::u16string& source, const TrailingOptions& options)
    {
        const Outcome fast = run(&FixTheURLDyn, source, options);
        ASSERT_EQ(fast, run(&reference::FixTheURLDyn, source, options))
            << "dynamic, case " << case_;
        tally(fast);
        comparePredefined(source, options);
        ++case_;
    }

    // Which outcomes the inputs reached, so that a change of the generators
    // cannot quietly stop reaching the limits.
    void tally(const Outcome& o)
    {
        if (o.boxes.empty())
            ++reached_[u"none"];
        for (const Box& box : o.boxes)
            ++reached_[box.title];
    }

    void expectReached(std::initializer_list<std::u16string> titles)
    {
        for (const std::u16string& title : titles)
            EXPECT_GT(reached_[title], 0) << ::testing::PrintToString(title);
    }

    std::map<std::u16string, int> reached_;

    std::mt19937_64 rng_{20240611};
    CodeTable codes_, chars_;
    int case_ = 0;
};

TEST_P(Differential, ShortRandomLinksBothMethods)
{
    for (int i = 0; i < 20000; ++i) {
        compareMethods(pieces(below(40)), randomOptions());
        if (HasFatalFailure())
            return;
    }
    expectReached({u"none"});
}

TEST_P(Differential, ReplaceAllWithRandomArguments)
{
    const std::u16string flags[] = {u"T", u"F", u"t", u"f", u"X", u"", u"TT"};
    for (int i = 0; i < 20000; ++i) {
        const std::u16string source = pieces(below(12));
        const std::u16string target = pieces(below(3));
        const std::u16string flag = flags[below(std::size(flags))];
        const std::u16string replacement = pieces(below(3));
        std::int16_t fastCount = -99, slowCount = -99;
        RecordingReporter a, b;
        const std::u16string fast =
            sRemoveReplaceMulti(a, source, target, flag, fastCount, replacement);
        const std::u16string slow =
            reference::sRemoveReplaceMulti(b, source, target, flag, slowCount, replacement);
        ASSERT_EQ(fast, slow) << "case " << i;
        ASSERT_EQ(fastCount, slowCount) << "case " << i;
        ASSERT_EQ(a.boxes, b.boxes) << "case " << i;
        ASSERT_EQ(RemoveTrailing(source, target), reference::RemoveTrailing(source, target));
    }
}

// The text before the tail is rewritten to a length near 32767: filler with
// a number of valid codes mixed in, so that original and rewritten positions
// differ. Then a random tail, and sometimes a marker that moves everything.
TEST_P(Differential, LongLinksNearTheSixteenBitLimits)
{
    const std::u16string valid[] = {u"%41", u"%2f", u"%2F", u"%25", u"%7e", u"%20"};
    for (int i = 0; i < 24; ++i) {
        const std::size_t rewritten = 32755 + below(16);
        const std::size_t codes = below(3) == 0 ? 0 : below(400);
        std::u16string source;
        if (below(3) == 0)
            source = pieces(5) + u"action=";
        std::size_t filler = rewritten - codes;
        for (std::size_t c = 0; c < codes; ++c) {
            const std::size_t chunk = below(2 * filler / (codes - c) + 1);
            source += std::u16string(std::min(chunk, filler), u'x');
            filler -= std::min(chunk, filler);
            source += valid[below(std::size(valid))];
        }
        source += std::u16string(filler, u'y');
        source += pieces(below(8));
        compareMethods(source, randomOptions());
        if (HasFatalFailure())
            return;
    }
    for (const std::size_t at : {32759u, 32760u, 32761u}) {
        compareMethods(std::u16string(at - 1, u'x') + u"ACTION=%2f", TrailingOptions{});
    }
    expectReached({u"none", u"FixTheURLDyn"});
}

// Table passes near 32767 replacements, in one pass and over all of them. The
// transliteration is quadratic here, so only a few cases.
TEST_P(Differential, TablePassesNearTheCountLimit)
{
    const std::u16string mixes[][3] = {
        {u"%2F", u"%2f", u"%2F"}, {u"%20", u"%23", u"%252F"}, {u"%3a", u"%25", u"x%"}};
    for (int i = 0; i < 4; ++i) {
        const auto& mix = mixes[i % 3];
        const std::size_t n = 32766 + below(4) - (i % 3 == 1 ? 6000 : 0);
        std::u16string source;
        for (std::size_t k = 0; k < n; ++k)
            source += mix[below(3)];
        source += pieces(4);
        comparePredefined(source, randomOptions());
        if (HasFatalFailure())
            return;
    }
    expectReached({u"none", u"FixTheURLPredef", u"sRemoveReplaceMulti"});
}

INSTANTIATE_TEST_SUITE_P(VectorCode, Differential, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "on" : "off"; });

} // namespace
} // namespace quorvel
