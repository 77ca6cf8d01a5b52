#include "engine/Scan.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace quorvel {
namespace {

using Str = std::u16string;

// Runs a check with the 128-bit code and with the widest, restored after.
template <class Check> void atEveryWidth(Check&& check)
{
    for (const auto code : {scan::VectorCode::Plain, scan::VectorCode::Avx512}) {
        scan::limitVectorCode(code);
        SCOPED_TRACE(code == scan::VectorCode::Plain ? "128-bit code" : "widest code");
        check();
    }
}

// Decodes bytes that arrive in reads of the sizes nextSize gives, holding
// back what incompleteUtf8Tail names for the next read, as the filter does.
template <class NextSize> Str decodeInReads(const std::string& bytes, NextSize&& nextSize)
{
    Str text;
    std::string pending;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t step = nextSize();
        pending += bytes.substr(at, step);
        at += step;
        const std::size_t keep = at < bytes.size() ? incompleteUtf8Tail(pending) : 0;
        text += decodeUtf8(std::string_view(pending).substr(0, pending.size() - keep));
        pending.erase(0, pending.size() - keep);
    }
    return text;
}

// Decoding by rows, each also behind ASCII runs of every length up to 40, so
// that the sequence meets the block code's edges at every offset, and in two
// reads split at every byte.
TEST(Utf8, DecodesAtEveryOffset)
{
    struct Row {
        const char* name;
        std::string bytes;
        Str text;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "ASCII", .bytes = "a%20b", .text = u"a%20b"},
        {.name = "two bytes", .bytes = "\xc3\xa9", .text = u"\u00e9"},
        {.name = "three bytes", .bytes = "\xe2\x82\xac", .text = u"\u20ac"},
        {.name = "four bytes", .bytes = "\xf0\x9f\x98\x80", .text = u"\xd83d\xde00"},
        {.name = "lone continuation", .bytes = "\x80x", .text = u"\xfffdx"},
        {.name = "truncated three", .bytes = "\xe2\x82x", .text = u"\xfffdx"},
        {.name = "truncated at end", .bytes = "\xf0\x9f\x98", .text = u"\xfffd"},
        {.name = "overlong", .bytes = "\xc0\xaf\xe0\x80\xaf", .text = u"\xfffd\xfffd\xfffd\xfffd\xfffd"},
        {.name = "surrogate", .bytes = "\xed\xa0\x80", .text = u"\xfffd\xfffd\xfffd"},
        {.name = "beyond U+10FFFF", .bytes = "\xf4\x90\x80\x80", .text = u"\xfffd\xfffd\xfffd\xfffd"},
        {.name = "NUL and DEL", .bytes = std::string("\0\x7f", 2), .text = Str(u"\0\x7f", 2)},
        {.name = "block of non-ASCII", .bytes = std::string(20, '\xff') + "ab",
         .text = Str(20, u'\xfffd') + u"ab"},
    };
    // clang-format on
    atEveryWidth([&] {
        for (const Row& row : rows) {
            for (std::size_t pad = 0; pad <= 40; ++pad) {
                const std::string bytes =
                    std::string(pad, 'p') + row.bytes + std::string(pad % 7, 'q');
                const Str expected = Str(pad, u'p') + row.text + Str(pad % 7, u'q');
                EXPECT_EQ(decodeUtf8(bytes), expected) << row.name << ", " << pad << " before";
                for (std::size_t split = 1; split < bytes.size(); ++split) {
                    auto reads = [&, first = true]() mutable {
                        return std::exchange(first, false) ? split : bytes.size();
                    };
                    EXPECT_EQ(decodeInReads(bytes, reads), expected)
                        << row.name << ", " << pad << " before, read up to " << split;
                }
                if (expected.find(u'\xfffd') == Str::npos) {
                    EXPECT_EQ(encodeUtf8(expected), bytes) << row.name << ", " << pad << " before";
                }
            }
        }
    });
}

// Random bytes, biased towards UTF-8's edges: decoding in pieces, holding
// back what incompleteUtf8Tail names, gives the text decoded whole; encoding
// into a small buffer step by step gives the bytes encoded whole; and text
// made of well-formed characters comes back as it went in.
TEST(Utf8, PiecesMatchTheWhole)
{
    atEveryWidth([] {
        std::mt19937 rng(13);
        const unsigned char pool[] = {'a',  '%',  '\n', 0x00, 0x7f, 0x80, 0x9f, 0xa0, 0xbf, 0xc2,
                                      0xc3, 0xdf, 0xe0, 0xe2, 0xed, 0xef, 0xf0, 0xf4, 0xf5, 0xff};
        for (int round = 0; round < 3000; ++round) {
            std::string bytes(rng() % 80, '\0');
            for (char& b : bytes)
                b = static_cast<char>(rng() % 3 ? 'a' + rng() % 26 : pool[rng() % sizeof pool]);
            const Str whole = decodeUtf8(bytes);

            ASSERT_EQ(decodeInReads(bytes, [&] { return 1 + rng() % 20; }), whole)
                << "round " << round;

            const std::string encoded = encodeUtf8(whole);
            std::string stepped;
            std::u16string_view rest = whole;
            char room[7];
            const std::size_t size = 4 + rng() % 4;
            while (!rest.empty()) {
                const EncodeStep step = encodeUtf8To(rest, room, size);
                ASSERT_GT(step.read, 0u) << "round " << round;
                stepped.append(room, step.written);
                rest.remove_prefix(step.read);
            }
            ASSERT_EQ(stepped, encoded) << "round " << round;
            ASSERT_EQ(decodeUtf8(encoded), whole) << "round " << round;
        }
    });
}

TEST(Utf8, LoneSurrogatesEncodeAsReplacement)
{
    atEveryWidth([] {
        const Str text = Str(18, u'a') + u"\xd800" + u"b\xdc00" + u"\xd83d\xde00";
        EXPECT_EQ(encodeUtf8(text),
                  std::string(18, 'a') + "\xef\xbf\xbd" + "b\xef\xbf\xbd" + "\xf0\x9f\x98\x80");
    });
}

} // namespace
} // namespace quorvel
