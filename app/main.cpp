#include "platform/Services.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::ui::Forms forms;
    QObject::connect(&forms, &quorvel::ui::Forms::allUnloaded, &app, &QApplication::quit);

    auto* main = new quorvel::ui::frmMain(quorvel::platform::systemServices(), forms);
    if (!main->Form_Load())
        return 0;
    main->show();
    return QApplication::exec();
}
