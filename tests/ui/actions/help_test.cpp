#include "support/MainWindowFixture.h"
#include "ui/about/AboutBoxDriver.h"
#include "ui/actions/HelpTexts.h"

#include <QAction>
#include <QRegularExpression>

#include <vector>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using HelpMenu = MainWindowFixture;

TEST_F(HelpMenu, TextsAreExactAndTheExampleTranslates)
{
    const QString directions =
        u"Some URLs end up looking like the following...\r\n    "_s + ui::kExampleRedirectLink +
        u"\r\n\r\nThis program turns it into\r\n    "_s + ui::kExampleTarget +
        u"\r\nby translating all the escape codes.\r\n\r\n"
        "Auto Translate on Drop: Automatically perform translation when a URL from the browser "
        "address box or a link from a web page is dropped in the top box.  You can drag a URL "
        "from the Internet Explorer Address box.\r\n\r\n"
        "Auto Translate on Change: Automatically perform translation every time a change is made "
        "in the top box.\r\n\r\n"
        "Bring to Top on Drop: Bring form to top when link dropped in top box.\r\n\r\n"
        "Translation with Predefined Characters (original method) translates a set of recognized "
        "codes.  The Dynamic option (new) tries to convert every two character codes after a "
        "percent sign.\r\n\r\n"
        "See the text file or my web site for additional information.\r\n\r\n"_s;
    const QString history =
        u"2006Jan06  Ver 2.2.1\r\n  Update URL from old site to new.\r\n\r\n"
        "2004Dec05  Ver 2.2.0\r\n  Added options to choose and remove trailing characters and to "
        "allow dropping of non text objects.\r\n\r\n"
        "2003Mar03  Ver 2.0.0\r\n  Added Dynamic escape code translation option.\r\n\r\n"
        "2003Feb11  Ver 1.1.0\r\n  Added Bring To Top On Drag option.\r\n\r\n"
        "2003Feb04  Ver 1.0.0\r\n  Initial release"_s;
    window->mnuHelpDirs->trigger();
    window->mnuHelpHistory->trigger();
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{directions, u"Quick Directions"_s, 64},
                                         {history, u"Program History"_s, 64}}));
    // The example escapes with lower-case letters only, and translates into its target.
    EXPECT_TRUE(ui::kExampleRedirectLink.contains(QRegularExpression(u"%[0-9]?[a-f]"_s)));
    EXPECT_FALSE(ui::kExampleRedirectLink.contains(QRegularExpression(u"%[0-9a-f]?[A-F]"_s)));
    window->txtBadURL->setPlainText(ui::kExampleRedirectLink);
    EXPECT_EQ(window->txtGoodURL->text(), ui::kExampleTarget);
}

// Keep on top is lifted while the box is open and restored after it only
// while the option is still checked.
TEST_F(HelpMenu, AboutSuspendsKeepOnTopOnlyWhileChecked)
{
    struct Case {
        bool checked, uncheckWhileOpen;
        std::vector<bool> whileOpen, after;
    };
    for (const Case& c : {Case{false, false, {}, {}}, Case{true, false, {false}, {false, true}},
                          Case{true, true, {false}, {false}}}) {
        window->mnuOptionsKeepOnTop->setChecked(c.checked);
        std::vector<bool> topmost;
        fakes.zOrder.onCall = [&](const FakeZOrder::Call& call) {
            EXPECT_EQ(call.window, window.data());
            topmost.push_back(call.topmost);
        };
        AboutBoxDriver driver([&](ui::frmAbout&) {
            EXPECT_EQ(topmost, c.whileOpen);
            if (c.uncheckWhileOpen)
                window->mnuOptionsKeepOnTop->setChecked(false);
        });
        window->mnuHelpAbout->trigger();
        ASSERT_TRUE(driver.ran());
        EXPECT_EQ(topmost, c.after) << c.checked << c.uncheckWhileOpen;
    }
}

} // namespace
} // namespace quorvel::test
