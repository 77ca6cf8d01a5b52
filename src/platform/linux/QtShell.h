#pragma once

#include "platform/Shell.h"

#include <QUrl>

#include <functional>

namespace quorvel::platform {

// Opens through the desktop's default handlers (xdg-open and friends, started
// detached, so a browser never holds up the window). Only what the shared
// allow-list lets through is handed over.
class QtShell : public Shell {
public:
    using Opener = std::function<bool(const QUrl&)>;

    explicit QtShell(Opener opener = defaultOpener());
    int open(const QString& target) override;

    static Opener defaultOpener();

private:
    Opener opener_;
};

} // namespace quorvel::platform
