#include "engine/Scan.h"
#include "engine/Text.h"
#include "engine/Translate.h"
#include "engine/reference/Run.h"

#include <gtest/gtest.h>

#include <random>
#include <span>
#include <tuple>
#include <utility>

namespace quorvel {
namespace reference {
void PrintTo(const Outcome& o, std::ostream* out)
{
    *out << ::testing::PrintToString(o.result.substr(0, 60)) << " of " << o.result.size()
         << " units, count " << o.count << ", boxes " << ::testing::PrintToString(o.boxes);
}
} // namespace reference

namespace {

using Str = std::u16string;
using reference::Box;
using reference::Outcome;
using reference::Recorder;
using reference::run;

// The boxes of an overflow: the method's own (its outputs are then left as
// they were) and the one a table pass shows before its method goes on.
const Outcome kDynOverflow{.boxes = {{u"6 : Overflow", u"FixTheURLDyn", 16}}};
const Outcome kPredefOverflow{.boxes = {{u"6 : Overflow", u"FixTheURLPredef", 16}}};
const Box kPassOverflow{u"6 : Overflow", u"sRemoveReplaceMulti", 16};

struct Row {
    Str source;
    Outcome expected;
    std::string methods = "dp"; // 'd' dynamic, 'p' predefined
    TrailingOptions options = {};
};

Str repeat(const Str& s, std::size_t times)
{
    Str out;
    while (times-- > 0)
        out += s;
    return out;
}

const auto x = [](std::size_t n) { return Str(n, u'x'); };

// Both methods on the listed examples, and where the engine shares code with
// the reference: tables, trim, ending, error texts. None may crash or hang: a
// megabyte, NUL characters, lone surrogates.
TEST(Translate, ExamplesAndLimits)
{
    const TrailingOptions longEnding{true, Str(32768, u'X')};
    const Str mb(1 << 20, u'a'), odd(u"\xdc00\0%2f\xd800", 6);
    // clang-format off
    const Row rows[] = {
        {u"", {u"", -99}}, {u"page?action=a%3Db", {u"a=b", 1}}, {u"   ", {u"", 0}},
        {u"%\uff14\uff11%4\u0661", {u"%\uff14\uff11%4\u0661", 0}}, {u"%2541", {u"%41", 1}},
        // Values outside 32 to 126 stay. The ending is cut once, as a whole,
        // after the trim, in any letter case.
        {u"%7f%1F%80%7e", {u"%7f%1F%80~", 1}}, {u"x%27);');", {u"x');", 1}}, {u"');", {u"", 0}},
        {u"abc ');", {u"abc ", 0}}, {u"  abc');  ", {u"abc", 0}}, {u"abc');", {u"abc", 0}},
        {u"abcXyZ", {u"abc", 0}, "dp", {true, u"XYZ"}}, {u" a\t", {u"a\t", 0}, "dp", {true, u""}},
        {u"abc);", {u"abc);", 0}}, {u" a ", {u"a", 0}, "dp", {true, Str(32767, u'A')}},
        // The whole table in order, either digit case; codes not in it stay.
        {u"a%20%23%24%25%26%27%2D%2E%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D%7e%21%22%2A"
         u"%2B%2C%5F%30", {u"a #$%&'-./:;<=>?@[\\]^`{|}~%21%22%2A%2B%2C%5F%30", 25}, "p"},
        // A pass of 32768 leaves the later passes the empty text, also in a megabyte.
        {repeat(u"%2F", 349525), {u"", 0, {kPassOverflow}}, "p"},
        // An ending of 32768 characters, reported by the method if used.
        {u"a%2Fb", kDynOverflow, "d", longEnding}, {u"a%2Fb", kPredefOverflow, "p", longEnding},
        {u"a%2Fb", {u"a/b", 1}, "dp", {false, longEnding.trailingChars}}, {mb, {mb, 0}},
        {odd, {Str(u"\xdc00\0/\xd800", 4), 1}}};
    // clang-format on
    for (const Row& r : rows)
        for (const char method : r.methods)
            EXPECT_EQ(run(method == 'd', r.options, r.source), r.expected)
                << method << ", " << r.source.size()
                << " units: " << ::testing::PrintToString(r.source.substr(0, 30));
}

TEST(Text, ReplaceAll)
{
    const Outcome refused{
        u"", -99, {{u"Value for case sensitive must be T or F", u"sRemoveReplaceMulti", 16}}};
    struct Replace {
        Str source, target, flag, by;
        Outcome expected; // a count of -99 was not written
    };
    // clang-format off
    const Replace rows[] = {
        {u"aaaa", u"aa", u"T", u"b", {u"bb", 2}},      {u"aaa", u"aa", u"T", u"b", {u"ba", 1}},
        {u"ab", u"a", u"T", u"aa", {u"aab", 1}},       {u"a-b-c", u"-", u"T", u"", {u"abc", 2}},
        {u"ABC", u"b", u"F", u"x", {u"AxC", 1}},       {u"ABC", u"b", u"T", u"x", {u"ABC", 0}},
        {u"ABC", u"b", u"f", u"x", {u"AxC", 1}},       {u"ABC", u"b", u"t", u"x", {u"ABC", 0}},
        {u"aabaabaaab", u"aab", u"F", u"<aab>", {u"<aab><aab>a<aab>", 3}},
        {u"", u"a", u"T", u"x", {u"", -99}},           {u"ab", u"", u"X", u"x", {u"ab", -99}},
        {u"ab", u"b", u"X", u"", refused},             {u"ab", u"b", u"", u"", refused},
        {u"ab", u"b", u"TF", u"", refused}, {x(32767), u"x", u"T", u"y", {Str(32767, u'y'), 32767}},
        {x(32768), u"x", u"T", u"y", {u"", -99, {kPassOverflow}}}};
    // clang-format on
    for (const auto& [source, target, flag, by, expected] : rows) {
        Recorder r;
        r.o.result = quorvel::sRemoveReplaceMulti(r, source, target, flag, r.o.count, by);
        EXPECT_EQ(r.o, expected) << ::testing::PrintToString(
            std::tuple(source.substr(0, 20), target, flag));
    }
}

// Pieces that make the interesting cases likely: codes in the table and not,
// both digit cases, near misses, broken and chained codes, markers, endings,
// blanks, NUL, lone surrogates and letters whose upper case is not ASCII.
// clang-format off
const Str kPieces[] = {
    u"%", u"%", u"%%", u"%2", u"%25", u"%2F", u"%2f", u"%3a", u"%3D", u"%41", u"%7e", u"%7F",
    u"%20", u"%27", u"%29", u"%3B", u"%1f", u"%g4", u"%4G", u"0", u"2", u"7", u"a", u"E", u"F",
    u"f", u"action=", u"ACTION=", u"AcTion=", u"actio", u"');", u")", u" ", u"  ", u"\u00e9",
    u"\u00c9", u"\u0131", u"\u017f", u"x", u"\t", u"\xd800", u"\xdc00", u"xyz", u"nd", u"%2525",
    u"%252F", u"%252f", u"%2541", u"%257E", u"%2520", Str(1, u'\0'),
    // Units next to the digits and letters, where a digit test could slip.
    u"%2p", u"%p2", u"%4/", u"%3:", u"%4@", u"%6`", u"%2{", u"%4\u0130"};
const Str kEndings[] = {u"');", u"X", u"\u00c9ND", u"%", u" ;", u"", u"7E", u"  '"};
// clang-format on

Str randomText(std::mt19937_64& rng, std::size_t count, std::span<const Str> from = kPieces)
{
    Str s;
    while (count-- > 0)
        s += from[rng() % from.size()];
    return s;
}

// What the filter's entry point shows for a method's outcome: the result
// trimmed, empty and 0 for outputs the method never wrote.
Outcome shown(Outcome o)
{
    o.result = o.result == Outcome{}.result ? u"" : trimBlanks(o.result);
    o.count = o.count == Outcome{}.count ? 0 : o.count;
    return o;
}

// Both methods of the engine, with each width of its vector code, and its
// entry point that overwrites a buffer, against the reference on seeded random
// links with random options; a third with tables whose replacements are longer
// than their codes.
TEST(Differential, EngineMatchesReference)
{
    std::mt19937_64 rng{20240611};
    const auto below = [&](std::size_t n) { return rng() % n; };
    reference::Tables longer = reference::standardTables();
    longer.chars[3] = u"<percent>";
    longer.chars[9] = u"";
    // Ends with the widest code allowed again; the number streamed is the width.
    const auto compare = [&](const Str& text, std::initializer_list<bool> methods = {true, false},
                             bool anyTables = true) {
        const TrailingOptions options{below(4) != 0, kEndings[below(std::size(kEndings))]};
        const auto& tables = anyTables && below(3) == 0 ? longer : reference::standardTables();
        SCOPED_TRACE(::testing::PrintToString(text.substr(0, 80)));
        for (const bool dyn : methods) {
            const Outcome expected = run(dyn, options, text, true, tables);
            for (const auto code :
                 {scan::VectorCode::Plain, scan::VectorCode::Avx2, scan::VectorCode::Avx512}) {
                scan::limitVectorCode(code);
                EXPECT_EQ(run(dyn, options, text, false, tables), expected)
                    << static_cast<int>(code);
            }
            Recorder inPlace;
            Str buffer = text;
            const TranslationView view = translateInPlace(
                inPlace, dyn ? TranslationMethod::Dynamic : TranslationMethod::Predefined,
                tables.codes, tables.chars, options, buffer);
            EXPECT_EQ((Outcome{Str(view.text), view.count, inPlace.o.boxes}), shown(expected))
                << "in place, " << dyn << (&tables == &longer ? " with longer replacements" : "");
        }
    };
    for (int i = 0; i < 20000 && !HasFailure(); ++i)
        compare(randomText(rng, below(40)));
    // Markers at 32759 to 32761; percent signs at 32763 to 32766, also where
    // codes shrank the text or one kept early on has it read in blocks; table
    // totals of 32767 and 32768.
    for (const std::size_t at : {32759u, 32760u, 32761u})
        compare(x(at - 1) + u"ACTION=%2f");
    const std::pair<Str, std::size_t> heads[] = {
        {u"", 0}, {repeat(u"%41", 10), 10}, {x(13) + u"%", 14}};
    for (const std::size_t at : {32763u, 32764u, 32765u, 32766u})
        for (const auto& [head, shown] : heads)
            for (const Str code : {u"%", u"%4g", u"%41"})
                compare(head + x(at - 1 - shown) + code);
    for (const std::size_t total : {32767u, 32768u}) {
        compare(u"%23" + repeat(u"%2f", total - 1), {false}, false);
        compare(u"%23" + repeat(u"%252F", total / 2), {false}, false);
    }
    // Texts rewritten to near 32767: codes put in the filler at random, so that
    // positions differ, a random tail and sometimes a marker in front.
    const Str valid[] = {u"%41", u"%2f", u"%2F", u"%25", u"%7e", u"%20"};
    for (int i = 0; i < 24 && !HasFailure(); ++i) {
        const std::size_t codes = below(3) == 0 ? 0 : below(400);
        Str text(32755 + below(16) - codes, u'x');
        for (std::size_t c = 0; c < codes; ++c)
            text.insert(below(text.size() + 1), valid[below(std::size(valid))]);
        compare((below(3) == 0 ? randomText(rng, 5) + u"action=" : u"") + text +
                randomText(rng, below(8)));
    }
    // A random head (a marker in it cuts only the head), then table passes of
    // 32766 and 32769 replacements, totals beyond 32767 and codes that the %25
    // pass forms; the reference is quadratic here, so only a few, and only the
    // standard tables' method. With the texts above, these reach every overflow box.
    const Str mixes[][3] = {
        {u"%2F", u"%2f", u"%2F"}, {u"%20", u"%23", u"%252F"}, {u"%3a", u"%25", u"x%"}};
    for (std::size_t i = 0; i < 4 && !HasFailure(); ++i)
        compare(randomText(rng, 4) +
                    randomText(rng, 32766 + i - (i % 3 == 1 ? 6000 : 0), mixes[i % 3]),
                {false}, false);
}

} // namespace
} // namespace quorvel
