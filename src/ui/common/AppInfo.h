#pragma once

#include <QIcon>
#include <QString>

namespace quorvel::ui {

// What the windows show about the program itself.
struct AppInfo {
    int major = QUORVEL_VERSION_MAJOR;
    int minor = QUORVEL_VERSION_MINOR;
    int revision = QUORVEL_VERSION_REVISION;
    QString title = QStringLiteral("Quorvel");
};

// "Quorvel   Ver. 2.2.1": the program's name with its version; the windows
// that show it append the credit.
inline const QString kTitleCredit = QStringLiteral("     by Veskard");
QString titleWithVersion(const AppInfo& info);
// The executable's name without folder or extension.
QString executableName();
// The program's icon: the desktop theme's where main() installed it, else its
// own 32 by 32 picture in 16 colours.
QIcon programIcon();

// The author's addresses, shown and opened by several windows.
inline const QString kAuthorWebSite = QStringLiteral("http://www.veskard.example");
inline const QString kAuthorEmail = QStringLiteral("veskard@veskard.example");

} // namespace quorvel::ui
