#include "fakes/FakeServices.h"
#include "support/MainWindowFixture.h"
#include "ui/about/AboutBoxDriver.h"
#include "ui/about/frmAbout.h"
#include "ui/common/AppInfo.h"
#include "ui/common/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quorvel::test {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QString kMailto = QStringLiteral("mailto:veskard@veskard.example?Subject=Quorvel Program");

QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

void moveOver(QWidget* widget, QPoint at = {1, 1})
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void click(QWidget* widget, QPoint releaseAt = {1, 1})
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, releaseAt);
}

// A loaded box over a plain owner window, shown without a modal loop.
class AboutBox : public testing::Test {
protected:
    void SetUp() override
    {
        owner.setWindowIcon(ui::programIcon());
        owner.resize(400, 300);
        owner.show();
        box = std::make_unique<ui::frmAbout>(fakes.services, &owner);
        box->Form_Load();
        box->show();
    }

    FakeServices fakes;
    QWidget owner;
    std::unique_ptr<ui::frmAbout> box;
};

TEST_F(AboutBox, ShowsTheProgramsCaptions)
{
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About ") + ui::executableName());
    EXPECT_EQ(box->lblVersion->text(), QStringLiteral("Version 2.2.1"));
    EXPECT_EQ(box->lblTitle->text(), QStringLiteral("Quorvel"));
    EXPECT_EQ(box->lblDescription->text(),
              QStringLiteral("Utility to translate escape codes in URLs."));
    const QStringList author = box->lblAuthor->text().split(u'\n');
    ASSERT_EQ(author.size(), 2);
    EXPECT_TRUE(author[0].contains(QStringLiteral("Veskard")));
    EXPECT_TRUE(author[0].contains(QStringLiteral("February 2003")));
    EXPECT_TRUE(author[0].endsWith(u'.'));
    EXPECT_EQ(author[1], QStringLiteral("Last updated January 06, 2006"));
    EXPECT_EQ(box->lblemail->text(), ui::kAuthorEmail);
    EXPECT_EQ(box->lblURL->text(), ui::kAuthorWebSite);
    EXPECT_EQ(box->cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_FALSE(box->windowIcon().isNull());
    EXPECT_FALSE(box->Image1->pixmap().isNull());
    EXPECT_TRUE(box->Image1->hasScaledContents());
}

TEST_F(AboutBox, FreewareNoteHasTwoSentencesThenAddressAndWelcome)
{
    const QStringList parts = box->lblShareware->text().split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 3);
    const QString& note = parts[0];
    const qsizetype firstStop = note.indexOf(u'.');
    ASSERT_GT(firstStop, 0);
    EXPECT_EQ(note.mid(firstStop, 4).left(3), QStringLiteral(".  "));
    EXPECT_NE(note.at(firstStop + 3), u' ');
    EXPECT_EQ(note.count(u'.'), 2);
    EXPECT_TRUE(note.endsWith(u'.'));
    EXPECT_TRUE(parts[1].startsWith(QStringLiteral("       Veskard at ")));
    EXPECT_GT(parts[1].size(), QStringLiteral("       Veskard at ").size());
    EXPECT_EQ(parts[2],
              QStringLiteral("I welcome all comments, suggestions and problems by regular mail "
                             "or email"));
}

TEST_F(AboutBox, LayoutIsFixedAndLinksFitTheirTexts)
{
    EXPECT_EQ(box->size(), ui::twipsRect(0, 0, 5730, 5565, box.get()).size());
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_FALSE(box->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(box->cmdOK->isDefault());
    EXPECT_EQ(box->cmdOK->nextInFocusChain(), box->cmdSysInfo);
    for (QLabel* link : {box->lblemail, box->lblURL}) {
        SCOPED_TRACE(link->objectName().toStdString());
        EXPECT_EQ(link->size(), link->sizeHint());
        EXPECT_GT(link->width(), ui::twipsToPixels(360, box.get()));
        EXPECT_EQ(link->x(), ui::twipsToPixels(270, box.get()));
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(textColour(link), kBlue);
    }
}

TEST_F(AboutBox, LinksTurnRedUnderThePointerAndBlueOnlyOverTheBackground)
{
    moveOver(box->lblemail);
    EXPECT_EQ(textColour(box->lblemail), kRed);
    EXPECT_EQ(textColour(box->lblURL), kBlue);
    // Leaving straight out of the box, or over another control, changes nothing.
    moveOver(box->lblAuthor);
    moveOver(box->cmdOK);
    EXPECT_EQ(textColour(box->lblemail), kRed);
    moveOver(box->lblURL);
    EXPECT_EQ(textColour(box->lblemail), kRed);
    EXPECT_EQ(textColour(box->lblURL), kRed);
    moveOver(box.get(), QPoint(2, box->height() - 2));
    EXPECT_EQ(textColour(box->lblemail), kBlue);
    EXPECT_EQ(textColour(box->lblURL), kBlue);
}

TEST_F(AboutBox, LinkClicksOpenTheirTargetsAndTheBoxStaysOpen)
{
    click(box->lblemail);
    click(box->lblURL);
    EXPECT_EQ(fakes.shell.opened, (QStringList{kMailto, ui::kAuthorWebSite}));
    // Letting go outside a link is no click.
    click(box->lblURL, QPoint(box->lblURL->width() + 5, 1));
    EXPECT_EQ(fakes.shell.opened.size(), 2);
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_TRUE(box->isVisible());

    // The mail target follows the caption; the web link opens the constant.
    box->lblemail->setText(QStringLiteral("other@host.example"));
    box->lblURL->setText(QStringLiteral("http://elsewhere.example/"));
    click(box->lblemail);
    click(box->lblURL);
    EXPECT_EQ(fakes.shell.opened.mid(2),
              (QStringList{QStringLiteral("mailto:other@host.example?Subject=Quorvel Program"),
                           ui::kAuthorWebSite}));
}

TEST_F(AboutBox, RefusedShellOpenGivesAdviceAndKeepsTheBoxOpen)
{
    fakes.shell.result = 31;
    box->lblemail_Click();
    box->lblURL_Click();
    const QString code = QStringLiteral("Could not execute function - Error code 31\r\n\r\n");
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{
                  {code + QStringLiteral("Make sure you have a working, default email program!"),
                   QStringLiteral("Error"), 48},
                  {code + QStringLiteral("Make sure you have a working, default browser!"),
                   QStringLiteral("Error"), 48}}));
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBox, SystemInfoWithoutRegistryShowsTheNoticeAndStaysOpen)
{
    box->cmdSysInfo->click();
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{
                  {QStringLiteral("System Information Is Unavailable At This Time"),
                   QStringLiteral("Quorvel"), 0}}));
    EXPECT_TRUE(box->isVisible());
}

// The box as the Help menu opens it: modal over the main window.
class AboutFromMainWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
    }
};

TEST_F(AboutFromMainWindow, OpensModalCentredOnItsOwnerWithOkFocused)
{
    AboutBoxDriver driver([&](ui::frmAbout& box) {
        EXPECT_EQ(box.parentWidget(), window);
        EXPECT_TRUE(box.isModal());
        EXPECT_TRUE(forms.isLoaded(&box));
        const QPoint offset = box.geometry().center() - window->geometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
        EXPECT_EQ(box.focusWidget(), box.cmdOK);
    });
    window->mnuHelpAbout_Click();
    EXPECT_TRUE(driver.ran());
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{window});
}

TEST_F(AboutFromMainWindow, EachWayOfClosingEndsTheModalLoopAndUnloads)
{
    struct Case {
        const char* what;
        void (*close)(ui::frmAbout&);
    };
    const Case cases[] = {
        {"OK", [](ui::frmAbout& box) { box.cmdOK->click(); }},
        {"Escape", [](ui::frmAbout& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"Enter on OK", [](ui::frmAbout& box) { QTest::keyClick(box.cmdOK, Qt::Key_Return); }},
        {"close box", [](ui::frmAbout& box) { box.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QPointer<ui::frmAbout> opened;
        bool closed = false;
        AboutBoxDriver driver([&](ui::frmAbout& box) {
            opened = &box;
            c.close(box);
            closed = !box.isVisible();
        });
        window->mnuHelpAbout_Click();
        EXPECT_TRUE(driver.ran());
        EXPECT_TRUE(closed);
        EXPECT_TRUE(opened.isNull()); // unloaded, not just hidden
    }
}

TEST_F(AboutFromMainWindow, ReopeningLoadsAfreshWithBlueLinks)
{
    QPointer<ui::frmAbout> first;
    AboutBoxDriver turnLinksRed([&](ui::frmAbout& box) {
        first = &box;
        moveOver(box.lblemail);
        moveOver(box.lblURL);
        ASSERT_EQ(textColour(box.lblURL), kRed);
    });
    window->mnuHelpAbout_Click();
    ASSERT_TRUE(turnLinksRed.ran());
    AboutBoxDriver reopen([&](ui::frmAbout& box) {
        EXPECT_NE(&box, first.data());
        EXPECT_EQ(textColour(box.lblemail), kBlue);
        EXPECT_EQ(textColour(box.lblURL), kBlue);
        EXPECT_TRUE(box.lblURL->font().underline());
    });
    window->mnuHelpAbout_Click();
    EXPECT_TRUE(reopen.ran());
    EXPECT_TRUE(first.isNull());
}

} // namespace
} // namespace quorvel::test
