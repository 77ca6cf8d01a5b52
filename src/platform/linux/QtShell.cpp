#include "platform/linux/QtShell.h"

#include "platform/shared/ShellTargets.h"

#include <QDesktopServices>

namespace quorvel::platform {

QtShell::QtShell(Opener opener) : opener_(std::move(opener)) {}

QtShell::Opener QtShell::defaultOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

int QtShell::open(const QString& target)
{
    const ShellDecision decision = decideShellTarget(target);
    if (decision.verdict != ShellVerdict::Open)
        return resultCodeFor(decision.verdict);
    // The handler is started detached: its own failure later cannot be seen
    // here, only whether any handler could be started for the target.
    if (!decision.url.isValid() || !opener_(decision.url))
        return kShellNoAssociation;
    return kShellOpened;
}

} // namespace quorvel::platform
