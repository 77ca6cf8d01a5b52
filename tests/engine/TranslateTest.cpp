#include "RecordingReporter.h"
#include "engine/RuntimeError.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace quorvel::testing;

// The boxes of an overflow: the method's own (its outputs are then left as
// they were) and the one a table pass shows before its method goes on.
const Outcome kDynOverflow{u"<untouched>", -99, {{u"6 : Overflow", u"FixTheURLDyn", 16}}};
const Outcome kPredefOverflow{u"<untouched>", -99, {{u"6 : Overflow", u"FixTheURLPredef", 16}}};
const Box kPassOverflow{u"6 : Overflow", u"sRemoveReplaceMulti", 16};

struct Row {
    std::u16string source;
    char which; // 'b' both methods, 'd' dynamic, 'p' predefined
    Outcome expected;
    TrailingOptions options = {};
};

void check(const std::vector<Row>& rows)
{
    const auto& [codes, chars] = kStandardTables;
    for (const Row& r : rows) {
        for (const bool dyn : {true, false}) {
            if (r.which == (dyn ? 'p' : 'd'))
                continue;
            EXPECT_EQ(dyn ? run(&FixTheURLDyn, r.options, r.source)
                          : run(&FixTheURLPredef, r.options, r.source, codes, chars),
                      r.expected)
                << (dyn ? "dynamic, " : "predefined, ") << r.source.size()
                << " units: " << ::testing::PrintToString(r.source.substr(0, 30));
        }
    }
}

TEST(Translate, Examples)
{
    // clang-format off
    check({
        {u"", 'b', {u"", -99}}, {u"page?action=a%3Db", 'b', {u"a=b", 1}}, {u"   ", 'b', {u"", 0}},
        {u"p?ACTION=q%3fr&action=s", 'b', {u"q?r&action=s", 1}}, {u"50%25", 'b', {u"50%", 1}},
        {u"no marker%20here", 'b', {u"no marker here", 1}}, {u"redirect?action=", 'b', {u"", 0}},
        {u"x%3a%2f%2fy%2ez", 'b', {u"x://y.z", 4}}, {u"a%2Fb%2fc", 'b', {u"a/b/c", 2}},
        {u"%20abc%20", 'b', {u"abc", 2}}, {u"%20abc%20", 'b', {u" abc ", 2}, {false}},
        {u"x%27);');", 'b', {u"x');", 1}}, {u"x%27);');", 'b', {u"x');');", 1}, {false}},
        // Each pass works on the output of the ones before.
        {u"x%252Fy", 'p', {u"x/y", 2}}, {u"x%2520y", 'p', {u"x%20y", 1}},
        {u"%2541", 'p', {u"%41", 1}}, {u"%2525%252525", 'p', {u"%25%2525", 2}},
        {u"%25%2F%252", 'p', {u"%/%2", 3}}, {u"%%20%2", 'p', {u"% %2", 1}},
        {u"%28x%29", 'p', {u"%28x%29", 0}}, {u"%41%42", 'p', {u"%41%42", 0}},
        {u"x%27%29%3B", 'p', {u"x'%29;", 2}},
        // The whole table in order, either digit case; codes not in it stay.
        {u"a%20%23%24%25%26%27%2D%2E%2F%3A%3B%3C%3D%3E%3F%40%5B%5C%5D%5E%60%7B%7C%7D%7e%21%22%2A"
         u"%2B%2C%5F%30", 'p', {u"a #$%&'-./:;<=>?@[\\]^`{|}~%21%22%2A%2B%2C%5F%30", 25}},
        // The scan goes on behind a decoded character, right after any other.
        {u"x%27%29%3B", 'd', {u"x", 3}}, {u"x%27%29%3B%27%29%3B", 'd', {u"x');", 6}},
        {u"%20", 'd', {u"", 1}}, {u"a%20%20%20", 'd', {u"a", 3}}, {u"% 41", 'd', {u"% 41", 0}},
        {u"50%", 'd', {u"50%", 0}}, {u"%%", 'd', {u"%%", 0}}, {u"%u0041", 'd', {u"%u0041", 0}},
        {u"%2541", 'd', {u"%41", 1}}, {u"x%252Fy", 'd', {u"x%2Fy", 1}}, {u"%%41", 'd', {u"%A", 1}},
        {u"%25%41", 'd', {u"%A", 2}}, {u"%41%42", 'd', {u"AB", 2}}, {u"%28x%29", 'd', {u"(x)", 2}},
        {u"%7f%1F%80%7E%7e%20%3a", 'd', {u"%7f%1F%80~~ :", 4}},
        {u"a%4g%g4a%2", 'd', {u"a%4g%g4a%2", 0}},
        {u"%\uff14\uff11%4\u0661", 'd', {u"%\uff14\uff11%4\u0661", 0}}});
    // clang-format on
}

std::u16string repeat(const std::u16string& s, std::size_t times)
{
    std::u16string out;
    while (times-- > 0)
        out += s;
    return out;
}

const auto x = [](std::size_t n) { return std::u16string(n, u'x'); };

// Positions are those of the text as rewritten, after the marker cut.
TEST(Translate, SixteenBitLimits)
{
    const TrailingOptions longEnding{true, std::u16string(32768, u'X')};
    const std::u16string hashes = repeat(u"%23", 20000);
    check(
        {// The marker at 32760 and at 32761.
         {x(32759) + u"action=a%3Db", 'b', {u"a=b", 1}},
         {x(32760) + u"action=a%3Db", 'd', kDynOverflow},
         {x(32760) + u"action=a%3Db", 'p', kPredefOverflow},
         // Percent signs at 32764 and 32765, decoded or not; the last unit.
         {x(32763) + u"%41", 'd', {x(32763) + u"A", 1}},
         {x(32764) + u"%41", 'd', kDynOverflow},
         {x(32764) + u"%4g", 'd', {x(32764) + u"%4g", 0}},
         {x(32764) + u"%", 'd', {x(32764) + u"%", 0}},
         {x(32765) + u"%", 'd', kDynOverflow},
         // The same after earlier codes shrank the text, or after the cut.
         {repeat(u"%41", 10) + x(32753) + u"%41", 'd', {repeat(u"A", 10) + x(32753) + u"A", 11}},
         {repeat(u"%41", 10) + x(32754) + u"%41", 'd', kDynOverflow},
         {x(50) + u"action=" + x(32763) + u"%2f", 'd', {x(32763) + u"/", 1}},
         // Table passes have count limits only: a pass of 32767 and 32768;
         // earlier passes keep their count; a later pass reports nothing.
         {x(40000) + u"%41%2F", 'p', {x(40000) + u"%41/", 1}},
         {repeat(u"%2F", 32767), 'p', {repeat(u"/", 32767), 32767}},
         {repeat(u"%2F", 32768), 'p', {u"", 0, {kPassOverflow}}},
         {u"%20%24%2e" + repeat(u"%2F", 40000), 'p', {u"", 3, {kPassOverflow}}},
         {repeat(u"%3a%2F", 32768), 'p', {u"", 0, {kPassOverflow}}},
         // Totals of 32767 and 32768, also with codes that the %25 pass forms.
         {hashes + repeat(u"%2f", 12767), 'p', {repeat(u"#", 20000) + repeat(u"/", 12767), 32767}},
         {hashes + repeat(u"%2f", 12768), 'p', kPredefOverflow},
         {repeat(u"%252F", 16383) + u"%23", 'p', {repeat(u"/", 16383) + u"#", 32767}},
         {repeat(u"%252F", 16384), 'p', kPredefOverflow},
         // An ending of 32768 characters, reported by the method if used.
         {u"a%2Fb", 'd', kDynOverflow, longEnding},
         {u"a%2Fb", 'p', kPredefOverflow, longEnding},
         {u"a%2Fb", 'b', {u"a/b", 1}, {false, longEnding.trailingChars}},
         {u"", 'b', {u"", -99}, longEnding}});
}

// None may crash or hang: a megabyte, NUL characters, lone surrogates.
TEST(Translate, BadInput)
{
    const std::u16string mb(1 << 20, u'a'), codes = repeat(u"%2F", 349525);
    const std::u16string odd(u"\0%41\xd800%2f\xdc00\0", 10);
    check({{mb, 'b', {mb, 0}},
           {mb + u"action=%41" + mb, 'd', kDynOverflow},
           {mb + u"action=%41" + mb, 'p', kPredefOverflow},
           {codes, 'd', kDynOverflow},
           {codes, 'p', {u"", 0, {kPassOverflow}}},
           {repeat(u"%41", 349525), 'p', {repeat(u"%41", 349525), 0}},
           {odd, 'd', {std::u16string(u"\0A\xd800/\xdc00\0", 6), 2}},
           {odd, 'p', {std::u16string(u"\0%41\xd800/\xdc00\0", 8), 1}}});
}

// Source, target, flag, replacement; a count of -99 was not written.
using Replace = std::tuple<std::u16string, std::u16string, std::u16string, std::u16string, Outcome>;

TEST(Text, ReplaceAll)
{
    const Outcome refused{
        u"", -99, {{u"Value for case sensitive must be T or F", u"sRemoveReplaceMulti", 16}}};
    // clang-format off
    const Replace cases[] = {
        {u"aaaa", u"aa", u"T", u"b", {u"bb", 2}},      {u"aaa", u"aa", u"T", u"b", {u"ba", 1}},
        {u"ab", u"a", u"T", u"aa", {u"aab", 1}},       {u"a-b-c", u"-", u"T", u"", {u"abc", 2}},
        {u"ABC", u"b", u"F", u"x", {u"AxC", 1}},       {u"ABC", u"b", u"T", u"x", {u"ABC", 0}},
        {u"ABC", u"b", u"f", u"x", {u"AxC", 1}},       {u"ABC", u"b", u"t", u"x", {u"ABC", 0}},
        {u"aabaabaaab", u"aab", u"F", u"<aab>", {u"<aab><aab>a<aab>", 3}},
        {u"\u00e9\u00c9e", u"\u00c9", u"F", u"E", {u"EEe", 2}}, {u"", u"a", u"T", u"x", {u"", -99}},
        {u"abc", u"", u"X", u"x", {u"abc", -99}},      {u"abc", u"b", u"X", u"x", refused},
        {u"abc", u"b", u"", u"x", refused},            {u"abc", u"b", u"TF", u"x", refused},
        {x(32767), u"X", u"F", u"b", {std::u16string(32767, u'b'), 32767}},
        {x(32768), u"X", u"F", u"b", {u"", -99, {kPassOverflow}}}};
    // clang-format on
    for (const auto& [source, target, flag, by, expected] : cases) {
        Outcome o;
        o.result = sRemoveReplaceMulti(o, source, target, flag, o.count, by);
        EXPECT_EQ(o, expected) << ::testing::PrintToString(source.substr(0, 20));
    }
}

TEST(Text, RemoveTrailing)
{
    // clang-format off
    const std::u16string cases[][3] = {
        {u"abc');", u"');", u"abc"}, {u"abc');');", u"');", u"abc');"},
        {u"abc ');", u"');", u"abc "}, {u"  abc');  ", u"');", u"abc"},
        {u"abc);", u"');", u"abc);"}, {u"    ", u"');", u""}, {u"');", u"');", u""},
        {u");", u"');", u");"}, {u"abcXyZ", u"XYZ", u"abc"}, {u"x \u00e9nd", u"\u00c9ND", u"x "},
        {u" abc\t", u"", u"abc\t"}, {u"ab", std::u16string(32767, u'A'), u"ab"}};
    // clang-format on
    for (const auto& [text, ending, expected] : cases)
        EXPECT_EQ(RemoveTrailing(text, ending), expected) << ::testing::PrintToString(text);
    EXPECT_THROW(RemoveTrailing(u"ab", std::u16string(32768, u'A')), RuntimeError);
}

} // namespace
} // namespace quorvel
