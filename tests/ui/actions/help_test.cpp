#include "engine/Translate.h"
#include "support/MainWindowFixture.h"
#include "ui/about/AboutBoxDriver.h"
#include "ui/actions/HelpTexts.h"
#include "ui/common/DialogReporter.h"
#include "ui/common/ErrorHandler.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include <vector>

namespace quorvel::test {
namespace {

using HelpMenu = MainWindowFixture;

const QString kExpectedHistory = QStringLiteral(
    "2006Jan06  Ver 2.2.1\r\n  Update URL from old site to new.\r\n\r\n"
    "2004Dec05  Ver 2.2.0\r\n  Added options to choose and remove trailing characters and to "
    "allow dropping of non text objects.\r\n\r\n"
    "2003Mar03  Ver 2.0.0\r\n  Added Dynamic escape code translation option.\r\n\r\n"
    "2003Feb11  Ver 1.1.0\r\n  Added Bring To Top On Drag option.\r\n\r\n"
    "2003Feb04  Ver 1.0.0\r\n  Initial release");

QString expectedDirections()
{
    return QStringLiteral("Some URLs end up looking like the following...\r\n    ") +
           ui::kExampleRedirectLink + QStringLiteral("\r\n\r\nThis program turns it into\r\n    ") +
           ui::kExampleTarget +
           QStringLiteral(
               "\r\nby translating all the escape codes.\r\n\r\n"
               "Auto Translate on Drop: Automatically perform translation when a URL from the "
               "browser address box or a link from a web page is dropped in the top box.  You can "
               "drag a URL from the Internet Explorer Address box.\r\n\r\n"
               "Auto Translate on Change: Automatically perform translation every time a change "
               "is made in the top box.\r\n\r\n"
               "Bring to Top on Drop: Bring form to top when link dropped in top box.\r\n\r\n"
               "Translation with Predefined Characters (original method) translates a set of "
               "recognized codes.  The Dynamic option (new) tries to convert every two character "
               "codes after a percent sign.\r\n\r\n"
               "See the text file or my web site for additional information.\r\n\r\n");
}

TEST_F(HelpMenu, TextsAreShownExactlyInInformationBoxes)
{
    window->mnuHelpDirs_Click();
    window->mnuHelpHistory_Click();
    EXPECT_EQ(
        fakes.dialogs.messages,
        (std::vector<ShownMessage>{{expectedDirections(), QStringLiteral("Quick Directions"), 64},
                                   {kExpectedHistory, QStringLiteral("Program History"), 64}}));
    for (const ShownMessage& shown : fakes.dialogs.messages) {
        SCOPED_TRACE(shown.title.toStdString());
        // Every break is CR LF: no lone CR or LF.
        EXPECT_EQ(shown.text.count(u'\r'), shown.text.count(QStringLiteral("\r\n")));
        EXPECT_EQ(shown.text.count(u'\n'), shown.text.count(QStringLiteral("\r\n")));
    }
}

TEST_F(HelpMenu, DirectionsExampleTranslatesIntoTheTargetItShows)
{
    EXPECT_TRUE(ui::kExampleRedirectLink.contains(QStringLiteral("action=")));
    EXPECT_TRUE(
        ui::kExampleRedirectLink.contains(QRegularExpression(QStringLiteral("%[0-9]?[a-f]"))));
    EXPECT_FALSE(ui::kExampleRedirectLink.contains(
        QRegularExpression(QStringLiteral("%([A-F][0-9A-Fa-f]|[0-9a-f][A-F])"))));
    EXPECT_FALSE(ui::kExampleTarget.contains(u'%'));

    FakeDialogs dialogs;
    ui::DialogReporter reporter(dialogs);
    const Translation translation =
        translateForDisplay(reporter, TranslationMethod::Dynamic, window->maCode, window->maChar,
                            TrailingOptions{}, ui::toU16(ui::kExampleRedirectLink));
    EXPECT_EQ(ui::toQString(translation.text), ui::kExampleTarget);
    EXPECT_TRUE(dialogs.messages.empty());

    // The same through the window with its starting options.
    window->txtBadURL->setPlainText(ui::kExampleRedirectLink);
    EXPECT_EQ(window->txtGoodURL->text(), ui::kExampleTarget);
    EXPECT_EQ(window->lblReps->text(), QString::number(translation.count));
    EXPECT_GT(translation.count, 0);
}

TEST_F(HelpMenu, VisitOpensTheWebSiteAndAdvisesWhenRefused)
{
    window->mnuHelpVisit_Click();
    EXPECT_EQ(fakes.shell.opened, QStringList{ui::kAuthorWebSite});
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    fakes.shell.result = 32;
    window->mnuHelpVisit_Click();
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{
                  {QStringLiteral("Could not execute function - Error code 32\r\n\r\n"
                                  "Make sure you have a working, default browser!"),
                   QStringLiteral("Error"), 48}}));
}

TEST_F(HelpMenu, AboutSuspendsKeepOnTopOnlyWhileChecked)
{
    {
        AboutBoxDriver driver;
        window->mnuHelpAbout_Click();
        ASSERT_TRUE(driver.ran());
        EXPECT_TRUE(fakes.zOrder.calls.empty());
    }

    window->mnuOptionsKeepOnTop->setChecked(true);
    std::vector<bool> whileOpen;
    AboutBoxDriver driver([&](ui::frmAbout&) {
        for (const FakeZOrder::Call& call : fakes.zOrder.calls)
            whileOpen.push_back(call.topmost);
    });
    window->mnuHelpAbout_Click();
    ASSERT_TRUE(driver.ran());
    EXPECT_EQ(whileOpen, std::vector<bool>{false});
    ASSERT_EQ(fakes.zOrder.calls.size(), 2u);
    EXPECT_EQ(fakes.zOrder.calls[0].window, window);
    EXPECT_TRUE(fakes.zOrder.calls[1].topmost);
}

TEST_F(HelpMenu, AboutReadsKeepOnTopAgainAfterTheBoxCloses)
{
    window->mnuOptionsKeepOnTop->setChecked(true);
    AboutBoxDriver driver([&](ui::frmAbout&) { window->mnuOptionsKeepOnTop->setChecked(false); });
    window->mnuHelpAbout_Click();
    ASSERT_TRUE(driver.ran());
    ASSERT_EQ(fakes.zOrder.calls.size(), 1u);
    EXPECT_FALSE(fakes.zOrder.calls[0].topmost);
}

TEST_F(HelpMenu, ShortcutsWorkFromTheTextBoxes)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->txtBadURL->setPlainText(QStringLiteral("typed text"));
    window->txtBadURL->setFocus();
    QTest::keyClick(window->txtBadURL, Qt::Key_F1);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].title, QStringLiteral("Quick Directions"));

    AboutBoxDriver driver;
    QTest::keyClick(window->txtBadURL, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(driver.ran());
    EXPECT_TRUE(window->txtBadURL->textCursor().selectedText().isEmpty());
}

} // namespace
} // namespace quorvel::test
