#include "support/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

namespace quorvel::test {
namespace {

using Outward = MainWindowFixture;

const QString kUrlAdvice =
    QStringLiteral("Make sure the URL is valid and you have a working, default browser!");

ShownMessage notValid(const QString& text)
{
    return {text + QStringLiteral("\r\nis not a valid URL"), QStringLiteral("Warning"), 48};
}

TEST_F(Outward, GoToUrlWarnsWhenFewerThanFiveCharactersLieBetweenBlanks)
{
    for (const QString& text : {QString(), QStringLiteral("abcd"), QStringLiteral("  abcd   "),
                                QStringLiteral("     "), QStringLiteral(" a b ")}) {
        fakes.dialogs.messages.clear();
        window->txtGoodURL->setPlainText(text);
        window->cmdNavigate->click();
        ASSERT_EQ(fakes.dialogs.messages.size(), 1u) << text.toStdString();
        EXPECT_EQ(fakes.dialogs.messages.front(), notValid(text));
    }
    EXPECT_TRUE(fakes.shell.opened.isEmpty());
}

TEST_F(Outward, GoToUrlHandsFiveCharactersOrMoreToTheShellUntrimmed)
{
    // Tabs and line breaks are not blanks: they count towards the five.
    const QStringList texts = {QStringLiteral("abcde"), QStringLiteral("  abcde  "),
                               QStringLiteral("\tabc\t"), QStringLiteral(" ab\ncd ")};
    for (const QString& text : texts) {
        window->txtGoodURL->setPlainText(text);
        window->cmdNavigate->click();
    }
    EXPECT_EQ(fakes.shell.opened, texts);
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Outward, GoToUrlReportsARefusingShell)
{
    fakes.shell.result = 32;
    window->txtGoodURL->setPlainText(QStringLiteral("http://a.example/"));
    window->mnuFileNavigate->trigger();
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages.front(),
              (ShownMessage{QStringLiteral("Could not execute function - Error code 32\r\n\r\n") +
                                kUrlAdvice,
                            QStringLiteral("Error"), 48}));

    fakes.dialogs.messages.clear();
    fakes.shell.result = 33;
    window->cmdNavigate->click();
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(fakes.shell.opened.size(), 2);
}

TEST_F(Outward, GoToUrlOpensTheTranslatedLink)
{
    typeIntoUpperBox(QStringLiteral("http://r.example/?action=http%3A%2F%2Fwww.example.com%2F');"));
    window->cmdNavigate->click();
    EXPECT_EQ(fakes.shell.opened, QStringList{QStringLiteral("http://www.example.com/")});
}

TEST_F(Outward, CopyWithAnEmptyBoxLeavesTheClipboardAlone)
{
    window->cmdClip->click();
    EXPECT_TRUE(fakes.clipboard.calls.isEmpty());
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages.front(),
              (ShownMessage{QStringLiteral("Nothing to place in clipboard"),
                            QStringLiteral("Nothing to do"), 64}));
}

TEST_F(Outward, CopyClearsEveryFormatThenPlacesTheUntrimmedText)
{
    for (const QString& text : {QStringLiteral("http://www.example.com/"), QStringLiteral("   "),
                                QStringLiteral(" a\tb ")}) {
        fakes.clipboard.calls.clear();
        window->txtGoodURL->setPlainText(text);
        window->mnuFileClipboard->trigger();
        EXPECT_EQ(fakes.clipboard.calls,
                  (QStringList{QStringLiteral("clear"), QStringLiteral("setText:") + text}));
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Outward, CtrlPCopiesFromTheUpperBox)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    typeIntoUpperBox(QStringLiteral("x?action=http%3A%2F%2Fa.example%2F"));
    QTest::keyClick(window->txtBadURL, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(fakes.clipboard.calls,
              (QStringList{QStringLiteral("clear"), QStringLiteral("setText:http://a.example/")}));
}

} // namespace
} // namespace quorvel::test
