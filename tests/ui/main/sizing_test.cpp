#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QTest>
#include <QWindow>

#include <vector>

namespace quorvel::test {
namespace {

class Sizing : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        startSize = window->size();
    }

    int twips(int pixels) const { return ui::pixelsToTwips(pixels, window); }
    int pixels(int twips) const { return ui::twipsToPixels(twips, window); }

    // What the URL boxes should measure for the window's present width.
    int expectedBoxWidth() const { return pixels(twips(window->width()) - 200); }

    void expectBoxesFollowTheWidth() const
    {
        for (const ui::UrlBox* box : {window->txtBadURL, window->txtGoodURL}) {
            EXPECT_EQ(box->width(), expectedBoxWidth()) << box->objectName().toStdString();
            EXPECT_EQ(box->x(), pixels(90));
        }
    }

    // A size change as the window manager makes it, past the widget's own checks.
    void resizeNatively(QSize size)
    {
        window->windowHandle()->resize(size);
        QCoreApplication::processEvents();
    }

    QSize startSize;
};

TEST_F(Sizing, ShowingKeepsTheStartUpSizeAndFitsTheBoxes)
{
    EXPECT_EQ(startSize, QSize(pixels(window->mlMinWidth), pixels(window->mlMinHeight)));
    // The design width: 5835 twips inside the borders leave 5635 for the boxes.
    EXPECT_EQ(window->txtBadURL->width(), pixels(5635));
    expectBoxesFollowTheWidth();
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Sizing, WidthIsFreeAboveTheStartUpWidthAndHeightIsFixed)
{
    struct Attempt {
        int dw, dh;
        int expectedDw;
    };
    const Attempt attempts[] = {
        {100, 0, 100}, {-40, 0, 0}, {0, 60, 0}, {0, -60, 0}, {250, -30, 250}, {-1, 1, 0},
    };
    for (const Attempt& attempt : attempts) {
        SCOPED_TRACE(testing::Message() << attempt.dw << "," << attempt.dh);
        for (bool native : {false, true}) {
            const QSize wanted = startSize + QSize(attempt.dw, attempt.dh);
            if (native)
                resizeNatively(wanted);
            else
                window->resize(wanted);
            EXPECT_EQ(window->size(), startSize + QSize(attempt.expectedDw, 0));
            expectBoxesFollowTheWidth();
        }
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Sizing, WideningByTwipsWidensTheBoxesAsMuch)
{
    const int before = window->txtBadURL->width();
    window->resize(startSize.width() + pixels(1500), startSize.height());
    EXPECT_EQ(window->txtBadURL->width(), before + pixels(1500));
    EXPECT_EQ(window->txtGoodURL->width(), before + pixels(1500));
}

TEST_F(Sizing, MaximizedWindowHasNoBoundsAndRestoresWithinThem)
{
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    QCoreApplication::processEvents();
    EXPECT_NE(window->height(), startSize.height());
    expectBoxesFollowTheWidth();
    EXPECT_EQ(window->minimumSize(), QSize(0, 0));
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    window->showNormal();
    QTRY_VERIFY(!window->isMaximized());
    QCoreApplication::processEvents();
    EXPECT_GE(window->width(), startSize.width());
    EXPECT_EQ(window->height(), startSize.height());
    expectBoxesFollowTheWidth();
}

TEST_F(Sizing, MinimizedWindowIsLeftAlone)
{
    const int boxWidth = window->txtBadURL->width();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->resize(startSize + QSize(300, 0));
    ASSERT_EQ(window->width(), startSize.width() + 300);
    EXPECT_EQ(window->txtBadURL->width(), boxWidth);
    EXPECT_EQ(window->txtGoodURL->width(), boxWidth);
    window->showNormal();
    QTRY_VERIFY(!window->isMinimized());
    QCoreApplication::processEvents();
    expectBoxesFollowTheWidth();
}

TEST_F(Sizing, WindowNarrowerThanTheMarginIsReported)
{
    // Only reachable with a start-up width below the margin.
    window->mlMinWidth = 30;
    window->Form_Resize();
    const int boxWidth = window->txtBadURL->width();
    window->resize(pixels(150), startSize.height());
    const std::vector<ShownMessage> expected = {
        {QStringLiteral("380 : Invalid property value"), QStringLiteral("Form_Resize"), 16}};
    EXPECT_EQ(fakes.dialogs.messages, expected);
    EXPECT_EQ(window->txtBadURL->width(), boxWidth);
}

} // namespace
} // namespace quorvel::test
