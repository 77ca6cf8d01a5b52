#pragma once

#include "engine/RuntimeError.h"
#include "platform/Dialogs.h"

#include <QString>

#include <new>
#include <utility>

namespace quorvel::ui {

QString toQString(const std::u16string& text);
std::u16string toU16(const QString& text);

// The message every error handler shows: "number : description", style 16.
void reportRuntimeError(platform::Dialogs& dialogs, const RuntimeError& error,
                        const QString& title);

// Runs a handler's body under its error handler: on a run-time error the box
// titled after the procedure is shown and the handler ends; what was done stays.
template <typename Body>
void withErrorHandler(platform::Dialogs& dialogs, const QString& title, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError& error) {
        reportRuntimeError(dialogs, error, title);
    } catch (const std::bad_alloc&) {
        reportRuntimeError(dialogs, RuntimeError(7, "Out of memory"), title);
    }
}

} // namespace quorvel::ui
