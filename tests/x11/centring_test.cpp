// Windows that centre themselves on the screen, under a window manager that
// adds a title bar: the whole frame is centred, not the area inside it.
#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"
#include "ui/start/frmStart.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

struct CentredWindow {
    const char* name;
    std::function<QWidget*(FakeServices&, ui::Forms&)> load;
};

TEST(CentredOnScreen, TheWholeFrameSitsInTheMiddle)
{
    const CentredWindow rows[] = {
        {.name = "start-up screen",
         .load = [](FakeServices& fakes, ui::Forms& forms) -> QWidget* {
             auto* start = new ui::frmStart(fakes.services, forms);
             start->Form_Load();
             return start;
         }},
        {.name = "main window",
         .load = [](FakeServices& fakes, ui::Forms& forms) -> QWidget* {
             auto* main = new ui::frmMain(fakes.services, forms);
             main->Form_Load();
             return main;
         }},
    };
    for (const CentredWindow& row : rows) {
        SCOPED_TRACE(row.name);
        FakeServices fakes;
        ui::Forms forms;
        QWidget* window = row.load(fakes, forms);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // The frame is known once the window manager has framed the window.
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }))
            << "no window manager frame";
        QTest::qWait(300);
        const QPoint offset =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
        forms.unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
} // namespace quorvel::test
