#pragma once

// One call of a translation method, the engine's or the reference's, and what
// it left behind, for the tests and the fuzz target that compare the two.

#include "engine/Tables.h"
#include "engine/reference/ReferenceEngine.h"

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace quorvel::reference {

using Box = std::tuple<std::u16string, std::u16string, int>; // text, title, style

// The initial values stand for outputs never written.
struct Outcome {
    std::u16string result = u"<untouched>";
    std::int16_t count = -99;
    std::vector<Box> boxes = {};
    bool operator==(const Outcome&) const = default;
};

struct Recorder : Reporter {
    Outcome o;
    void message(const std::u16string& m, const std::u16string& t, MessageStyle s) override
    {
        o.boxes.emplace_back(m, t, static_cast<int>(s));
    }
};

struct Tables {
    CodeTable codes, chars;
};

inline const Tables& standardTables()
{
    static const Tables tables = [] {
        Tables t;
        buildTranslationTables(t.codes, t.chars);
        return t;
    }();
    return tables;
}

// Runs a method of the engine, or with `ref` of the reference, on outputs
// that start as `start`.
inline Outcome run(bool dynamic, const TrailingOptions& options, const std::u16string& source,
                   bool ref = false, const Tables& tables = standardTables(), Outcome start = {})
{
    Recorder r;
    r.o = std::move(start);
    if (dynamic)
        (ref ? FixTheURLDyn : quorvel::FixTheURLDyn)(r, options, source, r.o.result, r.o.count);
    else
        (ref ? FixTheURLPredef : quorvel::FixTheURLPredef)(r, tables.codes, tables.chars, options,
                                                           source, r.o.result, r.o.count);
    return r.o;
}

} // namespace quorvel::reference
