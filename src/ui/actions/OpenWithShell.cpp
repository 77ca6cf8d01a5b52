#include "ui/actions/OpenWithShell.h"

namespace quorvel::ui {

namespace {

// The shell's codes up to this one are failures; anything above is success.
constexpr int kLastFailureCode = 32;

} // namespace

bool OpenWithShell(platform::Services& services, const QString& target, const QString& adviceLine)
{
    const int result = services.shell.open(target);
    if (result > kLastFailureCode)
        return true;
    services.dialogs.messageBox(QStringLiteral("Could not execute function - Error code ") +
                                    QString::number(result) + QStringLiteral("\r\n\r\n") +
                                    adviceLine,
                                QStringLiteral("Error"), MessageStyle::Exclamation);
    return false;
}

} // namespace quorvel::ui
