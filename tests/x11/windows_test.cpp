// The windows on a real X server with a window manager, at the toolkit's default font.
#include "platform/linux/QtZOrder.h"
#include "support/MainWindowFixture.h"
#include "ui/about/frmAbout.h"
#include "ui/common/Twips.h"
#include "ui/start/frmStart.h"

#include <QProcess>
#include <QScreen>

namespace quorvel::test {
namespace {

using OnX11 = MainWindowFixture;

// Every text of the About box whole and apart, the icon and the etched rule drawn.
TEST_F(OnX11, AboutBoxTextsWholeAndApartIconAndRuleDrawn)
{
    window->show();
    auto* box = new ui::frmAbout(fakes.services, window);
    box->Form_Load();
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    QTest::qWait(100); // lets the window manager settle the box
    const auto& rule = ui::frmAbout::Line1;
    const int ruleTop = ui::twipsToPixels(rule.front().from.y(), box) - rule.front().widthPixels;
    const int ruleBottom = ui::twipsToPixels(rule.back().from.y(), box) + rule.back().widthPixels;
    const auto controls = box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 10);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect area = controls[i]->geometry();
        SCOPED_TRACE(controls[i]->objectName().toStdString());
        EXPECT_TRUE(box->rect().contains(area));
        EXPECT_TRUE(area.bottom() < ruleTop || area.top() > ruleBottom) << "crosses the rule";
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(area.intersects(controls[j]->geometry())) << "overlaps child " << j;
        if (const auto* button = qobject_cast<const QPushButton*>(controls[i])) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 8);
        }
        const auto* label = qobject_cast<const QLabel*>(controls[i]);
        if (!label || label == control<QLabel>(box, "Image1"))
            continue;
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed =
            label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
        EXPECT_TRUE(label->contentsRect().contains(needed)) << label->text().toStdString();
    }
    QImage icon = control<QLabel>(box, "Image1")->grab().toImage(), plain = icon;
    plain.fill(icon.pixel(0, 0));
    EXPECT_NE(icon, plain) << "the icon is not drawn";
    const QImage shown = box->grab().toImage();
    const QColor etched[] = {Qt::white, QColor(128, 128, 128)}; // light above dark
    for (size_t i = 0; i < rule.size(); ++i)
        EXPECT_EQ(shown.pixelColor(box->width() / 2, ui::twipsToPixels(rule[i].from.y(), box)),
                  etched[i]);
}

// Under a title bar the whole frame is centred, not the area inside it.
template <class Window> void expectFrameCentredOnceShown()
{
    FakeServices fakes;
    ui::Forms forms;
    auto* window = new Window(fakes.services, forms);
    window->Form_Load();
    window->show();
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

// What the X server and the window manager say, not Qt's copy of it.
QString x(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QLatin1String(program), arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Keep-on-top through the real adapter; the option's way to it is tested headless.
TEST_F(OnX11, KeepOnTopSetsAndClearsTheAboveStateInPlace)
{
    const auto above = [](const QStringList& of) { return x("xprop", of).contains("STATE_ABOVE"); };
    // Also waits for the window manager, which may still be starting.
    if (!QTest::qWaitFor([&] { return above({"-root", "_NET_SUPPORTED"}); }, 10000))
        GTEST_SKIP() << "no window manager with an \"above\" state";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(300); // lets the window manager place the window
    const QString id = QString::number(window->winId());
    // Map state, position and size; a re-created window has another id, this one would be gone.
    const std::string shown = x("xwininfo", {"-id", id}).toStdString();
    ASSERT_TRUE(shown.find("Map State: IsViewable") != std::string::npos) << shown;
    platform::QtZOrder zOrder;
    for (const bool onTop : {true, false}) {
        SCOPED_TRACE(onTop ? "on" : "off");
        zOrder.setTopmost(window, onTop);
        EXPECT_TRUE(QTest::qWaitFor([&] { return above({"-id", id, "_NET_WM_STATE"}) == onTop; }));
        QTest::qWait(200); // a late move or resize by the window manager
        EXPECT_EQ(x("xwininfo", {"-id", id}).toStdString(), shown);
    }
}

} // namespace
} // namespace quorvel::test
