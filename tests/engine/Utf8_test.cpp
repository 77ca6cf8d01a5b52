#include "engine/Scan.h"
#include "engine/Utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorvel {
namespace {

using Str = std::u16string;

// Decodes bytes in reads of nextSize(), holding back what incompleteUtf8Tail names.
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

// Random bytes, biased towards UTF-8's edges, with ASCII runs that meet the
// block code's edges at every offset. What the widest code makes of them whole
// (which fuzz_utf8 checks) must come out at every width, in reads and in steps.
TEST(Utf8, EveryWidthAndPieceMatchesTheWidestWhole)
{
    std::mt19937 rng(13);
    const std::string edges("\n\0\x7f\x80\x9f\xa0\xbf\xc2\xdf\xe0\xed\xef\xf0\xf4\xf5\xff", 16);
    const std::string sequences[] = {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        for (auto pieces = rng() % 12; pieces > 0; --pieces)
            bytes += rng() % 2   ? std::string(rng() % 40, static_cast<char>('a' + rng() % 26))
                     : rng() % 2 ? std::string(1, edges[rng() % edges.size()])
                                 : sequences[rng() % 3];
        scan::limitVectorCode(scan::VectorCode::Avx512);
        const Str whole = decodeUtf8(bytes);
        Str text = whole; // and in every fourth round a lone surrogate
        if (round % 4 == 0)
            text.insert(rng() % (text.size() + 1), 1, round % 8 ? u'\xd800' : u'\xdc00');
        const std::string encoded = encodeUtf8(text);
        ASSERT_TRUE(text != whole || decodeUtf8(encoded) == whole) << "round " << round;
        for (const auto code : {scan::VectorCode::Plain, scan::VectorCode::Avx512}) {
            scan::limitVectorCode(code);
            SCOPED_TRACE(::testing::Message()
                         << "round " << round << ", width " << static_cast<int>(code));
            ASSERT_EQ(decodeUtf8(bytes), whole);
            ASSERT_EQ(decodeInReads(bytes, [&] { return 1 + rng() % 20; }), whole);
            ASSERT_EQ(encodeUtf8(text), encoded);
            std::string stepped;
            std::u16string_view rest = text;
            char room[7];
            const std::size_t size = 4 + rng() % 4;
            while (!rest.empty()) {
                const EncodeStep step = encodeUtf8To(rest, room, size);
                ASSERT_GT(step.read, 0u);
                stepped.append(room, step.written);
                rest.remove_prefix(step.read);
            }
            ASSERT_EQ(stepped, encoded);
        }
    }
}

} // namespace
} // namespace quorvel
