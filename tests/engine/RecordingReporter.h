#pragma once

#include "engine/Translate.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quorvel::testing {

using Box = std::tuple<std::u16string, std::u16string, int>; // text, title, style

// What one call left behind: the boxes it showed, as its reporter, and its
// outputs, whose initial values stand for outputs never written.
struct Outcome : Reporter {
    Outcome(std::u16string r = u"<untouched>", std::int16_t c = -99, std::vector<Box> b = {})
        : result(std::move(r)), count(c), boxes(std::move(b))
    {}
    void message(const std::u16string& text, const std::u16string& title, int style) override
    {
        boxes.emplace_back(text, title, style);
    }
    bool operator==(const Outcome& o) const
    {
        return std::tie(result, count, boxes) == std::tie(o.result, o.count, o.boxes);
    }
    std::u16string result;
    std::int16_t count;
    std::vector<Box> boxes;
};

inline void PrintTo(const Outcome& o, std::ostream* out)
{
    *out << ::testing::PrintToString(o.result.substr(0, 60)) << " of " << o.result.size()
         << " units, count " << o.count << ", boxes " << ::testing::PrintToString(o.boxes);
}

// Runs a translation method, the engine's or the reference's, with the tables
// for a predefined one.
template <class Method, class... Tables>
Outcome run(Method method, const TrailingOptions& options, const std::u16string& source,
            const Tables&... tables)
{
    Outcome o;
    method(o, tables..., options, source, o.result, o.count);
    return o;
}

inline const auto kStandardTables = [] {
    std::pair<CodeTable, CodeTable> t;
    buildTranslationTables(t.first, t.second);
    return t;
}();

} // namespace quorvel::testing
