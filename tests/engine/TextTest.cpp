#include "engine/Text.h"
#include "engine/RuntimeError.h"
#include "engine/Tables.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(UpperCase, MapsLettersOfEachCoveredScriptAndKeepsLength)
{
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"action=%2f", u"ACTION=%2F"},
        {u"\u00e0\u00fe\u00f7\u00ff\u00df\u00b5", u"\u00c0\u00de\u00f7\u0178\u00df\u00b5"},
        {u"\u0101\u0133\u013a\u0148\u0149\u014b\u017a\u017e\u0138",
         u"\u0100\u0132\u0139\u0147\u0149\u014a\u0179\u017d\u0138"},
        {u"\u03b1\u03c2\u03c9\u03ac\u03ae\u03cc\u03ce\u03ca\u0390",
         u"\u0391\u03a3\u03a9\u0386\u0389\u038c\u038f\u03aa\u0390"},
        {u"\u0430\u044f\u0451\u045f\u0461\u04c2\u04cf\u04d1\u0511",
         u"\u0410\u042f\u0401\u040f\u0460\u04c1\u04c0\u04d0\u0510"},
        // Nothing non-ASCII may turn into an ASCII letter.
        {u"\u0131\u017f\u0130", u"\u0131\u017f\u0130"},
        {std::u16string(u"\0z\xd800", 3), std::u16string(u"\0Z\xd800", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(upperCase(c.in), c.out);
}

TEST(Blanks, TrimOnlyU0020)
{
    EXPECT_EQ(trimBlanks(u"  a b \t "), u"a b \t");
    EXPECT_EQ(trimBlanks(u"    "), u"");
    EXPECT_EQ(trimTrailingBlanks(u"  a  "), u"  a");
    EXPECT_EQ(trimTrailingBlanks(u"   "), u"");
}

TEST(TrailingEntry, StoredUpperCasedWithTrailingBlanksRemoved)
{
    EXPECT_EQ(trailingCharsFromEntry(u"xyz  "), u"XYZ");
    EXPECT_EQ(trailingCharsFromEntry(u"  ');"), u"  ');");
    EXPECT_EQ(trailingCharsFromEntry(u"\u00e9nd"), u"\u00c9ND");
    EXPECT_EQ(trailingCharsFromEntry(u"\t"), u"\t");
    EXPECT_EQ(trailingCharsFromEntry(u""), std::nullopt);
    EXPECT_EQ(trailingCharsFromEntry(u"   "), std::nullopt);
}

TEST(RuntimeErrors, SixteenBitRangeAndMessageText)
{
    EXPECT_EQ(checked16(32767), 32767);
    EXPECT_EQ(checked16(-32768), -32768);
    EXPECT_THROW(checked16(32768), RuntimeError);
    EXPECT_THROW(checked16(-32769), RuntimeError);
    try {
        checked16(40000);
        FAIL() << "no overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(errorMessageText(error), u"6 : Overflow");
    }
    EXPECT_EQ(errorMessageText(outOfMemoryError()), u"7 : Out of memory");
}

TEST(Tables, EachCodeIsTheHexOfItsCharacterInTableOrder)
{
    CodeTable codes, chars;
    buildTranslationTables(codes, chars);
    EXPECT_EQ(codes.front(), u"%20");
    EXPECT_EQ(codes[3], u"%25");
    EXPECT_EQ(codes.back(), u"%7E");
    std::u16string all;
    for (std::size_t i = 0; i < kTableSize; ++i) {
        ASSERT_EQ(chars[i].size(), 1u);
        const char16_t c = chars[i][0];
        const char16_t hex[] = u"0123456789ABCDEF";
        EXPECT_EQ(codes[i], (std::u16string{u'%', hex[c >> 4], hex[c & 15]}));
        all += chars[i];
    }
    EXPECT_EQ(all, u" #$%&'-./:;<=>?@[\\]^`{|}~");
}

TEST(Utf8, DecodesWithReplacementPerMaximalSubpart)
{
    struct Case {
        std::string in;
        std::u16string out;
    };
    const Case cases[] = {
        {"a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", u"a\u00e9\u20ac\U0001F600"},
        {"\xff"
         "a",
         u"\ufffda"},
        {"\xe2\x82"
         "a",
         u"\ufffda"},                                      // truncated sequence: one replacement
        {"\xe0\x80\x80", u"\ufffd\ufffd\ufffd"},           // overlong
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},           // encoded surrogate
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"}, // beyond U+10FFFF
        {"\xc3", u"\ufffd"},
        {std::string("\0x", 2), std::u16string(u"\0x", 2)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeUtf8(c.in), c.out) << c.in;
}

TEST(Utf8, EncodesPairsAndReplacesLoneSurrogates)
{
    EXPECT_EQ(encodeUtf8(u"a\u00e9\u20ac\U0001F600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    const char16_t lone[] = {0xD800, u'x', 0xDC00, 0xDBFF};
    EXPECT_EQ(encodeUtf8(std::u16string_view(lone, 4)), "\xef\xbf\xbdx\xef\xbf\xbd\xef\xbf\xbd");
}

} // namespace
} // namespace quorvel
