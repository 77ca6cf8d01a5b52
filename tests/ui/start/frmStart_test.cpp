#include "fakes/FakeServices.h"
#include "support/Controls.h"
#include "ui/common/Captions.h"
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

#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

class StartScreen : public testing::Test {
protected:
    void SetUp() override { open(); }

    void TearDown() override
    {
        forms.unloadAll();
        settle();
    }

    void open()
    {
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

TEST_F(StartScreen, LabelsFitTheLinkColourFollowsThePointerAClickOpensTheSite)
{
    auto* const lblWebsite = control<QLabel>(start, "lblWebsite");
    auto* const lblDesc = control<QLabel>(start, "lblDesc");
    const int width = ui::twipsToPixels(ui::pixelsToTwips(start->width(), start) - 100, start);
    EXPECT_EQ(lblWebsite->width(), width);
    EXPECT_EQ(lblDesc->width(), width);
    EXPECT_EQ(ui::caption(lblDesc).split(u"\r\n\r\n"_s).size(), 3);
    EXPECT_LE(lblDesc->heightForWidth(width), lblDesc->height()) << "the three paragraphs fit";
    const auto colour = [lblWebsite] { return lblWebsite->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0, 0, 192));
    struct Move {
        QWidget* over;
        QColor colour;
    };
    const Move rows[] = {{lblWebsite, Qt::red}, {lblDesc, Qt::red}, {start, Qt::blue}};
    for (const auto& [over, expected] : rows) {
        QTest::mouseMove(over, over == start ? QPoint(3, start->height() - 3) : QPoint(2, 2));
        EXPECT_EQ(colour(), expected) << over->objectName().toStdString();
    }
    QTest::mouseClick(lblWebsite, Qt::LeftButton);
    EXPECT_EQ(fakes.shell.opened, QStringList{ui::kAuthorWebSite});
}

// Enter right after the start presses OK. Every other way ends the program once without
// showing a main window; the close box runs the unload handler, which asks for the same
// unloading again.
TEST_F(StartScreen, EnterShowsTheMainWindowEveryWayOutEndsTheProgram)
{
    fakes.dialogs.onMessage = [this](const ShownMessage&) {
        for (QWidget* form : forms.loaded())
            EXPECT_FALSE(qobject_cast<ui::frmMain*>(form) && form->isVisible());
    };
    const auto ok = [this] { return control<QPushButton>(start, "cmdOK"); };
    struct Way {
        const char* name;
        std::function<void()> press;
        bool anotherRunning = false;
        bool mainShown = false;
    };
    // clang-format off
    const Way rows[] = {
        {.name = "Enter", .press = [] { QTest::keyClick(qApp->focusWidget(), Qt::Key_Return); },
         .mainShown = true},
        {.name = "Escape", .press = [&] { QTest::keyClick(ok(), Qt::Key_Escape); }},
        {.name = "close box", .press = [this] { start->close(); }},
        {.name = "OK while another copy runs", .press = [&] { ok()->click(); },
         .anotherRunning = true},
    };
    // clang-format on
    for (const auto& [way, press, anotherRunning, mainShown] : rows) {
        SCOPED_TRACE(way);
        fakes.instanceGuard.anotherRunning = anotherRunning;
        press();
        settle();
        EXPECT_TRUE(start.isNull());
        ASSERT_EQ(forms.loaded().size(), mainShown ? 1 : 0);
        const auto* main = mainShown ? qobject_cast<ui::frmMain*>(forms.loaded().front()) : nullptr;
        EXPECT_EQ(main && main->isVisible(), mainShown);
        EXPECT_EQ(programEnded.count(), mainShown ? 0 : 1);
        forms.unloadAll();
        settle();
        programEnded.clear();
        open();
    }
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{u"Quorvel is already running."_s, u"Quorvel"_s, 64}}));
}

} // namespace
} // namespace quorvel::test
