#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/common/Twips.h"
#include "ui/main/frmMain.h"
#include "ui/start/frmStart.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// A freshly loaded start-up screen, shown as the active window.
class StartScreen : public testing::Test {
protected:
    void SetUp() override { open(); }

    void TearDown() override
    {
        forms.unloadAll();
        delete start.data();
        settle();
    }

    void open()
    {
        delete start.data();
        start = new ui::frmStart(fakes.services, forms);
        start->Form_Load();
        start->show();
        start->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(start));
    }

    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeServices fakes;
    ui::Forms forms;
    QSignalSpy programEnded{&forms, &ui::Forms::allUnloaded};
    QPointer<ui::frmStart> start;
};

TEST_F(StartScreen, TitleAndLabelWidths)
{
    EXPECT_EQ(start->windowTitle(), u"Quorvel   Ver. 2.2.1     by Veskard"_s);
    const int expected = ui::twipsToPixels(ui::pixelsToTwips(start->width(), start) - 100, start);
    EXPECT_EQ(start->lblWebsite->width(), expected);
    EXPECT_EQ(start->lblDesc->width(), expected);
    // The three paragraphs fit the label.
    EXPECT_EQ(ui::frmStart::caption(start->lblDesc).split(u"\r\n\r\n"_s).size(), 3);
    EXPECT_LE(start->lblDesc->heightForWidth(expected), start->lblDesc->height());
}

TEST_F(StartScreen, LinkColoursFollowThePointer)
{
    const auto colour = [this] { return start->lblWebsite->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0, 0, 192));
    // Over another control nothing changes.
    const std::pair<QWidget*, QColor> moves[] = {{start->lblWebsite, Qt::red},
                                                 {start->lblDesc, Qt::red},
                                                 {start, Qt::blue},
                                                 {start->lblWebsite, Qt::red}};
    for (const auto& [over, expected] : moves) {
        QTest::mouseMove(over, over == start ? QPoint(3, start->height() - 3) : QPoint(2, 2));
        EXPECT_EQ(colour(), expected) << over->objectName().toStdString();
    }
    // Leaving the window straight from the link leaves it red.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(start->lblWebsite, &leave);
    QApplication::sendEvent(start, &leave);
    EXPECT_EQ(colour(), QColor(Qt::red));
    QTest::mouseClick(start->lblWebsite, Qt::LeftButton);
    EXPECT_EQ(fakes.shell.opened, QStringList{ui::kAuthorWebSite});
}

TEST_F(StartScreen, EnterRightAfterStartPressesOk)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(start.isNull());
    ASSERT_EQ(forms.loaded().size(), 1);
    EXPECT_TRUE(qobject_cast<ui::frmMain*>(forms.loaded().front())->isVisible());
    EXPECT_EQ(programEnded.count(), 0);
}

// Each way ends the program once without showing a main window; the close
// box runs the unload handler, which asks for the same unloading again.
TEST_F(StartScreen, EveryWayOutEndsTheProgramOnce)
{
    fakes.dialogs.onMessage = [this](const ShownMessage&) {
        for (QWidget* form : forms.loaded())
            EXPECT_FALSE(qobject_cast<ui::frmMain*>(form) && form->isVisible());
    };
    // The last one is OK while another copy runs.
    const std::function<void()> ways[] = {
        [this] { QTest::keyClick(start->cmdOK, Qt::Key_Escape); }, [this] { start->close(); },
        [this] { start->cmdExit->click(); }, [this] { start->cmdOK->click(); }};
    for (const auto& leave : ways) {
        SCOPED_TRACE(&leave - ways);
        fakes.instanceGuard.anotherRunning = &leave == &ways[3];
        leave();
        settle();
        EXPECT_TRUE(start.isNull());
        EXPECT_TRUE(forms.loaded().isEmpty());
        EXPECT_EQ(programEnded.count(), 1);
        programEnded.clear();
        open();
    }
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{u"Quorvel is already running."_s, u"Quorvel"_s, 64}}));
}

} // namespace
} // namespace quorvel::test
