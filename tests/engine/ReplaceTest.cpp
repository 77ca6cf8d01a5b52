#include "RecordingReporter.h"
#include "engine/RuntimeError.h"
#include "engine/Translate.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using testing::Box;
using testing::RecordingReporter;

constexpr std::int16_t kUntouched = -99;

struct ReplaceCase {
    std::u16string source, target, flag, replacement;
    std::u16string expected;
    std::int16_t count; // kUntouched: the caller's variable must keep its value
    bool flagMessage = false;
};

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ResultCountAndMessage)
{
    const ReplaceCase& c = GetParam();
    RecordingReporter reporter;
    std::int16_t count = kUntouched;
    EXPECT_EQ(sRemoveReplaceMulti(reporter, c.source, c.target, c.flag, count, c.replacement),
              c.expected);
    EXPECT_EQ(count, c.count);
    std::vector<Box> expectedBoxes;
    if (c.flagMessage)
        expectedBoxes.push_back(
            {u"Value for case sensitive must be T or F", u"sRemoveReplaceMulti", 16});
    EXPECT_EQ(reporter.boxes, expectedBoxes);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ReplaceAll,
    ::testing::Values(ReplaceCase{u"aaaa", u"aa", u"T", u"b", u"bb", 2},
                      ReplaceCase{u"aaa", u"aa", u"T", u"b", u"ba", 1},
                      ReplaceCase{u"ab", u"a", u"T", u"aa", u"aab", 1},
                      ReplaceCase{u"ABC", u"b", u"F", u"x", u"AxC", 1},
                      ReplaceCase{u"ABC", u"b", u"T", u"x", u"ABC", 0},
                      ReplaceCase{u"a-b-c", u"-", u"T", u"", u"abc", 2},
                      ReplaceCase{u"ABC", u"b", u"f", u"x", u"AxC", 1},
                      ReplaceCase{u"ABC", u"b", u"t", u"x", u"ABC", 0},
                      ReplaceCase{u"abc", u"z", u"T", u"x", u"abc", 0},
                      // Overlap and self-similar targets: the search goes on behind a match.
                      ReplaceCase{u"aabaabaaab", u"aab", u"F", u"<aab>", u"<aab><aab>a<aab>", 3},
                      ReplaceCase{u"x%2f%2F%2", u"%2F", u"F", u"/", u"x//%2", 2},
                      ReplaceCase{u"\u00e9\u00c9e", u"\u00c9", u"F", u"E", u"EEe", 2}));

INSTANTIATE_TEST_SUITE_P(
    EmptyOrInvalidArguments, ReplaceAll,
    ::testing::Values(ReplaceCase{u"abc", u"", u"T", u"x", u"abc", kUntouched},
                      ReplaceCase{u"", u"a", u"T", u"x", u"", kUntouched},
                      ReplaceCase{u"abc", u"", u"X", u"x", u"abc",
                                  kUntouched}, // empty test comes first
                      ReplaceCase{u"abc", u"b", u"X", u"x", u"", kUntouched, true},
                      ReplaceCase{u"abc", u"b", u"", u"x", u"", kUntouched, true},
                      ReplaceCase{u"abc", u"b", u"TF", u"x", u"", kUntouched, true}));

TEST(ReplaceAllLimits, The32768thReplacementOverflows)
{
    for (const std::size_t n : {32767u, 32768u, 1000000u}) {
        RecordingReporter reporter;
        std::int16_t count = kUntouched;
        const std::u16string out =
            sRemoveReplaceMulti(reporter, std::u16string(n, u'a'), u"A", u"F", count, u"bc");
        if (n <= 32767) {
            std::u16string expected;
            for (std::size_t i = 0; i < n; ++i)
                expected += u"bc";
            EXPECT_EQ(out, expected);
            EXPECT_EQ(count, 32767);
            EXPECT_TRUE(reporter.boxes.empty());
        } else {
            EXPECT_EQ(out, u"");
            EXPECT_EQ(count, kUntouched);
            EXPECT_EQ(reporter.boxes,
                      (std::vector<Box>{{u"6 : Overflow", u"sRemoveReplaceMulti", 16}}));
        }
    }
}

struct TrailingCase {
    std::u16string text, ending, expected;
};

class RemoveTrailingCases : public ::testing::TestWithParam<TrailingCase> {};

TEST_P(RemoveTrailingCases, CutsOnceAfterTrimming)
{
    EXPECT_EQ(RemoveTrailing(GetParam().text, GetParam().ending), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RemoveTrailingCases,
    ::testing::Values(
        TrailingCase{u"abc');", u"');", u"abc"}, TrailingCase{u"abc');');", u"');", u"abc');"},
        TrailingCase{u"abc ');", u"');", u"abc "}, TrailingCase{u"  abc');  ", u"');", u"abc"},
        TrailingCase{u"abc);", u"');", u"abc);"}, TrailingCase{u"    ", u"');", u""},
        TrailingCase{u"');", u"');", u""}, TrailingCase{u");", u"');", u");"},
        TrailingCase{u"abcxyz", u"XYZ", u"abc"}, TrailingCase{u"abcXyZ", u"XYZ", u"abc"},
        TrailingCase{u"abcxyz", u"xyz", u"abcxyz"}, // compared upper-cased
        TrailingCase{u" abc\t", u"", u"abc\t"}, TrailingCase{u"x \u00e9nd", u"\u00c9ND", u"x "}));

TEST(RemoveTrailingLimits, EndingLongerThan32767Overflows)
{
    EXPECT_EQ(RemoveTrailing(u"ab", std::u16string(32767, u'A')), u"ab");
    EXPECT_THROW(RemoveTrailing(u"ab", std::u16string(32768, u'A')), RuntimeError);
}

} // namespace
} // namespace quorvel
