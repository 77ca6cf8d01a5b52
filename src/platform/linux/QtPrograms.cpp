#include "platform/linux/QtPrograms.h"

#include <QFileInfo>
#include <QProcess>

namespace quorvel::platform {

bool QtPrograms::isOrdinaryFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

bool QtPrograms::startDetached(const QString& path)
{
    return QProcess::startDetached(path, {});
}

} // namespace quorvel::platform
