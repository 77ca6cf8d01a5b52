#include "platform/Services.h"
#include "ui/common/AppInfo.h"
#include "ui/common/Forms.h"
#include "ui/start/frmStart.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // Docks and task bars match the window to its desktop entry and theme icon.
    QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral(QUORVEL_APP_ID), quorvel::ui::programIcon()));
    // The program ends when its last window is unloaded, not when one hides.
    QApplication::setQuitOnLastWindowClosed(false);
    quorvel::ui::Forms forms;
    QObject::connect(&forms, &quorvel::ui::Forms::allUnloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    auto* start = new quorvel::ui::frmStart(quorvel::platform::systemServices(), forms);
    start->Form_Load();
    start->show();
    return QApplication::exec();
}
