// Keep-on-top through the real adapter, on a real X server with a window manager.
#include "XProbe.h"

#include "fakes/FakeServices.h"
#include "platform/qt/QtZOrder.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace quorvel::test {
namespace {

const QString kAbove = QStringLiteral("_NET_WM_STATE_ABOVE");

class KeepOnTopOnX11 : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "needs the xcb platform";
        if (!x11::waitForWindowManager(kAbove))
            GTEST_SKIP() << "the window manager offers no \"above\" state";

        window = std::make_unique<ui::frmMain>(services, forms);
        ASSERT_TRUE(window->Form_Load());
        showAndSettle(*window);
        other = std::make_unique<QWidget>();
        other->setWindowTitle(QStringLiteral("another program"));
        other->setGeometry(window->geometry().translated(40, 40));
        showAndSettle(*other);
        ASSERT_TRUE(QTest::qWaitFor([this] { return x11::isTopmostManaged(*other); }));
        placed = x11::xGeometry(*window);
        ASSERT_TRUE(placed.viewable);
    }

    void TearDown() override
    {
        other.reset();
        forms.unloadAll();
        window.reset();
    }

    static void showAndSettle(QWidget& widget)
    {
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        // Managed once the window manager lists it.
        ASSERT_TRUE(QTest::qWaitFor([&widget] {
            const auto order = x11::stackingOrder();
            return std::find(order.begin(), order.end(), widget.winId()) != order.end();
        }));
    }

    void activateOther()
    {
        other->raise();
        other->activateWindow();
    }

    void expectShownInPlace()
    {
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->winId(), originalId);
        // Give a late move or resize by the window manager a chance to show.
        QTest::qWait(200);
        EXPECT_EQ(x11::xGeometry(*window), placed);
    }

    FakeServices fakes;
    platform::QtZOrder zOrder;
    platform::Services services{fakes.dialogs,  fakes.shell,    fakes.clipboard,    zOrder,
                                fakes.registry, fakes.programs, fakes.instanceGuard};
    ui::Forms forms;
    std::unique_ptr<ui::frmMain> window;
    std::unique_ptr<QWidget> other;
    x11::XGeometry placed;
    WId originalId = 0;
};

TEST_F(KeepOnTopOnX11, OptionPutsTheWindowAboveOthersAndTakesItOutAgain)
{
    originalId = window->winId();

    window->mnuOptionsKeepOnTop->trigger();
    ASSERT_TRUE(window->mnuOptionsKeepOnTop->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::netWmState(*window).contains(kAbove); }));
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::isTopmostManaged(*window); }));
    expectShownInPlace();

    // Another program comes forward, yet stays below.
    activateOther();
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::activeWindow() == other->winId(); }));
    EXPECT_TRUE(x11::isTopmostManaged(*window));

    window->mnuOptionsKeepOnTop->trigger();
    ASSERT_FALSE(window->mnuOptionsKeepOnTop->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !x11::netWmState(*window).contains(kAbove); }));
    // Out of the band, the window is the top ordinary window and active.
    EXPECT_TRUE(x11::isTopmostManaged(*window));
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::activeWindow() == window->winId(); }));
    expectShownInPlace();

    activateOther();
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::isTopmostManaged(*other); }))
        << "an ordinary window again";
}

TEST_F(KeepOnTopOnX11, LiftingForADropLeavesTheWindowOrdinaryOnTop)
{
    originalId = window->winId();
    zOrder.setTopmost(window.get(), true);
    zOrder.setTopmost(window.get(), false);
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::isTopmostManaged(*window); }));
    EXPECT_TRUE(QTest::qWaitFor([this] { return x11::activeWindow() == window->winId(); }));
    expectShownInPlace();
    EXPECT_FALSE(x11::netWmState(*window).contains(kAbove));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
} // namespace quorvel::test
