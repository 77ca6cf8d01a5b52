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

const QColor kDarkBlue(0, 0, 192);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

class StartScreen : public testing::Test {
protected:
    void SetUp() override { load({}); }

    void TearDown() override
    {
        forms.unloadAll();
        delete start.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void load(const ui::AppInfo& info)
    {
        delete start.data();
        start = new ui::frmStart(fakes.services, forms, info);
        start->Form_Load();
    }

    void showActive()
    {
        start->show();
        start->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(start));
    }

    ui::frmMain* mainWindow() const
    {
        for (QWidget* form : forms.loaded()) {
            if (auto* main = qobject_cast<ui::frmMain*>(form))
                return main;
        }
        return nullptr;
    }

    QColor linkColour() const { return start->lblWebsite->palette().color(QPalette::WindowText); }

    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    FakeServices fakes;
    ui::Forms forms;
    QSignalSpy programEnded{&forms, &ui::Forms::allUnloaded};
    QPointer<ui::frmStart> start;
};

TEST_F(StartScreen, TitleCarriesVersionAndAuthor)
{
    EXPECT_EQ(start->windowTitle(), QStringLiteral("Quorvel   Ver. 2.2.1     by Veskard"));
    load(ui::AppInfo{2, 10, 1, QStringLiteral("Quorvel")});
    EXPECT_EQ(start->windowTitle(), QStringLiteral("Quorvel   Ver. 2.10.1     by Veskard"));
}

TEST_F(StartScreen, DescriptionIsThreeParagraphsAndTheLinkIsTheWebSite)
{
    const QString description = ui::frmStart::caption(start->lblDesc);
    const QStringList paragraphs = description.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 3) << description.toStdString();
    EXPECT_EQ(paragraphs[0], QStringLiteral("Utility to convert excape codes in URLs."));
    EXPECT_FALSE(paragraphs[1].trimmed().isEmpty());
    EXPECT_FALSE(paragraphs[1].contains(u'\n'));
    EXPECT_EQ(paragraphs[2], QStringLiteral("Feel free to visit my web site for other interesting "
                                            "and useful programs."));
    EXPECT_EQ(ui::frmStart::caption(start->lblWebsite), ui::kAuthorWebSite);
    // What the label shows has no stray CR.
    EXPECT_FALSE(start->lblDesc->text().contains(u'\r'));
}

TEST_F(StartScreen, FixedCyanWindowWithoutMinimizeOrMaximize)
{
    EXPECT_EQ(start->size(), QSize(ui::twipsToPixels(5190, start), ui::twipsToPixels(2100, start)));
    EXPECT_EQ(start->minimumSize(), start->maximumSize());
    EXPECT_EQ(start->palette().color(QPalette::Window), QColor(0, 255, 255));
    const Qt::WindowFlags flags = start->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(start->windowIcon().isNull());
}

TEST_F(StartScreen, LabelsAre100TwipsNarrowerThanTheClientAfterShowing)
{
    showActive();
    const int expected = ui::twipsToPixels(ui::pixelsToTwips(start->width(), start) - 100, start);
    EXPECT_EQ(start->lblWebsite->width(), expected);
    EXPECT_EQ(start->lblDesc->width(), expected);
    EXPECT_LT(expected, start->width() - start->lblWebsite->x());
    EXPECT_TRUE(start->lblDesc->wordWrap());
    // All three paragraphs show within the fixed height.
    EXPECT_LE(start->lblDesc->heightForWidth(expected), start->lblDesc->height());
}

TEST_F(StartScreen, LinkTurnsRedOverItAndBlueOverTheBackgroundOnly)
{
    showActive();
    EXPECT_EQ(linkColour(), kDarkBlue);
    QTest::mouseMove(start->lblWebsite, start->lblWebsite->rect().center());
    EXPECT_EQ(linkColour(), kRed);
    // Over another control nothing changes.
    QTest::mouseMove(start->lblDesc, start->lblDesc->rect().center());
    EXPECT_EQ(linkColour(), kRed);
    QTest::mouseMove(start, QPoint(3, start->height() - 3));
    EXPECT_EQ(linkColour(), kBlue);
    QTest::mouseMove(start->lblWebsite, QPoint(2, 2));
    EXPECT_EQ(linkColour(), kRed);
    // Leaving straight from the link leaves it red.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(start->lblWebsite, &leave);
    QApplication::sendEvent(start, &leave);
    EXPECT_EQ(linkColour(), kRed);
}

TEST_F(StartScreen, ClickingTheLinkOpensTheWebSite)
{
    showActive();
    QTest::mouseClick(start->lblWebsite, Qt::LeftButton);
    EXPECT_EQ(fakes.shell.opened, QStringList{ui::kAuthorWebSite});
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(StartScreen, AFailedLinkShowsTheBrowserAdviceAndTheScreenStays)
{
    showActive();
    fakes.shell.result = 31;
    QTest::mouseClick(start->lblWebsite, Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages.front(),
              (ShownMessage{QStringLiteral("Could not execute function - Error code 31\r\n\r\n"
                                           "Make sure you have a working, default browser!"),
                            QStringLiteral("Error"), 48}));
    EXPECT_TRUE(start->isVisible());
    EXPECT_TRUE(forms.isLoaded(start));
}

TEST_F(StartScreen, EnterRightAfterStartPressesOk)
{
    showActive();
    ASSERT_EQ(QApplication::focusWidget(), start->cmdOK);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(start.isNull());
    ui::frmMain* main = mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Quorvel   Ver. 2.2.1     by Veskard"));
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{main});
    EXPECT_EQ(programEnded.count(), 0);
}

TEST_F(StartScreen, TabMovesBetweenTheTwoButtonsOnly)
{
    showActive();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), start->cmdExit);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), start->cmdOK);
}

TEST_F(StartScreen, EscapeEndsTheProgramWithoutAMainWindow)
{
    showActive();
    QTest::keyClick(start->cmdOK, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(start.isNull());
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_EQ(programEnded.count(), 1);
    EXPECT_EQ(mainWindow(), nullptr);
}

// The close box runs the unload handler, which asks for the same unloading
// again: that must neither recurse nor end the program twice.
TEST_F(StartScreen, CloseBoxAndExitEndTheProgramOnce)
{
    for (const bool useCloseBox : {true, false}) {
        load({});
        programEnded.clear();
        showActive();
        if (useCloseBox)
            start->close();
        else
            start->cmdExit->click();
        settle();
        EXPECT_TRUE(start.isNull()) << useCloseBox;
        EXPECT_TRUE(forms.loaded().isEmpty()) << useCloseBox;
        EXPECT_EQ(programEnded.count(), 1) << useCloseBox;
    }
}

TEST_F(StartScreen, AnotherCopyRunningEndsTheProgramWithANotice)
{
    fakes.instanceGuard.anotherRunning = true;
    showActive();
    bool mainShownDuringNotice = true;
    fakes.dialogs.onMessage = [this, &mainShownDuringNotice](const ShownMessage&) {
        ui::frmMain* main = mainWindow();
        mainShownDuringNotice = main && main->isVisible();
    };
    start->cmdOK->click();
    settle();
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages.front(),
              (ShownMessage{QStringLiteral("Quorvel is already running."),
                            QStringLiteral("Quorvel"), 64}));
    EXPECT_FALSE(mainShownDuringNotice);
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_EQ(programEnded.count(), 1);
}

} // namespace
} // namespace quorvel::test
