#include "engine/ErrorHandler.h"
#include "engine/reference/Run.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quorvel {
namespace {

using reference::Box;

// The handler ends the body at the error and shows one box; what was done stays done.
TEST(ErrorHandler, EndsTheBodyWithOneBoxTitledAfterTheProcedure)
{
    struct Failure {
        const char* name;
        std::function<void()> raise;
        std::vector<Box> shown;
    };
    const Failure rows[] = {
        {.name = "none", .raise = [] {}, .shown = {}},
        {.name = "overflow",
         .raise = [] { checked16(32768); },
         .shown = {{u"6 : Overflow", u"cmdTrans", 16}}},
        {.name = "failed allocation",
         .raise = [] { throw std::bad_alloc(); },
         .shown = {{u"7 : Out of memory", u"cmdTrans", 16}}},
        {.name = "error of the platform",
         .raise = [] { throw RuntimeError(380, "Invalid property value"); },
         .shown = {{u"380 : Invalid property value", u"cmdTrans", 16}}},
    };
    for (const Failure& row : rows) {
        reference::Recorder boxes;
        int steps = 0;
        withErrorHandler(boxes, u"cmdTrans", [&] {
            ++steps;
            row.raise();
            ++steps;
        });
        EXPECT_EQ(boxes.o.boxes, row.shown) << row.name;
        EXPECT_EQ(steps, row.shown.empty() ? 2 : 1) << row.name;
    }
}

} // namespace
} // namespace quorvel
