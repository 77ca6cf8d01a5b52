#include "fakes/FakeServices.h"
#include "ui/actions/OpenWithShell.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(OpenWithShell, ResultsAbove32SucceedQuietly)
{
    for (const int result : {33, 42, 1000}) {
        FakeServices fakes;
        fakes.shell.result = result;
        EXPECT_TRUE(ui::OpenWithShell(fakes.services, QStringLiteral("http://a.example"),
                                      ui::kBrowserAdvice));
        EXPECT_TRUE(fakes.dialogs.messages.empty()) << result;
    }
}

TEST(OpenWithShell, ResultsUpTo32ShowTheFixedErrorBox)
{
    struct Case {
        int result;
        const QString& advice;
        QString text;
    };
    for (const Case& c : {
             Case{32, ui::kBrowserAdvice,
                  QStringLiteral("Could not execute function - Error code 32\r\n\r\n"
                                 "Make sure you have a working, default browser!")},
             Case{31, ui::kEmailAdvice,
                  QStringLiteral("Could not execute function - Error code 31\r\n\r\n"
                                 "Make sure you have a working, default email program!")},
             Case{5, ui::kUrlAdvice,
                  QStringLiteral("Could not execute function - Error code 5\r\n\r\n"
                                 "Make sure the URL is valid and you have a working, default "
                                 "browser!")},
             Case{0, ui::kBrowserAdvice,
                  QStringLiteral("Could not execute function - Error code 0\r\n\r\n"
                                 "Make sure you have a working, default browser!")},
             Case{-1, ui::kBrowserAdvice,
                  QStringLiteral("Could not execute function - Error code -1\r\n\r\n"
                                 "Make sure you have a working, default browser!")},
         }) {
        FakeServices fakes;
        fakes.shell.result = c.result;
        EXPECT_FALSE(ui::OpenWithShell(fakes.services, QStringLiteral("x"), c.advice));
        ASSERT_EQ(fakes.dialogs.messages.size(), 1u) << c.result;
        EXPECT_EQ(fakes.dialogs.messages.front(),
                  (ShownMessage{c.text, QStringLiteral("Error"), 48}));
    }
}

TEST(OpenWithShell, TargetReachesTheShellWithItsBlanks)
{
    FakeServices fakes;
    ui::OpenWithShell(fakes.services, QStringLiteral("  http://a.example/ \t"), ui::kUrlAdvice);
    EXPECT_EQ(fakes.shell.opened, QStringList{QStringLiteral("  http://a.example/ \t")});
}

} // namespace
} // namespace quorvel::test
