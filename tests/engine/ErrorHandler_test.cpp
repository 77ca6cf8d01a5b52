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
        std::u16string shown; // the box's text, under the procedure's title
    };
    const Failure rows[] = {
        {"none", [] {}, u""},
        {"overflow", [] { checked16(32768); }, u"6 : Overflow"},
        {"failed allocation", [] { throw std::bad_alloc(); }, u"7 : Out of memory"},
        {"error of the platform", [] { throw RuntimeError(380, "Invalid property value"); },
         u"380 : Invalid property value"},
    };
    for (const Failure& row : rows) {
        reference::Recorder boxes;
        int steps = 0;
        withErrorHandler(boxes, u"cmdTrans", [&] {
            ++steps;
            row.raise();
            ++steps;
        });
        const std::vector<Box> shown{{row.shown, u"cmdTrans", 16}};
        EXPECT_EQ(boxes.o.boxes, row.shown.empty() ? std::vector<Box>{} : shown) << row.name;
        EXPECT_EQ(steps, row.shown.empty() ? 2 : 1) << row.name;
    }
}

} // namespace
} // namespace quorvel
