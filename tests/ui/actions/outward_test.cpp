#include "support/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Outward = MainWindowFixture;

TEST_F(Outward, GoToUrlNeedsFiveCharactersBetweenBlanks)
{
    const QStringList tooShort = {"", "abcd", "  abcd   ", "     ", " a b "};
    // Tabs and line breaks are no blanks: they count towards the five.
    const QStringList enough = {"abcde", "  abcde  ", "\tabc\t", " ab\ncd "};
    for (const QString& text : tooShort + enough) {
        window->txtGoodURL->setPlainText(text);
        window->cmdNavigate->click();
    }
    std::vector<ShownMessage> warnings;
    for (const QString& text : tooShort)
        warnings.push_back({text + u"\r\nis not a valid URL"_s, u"Warning"_s, 48});
    EXPECT_EQ(fakes.dialogs.messages, warnings);
    EXPECT_EQ(fakes.shell.opened, enough);
}

// The shell succeeds with a result above 32 only.
TEST_F(Outward, GoToUrlFailsOnShellResultsUpTo32)
{
    typeIntoUpperBox(u"http://r.example/?action=http%3A%2F%2Fwww.example.com%2F');"_s);
    for (const int result : {33, 1000, 32, 5, -1}) {
        fakes.shell.result = result;
        window->mnuFileNavigate->trigger();
        std::vector<ShownMessage> shown;
        if (result <= 32)
            shown.push_back({u"Could not execute function - Error code "_s +
                                 QString::number(result) +
                                 u"\r\n\r\nMake sure the URL is valid and you have a working, "
                                 "default browser!"_s,
                             u"Error"_s, 48});
        EXPECT_EQ(std::exchange(fakes.dialogs.messages, {}), shown) << result;
    }
    EXPECT_EQ(fakes.shell.opened, QStringList(5, u"http://www.example.com/"_s));
}

TEST_F(Outward, CopyClearsThenPlacesTheUntrimmedText)
{
    window->cmdClip->click();
    EXPECT_TRUE(fakes.clipboard.calls.isEmpty());
    for (const QString& text : {u"http://www.example.com/"_s, u"   "_s}) {
        fakes.clipboard.calls.clear();
        window->txtGoodURL->setPlainText(text);
        window->mnuFileClipboard->trigger();
        EXPECT_EQ(fakes.clipboard.calls, (QStringList{u"clear"_s, u"setText:"_s + text}));
    }
    EXPECT_EQ(
        fakes.dialogs.messages,
        (std::vector<ShownMessage>{{u"Nothing to place in clipboard"_s, u"Nothing to do"_s, 64}}));
}

} // namespace
} // namespace quorvel::test
