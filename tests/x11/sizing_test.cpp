// The main window's size bounds under a real window manager: dragged edges
// stop at the bounds without the window ever taking another size first.
#include "XProbe.h"

#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/common/Twips.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QGuiApplication>
#include <QResizeEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quorvel::test {
namespace {

// Every size the window took, as its resize events tell.
class SizeRecorder : public QObject {
public:
    std::vector<QSize> sizes;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            sizes.push_back(static_cast<QResizeEvent*>(event)->size());
        return false;
    }
};

class SizingOnX11 : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "needs the xcb platform";
        if (!x11::waitForWindowManager(QStringLiteral("_NET_FRAME_EXTENTS")))
            GTEST_SKIP() << "no window manager that reports its frames";
        window = std::make_unique<ui::frmMain>(fakes.services, forms);
        ASSERT_TRUE(window->Form_Load());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return frameExtents().size() == 4; }));
        QTest::qWait(200);
        startSize = QSize(ui::twipsToPixels(window->mlMinWidth, window.get()),
                          ui::twipsToPixels(window->mlMinHeight, window.get()));
        window->installEventFilter(&recorder);
    }

    void TearDown() override
    {
        forms.unloadAll();
        window.reset();
    }

    std::vector<int> frameExtents() const
    {
        std::vector<int> extents;
        const QString line =
            x11::run(QStringLiteral("xprop"), {QStringLiteral("-id"), x11::windowId(*window),
                                               QStringLiteral("_NET_FRAME_EXTENTS")});
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0) {
            for (const QString& value : line.mid(equals + 1).split(u','))
                extents.push_back(value.trimmed().toInt());
        }
        return extents;
    }

    // Drags the frame's bottom right corner with the mouse, as a user does.
    void dragCorner(QPoint by)
    {
        const QRect client = x11::xGeometry(*window).rect;
        const std::vector<int> extents = frameExtents(); // left, right, top, bottom
        const QPoint corner = client.bottomRight() + QPoint(extents[1], extents[3]);
        const auto xdotool = [](QStringList arguments) {
            x11::run(QStringLiteral("xdotool"), arguments);
            QTest::qWait(50);
        };
        xdotool({QStringLiteral("mousemove"), QString::number(corner.x()),
                 QString::number(corner.y())});
        xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = corner + by * step / 4;
            xdotool(
                {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        }
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        QTest::qWait(300);
    }

    void expectEverySizeWithinTheBounds() const
    {
        for (const QSize& size : recorder.sizes) {
            EXPECT_GE(size.width(), startSize.width());
            EXPECT_EQ(size.height(), startSize.height());
        }
    }

    int boxWidthFor(int clientWidth) const
    {
        const int twips = ui::pixelsToTwips(clientWidth, window.get());
        return ui::twipsToPixels(twips - 200, window.get());
    }

    FakeServices fakes;
    ui::Forms forms;
    std::unique_ptr<ui::frmMain> window;
    SizeRecorder recorder;
    QSize startSize;
};

TEST_F(SizingOnX11, FrameDoesNotEatIntoTheStartUpSize)
{
    EXPECT_EQ(x11::xGeometry(*window).rect.size(), startSize);
}

TEST_F(SizingOnX11, DraggedCornerStopsAtTheBoundsWithoutAJump)
{
    dragCorner(QPoint(-120, 80));
    EXPECT_EQ(x11::xGeometry(*window).rect.size(), startSize);
    dragCorner(QPoint(90, -60));
    const QSize widened = x11::xGeometry(*window).rect.size();
    EXPECT_GT(widened.width(), startSize.width()) << "the width is free above the start-up width";
    EXPECT_EQ(widened.height(), startSize.height());
    EXPECT_EQ(window->txtBadURL->width(), boxWidthFor(widened.width()));
    expectEverySizeWithinTheBounds();
}

TEST_F(SizingOnX11, MaximizedWindowFillsTheScreenAndRestoresToTheBounds)
{
    window->showMaximized();
    const int screenHeight = window->screen()->availableGeometry().height();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return x11::xGeometry(*window).rect.height() > screenHeight * 3 / 4; }));
    const QRect maximized = x11::xGeometry(*window).rect;
    EXPECT_EQ(window->txtGoodURL->width(), boxWidthFor(maximized.width()));

    window->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return x11::xGeometry(*window).rect.size() == startSize; }));
    QTest::qWait(300);
    EXPECT_EQ(x11::xGeometry(*window).rect.size(), startSize);
    EXPECT_EQ(window->txtBadURL->width(), boxWidthFor(startSize.width()));
    // The bounds hold again once restored.
    recorder.sizes.clear();
    dragCorner(QPoint(0, 70));
    EXPECT_EQ(x11::xGeometry(*window).rect.size(), startSize);
    expectEverySizeWithinTheBounds();
}

} // namespace
} // namespace quorvel::test
