// Keep-on-top through the real adapter, on a real X server with a window manager.
#include "platform/linux/QtZOrder.h"
#include "support/MainWindowFixture.h"

#include <QProcess>
#include <QTest>

namespace quorvel::test {
namespace {

using KeepOnTopOnX11 = MainWindowFixture;

// What the X server and the window manager say, not Qt's copy of it.
QString x(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QLatin1String(program), arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The option's way to the adapter is tested headless with a fake one.
TEST_F(KeepOnTopOnX11, SetsAndClearsTheAboveStateInPlace)
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
