// Windows that centre themselves on the screen, under a window manager that
// adds a title bar: the whole frame is centred, not the area inside it.
#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"
#include "ui/start/frmStart.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

template <class Window> void expectFrameCentredOnceShown()
{
    FakeServices fakes;
    ui::Forms forms;
    auto* window = new Window(fakes.services, forms);
    window->Form_Load();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    // The frame is known once the window manager has framed the window.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }, 15000));
    QTest::qWait(300);
    const QPoint offset =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << "," << offset.y();
    forms.unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(CentredOnScreen, StartUpScreenAndMainWindow)
{
    expectFrameCentredOnceShown<ui::frmStart>();
    expectFrameCentredOnceShown<ui::frmMain>();
}

} // namespace
} // namespace quorvel::test
