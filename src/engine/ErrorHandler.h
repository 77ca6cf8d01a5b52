#pragma once

#include "engine/RuntimeError.h"

#include <new>
#include <string_view>
#include <utility>

namespace quorvel {

// Runs a procedure's body under its error handler: a run-time error, or a
// failed allocation, ends the body and is reported once; what was done stays.
template <class Body>
void withErrorHandler(Reporter& reporter, std::u16string_view title, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError& error) {
        reportRuntimeError(reporter, error, title);
    } catch (const std::bad_alloc&) {
        reportRuntimeError(reporter, outOfMemoryError(), title);
    }
}

} // namespace quorvel
