#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QTest>
#include <QWindow>

namespace quorvel::test {
namespace {

using Sizing = MainWindowFixture;

TEST_F(Sizing, BoundsHoldOnlyInTheNormalState)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QSize start = window->size();
    auto px = [&](int twips) { return ui::twipsToPixels(twips, window); };
    ASSERT_EQ(start, QSize(px(window->mlMinWidth), px(window->mlMinHeight)));
    // Both boxes span the window's width less 200 twips, from 90 twips in.
    auto expectBoxesFollowTheWidth = [&] {
        const int width = px(ui::pixelsToTwips(window->width(), window) - 200);
        for (const ui::UrlBox* box : {window->txtBadURL, window->txtGoodURL})
            EXPECT_EQ(box->geometry(), QRect(px(90), box->y(), width, box->height()));
    };
    auto waitFor = [&](Qt::WindowState state) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowState() == state; }));
        QCoreApplication::processEvents();
    };
    // Size changes as the window manager makes them, past the widget's own checks.
    const int attempts[][3] = {// width and height asked for, width kept (pixels added)
                               {0, 0, 0},   {100, 0, 100},   {-40, 0, 0}, {0, 60, 0},
                               {0, -60, 0}, {250, -30, 250}, {-1, 1, 0}};
    for (const auto& [dw, dh, keptDw] : attempts) {
        SCOPED_TRACE(testing::Message() << dw << "," << dh);
        window->windowHandle()->resize(start + QSize(dw, dh));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), start + QSize(keptDw, 0));
        expectBoxesFollowTheWidth();
    }
    const int boxWidth = window->txtBadURL->width();
    window->showMinimized();
    waitFor(Qt::WindowMinimized);
    window->resize(start + QSize(300, 0));
    ASSERT_EQ(window->width(), start.width() + 300);
    EXPECT_EQ(window->txtBadURL->width(), boxWidth) << "a minimized window is left alone";
    window->showMaximized();
    waitFor(Qt::WindowMaximized);
    EXPECT_NE(window->height(), start.height());
    EXPECT_EQ(window->minimumSize(), QSize(0, 0));
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    expectBoxesFollowTheWidth();
    window->showNormal();
    waitFor(Qt::WindowNoState);
    EXPECT_GE(window->width(), start.width());
    EXPECT_EQ(window->height(), start.height());
    expectBoxesFollowTheWidth();
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

} // namespace
} // namespace quorvel::test
