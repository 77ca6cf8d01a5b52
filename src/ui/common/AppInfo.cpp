#include "ui/common/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>

// Resources of a static library are registered by hand, outside any namespace.
static void initResources()
{
    Q_INIT_RESOURCE(quorvel);
}

namespace quorvel::ui {

QString titleWithVersion(const AppInfo& info)
{
    return info.title + QStringLiteral("   Ver. ") + QString::number(info.major) + u'.' +
           QString::number(info.minor) + u'.' + QString::number(info.revision);
}

QString executableName()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? QStringLiteral("Quorvel") : QFileInfo(path).completeBaseName();
}

QIcon programIcon()
{
    if (!QGuiApplication::windowIcon().isNull())
        return QGuiApplication::windowIcon();
    static const bool registered = (initResources(), true);
    Q_UNUSED(registered);
    return QIcon(QPixmap(QStringLiteral(":/quorvel/quorvel.xpm")));
}

} // namespace quorvel::ui
