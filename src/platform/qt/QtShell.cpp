#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorvel::platform {

int QtShell::open(const QString& target)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(target)) ? 42 : 31;
}

} // namespace quorvel::platform
