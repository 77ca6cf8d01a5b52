// Keep-on-top through the real adapter, on a real X server with a window manager.
#include "fakes/FakeServices.h"
#include "platform/qt/QtZOrder.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

// What the X server and the window manager say, not Qt's copy of it.
QString x(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QLatin1String(program), arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Position, size and map state of the client area.
QStringList placement(WId window)
{
    static const QRegularExpression line(
        QStringLiteral("(Absolute upper-left|Width|Height|Map State).*"));
    QStringList lines;
    for (const auto& match : line.globalMatch(x("xwininfo", {"-id", QString::number(window)})))
        lines << match.captured();
    return lines;
}

bool saysAbove(const QStringList& xpropArguments)
{
    return x("xprop", xpropArguments).contains(QStringLiteral("_NET_WM_STATE_ABOVE"));
}

TEST(KeepOnTopOnX11, OptionSetsAndClearsTheAboveStateInPlace)
{
    // Also waits for the window manager, which may still be starting.
    if (!QTest::qWaitFor([] { return saysAbove({"-root", "_NET_SUPPORTED"}); }, 10000))
        GTEST_SKIP() << "no window manager with an \"above\" state";
    FakeServices fakes;
    platform::QtZOrder zOrder;
    platform::Services services{fakes.dialogs,  fakes.shell,    fakes.clipboard,    zOrder,
                                fakes.registry, fakes.programs, fakes.instanceGuard};
    ui::Forms forms;
    auto window = std::make_unique<ui::frmMain>(services, forms);
    ASSERT_TRUE(window->Form_Load());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(300); // lets the window manager place the window
    const WId created = window->winId();
    const QStringList shown = placement(created);
    const QStringList state{"-id", QString::number(created), "_NET_WM_STATE"};
    ASSERT_TRUE(shown.contains(QStringLiteral("Map State: IsViewable")));
    for (const bool onTop : {true, false}) {
        SCOPED_TRACE(onTop ? "on" : "off");
        window->mnuOptionsKeepOnTop->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return saysAbove(state) == onTop; }));
        QTest::qWait(200); // a late move or resize by the window manager
        // A re-created window has another id: this one would be gone.
        EXPECT_EQ(placement(created), shown);
    }
}

} // namespace
} // namespace quorvel::test
