#pragma once

#include "engine/Reporter.h"
#include "platform/Dialogs.h"

#include <functional>

namespace quorvel::ui {

// Lets the engine's message boxes, and the error handlers of the windows,
// reach the user through the dialogs service.
class DialogReporter : public Reporter {
public:
    explicit DialogReporter(platform::Dialogs& dialogs, std::function<void()> beforeMessage = {})
        : dialogs_(dialogs), beforeMessage_(std::move(beforeMessage))
    {}

    void message(const std::u16string& text, const std::u16string& title,
                 MessageStyle style) override;

private:
    platform::Dialogs& dialogs_;
    std::function<void()> beforeMessage_;
};

} // namespace quorvel::ui
