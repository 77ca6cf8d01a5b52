#include "engine/Translate.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

using testing::Box;
using testing::RecordingReporter;

const std::u16string kSentinel = u"<untouched>";
constexpr std::int16_t kUntouched = -99;

enum class Which { Both, Dyn, Predef };

struct Outcome {
    std::u16string result = kSentinel;
    std::int16_t count = kUntouched;
    std::vector<Box> boxes;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out)
{
    *out << "result of " << o.result.size() << " units, count " << o.count << ", " << o.boxes.size()
         << " boxes";
    for (const Box& box : o.boxes)
        *out << ' ' << box;
}

Outcome run(TranslationMethod method, const std::u16string& source, bool removeTrailing = true,
            std::u16string ending = u"');")
{
    static const auto tables = [] {
        std::pair<CodeTable, CodeTable> t;
        buildTranslationTables(t.first, t.second);
        return t;
    }();
    RecordingReporter reporter;
    Outcome o;
    const TrailingOptions options{removeTrailing, std::move(ending)};
    if (method == TranslationMethod::Dynamic)
        FixTheURLDyn(reporter, options, source, o.result, o.count);
    else
        FixTheURLPredef(reporter, tables.first, tables.second, options, source, o.result, o.count);
    o.boxes = std::move(reporter.boxes);
    return o;
}

std::vector<TranslationMethod> methodsOf(Which which)
{
    if (which == Which::Dyn)
        return {TranslationMethod::Dynamic};
    if (which == Which::Predef)
        return {TranslationMethod::Predefined};
    return {TranslationMethod::Dynamic, TranslationMethod::Predefined};
}

const char* nameOf(TranslationMethod method)
{
    return method == TranslationMethod::Dynamic ? "dynamic" : "predefined";
}

struct Example {
    std::u16string source;
    Which which;
    std::u16string result;
    std::int16_t count;
    bool removeTrailing = true;
};

class Examples : public ::testing::TestWithParam<Example> {};

TEST_P(Examples, ResultAndCount)
{
    const Example& e = GetParam();
    for (TranslationMethod method : methodsOf(e.which)) {
        const Outcome o = run(method, e.source, e.removeTrailing);
        EXPECT_EQ(o, (Outcome{e.result, e.count, {}})) << nameOf(method);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothMethods, Examples,
    ::testing::Values(Example{u"", Which::Both, u"", kUntouched},
                      Example{u"page?action=a%3Db", Which::Both, u"a=b", 1},
                      Example{u"p?ACTION=q%3fr&action=s", Which::Both, u"q?r&action=s", 1},
                      Example{u"p?AcTiOn=%2F", Which::Both, u"/", 1},
                      Example{u"no marker%20here", Which::Both, u"no marker here", 1},
                      Example{u"redirect?action=", Which::Both, u"", 0},
                      Example{u"action", Which::Both, u"action", 0},
                      Example{u"x%3a%2f%2fy%2ez", Which::Both, u"x://y.z", 4},
                      Example{u"a%2Fb%2fc", Which::Both, u"a/b/c", 2},
                      Example{u"50%25", Which::Both, u"50%", 1},
                      Example{u"   ", Which::Both, u"", 0},
                      Example{u"%20abc%20", Which::Both, u"abc", 2},
                      Example{u"%20abc%20", Which::Both, u" abc ", 2, false},
                      Example{u"x%27);');", Which::Both, u"x');", 1},
                      Example{u"x%27);');", Which::Both, u"x');');", 1, false}));

INSTANTIATE_TEST_SUITE_P(Predefined, Examples,
                         ::testing::Values(Example{u"x%252Fy", Which::Predef, u"x/y", 2},
                                           Example{u"x%2520y", Which::Predef, u"x%20y", 1},
                                           Example{u"%2541", Which::Predef, u"%41", 1},
                                           Example{u"%2525%252525", Which::Predef, u"%25%2525", 2},
                                           Example{u"%25%2F%252", Which::Predef, u"%/%2", 3},
                                           Example{u"%28x%29", Which::Predef, u"%28x%29", 0},
                                           Example{u"%41%42", Which::Predef, u"%41%42", 0},
                                           Example{u"x%27%29%3B", Which::Predef, u"x'%29;", 2},
                                           Example{u"%%20%2", Which::Predef, u"% %2", 1}));

INSTANTIATE_TEST_SUITE_P(
    Dynamic, Examples,
    ::testing::Values(
        Example{u"x%27%29%3B", Which::Dyn, u"x", 3},
        Example{u"x%27%29%3B%27%29%3B", Which::Dyn, u"x');", 6},
        Example{u"%20", Which::Dyn, u"", 1}, Example{u"a%20%20%20", Which::Dyn, u"a", 3},
        Example{u"% 41", Which::Dyn, u"% 41", 0}, Example{u"50%", Which::Dyn, u"50%", 0},
        Example{u"%%", Which::Dyn, u"%%", 0}, Example{u"%u0041", Which::Dyn, u"%u0041", 0},
        Example{u"%2541", Which::Dyn, u"%41", 1}, Example{u"x%252Fy", Which::Dyn, u"x%2Fy", 1},
        Example{u"%%41", Which::Dyn, u"%A", 1}, Example{u"%25%41", Which::Dyn, u"%A", 2},
        Example{u"%41%42", Which::Dyn, u"AB", 2}, Example{u"%28x%29", Which::Dyn, u"(x)", 2},
        Example{u"%7f%1F%80%7E%7e", Which::Dyn, u"%7f%1F%80~~", 2},
        Example{u"a%2", Which::Dyn, u"a%2", 0}, Example{u"a%4g%g4", Which::Dyn, u"a%4g%g4", 0},
        Example{u"%\uff14\uff11%4\u0661", Which::Dyn, u"%\uff14\uff11%4\u0661", 0}));

// Long inputs around the 16-bit limits. Positions are those of the text as
// rewritten, after the marker cut.
std::u16string fill(std::size_t n)
{
    return std::u16string(n, u'x');
}

std::u16string repeat(const std::u16string& s, std::size_t times)
{
    std::u16string out;
    for (std::size_t i = 0; i < times; ++i)
        out += s;
    return out;
}

struct Limit {
    const char* name;
    std::function<std::u16string()> source;
    Which which;
    bool overflows;
    std::function<std::u16string()> result = [] { return std::u16string(); };
    std::int16_t count = 0;
};

const Limit kLimits[] = {
    {"marker at 32760", [] { return fill(32759) + u"action=a%3Db"; }, Which::Both, false,
     [] { return std::u16string(u"a=b"); }, 1},
    {"marker at 32761", [] { return fill(32760) + u"action=a%3Db"; }, Which::Both, true},
    {"marker far out", [] { return fill(100000) + u"Action=a"; }, Which::Both, true},
    {"decode at 32764", [] { return fill(32763) + u"%41"; }, Which::Dyn, false,
     [] { return fill(32763) + u"A"; }, 1},
    {"decode at 32765", [] { return fill(32764) + u"%41"; }, Which::Dyn, true},
    {"no decode at 32765", [] { return fill(32764) + u"%4g"; }, Which::Dyn, false,
     [] { return fill(32764) + u"%4g"; }, 0},
    {"last unit at 32765", [] { return fill(32764) + u"%"; }, Which::Dyn, false,
     [] { return fill(32764) + u"%"; }, 0},
    {"percent at 32766", [] { return fill(32765) + u"%"; }, Which::Dyn, true},
    {"percent at 32768", [] { return fill(32767) + u"%zz"; }, Which::Dyn, true},
    {"shrunk to 32764", [] { return repeat(u"%41", 10) + fill(32753) + u"%41"; }, Which::Dyn, false,
     [] { return repeat(u"A", 10) + fill(32753) + u"A"; }, 11},
    {"shrunk to 32765", [] { return repeat(u"%41", 10) + fill(32754) + u"%41"; }, Which::Dyn, true},
    {"cut to 32764", [] { return fill(50) + u"action=" + fill(32763) + u"%2f"; }, Which::Dyn, false,
     [] { return fill(32763) + u"/"; }, 1},
    {"no percent", [] { return fill(40000); }, Which::Both, false, [] { return fill(40000); }, 0},
    {"table has no position limit", [] { return fill(40000) + u"%41%2F"; }, Which::Predef, false,
     [] { return fill(40000) + u"%41/"; }, 1},
    {"pass of 32767", [] { return repeat(u"%2F", 32767); }, Which::Predef, false,
     [] { return repeat(u"/", 32767); }, 32767},
    {"total of 32767", [] { return repeat(u"%23", 20000) + repeat(u"%2f", 12767); }, Which::Predef,
     false, [] { return repeat(u"#", 20000) + repeat(u"/", 12767); }, 32767},
    {"total of 32768", [] { return repeat(u"%23", 20000) + repeat(u"%2f", 12768); }, Which::Predef,
     true},
    {"chained total of 32768", [] { return repeat(u"%252F", 16384); }, Which::Predef, true},
    {"chained total of 32767", [] { return repeat(u"%252F", 16383) + u"%23"; }, Which::Predef,
     false, [] { return repeat(u"/", 16383) + u"#"; }, 32767},
};

TEST(Limits, OverflowExactlyAtTheBoundary)
{
    for (const Limit& limit : kLimits) {
        const std::u16string source = limit.source();
        for (TranslationMethod method : methodsOf(limit.which)) {
            const std::u16string title =
                method == TranslationMethod::Dynamic ? u"FixTheURLDyn" : u"FixTheURLPredef";
            const Outcome expected =
                limit.overflows ? Outcome{kSentinel, kUntouched, {{u"6 : Overflow", title, 16}}}
                                : Outcome{limit.result(), limit.count, {}};
            EXPECT_EQ(run(method, source), expected) << limit.name << ", " << nameOf(method);
        }
    }
}

TEST(Limits, FailedPassEmptiesTheTextAndKeepsEarlierCounts)
{
    const Box replaceBox{u"6 : Overflow", u"sRemoveReplaceMulti", 16};
    EXPECT_EQ(run(TranslationMethod::Predefined, repeat(u"%2F", 32768)),
              (Outcome{u"", 0, {replaceBox}}));
    EXPECT_EQ(run(TranslationMethod::Predefined, u"%20%24%2e" + repeat(u"%2F", 40000)),
              (Outcome{u"", 3, {replaceBox}}));
    // Only the failing pass reports; a later pass of 32768 finds nothing left.
    EXPECT_EQ(run(TranslationMethod::Predefined, repeat(u"%3a%2F", 32768)),
              (Outcome{u"", 0, {replaceBox}}));
}

TEST(Limits, EndingLongerThan32767IsReportedByTheMethod)
{
    const std::u16string ending(32768, u'X');
    for (TranslationMethod method : {TranslationMethod::Dynamic, TranslationMethod::Predefined}) {
        const std::u16string title =
            method == TranslationMethod::Dynamic ? u"FixTheURLDyn" : u"FixTheURLPredef";
        EXPECT_EQ(run(method, u"a%2Fb", true, ending),
                  (Outcome{kSentinel, kUntouched, {{u"6 : Overflow", title, 16}}}));
        EXPECT_EQ(run(method, u"a%2Fb", false, ending), (Outcome{u"a/b", 1, {}}));
        // An empty source ends before the ending is looked at.
        EXPECT_EQ(run(method, u"", true, ending), (Outcome{u"", kUntouched, {}}));
    }
}

TEST(BadInput, MegabyteInputsEndByTheRules)
{
    const std::size_t megabyte = 1 << 20;
    const std::u16string letters(megabyte, u'a');
    for (TranslationMethod method : {TranslationMethod::Dynamic, TranslationMethod::Predefined})
        EXPECT_EQ(run(method, letters), (Outcome{letters, 0, {}})) << nameOf(method);

    const std::u16string codes = repeat(u"%2F", megabyte / 3);
    EXPECT_EQ(run(TranslationMethod::Dynamic, codes),
              (Outcome{kSentinel, kUntouched, {{u"6 : Overflow", u"FixTheURLDyn", 16}}}));
    EXPECT_EQ(run(TranslationMethod::Predefined, codes),
              (Outcome{u"", 0, {{u"6 : Overflow", u"sRemoveReplaceMulti", 16}}}));

    const std::u16string unknown = repeat(u"%41", megabyte / 3);
    EXPECT_EQ(run(TranslationMethod::Predefined, unknown), (Outcome{unknown, 0, {}}));

    const std::u16string lateMarker = letters + u"action=%41" + letters;
    for (TranslationMethod method : {TranslationMethod::Dynamic, TranslationMethod::Predefined})
        EXPECT_EQ(run(method, lateMarker).boxes.size(), 1u) << nameOf(method);
}

TEST(BadInput, NulAndLoneSurrogatesPassThrough)
{
    const std::u16string source(u"\0%41\xd800%2f\xdc00\0", 10);
    const std::u16string expected(u"\0A\xd800/\xdc00\0", 6);
    EXPECT_EQ(run(TranslationMethod::Dynamic, source), (Outcome{expected, 2, {}}));
    EXPECT_EQ(run(TranslationMethod::Predefined, source),
              (Outcome{std::u16string(u"\0%41\xd800/\xdc00\0", 8), 1, {}}));
}

TEST(Display, TrimsTheMethodResultAndShowsZeroAfterAnError)
{
    CodeTable codes, chars;
    buildTranslationTables(codes, chars);
    const TrailingOptions keep{false, u"');"};
    RecordingReporter reporter;
    const auto show = [&](TranslationMethod method, const std::u16string& source,
                          const TrailingOptions& options) {
        const Translation t = translateForDisplay(reporter, method, codes, chars, options, source);
        return std::make_pair(t.text, t.count);
    };
    using Shown = std::pair<std::u16string, std::int16_t>;
    EXPECT_EQ(show(TranslationMethod::Dynamic, u"%20a\tb%20%20", keep), (Shown{u"a\tb", 3}));
    EXPECT_EQ(show(TranslationMethod::Predefined, u"%20abc%20", keep), (Shown{u"abc", 2}));
    EXPECT_EQ(show(TranslationMethod::Dynamic, u"a%20');", TrailingOptions{}), (Shown{u"a", 1}));
    EXPECT_EQ(show(TranslationMethod::None, u"x%3a", keep), (Shown{u"", 0}));
    EXPECT_EQ(show(TranslationMethod::Dynamic, u"", keep), (Shown{u"", 0}));
    EXPECT_TRUE(reporter.boxes.empty());
    EXPECT_EQ(show(TranslationMethod::Dynamic, fill(32765) + u"%", keep), (Shown{u"", 0}));
    EXPECT_EQ(reporter.boxes.size(), 1u);
}

// Other tables, some of which rule out the one-scan shortcut, still give the
// pass-by-pass outcome.
TEST(OtherTables, PassesRunInTableOrder)
{
    CodeTable codes, chars;
    buildTranslationTables(codes, chars);
    const TrailingOptions keep{false, u""};
    const auto translate = [&](const std::u16string& source) {
        RecordingReporter reporter;
        Outcome o;
        FixTheURLPredef(reporter, codes, chars, keep, source, o.result, o.count);
        o.boxes = reporter.boxes;
        return o;
    };
    // A replacement that is itself a hexadecimal digit: "%41" -> "2", then
    // "%2F" is formed and taken by a later pass.
    codes[0] = u"%41";
    chars[0] = u"2";
    EXPECT_EQ(translate(u"%%41F%2"), (Outcome{u"/%2", 2, {}}));
    // A two-character replacement and an empty code (skipped without a count).
    codes[0] = u"ab";
    chars[0] = u"%2";
    codes[1] = u"";
    EXPECT_EQ(translate(u"abFaB%23"), (Outcome{u"/%2%23", 3, {}}));
    // The percent pass moved before a code it could form.
    std::swap(codes[3], codes[24]);
    std::swap(chars[3], chars[24]);
    EXPECT_EQ(translate(u"x%257E%7E"), (Outcome{u"x%7E~", 2, {}}));
}

} // namespace
} // namespace quorvel
